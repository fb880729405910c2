// Parsing of attribute values of the skin syntax, shared by the controls, the
// window's <Window> element and the builder: the portable parsers of
// UIAttributeValue.h, with the rectangle and size in the platform's types.
#pragma once

#include <windows.h>

#include "duilib/UIAttributeValue.h"

namespace DuiLib {

inline RECT ParseRect(const char* value) {
  const RectValue rc = ParseRectValue(value);
  return RECT{rc.left, rc.top, rc.right, rc.bottom};
}

inline SIZE ParseSize(const char* value) {
  const SizeValue sz = ParseSizeValue(value);
  return SIZE{sz.cx, sz.cy};
}

}  // namespace DuiLib
