#include "tab/host_records.h"

#include "common/protocol.h"

namespace tamvelo::tab {

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

namespace {

void Navigate(const std::string& address, const RecordActions& actions) {
  if (!address.empty()) actions.navigate(AnsiToWide(address));
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
  const size_t separator = text->find("||");
  if (separator == std::string::npos) return;
  SetCookieText(text->substr(0, separator), actions.setCookie);
  Navigate(text->substr(separator + 2), actions);
}

}  // namespace tamvelo::tab
