#include "duilib/UIAttribute.h"

#include <stdlib.h>
#include <string.h>

#include <string>

namespace DuiLib {
namespace {

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
  return p;
}

// Reads the next comma-separated integer; leaves p after the comma.
long NextNumber(const char*& p) {
  p = SkipBlanks(p);
  char* end = nullptr;
  const long v = strtol(p, &end, 10);
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

bool ParseBool(const char* value) {
  if (value == nullptr) return false;
  value = SkipBlanks(value);
  if (_strnicmp(value, "true", 4) == 0) return true;
  return strtol(value, nullptr, 10) != 0;
}

int ParseInt(const char* value) {
  return value ? static_cast<int>(strtol(SkipBlanks(value), nullptr, 10)) : 0;
}

RECT ParseRect(const char* value) {
  RECT rc = {0, 0, 0, 0};
  if (value == nullptr) return rc;
  const char* p = value;
  rc.left = NextNumber(p);
  rc.top = NextNumber(p);
  rc.right = NextNumber(p);
  rc.bottom = NextNumber(p);
  return rc;
}

SIZE ParseSize(const char* value) {
  SIZE sz = {0, 0};
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
