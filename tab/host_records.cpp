#include "tab/host_records.h"

#include <iterator>

#include "common/protocol.h"
#include "common/text_codec.h"

namespace tamvelo::tab {

namespace {

void Navigate(const std::string& address, const RecordActions& actions) {
  if (!address.empty()) actions.navigate(WideFromNarrow(address));
}

}  // namespace

void HandleHostRecord(const COPYDATASTRUCT* record, const RecordActions& actions) {
  if (record == nullptr) return;
  const ULONG_PTR kind = record->dwData;
  if (kind != protocol::CopyDataCookiesAndUrl && kind != protocol::CopyDataUrl) return;
  const std::optional<std::string> text = protocol::ReadRecordText(record);
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
