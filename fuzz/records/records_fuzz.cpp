// The first byte chooses what the rest is: a received record of some kind
// (its bytes in a buffer of exactly their count, so that any read past it is
// caught), the pieces of a record to build and read back, or a cookie text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/protocol_records.h"
#include "common/text_codec.h"
#include "tab/cookie_text.h"
#include "tab/host_records.h"

namespace {

using namespace tamvelo;
using protocol::RecordKind;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string_view Bytes(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// The text a receiver may see: up to the first NUL.
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// Every cookie that SetCookieText hands over lies within the text's bound,
// after the one before, holds no ';' and is not blanks only; a refused call
// comes once more at once. refuse says which calls the setter refuses.
void CheckCookieCalls(std::string_view text, const std::vector<std::string>& calls,
                      const std::vector<bool>& refused) {
  size_t from = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    const std::string& cookie = calls[i];
    Check(cookie.find(';') == std::string::npos);
    Check(cookie.find_first_not_of(' ') != std::string::npos);
    const size_t at = text.find(cookie, from);
    Check(at != std::string_view::npos && at + cookie.size() <= tab::kLongestCookieText);
    // Each cookie starts the text or follows a ';': the pieces before it
    // since the last cookie held blanks only, where it cannot match.
    Check(at == 0 || text[at - 1] == ';');
    from = at + cookie.size();
    if (refused[i]) {
      Check(i + 1 < calls.size() && calls[i + 1] == cookie);
      ++i;
    }
  }
}

struct Recorded {
  std::vector<std::string> cookies;
  std::vector<bool> refused;
  std::vector<std::wstring> navigations;
};

// The setter refuses the calls whose bit in pattern is set.
tab::RecordActions Recording(Recorded& recorded, uint8_t pattern) {
  return {[&recorded, pattern](const char* cookie) {
            Check(recorded.navigations.empty());  // cookies come before the navigation
            const bool refuse = (pattern >> (recorded.cookies.size() % 8)) & 1;
            recorded.cookies.emplace_back(cookie);
            recorded.refused.push_back(refuse);
            return !refuse;
          },
          [&recorded](const std::wstring& address) { recorded.navigations.push_back(address); }};
}

// A received host record: kind 1, kind 2 or one the host does not know.
void FuzzHostRecord(RecordKind kind, std::string_view bytes, uint8_t pattern) {
  const std::vector<char> buffer(bytes.begin(), bytes.end());  // exactly the count
  const void* data = buffer.empty() ? nullptr : buffer.data();
  const auto text = protocol::ReadRecordText(data, buffer.size());
  Check(text.has_value() == !buffer.empty());
  if (text) Check(*text == UpToNul(bytes));

  Recorded recorded;
  tab::HandleHostRecord(kind, data, buffer.size(), Recording(recorded, pattern));
  if (kind != protocol::CopyDataCookiesAndUrl && kind != protocol::CopyDataUrl) {
    Check(recorded.cookies.empty() && recorded.navigations.empty());
    return;
  }
  const std::string_view received = UpToNul(bytes);
  std::string_view cookies;
  std::string_view address = received;
  if (kind == protocol::CopyDataCookiesAndUrl) {
    const size_t separator = received.find(protocol::kCookiesAddressSeparator);
    if (separator == std::string_view::npos) {
      Check(recorded.cookies.empty() && recorded.navigations.empty());
      return;
    }
    cookies = received.substr(0, separator);
    address = received.substr(separator + 2);
  }
  Check(recorded.navigations.size() == (address.empty() ? 0u : 1u));
  if (!address.empty()) Check(recorded.navigations[0] == WideFromNarrow(address));
  CheckCookieCalls(cookies, recorded.cookies, recorded.refused);
}

// A received UTF-16 record: an address to open or a tab title.
void FuzzWideRecord(std::string_view bytes) {
  const std::vector<char> buffer(bytes.begin(), bytes.end());
  const auto text = protocol::ReadRecordText16(buffer.empty() ? nullptr : buffer.data(), buffer.size());
  Check(text.has_value() == !buffer.empty());
  if (!text) return;
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char16_t unit;
    std::memcpy(&unit, bytes.data() + i, 2);
    if (unit == 0) break;
    units.push_back(unit);
  }
  Check(*text == units);
}

