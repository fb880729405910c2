#include "common/protocol_records.h"

#include <algorithm>
#include <cstring>

namespace tamvelo::protocol {

namespace {

RecordBytes WideRecordBytes(RecordKind kind, std::u16string_view text) {
  // The text and its terminator, unit for unit in the machine's byte order.
  RecordBytes record;
  record.kind = kind;
  record.bytes.resize((text.size() + 1) * sizeof(char16_t), '\0');
  if (!text.empty()) std::memcpy(record.bytes.data(), text.data(), text.size() * sizeof(char16_t));
  record.byteCount = record.bytes.size();
  return record;
}

}  // namespace

RecordBytes GameRecordBytes(const std::string& cookieText, std::uint32_t cookieQuerySize,
                            const std::string& address) {
  RecordBytes record;
  record.byteCount = size_t{cookieQuerySize} + address.size() + 2;
  std::string text;
  record.kind = CopyDataUrl;
  if (cookieText.size() > 2) {
    text = cookieText + kCookiesAddressSeparator;
    record.kind = CopyDataCookiesAndUrl;
  }
  text += address;
  record.bytes.assign(std::max(record.byteCount, text.size() + 1), '\0');
  std::memcpy(record.bytes.data(), text.data(), text.size());
  return record;
}

RecordBytes OpenTabRecordBytes(std::u16string_view address) {
  return WideRecordBytes(CopyDataOpenTab, address);
}

RecordBytes TabTitleRecordBytes(RecordKind hostWindow, std::u16string_view title) {
  return WideRecordBytes(hostWindow, title);
}

std::optional<std::string> ReadRecordText(const void* data, size_t byteCount) {
  if (data == nullptr || byteCount == 0) return std::nullopt;
  const char* bytes = static_cast<const char*>(data);
  const void* nul = std::memchr(bytes, '\0', byteCount);
  const size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - bytes) : byteCount;
  return std::string(bytes, length);
}

std::optional<std::u16string> ReadRecordText16(const void* data, size_t byteCount) {
  if (data == nullptr || byteCount == 0) return std::nullopt;
  const size_t units = byteCount / sizeof(char16_t);
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  std::u16string text;
  for (size_t i = 0; i < units; ++i) {
    char16_t unit;
    std::memcpy(&unit, bytes + i * sizeof(char16_t), sizeof(char16_t));
    if (unit == u'\0') break;
    text.push_back(unit);
  }
  return text;
}

}  // namespace tamvelo::protocol
