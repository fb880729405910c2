// One attribute value of a skin file: the first byte chooses the parser
// (boolean, integer, rect, size, attribute list, colour, image), the rest is
// the value up to the first NUL.
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "duilib/UIAttributeValue.h"
#include "duilib/UIColorValue.h"
#include "duilib/UIImageDescriptor.h"

namespace {

using namespace DuiLib;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Same(const RectValue& a, const RectValue& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Written(const RectValue& rc) {
  char text[64];
  std::snprintf(text, sizeof text, "%" PRId32 ",%" PRId32 ",%" PRId32 ",%" PRId32, rc.left, rc.top, rc.right,
                rc.bottom);
  return text;
}

std::string Hex(const char* format, uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// A quote that does not occur in the text, or 0 when both do.
char QuoteFor(const std::string& text) {
  if (text.find('"') == std::string::npos) return '"';
  if (text.find('\'') == std::string::npos) return '\'';
  return 0;
}

void CheckBool(const char* text) {
  const bool value = ParseBool(text);
  Check(ParseBool(value ? "true" : "false") == value);
}

void CheckInt(const char* text) {
  const int value = ParseInt(text);
  Check(ParseInt(std::to_string(value).c_str()) == value);
}

void CheckRect(const char* text) {
  const RectValue rc = ParseRectValue(text);
  Check(Same(ParseRectValue(Written(rc).c_str()), rc));
}

void CheckSize(const char* text) {
  const SizeValue sz = ParseSizeValue(text);
  const std::string written = std::to_string(sz.cx) + "," + std::to_string(sz.cy);
  const SizeValue again = ParseSizeValue(written.c_str());
  Check(again.cx == sz.cx && again.cy == sz.cy);
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

bool ParsePairs(const char* list, Pairs& pairs) {
  return ParseAttributeList(list, [&pairs](const char* name, const char* value) { pairs.emplace_back(name, value); });
}

// The pairs read (before any broken one) written again read back the same.
void CheckList(const char* text) {
  Pairs pairs;
  ParsePairs(text, pairs);
  std::string written;
  for (const auto& [name, value] : pairs) {
    Check(!name.empty());
    const char quote = QuoteFor(value);
    Check(quote != 0);  // a value ends at its own quote
    written += name + "=" + quote + value + quote + " ";
  }
  Pairs again;
  Check(ParsePairs(written.c_str(), again));
  Check(again == pairs);
}

void CheckColor(const std::string& text) {
  const uint32_t color = ParseColorValue(text.c_str());
  for (const char* format : {"#%08X", "0x%08x", "%08X"}) Check(ParseColorValue(Hex(format, color).c_str()) == color);
  // "#" is optional: for a text that starts with a digit, not "0x".
  const bool hasPrefix = !text.empty() && (text[0] == '#' || text[0] == ' ' || text[0] == '\t' ||
                                           (text[0] == '0' && text.size() > 1 && (text[1] == 'x' || text[1] == 'X')));
  if (!hasPrefix) Check(ParseColorValue(("#" + text).c_str()) == color);
}

bool Same(const ImageDescriptor& a, const ImageDescriptor& b) {
  return a.file == b.file && Same(a.dest, b.dest) && Same(a.source, b.source) && Same(a.corner, b.corner) &&
         a.fade == b.fade && a.hole == b.hole && a.xtiled == b.xtiled && a.ytiled == b.ytiled && a.mask == b.mask;
}

void CheckImage(const char* text) {
  ImageDescriptor image;
  if (!ParseImageDescriptor(text, image)) {
    Check(Same(image, ImageDescriptor()));
    return;
  }
  Check(!image.file.empty());
  const char quote = QuoteFor(image.file);
  if (quote == 0) return;  // a bare path may hold both quotes
  auto flag = [](bool on) { return on ? "'true'" : "'FALSE'"; };
  std::string written = std::string("file=") + quote + image.file + quote + " dest='" + Written(image.dest) +
                        "' source = '" + Written(image.source) + "' corner=\"" + Written(image.corner) +
                        "\" fade='" + std::to_string(image.fade) + "' hole=" + flag(image.hole) +
                        " xtiled=" + flag(image.xtiled) + " ytiled=" + flag(image.ytiled);
  if (image.mask != 0) written += " mask='" + Hex("#%08X", image.mask) + "'";
  ImageDescriptor again;
  Check(ParseImageDescriptor(written.c_str(), again));
  Check(Same(again, image));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string value(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string text = value.c_str();  // what a C string caller sees
  switch (data[0] % 7) {
    case 0: CheckBool(text.c_str()); break;
    case 1: CheckInt(text.c_str()); break;
    case 2: CheckRect(text.c_str()); break;
    case 3: CheckSize(text.c_str()); break;
    case 4: CheckList(text.c_str()); break;
    case 5: CheckColor(text); break;
    default: CheckImage(text.c_str()); break;
  }
  return 0;
}