// The records that the programs build, read back as a receiver reads them.
void FuzzGameRecordRoundTrip(std::string_view bytes, uint8_t pattern) {
  if (bytes.size() < 2) return;
  const std::uint32_t querySize = static_cast<uint8_t>(bytes[0]) | static_cast<uint8_t>(bytes[1]) << 8;
  bytes.remove_prefix(2);
  const size_t cut = std::min(bytes.find('\x01'), bytes.size());
  const std::string cookies(bytes.substr(0, cut));
  const std::string address(bytes.substr(std::min(cut + 1, bytes.size())));

  const protocol::RecordBytes record = protocol::GameRecordBytes(cookies, querySize, address);
  Check(record.byteCount == size_t{querySize} + address.size() + 2);
  Check(record.bytes.size() >= record.byteCount);
  const bool withCookies = cookies.size() > 2;
  Check(record.kind == (withCookies ? protocol::CopyDataCookiesAndUrl : protocol::CopyDataUrl));
  const std::string sent = withCookies ? cookies + "||" + address : address;
  Check(std::string_view(record.bytes.data(), sent.size()) == sent);
  Check(std::all_of(record.bytes.begin() + sent.size(), record.bytes.end(), [](char c) { return c == '\0'; }));

  const std::string_view announced(record.bytes.data(), record.byteCount);
  const auto read = protocol::ReadRecordText(announced.data(), announced.size());
  Check(read && *read == UpToNul(announced));
  // The size query counts at least the text it reported: then the whole
  // text arrives.
  const bool plain = cookies.find('\0') == std::string::npos && address.find('\0') == std::string::npos;
  if (plain && querySize >= cookies.size()) Check(*read == sent);
  FuzzHostRecord(record.kind, announced, pattern);

  // Cookies that hold no "||" and do not end with '|' split off whole.
  if (!plain || querySize < cookies.size() || cookies.find('|') != std::string::npos) return;
  Recorded recorded;
  tab::HandleHostRecord(record.kind, announced.data(), announced.size(), Recording(recorded, pattern));
  if (address.empty()) Check(recorded.navigations.empty());
  else Check(recorded.navigations.size() == 1 && recorded.navigations[0] == WideFromNarrow(address));
  if (!withCookies) Check(recorded.cookies.empty());
}

void FuzzWideRoundTrip(std::string_view bytes) {
  if (bytes.size() < sizeof(RecordKind)) return;
  RecordKind hostWindow;
  std::memcpy(&hostWindow, bytes.data(), sizeof hostWindow);
  bytes.remove_prefix(sizeof hostWindow);
  std::u16string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char16_t unit;
    std::memcpy(&unit, bytes.data() + i, 2);
    text.push_back(unit);
  }
  const std::u16string expected = text.substr(0, text.find(u'\0'));
  for (const protocol::RecordBytes& record :
       {protocol::OpenTabRecordBytes(text), protocol::TabTitleRecordBytes(hostWindow, text)}) {
    Check(record.byteCount == (text.size() + 1) * 2 && record.bytes.size() == record.byteCount);
    const std::vector<char> received(record.bytes.begin(), record.bytes.end());
    Check(protocol::ReadRecordText16(received.data(), received.size()) == expected);
  }
  Check(protocol::OpenTabRecordBytes(text).kind == protocol::CopyDataOpenTab);
  Check(protocol::TabTitleRecordBytes(hostWindow, text).kind == hostWindow);
}

// A cookie text as the programs have it: read from a record or from the
// jar, it ends at its first NUL.
void FuzzCookieText(std::string_view bytes, uint8_t pattern) {
  const std::string text(UpToNul(bytes));
  Recorded recorded;
  tab::SetCookieText(text, Recording(recorded, pattern).setCookie);
  CheckCookieCalls(text, recorded.cookies, recorded.refused);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view rest = Bytes(data + 1, size - 1);
  // The high bits choose which of the setter's calls fail.
  const uint8_t pattern = static_cast<uint8_t>(data[0] >> 3) * 0x25;
  switch (data[0] & 7) {
    case 0:
      FuzzHostRecord(protocol::CopyDataCookiesAndUrl, rest, pattern);
      break;
    case 1:
      FuzzHostRecord(protocol::CopyDataUrl, rest, pattern);
      break;
    case 2:
      FuzzHostRecord(data[0] >> 3 == 1 ? 0 : RecordKind{3} + (data[0] >> 3), rest, pattern);
      break;
    case 3:
      FuzzWideRecord(rest);
      break;
    case 4:
      FuzzGameRecordRoundTrip(rest, pattern);
      break;
    case 5:
      FuzzWideRoundTrip(rest);
      break;
    default:
      FuzzCookieText(rest, pattern);
      break;
  }
  return 0;
}
