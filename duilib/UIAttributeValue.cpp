#include "duilib/UIAttributeValue.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace DuiLib {
namespace {

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
  return p;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Reads the next comma-separated integer; leaves p after the comma.
int32_t NextNumber(const char*& p) {
  p = SkipBlanks(p);
  char* end = nullptr;
  const int32_t v = ReadInt32(p, &end);
  p = SkipBlanks(end);
  if (*p == ',') ++p;
  else if (end == p && *p != '\0') {
    // Not a number: skip to the next part so later ones still parse.
    while (*p != '\0' && *p != ',') ++p;
    if (*p == ',') ++p;
  }
  return v;
}

}  // namespace

int32_t ReadInt32(const char* text, char** end) {
  const long long v = std::strtoll(text, end, 10);
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool ParseBool(const char* value) {
  if (value == nullptr) return false;
  value = SkipBlanks(value);
  if (EqualsNoCase(std::string_view(value).substr(0, 4), "true")) return true;
  return ReadInt32(value, nullptr) != 0;
}

int ParseInt(const char* value) { return value ? ReadInt32(SkipBlanks(value), nullptr) : 0; }

RectValue ParseRectValue(const char* value) {
  RectValue rc;
  if (value == nullptr) return rc;
  const char* p = value;
  rc.left = NextNumber(p);
  rc.top = NextNumber(p);
  rc.right = NextNumber(p);
  rc.bottom = NextNumber(p);
  return rc;
}

SizeValue ParseSizeValue(const char* value) {
  SizeValue sz;
  if (value == nullptr) return sz;
  const char* p = value;
  sz.cx = NextNumber(p);
  sz.cy = NextNumber(p);
  return sz;
}

bool ParseAttributeList(const char* list,
                        const std::function<void(const char* name, const char* value)>& onPair) {
  if (list == nullptr) return true;
  const char* p = SkipBlanks(list);
  std::string name, value;
  while (*p != '\0') {
    const char* nameStart = p;
    while (*p != '\0' && *p != '=' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') ++p;
    name.assign(nameStart, p);
    p = SkipBlanks(p);
    if (name.empty() || *p != '=') return false;
    p = SkipBlanks(p + 1);
    const char quote = *p;
    if (quote != '"' && quote != '\'') return false;
    const char* valueStart = ++p;
    while (*p != '\0' && *p != quote) ++p;
    if (*p != quote) return false;
    value.assign(valueStart, p);
    onPair(name.c_str(), value.c_str());
    p = SkipBlanks(p + 1);
  }
  return true;
}

}  // namespace DuiLib
