// The records that the main program sends to a tab's host window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tab/cookies.h"

namespace tamvelo::tab {

struct RecordActions {
  CookieSetter setCookie;
  std::function<void(const std::wstring& address)> navigate;
};

// Kind 1 ("cookies||address"): sets the cookies, then navigates to the
// address; without "||" nothing happens. Kind 2: navigates to the whole
// text. Other kinds, records without text and empty addresses do nothing.
// The text is read within cbData only (the sender may be hostile).
void HandleHostRecord(const COPYDATASTRUCT* record, const RecordActions& actions);

}  // namespace tamvelo::tab
