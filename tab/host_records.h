// The records that the main program sends to a tab's host window.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "common/protocol_records.h"
#include "tab/cookie_text.h"

namespace tamvelo::tab {

struct RecordActions {
  CookieSetter setCookie;
  std::function<void(const std::wstring& address)> navigate;
};

// Kind 1 ("cookies||address"): sets the cookies, then navigates to the
// address; without "||" nothing happens. Kind 2: navigates to the whole
// text. Other kinds, records without text and empty addresses do nothing.
// The text is read within byteCount only (the sender may be hostile).
void HandleHostRecord(protocol::RecordKind kind, const void* data, size_t byteCount,
                      const RecordActions& actions);

}  // namespace tamvelo::tab
