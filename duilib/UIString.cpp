#include "duilib/UIString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/text_codec.h"

namespace DuiLib {
namespace {

const char* OrEmpty(const char* s) { return s ? s : ""; }

// Applies `change` to each single-byte character; double-byte characters
// (lead byte + trail byte) are kept as they are, since trail bytes of code
// page 936 can look like ASCII letters.
template <typename Change>
void ForEachSingleByte(std::string& text, Change change) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (tamvelo::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    text[i] = change(text[i]);
  }
}

char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

void LowerAsciiAnsi(std::string& text) { ForEachSingleByte(text, ToLowerAscii); }

std::string Utf8ToAnsi(const std::string& utf8) {
  bool ascii = true;
  for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return utf8;
  const std::wstring wide = tamvelo::WideFromNarrow(utf8, tamvelo::kUtf8CodePage);
  if (wide.empty()) return utf8;
  std::string ansi = tamvelo::NarrowFromWide(wide);
  if (ansi.empty()) return utf8;
  return ansi;
}

CDuiString::CDuiString(const char* s, int len) { Assign(s, len); }

CDuiString::CDuiString(char c) : text_(1, c) {}

char CDuiString::GetAt(int index) const {
  return (index >= 0 && index < GetLength()) ? text_[index] : '\0';
}

void CDuiString::SetAt(int index, char c) {
  if (index >= 0 && index < GetLength()) text_[index] = c;
}

void CDuiString::Append(const char* s) { text_ += OrEmpty(s); }

void CDuiString::Assign(const char* s, int len) {
  if (!s) {
    text_.clear();
    return;
  }
  if (len < 0) {
    text_.assign(s);
  } else {
    // Stop at an earlier terminator, as the platform's strings do.
    const void* nul = std::memchr(s, 0, static_cast<size_t>(len));
    text_.assign(s, nul ? static_cast<const char*>(nul) - s : len);
  }
}

CDuiString& CDuiString::operator=(const char* s) {
  Assign(s);
  return *this;
}

CDuiString& CDuiString::operator=(char c) {
  text_.assign(1, c);
  return *this;
}

CDuiString& CDuiString::operator+=(const CDuiString& s) {
  text_ += s.text_;
  return *this;
}

CDuiString& CDuiString::operator+=(const char* s) {
  Append(s);
  return *this;
}

CDuiString& CDuiString::operator+=(char c) {
  text_ += c;
  return *this;
}

int CDuiString::Compare(const char* s) const { return std::strcmp(text_.c_str(), OrEmpty(s)); }

int CDuiString::CompareNoCase(const char* s) const {
  std::string a = text_;
  std::string b = OrEmpty(s);
  LowerAsciiAnsi(a);
  LowerAsciiAnsi(b);
  return std::strcmp(a.c_str(), b.c_str());
}

void CDuiString::MakeUpper() { ForEachSingleByte(text_, ToUpperAscii); }

void CDuiString::MakeLower() { ForEachSingleByte(text_, ToLowerAscii); }

CDuiString CDuiString::Left(int len) const { return len <= 0 ? CDuiString() : Mid(0, len); }

CDuiString CDuiString::Mid(int pos, int len) const {
  if (pos < 0) pos = 0;
  if (pos >= GetLength()) return CDuiString();
  const int available = GetLength() - pos;
  if (len < 0 || len > available) len = available;
  CDuiString result;
  result.text_.assign(text_, pos, len);
  return result;
}

CDuiString CDuiString::Right(int len) const {
  if (len <= 0) return CDuiString();
  if (len > GetLength()) len = GetLength();
  return Mid(GetLength() - len, len);
}

int CDuiString::Find(char c, int pos) const {
  if (pos < 0) pos = 0;
  for (int i = 0; i < GetLength(); ++i) {
    if (tamvelo::IsLeadByte(static_cast<unsigned char>(text_[i])) && i + 1 < GetLength()) {
      ++i;
      continue;
    }
    if (i >= pos && text_[i] == c) return i;
  }
  return -1;
}

int CDuiString::Find(const char* s, int pos) const {
  if (!s || pos < 0 || pos > GetLength()) return -1;
  const size_t at = text_.find(s, static_cast<size_t>(pos));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CDuiString::ReverseFind(char c) const {
  int last = -1;
  for (int at = Find(c); at >= 0; at = Find(c, at + 1)) last = at;
  return last;
}

int CDuiString::Replace(const char* from, const char* to) {
  if (!from || !*from) return 0;
  const size_t fromLen = std::strlen(from);
  const std::string replacement = OrEmpty(to);
  std::string result;
  int count = 0;
  size_t start = 0;
  for (size_t at = text_.find(from); at != std::string::npos; at = text_.find(from, start)) {
    result.append(text_, start, at - start);
    result += replacement;
    start = at + fromLen;
    ++count;
  }
  if (count == 0) return 0;
  result.append(text_, start, std::string::npos);
  text_.swap(result);
  return count;
}

int CDuiString::Format(const char* fmt, ...) {
  text_.clear();
  if (!fmt) return 0;
  va_list args;
  va_start(args, fmt);
  va_list measure;
  va_copy(measure, args);
  const int needed = std::vsnprintf(nullptr, 0, fmt, measure);
  va_end(measure);
  if (needed > 0) {
    text_.resize(static_cast<size_t>(needed) + 1);
    std::vsnprintf(&text_[0], text_.size(), fmt, args);
    text_.resize(static_cast<size_t>(needed));
  }
  va_end(args);
  return needed < 0 ? -1 : needed;
}

CDuiString operator+(const CDuiString& a, const CDuiString& b) {
  CDuiString r(a);
  r += b;
  return r;
}

CDuiString operator+(const CDuiString& a, const char* b) {
  CDuiString r(a);
  r += b;
  return r;
}

CDuiString operator+(const char* a, const CDuiString& b) {
  CDuiString r(a);
  r += b;
  return r;
}

bool operator==(const CDuiString& a, const CDuiString& b) { return a.str() == b.str(); }
bool operator==(const CDuiString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CDuiString& b) { return b.Compare(a) == 0; }
bool operator!=(const CDuiString& a, const CDuiString& b) { return !(a == b); }
bool operator!=(const CDuiString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CDuiString& b) { return !(a == b); }
bool operator<(const CDuiString& a, const CDuiString& b) { return a.Compare(b) < 0; }
bool operator<(const CDuiString& a, const char* b) { return a.Compare(b) < 0; }
bool operator<=(const CDuiString& a, const CDuiString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CDuiString& a, const char* b) { return a.Compare(b) <= 0; }
bool operator>(const CDuiString& a, const CDuiString& b) { return a.Compare(b) > 0; }
bool operator>(const CDuiString& a, const char* b) { return a.Compare(b) > 0; }
bool operator>=(const CDuiString& a, const CDuiString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CDuiString& a, const char* b) { return a.Compare(b) >= 0; }

}  // namespace DuiLib
