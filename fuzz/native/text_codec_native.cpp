// common/text_codec.h for the native build, through iconv. It behaves as
// Windows does for the code pages the parsers use: 0 (the ANSI code page,
// taken as 936, the product's), 936 and 65001. A character the code page
// lacks becomes "?", a byte sequence that forms no character U+FFFD.
#include "common/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace tamvelo {
namespace {

std::string IconvName(CodePage codePage) {
  if (codePage == kAnsiCodePage || codePage == 936) return "CP936";
  if (codePage == kUtf8CodePage) return "UTF-8";
  return "CP" + std::to_string(codePage);
}

// Converts one unit at a time where the whole text fails, so that every
// unconvertible piece is replaced and the rest kept.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts in[0, size) and appends to out; false when it does not convert.
  bool Append(const char* in, size_t size, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    size_t left = size;
    std::string buffer(size * 4 + 16, '\0');
    char* dst = buffer.data();
    size_t room = buffer.size();
    if (iconv(cd_, &src, &left, &dst, &room) == static_cast<size_t>(-1)) return false;
    if (iconv(cd_, nullptr, nullptr, &dst, &room) == static_cast<size_t>(-1)) return false;
    out.append(buffer.data(), buffer.size() - room);
    return true;
  }

 private:
  iconv_t cd_;
};

std::string Narrow(std::wstring_view text, CodePage codePage, bool* replaced) {
  std::string out;
  Converter converter(IconvName(codePage), "WCHAR_T");
  if (!converter.ok()) return out;
  for (wchar_t unit : text) {
    if (!converter.Append(reinterpret_cast<const char*>(&unit), sizeof unit, out)) {
      out += '?';
      if (replaced != nullptr) *replaced = true;
    }
  }
  return out;
}

}  // namespace

std::string NarrowFromWide(std::wstring_view text, CodePage codePage) { return Narrow(text, codePage, nullptr); }

std::optional<std::string> ExactNarrowFromWide(std::wstring_view text, CodePage codePage) {
  bool replaced = false;
  std::string narrow = Narrow(text, codePage, &replaced);
  if (replaced) return std::nullopt;
  return narrow;
}

std::wstring WideFromNarrow(std::string_view text, CodePage codePage) {
  std::wstring out;
  Converter converter("WCHAR_T", IconvName(codePage));
  if (!converter.ok()) return out;
  size_t at = 0;
  while (at < text.size()) {
    // The longest character of both code pages is 4 bytes.
    size_t length = 1;
    std::string wide;
    while (length <= 4 && at + length <= text.size() && !converter.Append(text.data() + at, length, wide)) ++length;
    if (length > 4 || at + length > text.size()) {
      out += L'\uFFFD';
      ++at;
      continue;
    }
    out.append(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t));
    at += length;
  }
  return out;
}

bool IsLeadByte(unsigned char byte, CodePage codePage) {
  if (codePage != kAnsiCodePage && codePage != 936) return false;
  return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace tamvelo
