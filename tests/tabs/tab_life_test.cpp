// A tab's life driven by hand, with no windows and no clock: which news
// counts, what the body shows and when the hung page comes and goes.
#include "box/tabs/tab_life.h"

#include <gtest/gtest.h>

namespace tamvelo::test {
using namespace tabs;  // the code under test
namespace {

TEST(TabLife, OnlyNewsOfTheCurrentStartCounts) {
  TabLife life;
  life.Launch(7);
  EXPECT_EQ(life.View(0), TabView::Starting);
  EXPECT_FALSE(life.End()) << "a start that ends is the start's outcome";
  EXPECT_FALSE(life.Join(6)) << "an earlier launch";
  EXPECT_FALSE(life.FailStart(8, StopReason::NotJoined));
  ASSERT_TRUE(life.Join(7));
  EXPECT_FALSE(life.Join(7)) << "once";
  EXPECT_FALSE(life.FailStart(7, StopReason::NotJoined)) << "too late: it joined";
  EXPECT_EQ(life.View(0), TabView::Game);
  ASSERT_TRUE(life.End());
  EXPECT_FALSE(life.End());
  EXPECT_EQ(life.stage(), TabStage::Stopped);
  EXPECT_EQ(life.reason(), StopReason::Ended);

  // Reopened: starting again, and the old launch's news is stale.
  life.Launch(9);
  EXPECT_EQ(life.reason(), StopReason::None);
  EXPECT_FALSE(life.Join(7));
  ASSERT_TRUE(life.FailStart(9, StopReason::NotStarted));
  EXPECT_EQ(life.View(0), TabView::Stopped);
  EXPECT_EQ(life.reason(), StopReason::NotStarted);
}

// The system reports a window hung after 5 s of silence; the page covers
// the game once it has been silent for 15 s, "等待" counts 15 s afresh from
// the click, and an answer uncovers it at once.
TEST(TabLife, TheHungPageFollowsTheSilence) {
  TabLife life;
  life.Launch(1);
  life.Join(1);
  const std::uint64_t reported = 100000;  // silent since 95000
  EXPECT_FALSE(life.Observe(false, reported - 1000));
  ASSERT_TRUE(life.Observe(true, reported));
  EXPECT_FALSE(life.Observe(true, reported + 1000)) << "no change of mark";
  EXPECT_TRUE(life.hung());
  struct Moment {
    std::uint64_t at;
    TabView view;
  };
  for (const Moment& m : {Moment{reported, TabView::Game}, Moment{reported + 9999, TabView::Game},
                          Moment{reported + 10000, TabView::Hung}}) {
    EXPECT_EQ(life.View(m.at), m.view) << m.at;
  }
  life.Wait(reported + 12000);
  EXPECT_EQ(life.View(reported + 12000), TabView::Game);
  EXPECT_EQ(life.View(reported + 26999), TabView::Game);
  EXPECT_EQ(life.View(reported + 27000), TabView::Hung);
  EXPECT_EQ(life.View(reported + 12000, 3000), TabView::Game) << "a shorter delay counts from the wait too";
  EXPECT_EQ(life.View(reported + 15000, 3000), TabView::Hung);

  ASSERT_TRUE(life.Observe(false, reported + 28000));
  EXPECT_FALSE(life.hung());
  EXPECT_EQ(life.View(reported + 28000), TabView::Game);
  // Silent again later: counted from the new report, not the old one.
  ASSERT_TRUE(life.Observe(true, reported + 60000));
  EXPECT_EQ(life.View(reported + 60000 + 9999), TabView::Game);
  EXPECT_EQ(life.View(reported + 60000 + 10000), TabView::Hung);
  // Neither a starting nor a stopped tab is ever hung.
  life.End();
  EXPECT_FALSE(life.hung());
  EXPECT_FALSE(life.Observe(true, reported + 90000));
  EXPECT_EQ(life.View(reported + 90000), TabView::Stopped);
}

TEST(TabLife, LaunchIdsAreFreshAndNeverZero) {
  const std::uint32_t first = NextLaunchId();
  EXPECT_NE(first, 0u);
  EXPECT_NE(NextLaunchId(), first);
}

}  // namespace
}  // namespace tamvelo::test
