#include "box/tabs/tab_layout.h"

#include <gtest/gtest.h>

namespace tamvelo::test {
using namespace tabs;  // the code under test
namespace {

TEST(TabButtonWidth, ShrinksAsTabsAreAddedAndStopsBelowTheMinimum) {
  const int strip = 600, tab = 150, min = 40;
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(TabButtonWidth(strip, n, tab, min), 150) << n;
  EXPECT_EQ(TabButtonWidth(strip, 5, tab, min), 120);
  EXPECT_EQ(TabButtonWidth(strip, 7, tab, min), 85);  // 5 pixels stay empty on the right
  EXPECT_EQ(TabButtonWidth(strip, 15, tab, min), 40);
  EXPECT_EQ(TabButtonWidth(strip, 16, tab, min), std::nullopt);  // 37 < 40: not applied
  EXPECT_EQ(TabButtonWidth(strip, 0, tab, min), std::nullopt);
}

TEST(TabButtonWidth, DegenerateStrips) {
  EXPECT_EQ(TabButtonWidth(0, 1, 150, 40), std::nullopt);
  EXPECT_EQ(TabButtonWidth(150, 1, 150, 40), 150);
  EXPECT_EQ(TabButtonWidth(149, 1, 150, 40), 149);
  EXPECT_EQ(TabButtonWidth(100, 3, 150, 0), 33);
}

}  // namespace
}  // namespace tamvelo::test
