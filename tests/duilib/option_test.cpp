// Option groups and check boxes in a window: one selected per group,
// "selectchanged" only on a real change, clicks select or toggle.
#include <gtest/gtest.h>

#include "tests/duilib/skin_fixture.h"

namespace tamvelo::test {

using namespace DuiLib;

namespace {

const char kSkin[] = u8R"(<Window size="400,100">
  <HorizontalLayout>
    <Option name="home" group="tabs" width="50" selected="true"/>
    <Option name="game" group="tabs" width="50" selected="true"/>
    <Option name="other" group="tabs" width="50"/>
    <Option name="solo" width="50"/>
    <CheckBox name="chk" width="50"/>
    <Option name="elsewhere" group="second" width="50" selected="true"/>
  </HorizontalLayout>
</Window>)";

struct Options : testing::Test {
  void SetUp() override {
    skin.Write("xml\\options.xml", kSkin);
    hWnd = wnd.CreateTest();
    ASSERT_NE(hWnd, nullptr);
    home = wnd.FindAs<COptionUI>("home");
    game = wnd.FindAs<COptionUI>("game");
    other = wnd.FindAs<COptionUI>("other");
    ASSERT_TRUE(home && game && other);
    wnd.notifications.clear();
  }
  void TearDown() override { wnd.Destroy(); }
  SkinFolder skin;
  TestWindow wnd{"xml//options.xml"};
  HWND hWnd = nullptr;
  COptionUI *home = nullptr, *game = nullptr, *other = nullptr;
};

}  // namespace

TEST_F(Options, TheLastSelectedOfAGroupInTheSkinWins) {
  EXPECT_FALSE(home->IsSelected());
  EXPECT_TRUE(game->IsSelected());
  EXPECT_TRUE(wnd.FindAs<COptionUI>("elsewhere")->IsSelected()) << "groups are separate";
}

TEST_F(Options, SelectingOneClearsTheOthersAndNotifiesOnce) {
  home->Selected(true);
  EXPECT_TRUE(home->IsSelected());
  EXPECT_FALSE(game->IsSelected());
  EXPECT_FALSE(other->IsSelected());
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_SELECTCHANGED), 1);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_SELECTCHANGED, "home"), 1);
  home->Selected(true);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_SELECTCHANGED), 1) << "no change, no notification";
  other->Selected(true, false);
  EXPECT_TRUE(other->IsSelected());
  EXPECT_FALSE(home->IsSelected());
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_SELECTCHANGED), 1) << "asked for silence";
}

TEST_F(Options, ClickingSelectsGroupedOptionsAndTogglesTheOthers) {
  tamvelo::test::Click(hWnd, 125, 50);  // "other"
  EXPECT_TRUE(other->IsSelected());
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK, "other"), 1);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_SELECTCHANGED, "other"), 1);
  tamvelo::test::Click(hWnd, 125, 50);
  EXPECT_TRUE(other->IsSelected()) << "a grouped option is not unselected by a click";
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_SELECTCHANGED), 1);

  auto* chk = wnd.FindAs<CCheckBoxUI>("chk");
  tamvelo::test::Click(hWnd, 225, 50);
  EXPECT_TRUE(chk->GetCheck());
  tamvelo::test::Click(hWnd, 225, 50);
  EXPECT_FALSE(chk->GetCheck());
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_SELECTCHANGED, "chk"), 2);
  chk->SetCheck(true, false);
  EXPECT_TRUE(chk->GetCheck());
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_SELECTCHANGED, "chk"), 2);
}

TEST_F(Options, AnOptionAddedLaterJoinsItsGroupAndARemovedOneLeavesIt) {
  auto* added = new COptionUI;
  added->ApplyAttributeList("name=\"added\" group=\"tabs\" selected=\"true\" width=\"20\"");
  auto* row = static_cast<CContainerUI*>(wnd.Find("home")->GetParent());
  ASSERT_TRUE(row->Add(added));
  EXPECT_TRUE(added->IsSelected());
  EXPECT_FALSE(game->IsSelected());
  ASSERT_TRUE(row->Remove(added));
  tamvelo::test::PumpToolkit();
  home->Selected(true);
  EXPECT_EQ(wnd.pm().GetOptionGroup("tabs")->size(), 3u);
  // Changing the group moves the option.
  other->SetGroup("second");
  EXPECT_EQ(wnd.pm().GetOptionGroup("tabs")->size(), 2u);
  other->Selected(true);
  EXPECT_TRUE(home->IsSelected());
  EXPECT_FALSE(wnd.FindAs<COptionUI>("elsewhere")->IsSelected());
}

}  // namespace tamvelo::test
