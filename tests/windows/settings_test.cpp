// The settings window on the real main window: the stored close choice,
// hotkeys loaded at start, confirmed, cleared and shown in the captions.
#include "box/windows/fullscreen_button.h"
#include "box/windows/setting_wnd.h"
#include "tests/windows/ui_helpers.h"
#include "tests/support/main_window_fixture.h"

namespace tamvelo::test {
namespace {

class SettingsTest : public MainWindowTest {
 protected:
  void Open() {
    CreateMainWindow();
    settings_ = Owned<CSettingWnd>();
    window()->ShowSettingsWindow();
    PumpToolkit();
  }
  DuiLib::CPaintManagerUI& pm() { return *settings_->GetPaintManager(); }
  DuiLib::COptionUI* Option(const char* name) { return static_cast<DuiLib::COptionUI*>(pm().FindControl(name)); }
  DuiLib::CHotKeyUI* Capture(const char* name) { return static_cast<DuiLib::CHotKeyUI*>(pm().FindControl(name)); }
  // Key and modifiers a capture control shows.
  std::pair<WORD, WORD> Shown(const char* name) {
    WORD key = 0, modifiers = 0;
    Capture(name)->GetHotKey(key, modifiers);
    return {key, modifiers};
  }
  std::string MainCaption() { return window()->GetPaintManager()->FindControl("fullscreen")->GetText().GetData(); }
  // True while the key is held by someone (this program).
  static bool IsTaken(UINT modifiers, UINT key) {
    if (!RegisterHotKey(nullptr, 0x3000, modifiers, key)) return true;
    UnregisterHotKey(nullptr, 0x3000);
    return false;
  }
  void Confirm() { ClickControl(settings_->GetHWND(), pm(), "yesbtn"); }

