#include "tab/host_records.h"

#include <iterator>
#include <optional>

#include "common/protocol_records.h"
#include "common/text_codec.h"

namespace tamvelo::tab {

namespace {

void Navigate(const std::string& address, const RecordActions& actions) {
  if (!address.empty()) actions.navigate(WideFromNarrow(address));
}

}  // namespace

void HandleHostRecord(protocol::RecordKind kind, const void* data, size_t byteCount,
                      const RecordActions& actions) {
  if (kind != protocol::CopyDataCookiesAndUrl && kind != protocol::CopyDataUrl) return;
  const std::optional<std::string> text = protocol::ReadRecordText(data, byteCount);
  if (!text) return;
  if (kind == protocol::CopyDataUrl) {
    Navigate(*text, actions);
    return;
  }
  const size_t separator = text->find(protocol::kCookiesAddressSeparator);
  if (separator == std::string::npos) return;
  SetCookieText(text->substr(0, separator), actions.setCookie);
  Navigate(text->substr(separator + std::size(protocol::kCookiesAddressSeparator) - 1), actions);
}

}  // namespace tamvelo::tab
