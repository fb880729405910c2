// Parsing of attribute values of the skin syntax, shared by the controls, the
// window's <Window> element and the builder.
#pragma once

#include <windows.h>

#include <functional>

namespace DuiLib {

// "true" in any letter case, or a non-zero number.
bool ParseBool(const char* value);
// Leading decimal digits with an optional sign; 0 when there are none.
int ParseInt(const char* value);
// "l,t,r,b" with optional blanks; missing parts are 0.
RECT ParseRect(const char* value);
// "cx,cy"; a missing part is 0.
SIZE ParseSize(const char* value);

// Splits name="value" pairs separated by blanks (either quote character, the
// closing quote being the opening one; blanks allowed around '='). Stops at
// the first malformed pair and returns false; pairs before it were reported.
bool ParseAttributeList(const char* list, const std::function<void(const char* name, const char* value)>& onPair);

}  // namespace DuiLib