  CSettingWnd* settings_ = nullptr;
};

TEST_F(SettingsTest, OpensWithTheStoredCloseChoiceSelected) {
  for (const auto& [stored, option] :
       {std::make_pair<const char*, const char*>(nullptr, "AskForMebtn"), std::make_pair("ERROR", "AskForMebtn"),
        std::make_pair("0", "AskForMebtn"), std::make_pair("1", "ExitDirectbtn"),
        std::make_pair("2", "MoveInTraybtn")}) {
    if (stored != nullptr) WriteConfig("Setting", "ExitDirect", stored);
    Open();
    EXPECT_TRUE(Option(option)->IsSelected()) << (stored ? stored : "absent");
    EXPECT_TRUE(settings_->IsShown());
    CloseMainWindow();
  }
}

TEST_F(SettingsTest, UnknownStoredChoiceKeepsTheSelectionAndOkStoresIt) {
  WriteConfig("Setting", "ExitDirect", "5");
  Open();
  EXPECT_TRUE(Option("AskForMebtn")->IsSelected());  // the layout's own
  ClickControl(settings_->GetHWND(), Option("MoveInTraybtn"));
  settings_->HideWindow();
  window()->ShowSettingsWindow();
  EXPECT_TRUE(Option("MoveInTraybtn")->IsSelected());
  SaveScreenshot(settings_->GetHWND(), "settings");
  Confirm();
  EXPECT_EQ(ReadConfig("Setting", "ExitDirect"), "2");
  EXPECT_FALSE(settings_->IsShown());
  EXPECT_FALSE(IsWindowVisible(settings_->GetHWND()));
}

TEST_F(SettingsTest, OkWithoutChangesWritesTheChoiceButNoHotKey) {
  Open();
  Confirm();
  EXPECT_EQ(ReadConfig("Setting", "ExitDirect"), "0");
  EXPECT_EQ(ReadConfig("HotKey", "HideKey"), "Error");
  EXPECT_EQ(ReadConfig("HotKey", "FullKey"), "Error");
  EXPECT_TRUE(IsTaken(MOD_ALT, 'D'));
  EXPECT_TRUE(IsTaken(0, VK_F11));
}

TEST_F(SettingsTest, CloseButtonStoresNothingAndTheNextOpeningShowsTheStoredValues) {
  WriteConfig("Setting", "ExitDirect", "1");
  Open();
  ClickControl(settings_->GetHWND(), Option("MoveInTraybtn"));
  Capture("FullKey")->SetHotKey(VK_F9, 0);
  ClickControl(settings_->GetHWND(), pm(), "closebtn");
  EXPECT_FALSE(settings_->IsShown());
  EXPECT_EQ(ReadConfig("Setting", "ExitDirect"), "1");
  EXPECT_EQ(ReadConfig("HotKey", "FullKey"), "Error");
  window()->ShowSettingsWindow();
  EXPECT_TRUE(Option("ExitDirectbtn")->IsSelected());
  EXPECT_EQ(Shown("FullKey").first, VK_F11);
  EXPECT_TRUE(IsTaken(0, VK_F11));
  EXPECT_FALSE(IsTaken(0, VK_F9));
}

TEST_F(SettingsTest, NoStoredKeysGiveAltDAndF11) {
  Open();
  EXPECT_EQ(MainCaption(), "全屏(F11)");
  EXPECT_TRUE(IsTaken(MOD_ALT, 'D'));
  EXPECT_TRUE(IsTaken(0, VK_F11));
  EXPECT_EQ(Shown("HideKey"), std::make_pair(WORD('D'), WORD(4)));
  EXPECT_EQ(Shown("MulKey").first, 0);  // the third capture control has no key of its own
}

TEST_F(SettingsTest, StoredFullKeyWithOneModifierIsNamedWithIt) {
  WriteConfig("HotKey", "FullKey", "115-2");
  Open();
  // Both captions are built at start-up, before any confirmation.
  EXPECT_EQ(MainCaption(), "全屏(Ctrl+F4)");
  EXPECT_EQ(std::string(window()->GetPaintManager()->FindControl("fullscreen")->GetToolTip().GetData()),
            "全屏(Ctrl+F4)");
  EXPECT_EQ(std::string(Owned<CFullscreenBtn>()->GetPaintManager()->FindControl("fullscreen")->GetText().GetData()),
            "退出全屏(Ctrl+F4)");
  EXPECT_TRUE(IsTaken(MOD_CONTROL, VK_F4));
  EXPECT_FALSE(IsTaken(0, VK_F11));
}

TEST_F(SettingsTest, StoredFullKeyWithTwoModifiersIsNamedWithoutThem) {
  WriteConfig("HotKey", "FullKey", "115-3");
  Open();
  EXPECT_EQ(MainCaption(), "全屏(F4)");
  EXPECT_TRUE(IsTaken(MOD_CONTROL | MOD_SHIFT, VK_F4));
}

TEST_F(SettingsTest, UnusableStoredHideKeysKeepAltD) {
  for (const char* stored : {"Error", "abc", "68", "0-4", "-4", ""}) {
    WriteConfig("HotKey", "HideKey", stored);
    Open();
    const HotKeyEntry* entry = settings_->GetHotKeyEntry(CSettingWnd::kHideKey);
    EXPECT_EQ(entry->keyCode, 'D') << stored;
    EXPECT_EQ(entry->modifiers, 4) << stored;
    EXPECT_TRUE(IsTaken(MOD_ALT, 'D')) << stored;
    CloseMainWindow();
  }
}

TEST_F(SettingsTest, NewFullKeyIsStoredMovedAndShownInBothCaptions) {
  Open();
  Capture("FullKey")->SetHotKey(VK_F4, 2);
  Confirm();
  EXPECT_EQ(ReadConfig("HotKey", "FullKey"), "115-2");
  EXPECT_EQ(ReadConfig("HotKey", "HideKey"), "Error");  // unchanged: not written
  EXPECT_TRUE(IsTaken(MOD_CONTROL, VK_F4));
  EXPECT_FALSE(IsTaken(0, VK_F11));
  EXPECT_EQ(MainCaption(), "全屏(Ctrl+F4)");
  EXPECT_EQ(std::string(window()->GetPaintManager()->FindControl("fullscreen")->GetToolTip().GetData()),
            "全屏(Ctrl+F4)");
  auto* floating = Owned<CFullscreenBtn>();
  EXPECT_EQ(std::string(floating->GetPaintManager()->FindControl("fullscreen")->GetText().GetData()),
            "退出全屏(Ctrl+F4)");
  // The new id still toggles: hotkeys are matched by id, not by key.
  EXPECT_EQ(settings_->GetHotKeyId(CSettingWnd::kFullKey), settings_->GetHotKeyEntry(CSettingWnd::kFullKey)->id);
}

TEST_F(SettingsTest, ClearedOrModifierOnlyCaptureWritesThePreviousKeyBackAndKeepsIt) {
  Open();
  Capture("HideKey")->SetHotKey(0, 0);
  Capture("FullKey")->SetHotKey(0, 2);  // Ctrl pressed alone: no key to register
  Confirm();
  EXPECT_EQ(ReadConfig("HotKey", "HideKey"), "68-4");
  EXPECT_EQ(ReadConfig("HotKey", "FullKey"), "122-0");
  EXPECT_TRUE(IsTaken(MOD_ALT, 'D'));
  EXPECT_TRUE(IsTaken(0, VK_F11));
  EXPECT_EQ(Shown("FullKey"), std::make_pair(WORD(VK_F11), WORD(0)));
  EXPECT_EQ(MainCaption(), "全屏(F11)");
}

TEST_F(SettingsTest, EscapeAndCaptionDoubleClickLeaveTheWindowAsItIsAndAltF4OnlyHidesIt) {
  Open();
  RECT before, after;
  GetWindowRect(settings_->GetHWND(), &before);
  SendMessageA(settings_->GetHWND(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  GetWindowRect(settings_->GetHWND(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_FALSE(IsZoomed(settings_->GetHWND()));
  bool handled = false;
  EXPECT_TRUE(settings_->MessageHandler(WM_KEYDOWN, VK_ESCAPE, 0, handled));
  EXPECT_TRUE(handled);
  handled = false;
  EXPECT_FALSE(settings_->MessageHandler(WM_KEYDOWN, VK_RETURN, 0, handled));
  EXPECT_FALSE(handled);
  EXPECT_TRUE(settings_->IsShown());
  SendMessageA(settings_->GetHWND(), WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpToolkit();
  EXPECT_TRUE(IsWindow(settings_->GetHWND()));
  EXPECT_FALSE(settings_->IsShown());
  window()->ShowSettingsWindow();
  EXPECT_TRUE(IsWindowVisible(settings_->GetHWND()));
}

}  // namespace
}  // namespace tamvelo::test
