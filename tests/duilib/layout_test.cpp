// Layout geometry without a window: stacking, flexible sharing, padding,
// inset, child padding, limits, floating children and tab pages.
#include <gtest/gtest.h>

#include "duilib/UIlib.h"

namespace tamvelo::test {

using namespace DuiLib;

namespace {

RECT R(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

::testing::AssertionResult At(CControlUI* c, RECT expected) {
  const RECT& rc = c->GetPos();
  if (EqualRect(&rc, &expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at (" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom
                                       << ") instead of (" << expected.left << "," << expected.top << ","
                                       << expected.right << "," << expected.bottom << ")";
}

CControlUI* Child(CContainerUI& parent, const char* attributes) {
  auto* c = new CControlUI;
  c->ApplyAttributeList(attributes);
  parent.Add(c);
  return c;
}

}  // namespace

TEST(Layout, VerticalStacksFixedAndSharesTheRest) {
  CVerticalLayoutUI v;
  v.ApplyAttributeList("inset=\"10,5,10,5\" childpadding=\"4\"");
  CControlUI* top = Child(v, "height=\"30\"");
  CControlUI* flex1 = Child(v, "");
  CControlUI* fixedWidth = Child(v, "height=\"20\" width=\"50\" padding=\"6,2,0,3\"");
  CControlUI* flex2 = Child(v, "");
  v.SetPos(R(0, 0, 200, 211));
  // Inner 180 x 201; taken: 30 + 20 + 2 + 3 + 3 gaps of 4 = 67; 134 shared.
  EXPECT_TRUE(At(top, R(10, 5, 190, 35)));
  EXPECT_TRUE(At(flex1, R(10, 39, 190, 106)));
  EXPECT_TRUE(At(fixedWidth, R(16, 112, 66, 132)));
  EXPECT_TRUE(At(flex2, R(10, 139, 190, 206)));
}

TEST(Layout, FlexibleRoundingGoesToTheLastAndLimitsHold) {
  CHorizontalLayoutUI h;
  CControlUI* a = Child(h, "");
  CControlUI* b = Child(h, "maxwidth=\"20\"");
  CControlUI* c = Child(h, "");
  CControlUI* d = Child(h, "width=\"10\" minwidth=\"40\"");
  h.SetPos(R(0, 0, 141, 30));
  // 141 - 40 = 101 shared by three: 33, 33 (capped to 20), 35.
  EXPECT_TRUE(At(a, R(0, 0, 33, 30)));
  EXPECT_TRUE(At(b, R(33, 0, 53, 30)));
  EXPECT_TRUE(At(c, R(53, 0, 88, 30)));
  EXPECT_TRUE(At(d, R(88, 0, 128, 30)));
}

TEST(Layout, HiddenChildrenTakeNoRoomAndOverfullLayoutsDoNotGoNegative) {
  CHorizontalLayoutUI h;
  CControlUI* a = Child(h, "width=\"50\"");
  CControlUI* hidden = Child(h, "width=\"50\" visible=\"false\"");
  CControlUI* flex = Child(h, "");
  h.SetPos(R(0, 0, 40, 10));
  EXPECT_TRUE(At(a, R(0, 0, 50, 10)));
  EXPECT_FALSE(hidden->IsVisible());
  EXPECT_EQ(flex->GetWidth(), 0);
  EXPECT_GE(flex->GetPos().left, 0);
}

TEST(Layout, FloatingChildrenSitAtTheirPosFromTheParentCorner) {
  CVerticalLayoutUI v;
  CControlUI* normal = Child(v, "height=\"40\"");
  CControlUI* floating = Child(v, "float=\"true\" pos=\"15,20,65,40\"");
  CControlUI* fromRight = Child(v, "float=\"true\" pos=\"-30,5,-10,25\"");
  v.SetPos(R(100, 50, 300, 250));
  EXPECT_TRUE(At(normal, R(100, 50, 300, 90))) << "floating children take no room";
  EXPECT_TRUE(At(floating, R(115, 70, 165, 90)));
  EXPECT_TRUE(At(fromRight, R(270, 55, 290, 75)));
}

TEST(Layout, PlainContainerGivesEachChildTheInnerRect) {
  CContainerUI box;
  box.SetInset(R(2, 3, 4, 5));
  CControlUI* fill = Child(box, "padding=\"1,1,1,1\"");
  CControlUI* fixed = Child(box, "width=\"10\" height=\"8\"");
  box.SetPos(R(0, 0, 100, 50));
  EXPECT_TRUE(At(fill, R(3, 4, 95, 44)));
  EXPECT_TRUE(At(fixed, R(2, 3, 12, 11)));
}

TEST(Layout, TabLayoutShowsOnePage) {
  CTabLayoutUI tabs;
  CControlUI* p0 = Child(tabs, "");
  CControlUI* p1 = Child(tabs, "userdata=\"games\"");
  CControlUI* p2 = Child(tabs, "");
  EXPECT_EQ(tabs.GetCurSel(), 0);
  EXPECT_TRUE(p0->IsVisible());
  EXPECT_FALSE(p1->IsVisible());
  tabs.SetPos(R(0, 0, 80, 60));
  EXPECT_TRUE(At(p0, R(0, 0, 80, 60)));

  EXPECT_TRUE(tabs.SelectItem(p1));
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_FALSE(p0->IsVisible());
  EXPECT_TRUE(p1->IsVisible());
  tabs.SetPos(R(0, 0, 80, 60));
  EXPECT_TRUE(At(p1, R(0, 0, 80, 60)));

  EXPECT_FALSE(tabs.SelectItem(3));
  EXPECT_FALSE(tabs.SelectItem(-1));
  CControlUI stranger;
  EXPECT_FALSE(tabs.SelectItem(&stranger));
  EXPECT_EQ(tabs.GetCurSel(), 1);

  // Removing the shown page shows the one that takes its place.
  EXPECT_TRUE(tabs.Remove(p1));
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_TRUE(p2->IsVisible());
  EXPECT_TRUE(tabs.Remove(p0));
  EXPECT_EQ(tabs.GetCurSel(), 0);
  tabs.RemoveAll();
  EXPECT_EQ(tabs.GetCurSel(), -1);
}

TEST(Layout, HidingAContainerHidesItsChildrenUntilShownAgain) {
  CVerticalLayoutUI outer;
  auto* inner = new CHorizontalLayoutUI;
  outer.Add(inner);
  CControlUI* leaf = Child(*inner, "");
  CControlUI* ownHidden = Child(*inner, "visible=\"false\"");
  outer.SetVisible(false);
  EXPECT_FALSE(leaf->IsVisible());
  outer.SetVisible(true);
  EXPECT_TRUE(leaf->IsVisible());
  EXPECT_FALSE(ownHidden->IsVisible()) << "its own flag stays";
  // A child added to a hidden container starts hidden.
  inner->SetVisible(false);
  CControlUI* late = Child(*inner, "");
  EXPECT_FALSE(late->IsVisible());
}

TEST(Layout, ContainerOwnershipAndIndexes) {
  CContainerUI box;
  auto* a = new CControlUI;
  auto* b = new CControlUI;
  EXPECT_FALSE(box.Add(nullptr));
  EXPECT_TRUE(box.Add(a));
  EXPECT_FALSE(box.Add(a)) << "already there";
  EXPECT_FALSE(box.AddAt(b, 5));
  EXPECT_TRUE(box.AddAt(b, 0));
  EXPECT_EQ(box.GetItemAt(0), b);
  EXPECT_EQ(box.GetItemIndex(a), 1);
  EXPECT_EQ(box.GetItemAt(2), nullptr);
  EXPECT_EQ(a->GetParent(), &box);
  EXPECT_TRUE(box.Remove(b, true));  // handed back
  EXPECT_EQ(b->GetParent(), nullptr);
  delete b;
  EXPECT_FALSE(box.RemoveAt(7));
  EXPECT_EQ(box.GetCount(), 1);
}

}  // namespace tamvelo::test
