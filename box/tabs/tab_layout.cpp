#include "box/tabs/tab_layout.h"

namespace tamvelo::tabs {

std::optional<int> TabButtonWidth(int stripWidth, int tabCount, int tabWidth, int minTabWidth) {
  if (tabCount <= 0) return std::nullopt;
  const int share = stripWidth / tabCount;
  if (share < minTabWidth) return std::nullopt;
  return tabCount * tabWidth > stripWidth ? share : tabWidth;
}

}  // namespace tamvelo::tabs
