// The stacking shared by the vertical and horizontal layouts, written for
// one axis: "main" is the stacking direction, "cross" the other one.
#pragma once

#include <vector>

#include "duilib/UIControl.h"

namespace DuiLib {

// Lays out the non-floating visible items inside inner; floating ones are
// left to the caller. vertical selects the axis.
void StackChildren(const std::vector<CControlUI*>& items, const RECT& inner, int childPadding,
                   bool vertical);

}  // namespace DuiLib
