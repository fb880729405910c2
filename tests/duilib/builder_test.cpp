// The skin builder: the tree of a sample skin, unknown elements, window
// definitions, and failures that leave nothing half-built.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "tests/duilib/skin_fixture.h"

namespace tamvelo::test {

using namespace DuiLib;

namespace {

// UTF-8 with a byte-order mark, comments, entities, both quote styles and
// Chinese text.
const char kSample[] =
    "\xEF\xBB\xBF"
    u8R"(<?xml version="1.0" encoding="utf-8"?>
<!-- the main window -->
<Window size="1020,690" caption="0,0,0,70" sizebox="4,4,4,4" roundcorner="4,4" mininfo="800,570">
  <Font id="0" name="微软雅黑" size="12" bold="false" default="true"/>
  <Font id="1" name="微软雅黑" size="14" bold="true"/>
  <Default name="Button" value="textcolor=&quot;#FF112233&quot; height=&quot;24&quot;"/>
  <VerticalLayout name="root" bkimage='skin/Default/mainbg.png'>
    <HorizontalLayout name="title" height="70">
      <Button name="login_btn" text="登录 &amp; 注册" tooltip='点击&lt;登录&gt;'/>
      <!-- the tab strip is the program's own element -->
      <ScrollTab name="tab_bar" width="600"/>
      <Option name="maintab" group="main_tabbar" selected="true"/>
      <Button name="closebtn" width="30" height="30" textcolor="#FF445566"/>
    </HorizontalLayout>
    <TabLayout name="body_main_tablayout" selectedid="1">
      <Container name="page0"/>
      <Text name="page1" text="第二页"/>
      <Mystery name="unknown"><Button name="inside_unknown"/></Mystery>
    </TabLayout>
    <Label name="label" text="&#x5854;&#32500;"><Button name="child_of_label"/></Label>
    <CheckBox name="chk"/>
    <HotKey name="HideKey"/>
    <Control name="spacer"/>
  </VerticalLayout>
</Window>)";

struct Callback : IDialogBuilderCallback {
  std::vector<std::string> asked;
  CControlUI* CreateControl(LPCSTR pstrClass) override {
    asked.push_back(pstrClass);
    if (_stricmp(pstrClass, "ScrollTab") == 0) return new CContainerUI;
    return nullptr;
  }
};

template <class T>
T* As(CControlUI* c, const char* iface) {
  return c ? static_cast<T*>(c->GetInterface(iface)) : nullptr;
}

}  // namespace

