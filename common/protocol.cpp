#include "common/protocol.h"

#include <cwchar>
#include <utility>

namespace tamvelo::protocol {

std::string TabCommandLine(const char* token) {
  std::string line = std::string(kTabExeName) + " " + token;
  if (line.size() >= kCommandLineBufferBytes) line.resize(kCommandLineBufferBytes - 1);
  return line;
}

bool IsWaitModeCommandLine(const wchar_t* commandLine) {
  if (commandLine == nullptr) return false;
  const wchar_t* blank = std::wcschr(commandLine, L' ');
  if (blank == nullptr) return false;
  return std::wcsstr(blank + 1, kWaitModeTokenW) != nullptr;
}

CopyDataRecord::CopyDataRecord(ULONG_PTR kind, std::vector<char> bytes, DWORD byteCount)
    : bytes_(std::move(bytes)) {
  data_.dwData = kind;
  data_.cbData = byteCount;
  Bind();
}

CopyDataRecord::CopyDataRecord(CopyDataRecord&& other) noexcept
    : bytes_(std::move(other.bytes_)), data_(other.data_) {
  Bind();
  other.Bind();
}

CopyDataRecord& CopyDataRecord::operator=(CopyDataRecord&& other) noexcept {
  bytes_ = std::move(other.bytes_);
  data_ = other.data_;
  Bind();
  other.Bind();
  return *this;
}

void CopyDataRecord::Bind() {
  // Never announce more bytes than the buffer holds.
  if (data_.cbData > bytes_.size()) data_.cbData = static_cast<DWORD>(bytes_.size());
  data_.lpData = bytes_.empty() ? nullptr : bytes_.data();
}

namespace {

CopyDataRecord ToCopyData(RecordBytes record) {
  return CopyDataRecord(record.kind, std::move(record.bytes), static_cast<DWORD>(record.byteCount));
}

std::u16string Utf16Units(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

CopyDataRecord MakeGameRecord(const std::string& cookieText, DWORD cookieQuerySize,
                              const std::string& address) {
  return ToCopyData(GameRecordBytes(cookieText, cookieQuerySize, address));
}

CopyDataRecord MakeOpenTabRecord(const std::wstring& address) {
  return ToCopyData(OpenTabRecordBytes(Utf16Units(address)));
}

CopyDataRecord MakeTabTitleRecord(HWND hostWindow, const std::wstring& title) {
  return ToCopyData(TabTitleRecordBytes(reinterpret_cast<RecordKind>(hostWindow), Utf16Units(title)));
}

COPYDATASTRUCT MakeActivateRecord() {
  COPYDATASTRUCT record{};
  record.dwData = CopyDataActivate;
  record.cbData = 1;
  record.lpData = nullptr;
  return record;
}

std::optional<std::string> ReadRecordText(const COPYDATASTRUCT* record) {
  if (record == nullptr) return std::nullopt;
  return ReadRecordText(record->lpData, record->cbData);
}

std::optional<std::wstring> ReadRecordTextW(const COPYDATASTRUCT* record) {
  if (record == nullptr) return std::nullopt;
  const std::optional<std::u16string> units = ReadRecordText16(record->lpData, record->cbData);
  if (!units) return std::nullopt;
  return std::wstring(units->begin(), units->end());
}

bool SendRecord(HWND receiver, const COPYDATASTRUCT* record, UINT limitMs) {
  if (receiver == nullptr) return false;
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(receiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(record), kRecordSendFlags, limitMs,
                             &answer) != 0;
}

}  // namespace tamvelo::protocol
