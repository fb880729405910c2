// Parsing of attribute values of the skin syntax, on plain types: the
// portable core under UIAttribute.h's Windows-typed wrappers.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace DuiLib {

struct RectValue {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct SizeValue {
  int32_t cx = 0;
  int32_t cy = 0;
};

// Whether two texts are equal when ASCII letters are compared without case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// strtol's reading of a decimal number (end: where it stopped), clamped to
// 32 bits as on Windows, where long has 32.
int32_t ReadInt32(const char* text, char** end);

// "true" in any letter case, or a non-zero number.
bool ParseBool(const char* value);
// Leading decimal digits with an optional sign; 0 when there are none.
// Numbers beyond 32 bits are clamped, as the platform's strtol does.
int ParseInt(const char* value);
// "l,t,r,b" with optional blanks; missing parts are 0.
RectValue ParseRectValue(const char* value);
// "cx,cy"; a missing part is 0.
SizeValue ParseSizeValue(const char* value);

// Splits name="value" pairs separated by blanks (either quote character, the
// closing quote being the opening one; blanks allowed around '='). Stops at
// the first malformed pair and returns false; pairs before it were reported.
bool ParseAttributeList(const char* list, const std::function<void(const char* name, const char* value)>& onPair);

}  // namespace DuiLib