TEST(DialogBuilder, BuildsTheSampleSkin) {
  SkinFolder skin;
  skin.Write("xml\\main.xml", kSample);
  CPaintManagerUI pm;
  Callback callback;
  CDialogBuilder builder;
  CControlUI* root = builder.Create("xml//main.xml", nullptr, &callback, &pm);
  ASSERT_NE(root, nullptr);
  pm.AttachDialog(root);

  EXPECT_EQ(callback.asked, (std::vector<std::string>{"ScrollTab", "Mystery"}));
  EXPECT_STREQ(root->GetClass(), "VerticalLayoutUI");
  EXPECT_STREQ(root->GetBkImage(), "skin/Default/mainbg.png");
  // Window values reach the manager.
  EXPECT_EQ(pm.GetInitSize().cx, 1020);
  EXPECT_EQ(pm.GetCaptionRect().bottom, 70);
  EXPECT_EQ(pm.GetSizeBox().left, 4);
  EXPECT_EQ(pm.GetMinInfo().cy, 570);
  EXPECT_EQ(pm.GetFontInfo(1)->iSize, 14);
  EXPECT_TRUE(pm.GetFontInfo(1)->bBold);
  EXPECT_EQ(pm.GetFont(0), pm.GetDefaultFont());
  EXPECT_EQ(pm.GetFont(42), pm.GetDefaultFont());

  auto* login = As<CButtonUI>(pm.FindControl("login_btn"), DUI_CTR_BUTTON);
  ASSERT_NE(login, nullptr);
  EXPECT_STREQ(login->GetText(), "登录 & 注册");
  EXPECT_STREQ(login->GetToolTip(), "点击<登录>");
  EXPECT_EQ(login->GetTextColor(), 0xFF112233u) << "from the Default list";
  EXPECT_EQ(login->GetFixedHeight(), 24);
  auto* closeBtn = As<CButtonUI>(pm.FindControl("closebtn"), DUI_CTR_BUTTON);
  EXPECT_EQ(closeBtn->GetTextColor(), 0xFF445566u) << "own attributes win over the Default list";
  EXPECT_EQ(closeBtn->GetFixedHeight(), 30);

  EXPECT_NE(pm.FindControl("tab_bar"), nullptr);
  EXPECT_EQ(pm.FindControl("tab_bar")->GetParent(), pm.FindControl("title"));
  EXPECT_TRUE(As<COptionUI>(pm.FindControl("maintab"), DUI_CTR_OPTION)->IsSelected());

  auto* pages = As<CTabLayoutUI>(pm.FindControl("body_main_tablayout"), DUI_CTR_TABLAYOUT);
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->GetCount(), 2) << "the unknown element is skipped with its children";
  EXPECT_EQ(pages->GetCurSel(), 1);
  EXPECT_FALSE(pm.FindControl("page0")->IsVisible());
  EXPECT_STREQ(pm.FindControl("page1")->GetClass(), "TextUI");
  EXPECT_EQ(pm.FindControl("unknown"), nullptr);
  EXPECT_EQ(pm.FindControl("inside_unknown"), nullptr);

  EXPECT_STREQ(pm.FindControl("label")->GetText(), "塔维");
  EXPECT_EQ(pm.FindControl("child_of_label"), nullptr) << "a label holds no children";
  EXPECT_NE(As<CCheckBoxUI>(pm.FindControl("chk"), DUI_CTR_CHECKBOX), nullptr);
  EXPECT_NE(As<CHotKeyUI>(pm.FindControl("HideKey"), DUI_CTR_HOTKEY), nullptr);
  EXPECT_STREQ(pm.FindControl("spacer")->GetClass(), "ControlUI");
}

TEST(DialogBuilder, ElementNamesIgnoreLetterCaseAndTextSkinsWork) {
  CDialogBuilder builder;
  CControlUI* root = builder.Create(u8"<window><verticallayout name='v'><BUTTON name='b'/></verticallayout></window>");
  ASSERT_NE(root, nullptr);
  auto* v = As<CContainerUI>(root, DUI_CTR_CONTAINER);
  ASSERT_EQ(v->GetCount(), 1);
  EXPECT_STREQ(v->GetItemAt(0)->GetClass(), "ButtonUI");
  delete root;
}

TEST(DialogBuilder, AddsTheTreeToAGivenParent) {
  CPaintManagerUI pm;
  auto* parent = new CHorizontalLayoutUI;
  pm.AttachDialog(parent);
  CDialogBuilder builder;
  CControlUI* built = builder.Create(u8"<Window><Button name='added'/></Window>", nullptr, nullptr, &pm, parent);
  ASSERT_NE(built, nullptr);
  EXPECT_EQ(parent->GetItemAt(0), built);
  EXPECT_EQ(pm.FindControl("added"), built);
  EXPECT_EQ(built->GetManager(), &pm);
}

TEST(DialogBuilder, FailsWithAMessageAndNoTree) {
  SkinFolder skin;
  const char* broken[] = {
      "",
      "<Window><VerticalLayout></Window>",
      "<Window><VerticalLayout name=\"x></VerticalLayout></Window>",
      "<Window><VerticalLayout/>",
      "\x01\x02\x03garbage",
      "<Window size=\"10,10\"></Window>",
      "<Window><VerticalLayout/><HorizontalLayout/></Window>",
  };
  for (const char* text : broken) {
    skin.Write("xml\\bad.xml", text);
    CPaintManagerUI pm;
    CDialogBuilder builder;
    EXPECT_EQ(builder.Create("xml//bad.xml", nullptr, nullptr, &pm), nullptr) << text;
    char message[200] = {};
    builder.GetLastErrorMessage(message, sizeof(message));
    EXPECT_NE(message[0], '\0') << text;
    EXPECT_EQ(pm.GetRoot(), nullptr);
  }
  CDialogBuilder builder;
  EXPECT_EQ(builder.Create("xml//nothere.xml"), nullptr);
  char location[200] = {};
  builder.GetLastErrorLocation(location, sizeof(location));
  EXPECT_STREQ(location, "xml//nothere.xml");
}

}  // namespace tamvelo::test
