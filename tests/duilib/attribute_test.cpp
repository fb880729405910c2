// Attribute lists and the attribute values of the skin dialect.
#include <gtest/gtest.h>

#include "duilib/UIlib.h"

namespace tamvelo::test {

using namespace DuiLib;

TEST(Attributes, ListsTolerateBlanksAndStopAtTheFirstBrokenPair) {
  CLabelUI label;
  label.ApplyAttributeList("  name = 'a b'\ttext=\"x=\\\"y\\\"\"  ");
  EXPECT_STREQ(label.GetName(), "a b");
  label.ApplyAttributeList("width=\"10\" height=20 text=\"never\"");
  EXPECT_EQ(label.GetFixedWidth(), 10);
  EXPECT_EQ(label.GetFixedHeight(), 0);
  EXPECT_STRNE(label.GetText(), "never");
  label.ApplyAttributeList("text=\"unterminated");
  label.ApplyAttributeList(nullptr);
  label.ApplyAttributeList("=\"x\"");
  label.ApplyAttributeList("unknownattribute=\"1\" tooltip=\"still\"");
  EXPECT_STREQ(label.GetToolTip(), "still");
}

TEST(Attributes, ColoursInEveryWrittenForm) {
  CControlUI c;
  c.SetAttribute("bkcolor", "#FF102030");
  EXPECT_EQ(c.GetBkColor(), 0xFF102030u);
  c.SetAttribute("bkcolor", "0xFF405060");
  EXPECT_EQ(c.GetBkColor(), 0xFF405060u);
  c.SetAttribute("bkcolor", "FF708090");
  EXPECT_EQ(c.GetBkColor(), 0xFF708090u);
  c.SetAttribute("bordercolor", "#80FFFFFF");
  EXPECT_EQ(c.GetBorderColor(), 0x80FFFFFFu);
}

TEST(Attributes, TextAlignmentAndFonts) {
  CLabelUI label;
  EXPECT_EQ(label.GetTextStyle() & (DT_SINGLELINE | DT_VCENTER), static_cast<UINT>(DT_SINGLELINE | DT_VCENTER));
  label.ApplyAttributeList("align=\"right\" valign=\"bottom\" font=\"2\" textpadding=\"1,2,3,4\" endellipsis=\"true\"");
  EXPECT_NE(label.GetTextStyle() & DT_RIGHT, 0u);
  EXPECT_NE(label.GetTextStyle() & DT_BOTTOM, 0u);
  EXPECT_EQ(label.GetTextStyle() & DT_VCENTER, 0u);
  EXPECT_NE(label.GetTextStyle() & DT_END_ELLIPSIS, 0u);
  EXPECT_EQ(label.GetFont(), 2);
  EXPECT_EQ(label.GetTextPadding().bottom, 4);
  label.SetAttribute("align", "vcenter");
  EXPECT_EQ(label.GetTextStyle() & DT_CENTER, 0u) << "vcenter is not center";
  label.SetAttribute("align", "center");
  EXPECT_NE(label.GetTextStyle() & DT_CENTER, 0u);
  EXPECT_EQ(label.GetTextStyle() & DT_RIGHT, 0u);
}

TEST(Attributes, StateAndDataAttributes) {
  CButtonUI b;
  b.ApplyAttributeList(
      "visible=\"false\" enabled=\"false\" mouse=\"false\" userdata=\"page2\" tooltip=\"提示\" "
      "bkimage=\"file = 'skin/Default/mainbg.png' fade='255'\" disabledimage=\"d.png\" minwidth=\"5\" maxwidth=\"9\"");
  EXPECT_FALSE(b.IsVisible());
  EXPECT_FALSE(b.IsEnabled());
  EXPECT_NE(b.GetButtonState() & UISTATE_DISABLED, 0u);
  EXPECT_FALSE(b.IsMouseEnabled());
  EXPECT_STREQ(b.GetUserData(), "page2");
  EXPECT_STREQ(b.GetToolTip(), "提示");
  EXPECT_STREQ(b.GetBkImage(), "file = 'skin/Default/mainbg.png' fade='255'");
  EXPECT_STREQ(b.GetDisabledImage(), "d.png");
  EXPECT_EQ(b.GetMinWidth(), 5);
  EXPECT_EQ(b.GetMaxWidth(), 9);
  b.SetEnabled(true);
  EXPECT_EQ(b.GetButtonState() & UISTATE_DISABLED, 0u);
}

}  // namespace tamvelo::test
