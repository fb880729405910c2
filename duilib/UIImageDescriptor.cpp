#include "duilib/UIImageDescriptor.h"

#include <cstring>

#include "duilib/UIColorValue.h"

namespace DuiLib {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

const char* SkipBlanks(const char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

// Exactly "l,t,r,b" with optional blanks, unlike the lenient ParseRectValue.
bool ParseRect(const std::string& text, RectValue& rc) {
  int32_t values[4];
  const char* p = text.c_str();
  for (int i = 0; i < 4; ++i) {
    p = SkipBlanks(p);
    char* end = nullptr;
    values[i] = ReadInt32(p, &end);
    if (end == p) return false;
    p = SkipBlanks(end);
    if (i < 3) {
      if (*p != ',') return false;
      ++p;
    }
  }
  if (*p) return false;
  rc = {values[0], values[1], values[2], values[3]};
  return true;
}

bool IsKeyChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Whether the text starts "key =" (blanks allowed), i.e. uses the keyed form.
bool LooksKeyed(const char* p) {
  p = SkipBlanks(p);
  if (!IsKeyChar(*p)) return false;
  while (IsKeyChar(*p)) ++p;
  return *SkipBlanks(p) == '=';
}

bool ParseKeyed(const char* p, ImageDescriptor& out) {
  while (*(p = SkipBlanks(p))) {
    const char* keyStart = p;
    while (IsKeyChar(*p)) ++p;
    const std::string key(keyStart, p);
    p = SkipBlanks(p);
    if (key.empty() || *p != '=') return false;
    p = SkipBlanks(p + 1);
    const char quote = *p;
    const char* close = (quote == '\'' || quote == '"') ? std::strchr(p + 1, quote) : nullptr;
    if (!close) return false;
    const std::string value(p + 1, close);
    p = close + 1;
    if (key == "file" || key == "res") {
      out.file = value;
    } else if (key == "source") {
      if (!ParseRect(value, out.source)) return false;
    } else if (key == "corner") {
      if (!ParseRect(value, out.corner)) return false;
    } else if (key == "dest") {
      if (!ParseRect(value, out.dest)) return false;
    } else if (key == "fade") {
      char* end = nullptr;
      const int32_t fade = ReadInt32(value.c_str(), &end);
      if (end == value.c_str() || *SkipBlanks(end) != '\0') return false;
      out.fade = static_cast<uint8_t>(fade < 0 ? 0 : fade > 255 ? 255 : fade);
    } else if (key == "hole") {
      out.hole = EqualsNoCase(value, "true");
    } else if (key == "xtiled") {
      out.xtiled = EqualsNoCase(value, "true");
    } else if (key == "ytiled") {
      out.ytiled = EqualsNoCase(value, "true");
    } else if (key == "mask") {
      out.mask = ParseColorValue(value.c_str());
    }
  }
  return true;
}

}  // namespace

bool ParseImageDescriptor(const char* attr, ImageDescriptor& out) {
  out = ImageDescriptor();
  if (!attr) return false;
  const char* p = SkipBlanks(attr);
  bool ok;
  if (LooksKeyed(p)) {
    ok = ParseKeyed(p, out);
  } else {
    // A bare path: the whole text, without surrounding blanks.
    out.file = p;
    while (!out.file.empty() && IsBlank(out.file.back())) out.file.pop_back();
    ok = true;
  }
  if (!ok || out.file.empty()) {
    out = ImageDescriptor();
    return false;
  }
  return true;
}

}  // namespace DuiLib
