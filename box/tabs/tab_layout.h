// Width of the game tab buttons laid side by side in the strip.
#pragma once

#include <optional>

namespace tamvelo::tabs {

// The width every button gets for tabCount buttons in a strip stripWidth
// pixels wide: tabWidth while they fit, else an equal share of the strip.
// Nothing (the layout is not applied) when there are no tabs or the share
// would fall below minTabWidth.
std::optional<int> TabButtonWidth(int stripWidth, int tabCount, int tabWidth, int minTabWidth);

}  // namespace tamvelo::tabs
