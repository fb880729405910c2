// The key-combination capture control, fed real key messages.
#include <gtest/gtest.h>

#include "tests/duilib/skin_fixture.h"

namespace tamvelo::test {

using namespace DuiLib;

namespace {

struct HotKey : testing::Test {
  void SetUp() override {
    skin.Write("xml\\hotkey.xml", u8R"(<Window size="300,80"><HorizontalLayout>
        <HotKey name="HideKey" width="150"/><Button name="next" width="100"/></HorizontalLayout></Window>)");
    hWnd = wnd.CreateTest();
    ASSERT_NE(hWnd, nullptr);
    hotkey = wnd.FindAs<CHotKeyUI>("HideKey");
    ASSERT_NE(hotkey, nullptr);
    hotkey->SetFocus();
    GetKeyboardState(savedKeys);
  }
  void TearDown() override {
    SetKeyboardState(savedKeys);
    wnd.Destroy();
  }
  // Holds modifier keys as the system's key state.
  void Hold(std::initializer_list<int> keys) {
    BYTE state[256];
    GetKeyboardState(state);
    for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) state[vk] = 0;
    for (int vk : keys) state[vk] = 0x80;
    SetKeyboardState(state);
  }
  std::pair<WORD, WORD> Value() const {
    WORD vk = 0, mods = 0;
    hotkey->GetHotKey(vk, mods);
    return {vk, mods};
  }
  SkinFolder skin;
  TestWindow wnd{"xml//hotkey.xml"};
  HWND hWnd = nullptr;
  CHotKeyUI* hotkey = nullptr;
  BYTE savedKeys[256] = {};
};

}  // namespace

TEST_F(HotKey, CapturesAltCombinationsFromSystemKeys) {
  EXPECT_STREQ(hotkey->GetText(), "无");
  tamvelo::test::Key(hWnd, VK_MENU, true);
  EXPECT_EQ(Value(), std::make_pair(WORD{0}, WORD{HOTKEYF_ALT})) << "Alt alone shows as pending";
  tamvelo::test::Key(hWnd, 'D', true);
  EXPECT_EQ(Value(), std::make_pair(WORD{'D'}, WORD{HOTKEYF_ALT}));
  EXPECT_STREQ(hotkey->GetText(), "Alt + D");
  EXPECT_EQ(hotkey->GetHotKey(), static_cast<DWORD>(MAKEWORD('D', HOTKEYF_ALT)));
  EXPECT_TRUE(IsWindow(hWnd)) << "Alt keys went to the control, not to the system menu";
}

TEST_F(HotKey, CapturesCtrlAndShiftAndPlainFunctionKeys) {
  Hold({VK_CONTROL});
  tamvelo::test::Key(hWnd, VK_F4);
  EXPECT_EQ(Value(), std::make_pair(WORD{VK_F4}, WORD{HOTKEYF_CONTROL}));
  EXPECT_STREQ(hotkey->GetText(), "Ctrl + F4");
  Hold({VK_CONTROL, VK_SHIFT});
  tamvelo::test::Key(hWnd, 'K');
  EXPECT_STREQ(hotkey->GetText(), "Ctrl + Shift + K");
  EXPECT_EQ(Value().second, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
  Hold({});
  tamvelo::test::Key(hWnd, VK_F11);
  EXPECT_EQ(Value(), std::make_pair(WORD{VK_F11}, WORD{0}));
  EXPECT_STREQ(hotkey->GetText(), "F11");
}

TEST_F(HotKey, BackspaceOrDeleteAloneClearsAndTabMovesOn) {
  hotkey->SetHotKey(68, HOTKEYF_ALT);
  EXPECT_STREQ(hotkey->GetText(), "Alt + D");
  Hold({});
  tamvelo::test::Key(hWnd, VK_BACK);
  EXPECT_EQ(Value(), std::make_pair(WORD{0}, WORD{0}));
  EXPECT_STREQ(hotkey->GetText(), "无");
  hotkey->SetHotKey(122, 0);
  tamvelo::test::Key(hWnd, VK_DELETE);
  EXPECT_EQ(Value(), std::make_pair(WORD{0}, WORD{0}));
  // With a modifier, Delete is a key like the others.
  Hold({VK_CONTROL});
  tamvelo::test::Key(hWnd, VK_DELETE);
  EXPECT_EQ(Value().first, VK_DELETE);
  Hold({});
  hotkey->SetHotKey(122, 0);
  tamvelo::test::Key(hWnd, VK_TAB);
  EXPECT_EQ(wnd.pm().GetFocus(), wnd.Find("next"));
  EXPECT_EQ(Value(), std::make_pair(WORD{122}, WORD{0}));
  // Without the focus, keys do not reach it.
  tamvelo::test::Key(hWnd, 'Q');
  EXPECT_EQ(Value().first, 122);
}

}  // namespace tamvelo::test
