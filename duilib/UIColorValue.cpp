#include "duilib/UIColorValue.h"

namespace DuiLib {

uint32_t ParseColorValue(const char* text) {
  if (!text) return 0;
  while (*text == ' ' || *text == '\t') ++text;
  if (*text == '#') {
    ++text;
  } else if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text += 2;
  }
  uint32_t value = 0;
  int digits = 0;
  for (; *text && *text != ' ' && *text != '\t'; ++text, ++digits) {
    const char c = *text;
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return 0;
    if (digits == 8) return 0;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  while (*text == ' ' || *text == '\t') ++text;
  if (*text) return 0;
  if (digits == 8) return value;
  if (digits == 6) return 0xFF000000 | value;
  return 0;
}

}  // namespace DuiLib
