// The layouts: each window's controls exist with the kind its code expects,
// the main window's header is exactly as high as the place of game windows,
// and every text survives the conversion to the program's code page.
#include <gtest/gtest.h>

#include <set>

#include "tests/skin/skin_files.h"

namespace tamvelo::test {
namespace {

const char* const kLayouts[] = {"main.xml",       "menu.xml",         "traymenu.xml", "Down_Sel_Menu.xml",
                                "FullscreenBtn.xml", "MessageWnd.xml", "CloseHintDlg.xml", "SettingWnd.xml",
                                "SkinWnd.xml",    "AboutWnd.xml"};

struct Expected {
  const char* name;
  const char* tag;
};

void ExpectControls(const char* file, std::initializer_list<Expected> controls) {
  Layout layout = LoadLayout(file);
  ASSERT_TRUE(layout.root) << layout.error;
  for (const Expected& control : controls) {
    const LayoutNode* node = layout.First(control.name);
    ASSERT_NE(node, nullptr) << file << " lacks " << control.name;
    EXPECT_EQ(node->tag, control.tag) << file << ": " << control.name;
  }
}

bool IsInside(const LayoutNode* node, const LayoutNode* ancestor) {
  for (const LayoutNode* at = node; at; at = at->parent) {
    if (at == ancestor) return true;
  }
  return false;
}

int Number(const LayoutNode* node, const char* key) { return std::atoi(node->Get(key, "0").c_str()); }

// Vertical space taken by a fixed-height child: its height and its top and
// bottom padding.
int FixedHeight(const LayoutNode* node) {
  int pad[4] = {0, 0, 0, 0};
  std::sscanf(node->Get("padding", "0,0,0,0").c_str(), "%d,%d,%d,%d", &pad[0], &pad[1], &pad[2], &pad[3]);
  return Number(node, "height") + pad[1] + pad[3];
}

TEST(SkinLayouts, EveryFileParsesAsAWindowWithItsSize) {
  for (const char* file : kLayouts) {
    Layout layout = LoadLayout(file);
    ASSERT_TRUE(layout.root) << layout.error;
    EXPECT_EQ(layout.root->tag, "Window") << file;
    int width = 0, height = 0;
    EXPECT_EQ(std::sscanf(layout.root->Get("size").c_str(), "%d,%d", &width, &height), 2) << file;
    EXPECT_GT(width, 0) << file;
    EXPECT_GT(height, 0) << file;
  }
}

TEST(SkinLayouts, EveryWindowHasTheControlsItsCodeLooksUp) {
  ExpectControls("main.xml", {{"closebtn", "Button"}, {"maxbtn", "Button"}, {"restorebtn", "Button"},
                              {"minbtn", "Button"}, {"gamehome", "Button"}, {"gamesearch", "Button"},
                              {"gamephone", "Button"}, {"payment", "Button"}, {"service", "Button"},
                              {"fullscreen", "Button"}, {"login_btn", "Button"}, {"down_sel", "Button"},
                              {"maintab", "Option"}, {"main_bg", "VerticalLayout"}, {"tab_bar", "ScrollTab"},
                              {"main_web_home", "Tabbrowser"}, {"body_main_tablayout", "TabLayout"},
                              {"body_main_left", "HorizontalLayout"}, {"menubtn", "Button"}, {"skinbtn", "Button"},
                              {"toolbar_main_xiaohao", "Button"},
                              {"page_stopped", "VerticalLayout"}, {"reopen_btn", "Button"}});
  ExpectControls("menu.xml", {{"setting", "Button"}, {"website", "Button"}, {"about", "Button"},
                              {"quit_menu_btn", "Button"}});
  ExpectControls("traymenu.xml", {{"show_menu_btn", "Button"}, {"setting_menu_btn", "Button"},
                                  {"quit_menu_btn", "Button"}});
  ExpectControls("Down_Sel_Menu.xml", {{"mulbtn", "Button"}, {"logout", "Button"}, {"about", "Button"},
                                       {"quit_menu_btn", "Button"}});
  ExpectControls("FullscreenBtn.xml", {{"fullscreen", "Button"}});
  ExpectControls("MessageWnd.xml", {{"text1", "Label"}, {"main_bg", "HorizontalLayout"}, {"closebtn1", "Button"}});
  ExpectControls("CloseHintDlg.xml", {{"yesbtn", "Button"}, {"nobtn", "Button"}, {"closebtn", "Button"},
                                      {"ExitDirectbtn", "Option"}, {"MoveInTraybtn", "Option"},
                                      {"chkOption", "CheckBox"}, {"main_bg", "HorizontalLayout"}});
  ExpectControls("SettingWnd.xml", {{"yesbtn", "Button"}, {"closebtn", "Button"}, {"ExitDirectbtn", "Option"},
                                    {"MoveInTraybtn", "Option"}, {"AskForMebtn", "Option"}, {"HideKey", "HotKey"},
                                    {"MulKey", "HotKey"}, {"FullKey", "HotKey"}, {"main_bg", "HorizontalLayout"}});
  ExpectControls("SkinWnd.xml", {{"version", "Label"}, {"main_bg", "HorizontalLayout"}, {"closebtn", "Button"},
                                 {"yesbtn", "Button"}, {"skinbtn1", "Button"}, {"skinbtn2", "Button"},
                                 {"skinbtn3", "Button"}, {"skinbtn4", "Button"}, {"skinbtn5", "Button"},
                                 {"skinbtn6", "Button"}});
  ExpectControls("AboutWnd.xml", {{"version", "Label"}, {"main_bg", "HorizontalLayout"}, {"closebtn", "Button"},
                                  {"yesbtn", "Button"}});
  // The offline page, which stands in for the home page.
  ExpectControls("main.xml", {{"page_home", "VerticalLayout"}, {"page_offline", "VerticalLayout"},
                              {"offline_reason", "Label"}, {"offline_countdown", "Label"},
                              {"offline_retry_btn", "Button"}});
}

TEST(SkinLayouts, BrowsersAreTheGameBoxElement) {
  // The alt-account window's browser is created by the window for this
  // element name; without it the window would have no page.
  Layout alt = LoadLayout("MessageWnd.xml");
  ASSERT_TRUE(alt.root) << alt.error;
  int browsers = 0;
  for (const LayoutNode* node : alt.All()) browsers += node->tag == "Tabbrowser";
  EXPECT_EQ(browsers, 1);
}

TEST(SkinLayouts, MainWindowStartsLoggedOutOnTheHomeTab) {
  Layout main = LoadLayout("main.xml");
  ASSERT_TRUE(main.root) << main.error;
  EXPECT_EQ(main.First("restorebtn")->Get("visible"), "false");
  EXPECT_NE(main.First("maxbtn")->Get("visible"), "false");
  EXPECT_EQ(main.First("fullscreen")->Get("visible"), "false") << "no game is shown at start";
  EXPECT_EQ(main.First("down_sel")->Get("visible"), "false") << "nobody is logged in at start";
  const LayoutNode* home = main.First("maintab");
  EXPECT_EQ(home->Get("group"), "main_tabbar");
  EXPECT_EQ(home->Get("selected"), "true");
}

TEST(SkinLayouts, TabStripComesBeforeTheHomeBrowser) {
  // The browser is handed the strip while the skin is being built.
  Layout main = LoadLayout("main.xml");
  ASSERT_TRUE(main.root) << main.error;
  int strip = -1, browser = -1, index = 0;
  for (const LayoutNode* node : main.All()) {
    if (node->Get("name") == "tab_bar") strip = index;
    if (node->Get("name") == "main_web_home") browser = index;
    ++index;
  }
  ASSERT_GE(strip, 0);
  ASSERT_GE(browser, 0);
  EXPECT_LT(strip, browser);
}

TEST(SkinLayouts, HeaderIsExactlyThePlaceAboveGameWindows) {
  // Game windows are placed at y 70: the header's rows, stacked from the
  // top of the window, must fill exactly 70 pixels, and the body below
  // must have no fixed height of its own.
  Layout main = LoadLayout("main.xml");
  ASSERT_TRUE(main.root) << main.error;
  const LayoutNode* header = main.First("main_bg");
  ASSERT_EQ(header->parent->parent, main.root.get()) << "the header hangs off the root layout";
  const LayoutNode* column = header->parent;
  ASSERT_EQ(column->tag, "VerticalLayout");
  EXPECT_EQ(column->Get("inset", "0,0,0,0"), "0,0,0,0");
  ASSERT_EQ(column->children.front().get(), header) << "the header is the first row";
  EXPECT_EQ(FixedHeight(header), 70);
  int rows = 0;
  for (const auto& row : header->children) rows += FixedHeight(row.get());
  EXPECT_EQ(rows, 70);
  const LayoutNode* body = main.First("body_main_tablayout");
  for (const auto& row : column->children) {
    if (IsInside(body, row.get())) {
      EXPECT_FALSE(row->Has("height")) << "the body fills the rest";
    }
  }
  // Everything the user reaches in the header stays inside it.
  for (const auto& row : header->children) {
    for (const auto& control : row->children) {
      EXPECT_LE(FixedHeight(control.get()), FixedHeight(row.get())) << control->Get("name");
    }
  }
}

TEST(SkinLayouts, PageButtonsNamePagesOfTheBody) {
  // Every home, search and mobile-games control other than the tool bar's
  // selects the page named by its user data; the tool bar's own are found
  // first, as the window's code keeps the first of each name.
  Layout main = LoadLayout("main.xml");
  ASSERT_TRUE(main.root) << main.error;
  const LayoutNode* pages = main.First("body_main_tablayout");
  std::set<std::string> pageNames;
  for (const auto& page : pages->children) pageNames.insert(page->Get("name"));
  ASSERT_FALSE(pages->children.empty());
  EXPECT_TRUE(IsInside(main.First("main_web_home"), pages->children.front().get())) << "page 0 is the portal";
  const LayoutNode* header = main.First("main_bg");
  for (const char* name : {"gamehome", "gamesearch", "gamephone"}) {
    EXPECT_TRUE(IsInside(main.First(name), header)) << name;
    for (const LayoutNode* node : main.Named(name)) {
      EXPECT_EQ(pageNames.count(node->Get("userdata")), 1u) << name << " -> " << node->Get("userdata");
    }
  }
  // The mobile-games page hides the left column, so it must offer a way back.
  const LayoutNode* phonePage = nullptr;
  for (const auto& page : pages->children) {
    if (page->Get("name") == main.First("gamephone")->Get("userdata")) phonePage = page.get();
  }
  ASSERT_NE(phonePage, nullptr);
  bool wayBack = false;
  for (const LayoutNode* node : main.Named("gamehome")) wayBack |= IsInside(node, phonePage);
  EXPECT_TRUE(wayBack);
  EXPECT_FALSE(IsInside(main.First("main_web_home"), main.First("body_main_left")));
}

TEST(SkinLayouts, ChoicesOfOneQuestionShareOneGroup) {
  // The windows select one option and rely on the group to clear the others.
  struct Case {
    const char* file;
    std::vector<const char*> options;
  };
  for (const Case& c : {Case{"SettingWnd.xml", {"AskForMebtn", "ExitDirectbtn", "MoveInTraybtn"}},
                        Case{"CloseHintDlg.xml", {"ExitDirectbtn", "MoveInTraybtn"}}}) {
    Layout layout = LoadLayout(c.file);
    ASSERT_TRUE(layout.root) << layout.error;
    std::set<std::string> groups;
    int selected = 0;
    for (const char* name : c.options) {
      const LayoutNode* option = layout.First(name);
      ASSERT_NE(option, nullptr) << name;
      groups.insert(option->Get("group"));
      selected += option->Get("selected") == "true";
    }
    EXPECT_EQ(groups.size(), 1u) << c.file;
    EXPECT_FALSE(groups.begin()->empty()) << c.file;
    EXPECT_EQ(selected, 1) << c.file;
  }
}

TEST(SkinLayouts, EveryTextSurvivesTheChineseCodePage) {
  // The toolkit turns the UTF-8 of the layouts into code page 936; a
  // character outside it would show as a question mark.
  for (const char* file : kLayouts) {
    Layout layout = LoadLayout(file);
    ASSERT_TRUE(layout.root) << layout.error;
    for (const LayoutNode* node : layout.All()) {
      for (const char* key : {"text", "tooltip", "name"}) {
        EXPECT_TRUE(FitsCodePage936(node->Get(key))) << file << " " << key << ": " << node->Get(key);
      }
    }
  }
}

TEST(SkinLayouts, FontsNameAChineseFace) {
  // Wine maps this face to a font with Chinese glyphs; its own defaults have none.
  for (const char* file : kLayouts) {
    Layout layout = LoadLayout(file);
    ASSERT_TRUE(layout.root) << layout.error;
    int fonts = 0, defaults = 0;
    for (const LayoutNode* node : layout.All()) {
      if (node->tag != "Font") continue;
      ++fonts;
      defaults += node->Get("default") == "true";
      EXPECT_EQ(node->Get("name"), u8"微软雅黑") << file;
    }
    EXPECT_GT(fonts, 0) << file;
    EXPECT_EQ(defaults, 1) << file;
  }
}

}  // namespace
}  // namespace tamvelo::test
