#include "common/protocol.h"

#include <algorithm>
#include <cstring>
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

CopyDataRecord MakeGameRecord(const std::string& cookieText, DWORD cookieQuerySize,
                              const std::string& address) {
  const size_t byteCount = size_t{cookieQuerySize} + address.size() + 2;
  std::string text;
  ULONG_PTR kind = CopyDataUrl;
  if (cookieText.size() > 2) {
    text = cookieText + kCookiesAddressSeparator;
    kind = CopyDataCookiesAndUrl;
  }
  text += address;
  std::vector<char> bytes(std::max(byteCount, text.size() + 1), '\0');
  std::memcpy(bytes.data(), text.data(), text.size());
  return CopyDataRecord(kind, std::move(bytes), static_cast<DWORD>(byteCount));
}

static CopyDataRecord MakeWideRecord(ULONG_PTR kind, const std::wstring& text) {
  // The text and its terminator, byte for byte.
  const char* first = reinterpret_cast<const char*>(text.c_str());
  std::vector<char> bytes(first, first + (text.size() + 1) * sizeof(wchar_t));
  const DWORD byteCount = static_cast<DWORD>(bytes.size());
  return CopyDataRecord(kind, std::move(bytes), byteCount);
}

CopyDataRecord MakeOpenTabRecord(const std::wstring& address) {
  return MakeWideRecord(CopyDataOpenTab, address);
}

CopyDataRecord MakeTabTitleRecord(HWND hostWindow, const std::wstring& title) {
  return MakeWideRecord(reinterpret_cast<ULONG_PTR>(hostWindow), title);
}

COPYDATASTRUCT MakeActivateRecord() {
  COPYDATASTRUCT record{};
  record.dwData = CopyDataActivate;
  record.cbData = 1;
  record.lpData = nullptr;
  return record;
}

std::optional<std::string> ReadRecordText(const COPYDATASTRUCT* record) {
  if (record == nullptr || record->lpData == nullptr || record->cbData == 0) return std::nullopt;
  const char* bytes = static_cast<const char*>(record->lpData);
  const void* nul = std::memchr(bytes, '\0', record->cbData);
  const size_t length = nul ? static_cast<const char*>(nul) - bytes : record->cbData;
  return std::string(bytes, length);
}

std::optional<std::wstring> ReadRecordTextW(const COPYDATASTRUCT* record) {
  if (record == nullptr || record->lpData == nullptr || record->cbData == 0) return std::nullopt;
  const size_t units = record->cbData / sizeof(wchar_t);
  // The sender's buffer need not be aligned for wchar_t: copy unit by unit.
  const unsigned char* bytes = static_cast<const unsigned char*>(record->lpData);
  std::wstring text;
  for (size_t i = 0; i < units; ++i) {
    wchar_t unit;
    std::memcpy(&unit, bytes + i * sizeof(wchar_t), sizeof(wchar_t));
    if (unit == L'\0') break;
    text.push_back(unit);
  }
  return text;
}

}  // namespace tamvelo::protocol
