// The main window's closing, quitting, tray icon, hiding with the small
// windows, hotkeys, full screen and skins, on the real window.
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "box/tabs/tab_ending.h"
#include "box/windows/about_wnd.h"
#include "box/windows/close_hint_dialog.h"
#include "box/windows/down_sel_menu.h"
#include "box/windows/fullscreen_button.h"
#include "box/windows/main_menu.h"
#include "box/windows/message_wnd.h"
#include "box/windows/setting_wnd.h"
#include "box/windows/skin_wnd.h"
#include "box/windows/tray_menu.h"
#include "common/protocol.h"
#include "tests/windows/ui_helpers.h"
#include "tests/support/main_window_fixture.h"

namespace tamvelo::test {
namespace {

using CloseButtonTest = MainWindowTest;

// What one press of the close button leads to for a stored "ExitDirect".
struct CloseOutcome {
  bool prompt;
  bool hidden;
  bool quit;
};

class CloseButtonByValue : public MainWindowTest,
                           public ::testing::WithParamInterface<std::pair<const char*, CloseOutcome>> {};

TEST_P(CloseButtonByValue, FollowsTheStoredChoice) {
  const auto& [stored, expected] = GetParam();
  if (stored != nullptr) WriteConfig("Setting", "ExitDirect", stored);
  CreateMainWindow();
  window()->OnCloseButton();
  const bool quit = TakeQuit(kToolkitFilter);
  EXPECT_EQ(Owned<CCloseHintDialog>()->IsShown(), expected.prompt);
  EXPECT_EQ(IsWindowVisible(Owned<CCloseHintDialog>()->GetHWND()) != FALSE, expected.prompt);
  EXPECT_EQ(window()->IsHidden(), expected.hidden);
  EXPECT_EQ(IsWindowVisible(hwnd()) == FALSE, expected.hidden);
  EXPECT_EQ(quit, expected.quit);
}

INSTANTIATE_TEST_SUITE_P(
    ExitDirect, CloseButtonByValue,
    ::testing::Values(std::make_pair(nullptr, CloseOutcome{true, false, false}),
                      std::make_pair("Error", CloseOutcome{true, false, false}),
                      std::make_pair("ERROR", CloseOutcome{true, false, false}),
                      std::make_pair("0", CloseOutcome{true, false, false}),
                      std::make_pair("1", CloseOutcome{false, true, true}),  // quitting hides at once
                      std::make_pair("2", CloseOutcome{false, true, false}),
                      std::make_pair("3", CloseOutcome{false, false, false}),
                      std::make_pair("", CloseOutcome{false, false, false}),
                      std::make_pair("1 ", CloseOutcome{false, true, true}),  // the platform trims
                      std::make_pair("01", CloseOutcome{false, false, false})));

TEST_F(CloseButtonTest, SystemCloseHidesAndNeverDestroysEvenWhenTheChoiceIsToQuit) {
  WriteConfig("Setting", "ExitDirect", "1");
  CreateMainWindow();
  EXPECT_EQ(SendMessageA(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0), 0);
  EXPECT_FALSE(TakeQuit(kToolkitFilter));
  EXPECT_TRUE(IsWindow(hwnd()));
  EXPECT_FALSE(IsWindowVisible(hwnd()));
  EXPECT_TRUE(window()->IsHidden());
  window()->RestoreMainWindow();
  Pump(50);
  EXPECT_TRUE(IsWindowVisible(hwnd()));
}

// The window goes at once; then every tab, told to end off this thread,
// ends by itself, and the loop ends only after the last one.
TEST_F(CloseButtonTest, QuittingHidesAtOnceAndEndsTheLoopAfterEveryTabEndedByItself) {
  CreateMainWindow();
  std::vector<HANDLE> processes;
  for (int i = 0; i < 3; ++i) {
    OpenTabWindow();
    processes.push_back(tabs::CopyProcessHandle(Tab(i).processHandle));
  }
  ASSERT_EQ(TabCount(), 3);
  // Whether the window still showed when the first tab had ended.
  std::atomic<int> shownAtFirstEnd{-1};
  std::thread firstEnd([&] {
    if (WaitForMultipleObjects(3, processes.data(), FALSE, 15000) < WAIT_OBJECT_0 + 3) {
      shownAtFirstEnd = IsWindowVisible(hwnd()) ? 1 : 0;
    }
  });
  window()->QuitApplication();
  EXPECT_FALSE(IsWindowVisible(hwnd()));
  bool quit = false;
  EXPECT_TRUE(PumpUntil([&] { return quit = quit || TakeQuit(kToolkitFilter); }, 15000));
  firstEnd.join();
  EXPECT_EQ(shownAtFirstEnd, 0);
  for (HANDLE process : processes) {
    EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0) << "ended before the quit message";
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u) << "by itself, not by force";
    CloseHandle(process);
  }
  // The hotkeys are free again for anyone.
  EXPECT_TRUE(RegisterHotKey(nullptr, 1, MOD_ALT, 'D'));
  UnregisterHotKey(nullptr, 1);
}

// A tab that asks for a new tab as it is told to end gets one when it is
// closed, and none while quitting: its process would outlive the quit.
TEST_F(CloseButtonTest, QuittingStartsNoTabThatAnEndingTabAsksFor) {
  GameTabProgramReplaced asking("stand-in-tab.exe follow-ask");
  CreateMainWindow();
  OpenTabWindow();
  OpenTabWindow();
  strip()->CloseTab(0);
  EXPECT_TRUE(PumpUntil([&] { return TabCount() == 2; }, 5000)) << "closing, it asked and got a tab";
  window()->QuitApplication();
  bool quit = false;
  EXPECT_TRUE(PumpUntil([&] { return quit = quit || TakeQuit(kToolkitFilter); }, 15000));
  EXPECT_EQ(TabCount(), 2) << "quitting, it got none";
}

TEST_F(CloseButtonTest, PromptAnswersHideQuitOrKeepRunning) {
  CreateMainWindow();
  auto* prompt = Owned<CCloseHintDialog>();
  auto& pm = *prompt->GetPaintManager();
  auto* tray = static_cast<DuiLib::COptionUI*>(pm.FindControl("MoveInTraybtn"));
  auto* exit = static_cast<DuiLib::COptionUI*>(pm.FindControl("ExitDirectbtn"));
  auto* remember = static_cast<DuiLib::CCheckBoxUI*>(pm.FindControl("chkOption"));

  // "nobtn": nothing happens, the main window stays.
  window()->OnCloseButton();
  SaveScreenshot(prompt->GetHWND(), "close_prompt");
  ClickControl(prompt->GetHWND(), pm, "nobtn");
  EXPECT_FALSE(prompt->IsShown());
  EXPECT_TRUE(IsWindowVisible(hwnd()));
  EXPECT_EQ(ReadConfig("Setting", "ExitDirect"), "Error");

  // Tray, remembered: hidden now, and the next close hides without asking.
  window()->OnCloseButton();
  ClickControl(prompt->GetHWND(), tray);
  remember->SetCheck(true);
  ClickControl(prompt->GetHWND(), pm, "yesbtn");
  EXPECT_TRUE(window()->IsHidden());
  EXPECT_EQ(ReadConfig("Setting", "ExitDirect"), "2");
  window()->RestoreMainWindow();
  window()->OnCloseButton();
  EXPECT_FALSE(prompt->IsShown());
  EXPECT_TRUE(window()->IsHidden());
  window()->RestoreMainWindow();

  // Quit, not remembered: quits, and the stored choice stays as it was.
  WriteConfig("Setting", "ExitDirect", "0");
  window()->OnCloseButton();
  ClickControl(prompt->GetHWND(), exit);
  remember->SetCheck(false);
  ClickControl(prompt->GetHWND(), pm, "yesbtn");
  EXPECT_TRUE(TakeQuit(kToolkitFilter));
  EXPECT_EQ(ReadConfig("Setting", "ExitDirect"), "0");
}

TEST_F(CloseButtonTest, PromptConfirmedWithNeitherOptionOnlyHides) {
  CreateMainWindow();
  auto* prompt = Owned<CCloseHintDialog>();
  auto& pm = *prompt->GetPaintManager();
  window()->OnCloseButton();
  static_cast<DuiLib::COptionUI*>(pm.FindControl("MoveInTraybtn"))->Selected(false);
  static_cast<DuiLib::COptionUI*>(pm.FindControl("ExitDirectbtn"))->Selected(false);
  static_cast<DuiLib::CCheckBoxUI*>(pm.FindControl("chkOption"))->SetCheck(true);
  ClickControl(prompt->GetHWND(), pm, "yesbtn");
  EXPECT_FALSE(prompt->IsShown());
  EXPECT_FALSE(window()->IsHidden());
  EXPECT_TRUE(IsWindowVisible(hwnd()));
  EXPECT_FALSE(TakeQuit(kToolkitFilter));
  EXPECT_EQ(ReadConfig("Setting", "ExitDirect"), "Error");
}

// What the main window's clickable controls open; "quitbtn" ends the loop
// at once, leaving the hotkeys registered (no clean-up first).
TEST_F(CloseButtonTest, ClicksOfTheTitleAndToolBarsReachTheirWindows) {
  CreateMainWindow();
  auto& pm = *window()->GetPaintManager();
  DuiLib::CButtonUI quit;
  quit.SetName("quitbtn");
  const std::pair<const char*, std::function<bool()>> rows[] = {
      {"menubtn", [this] { return IsWindowVisible(Owned<CDuiMenu>()->GetHWND()) != FALSE; }},
      {"down_sel", [this] { return IsWindowVisible(Owned<CDownSelMenu>()->GetHWND()) != FALSE; }},
      {"skinbtn", [this] { return Owned<CSkinWnd>()->IsShown(); }},
      {"toolbar_main_xiaohao", [this] { return Owned<CMessageWnd>()->IsShown(); }},
      {"quitbtn", [] { return TakeQuit(kToolkitFilter); }},
      // The pay and service pages open as tabs of their own.
      {"payment", [this] { return TabCount() == 1; }},
      {"service", [this] { return TabCount() == 2; }},
  };
  for (const auto& [name, opened] : rows) {
    DuiLib::TNotifyUI click;
    click.sType = DUI_MSGTYPE_CLICK;
    // The skin has no "quitbtn": a control of that name stands in for it.
    click.pSender = pm.FindControl(name) != nullptr ? pm.FindControl(name) : &quit;
    click.ptMouse = {10, 10};
    window()->OnClick(click);
    PumpToolkit();
    EXPECT_TRUE(opened()) << name;
  }
  EXPECT_FALSE(RegisterHotKey(nullptr, 1, 0, VK_F11)) << "the full-screen key is still the program's";
}

// Appends the text of a static control to the std::string at param. A
// CALLBACK function, not a lambda: on 32-bit Windows it must be stdcall.
BOOL CALLBACK AppendStaticText(HWND child, LPARAM param) {
  char className[16] = {}, text[128] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
    reinterpret_cast<std::string*>(param)->append(text);
  return TRUE;
}

// Texts of the static controls of the first top-level window with this
// title, once it appears; the window is then answered with OK.
std::string TextOfMessageBoxAndCloseIt(const char* title) {
  HWND box = nullptr;
  for (int i = 0; i < 250 && box == nullptr; ++i, Sleep(20)) box = FindWindowA(nullptr, title);
  if (box == nullptr) return "";
  std::string texts;
  EnumChildWindows(box, AppendStaticText, reinterpret_cast<LPARAM>(&texts));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return texts;
}

TEST_F(CloseButtonTest, BackspaceInTheMainWindowShowsTheDemoMessageBox) {
  CreateMainWindow();
  std::string shown;
  std::thread reader([&] { shown = TextOfMessageBoxAndCloseIt("DUILIB DEMO"); });
  SendMessageA(hwnd(), WM_CHAR, VK_BACK, 0);
  reader.join();
  EXPECT_EQ(shown, "按下了回退键");
  EXPECT_EQ(SendMessageA(hwnd(), WM_CHAR, 'a', 0), 0);  // any other character: no box, nothing waits
}

using TrayTest = MainWindowTest;

TEST_F(TrayTest, LeftButtonRestoresAndRightButtonOpensTheMenuWithoutShowingTheWindow) {
  CreateMainWindow();
  window()->HideMainWindow();
  SendMessageA(hwnd(), tamvelo::protocol::kMsgTrayIcon, 101, WM_RBUTTONDOWN);
  PumpToolkit();
  auto* menu = Owned<CTrayMenu>();
  EXPECT_TRUE(IsWindowVisible(menu->GetHWND()));
  EXPECT_FALSE(IsWindowVisible(hwnd()));
  SaveScreenshot(menu->GetHWND(), "tray_menu");
  SendMessageA(hwnd(), tamvelo::protocol::kMsgTrayIcon, 101, WM_LBUTTONUP);  // ignored
  EXPECT_FALSE(IsWindowVisible(hwnd()));
  SendMessageA(hwnd(), tamvelo::protocol::kMsgTrayIcon, 101, WM_LBUTTONDOWN);
  PumpToolkit();
  EXPECT_TRUE(IsWindowVisible(hwnd()));
  EXPECT_FALSE(window()->IsHidden());
}

TEST_F(TrayTest, MenuNearTheBottomRightCornerOpensLeftOfAndAboveTheCursor) {
  CreateMainWindow();
  auto* menu = Owned<CTrayMenu>();
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  RECT rc;
  menu->ShowAt({width - 10, height - 10});
  GetWindowRect(menu->GetHWND(), &rc);
  EXPECT_EQ(rc.left, width - 10 - 120);
  EXPECT_EQ(rc.top, height - 10 - 70);
  // Exactly fitting: stays at the cursor.
  menu->ShowAt({width - 120, height - 70});
  GetWindowRect(menu->GetHWND(), &rc);
  EXPECT_EQ(rc.left, width - 120);
  EXPECT_EQ(rc.top, height - 70);
  EXPECT_TRUE(GetWindowLongA(menu->GetHWND(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

using HotKeyTest = MainWindowTest;

TEST_F(HotKeyTest, HideKeyHidesAndRestoresTheOpenSmallWindowsWithTheMainWindowInFront) {
  CreateMainWindow();
  auto* settings = Owned<CSettingWnd>();
  auto* about = Owned<CAboutWnd>();
  window()->ShowSettingsWindow();
  PumpToolkit();
  const int hideId = settings->GetHotKeyId(CSettingWnd::kHideKey);

  SendMessageA(hwnd(), WM_HOTKEY, hideId, 0);
  EXPECT_FALSE(IsWindowVisible(hwnd()));
  EXPECT_FALSE(IsWindowVisible(settings->GetHWND()));
  EXPECT_TRUE(settings->IsShown());

  SendMessageA(hwnd(), WM_HOTKEY, hideId, 0);
  // Checked before X events of the window-manager-less display move the
  // focus elsewhere.
  EXPECT_EQ(GetForegroundWindow(), hwnd());
  EXPECT_TRUE(IsWindowVisible(hwnd()));
  EXPECT_TRUE(IsWindowVisible(settings->GetHWND()));
  EXPECT_FALSE(IsWindowVisible(about->GetHWND()));  // was not open
  EXPECT_FALSE(window()->IsHidden());
}

TEST_F(HotKeyTest, UnknownIdsChangeNothing) {
  CreateMainWindow();
  SendMessageA(hwnd(), WM_HOTKEY, 0x3FFF, 0);
  EXPECT_TRUE(IsWindowVisible(hwnd()));
  EXPECT_FALSE(window()->IsFullScreen());
}

using FullScreenTest = MainWindowTest;

TEST_F(FullScreenTest, KeyDoesNothingOnTheHomePage) {
  CreateMainWindow();
  RECT before, after;
  GetWindowRect(hwnd(), &before);
  SendMessageA(hwnd(), WM_HOTKEY, Owned<CSettingWnd>()->GetHotKeyId(CSettingWnd::kFullKey), 0);
  GetWindowRect(hwnd(), &after);
  EXPECT_FALSE(window()->IsFullScreen());
  EXPECT_TRUE(EqualRect(&before, &after));
  SendMessageA(hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);  // not in full screen: nothing
  GetWindowRect(hwnd(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(FullScreenTest, EnteringTwiceKeepsTheFirstRectangleAndLeavingRestoresIt) {
  CreateMainWindow();
  const HWND tab = OpenTabWindow();
  strip()->SelectTab(Tab(0).button);
  RECT before;
  GetWindowRect(hwnd(), &before);
  const int fullId = Owned<CSettingWnd>()->GetHotKeyId(CSettingWnd::kFullKey);

  SendMessageA(hwnd(), WM_HOTKEY, fullId, 0);
  ASSERT_TRUE(window()->IsFullScreen());
  window()->EnterFullScreen();
  RECT full, tabRect;
  GetWindowRect(hwnd(), &full);
  GetWindowRect(tab, &tabRect);
  EXPECT_EQ(full.right - full.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(full.bottom - full.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(EqualRect(&tabRect, &full));  // the game covers the title bar too
  auto* button = Owned<CFullscreenBtn>();
  EXPECT_TRUE(IsWindowVisible(button->GetHWND()));

  SendMessageA(hwnd(), WM_HOTKEY, fullId, 0);
  RECT after;
  GetWindowRect(hwnd(), &after);
  EXPECT_FALSE(window()->IsFullScreen());
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_FALSE(IsWindowVisible(button->GetHWND()));
  // The tab is laid out below the title bar again.
  GetWindowRect(tab, &tabRect);
  EXPECT_EQ(tabRect.top - after.top, 70);
}

TEST_F(FullScreenTest, FloatingButtonFadesAfterItsTimerAndOnLeavingAndLeavesFullScreen) {
  CreateMainWindow();
  OpenTabWindow();
  strip()->SelectTab(Tab(0).button);
  window()->EnterFullScreen();
  auto* button = Owned<CFullscreenBtn>();
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(button->GetHWND(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  SaveScreenshot(button->GetHWND(), "fullscreen_button");
  // Entering started the fade's timer; its tick is sent here rather than
  // waited for.
  EXPECT_TRUE(KillTimer(button->GetHWND(), CFullscreenBtn::kFadeTimerId));
  SendMessageA(button->GetHWND(), WM_TIMER, CFullscreenBtn::kFadeTimerId, 0);
  GetLayeredWindowAttributes(button->GetHWND(), nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 1);
  SendMessageA(button->GetHWND(), WM_MOUSEHOVER, 0, 0);
  GetLayeredWindowAttributes(button->GetHWND(), nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 200);
  SendMessageA(button->GetHWND(), WM_MOUSELEAVE, 0, 0);
  GetLayeredWindowAttributes(button->GetHWND(), nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 1);
  ClickControl(button->GetHWND(), *button->GetPaintManager(), "fullscreen");
  EXPECT_FALSE(window()->IsFullScreen());
}

// Every way out leaves the same state behind: the very next press of the key
// enters full screen again. The keys go where the focus is, which full screen
// leaves with the main window.
TEST_F(FullScreenTest, EveryWayOutLetsTheNextKeyPressEnterAgain) {
  CreateMainWindow();
  OpenTabWindow();
  strip()->SelectTab(Tab(0).button);
  RECT before;
  GetWindowRect(hwnd(), &before);
  const int fullId = Owned<CSettingWnd>()->GetHotKeyId(CSettingWnd::kFullKey);
  auto* button = Owned<CFullscreenBtn>();
  const std::pair<const char*, std::function<void()>> waysOut[] = {
      {"Escape", [] { SendMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"floating button", [&] { ClickControl(button->GetHWND(), *button->GetPaintManager(), "fullscreen"); }},
      {"key", [&] { SendMessageA(hwnd(), WM_HOTKEY, fullId, 0); }},
  };
  SendMessageA(hwnd(), WM_HOTKEY, fullId, 0);
  for (const auto& [way, leave] : waysOut) {
    ASSERT_TRUE(window()->IsFullScreen()) << way;
    leave();
    PumpToolkit();
    RECT after;
    GetWindowRect(hwnd(), &after);
    EXPECT_FALSE(window()->IsFullScreen()) << way;
    EXPECT_TRUE(EqualRect(&before, &after)) << way;
    EXPECT_FALSE(IsWindowVisible(button->GetHWND())) << way;
    SendMessageA(hwnd(), WM_HOTKEY, fullId, 0);
    EXPECT_TRUE(window()->IsFullScreen()) << way << ", then the key";
  }
}

// Real key presses, as the user makes them, many times in a row: the system
// hands them to the window that has the keyboard, which stays the main
// window all through full screen, so no hand-over can lose a key.
TEST_F(FullScreenTest, RealKeysEnterAndLeaveManyTimesInARow) {
  CreateMainWindow();
  OpenTabWindow();
  strip()->SelectTab(Tab(0).button);
  SetForegroundWindow(hwnd());
  PumpToolkit();
  const auto press = [](WORD key) {
    INPUT strokes[2] = {};
    for (INPUT& stroke : strokes) {
      stroke.type = INPUT_KEYBOARD;
      stroke.ki.wVk = key;
    }
    strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, strokes, sizeof(INPUT));
  };
  for (int round = 0; round < 20; ++round) {
    press(VK_F11);
    ASSERT_TRUE(PumpUntil([&] { return window()->IsFullScreen(); }, 2000)) << "round " << round << ", the key";
    ASSERT_EQ(GetForegroundWindow(), hwnd()) << "round " << round;
    press(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !window()->IsFullScreen(); }, 2000)) << "round " << round << ", Escape";
  }
}

using SkinTest = MainWindowTest;

TEST_F(SkinTest, StoredIndexIsReadClampedAndWrittenBack) {
  for (const auto& [stored, index, folder] :
       {std::make_tuple("", "0", "Default"), std::make_tuple("7", "7", "Default"),
        std::make_tuple("12", "0", "Default"), std::make_tuple("-1", "0", "Default"),
        std::make_tuple("3", "3", "Pink"), std::make_tuple("x", "0", "Default")}) {
    if (*stored != '\0') WriteConfig("Setting", "Skin", stored);
    CreateMainWindow();
    EXPECT_STREQ(window()->GetSkinName(), folder) << stored;
    EXPECT_EQ(ReadConfig("Setting", "Skin"), index) << stored;
    CloseMainWindow();
    DeleteFileA(ConfigIni().c_str());
  }
}

TEST_F(SkinTest, ChooserAppliesTheSkinEverywhereAndStoresIt) {
  CreateMainWindow();
  OpenTabWindow();
  OpenTabWindow();
  window()->ShowSettingsWindow();  // a small window open during the change
  auto* chooser = Owned<CSkinWnd>();
  chooser->Show();
  PumpToolkit();
  SaveScreenshot(chooser->GetHWND(), "skin_window");
  ClickControl(chooser->GetHWND(), *chooser->GetPaintManager(), "skinbtn3");
  EXPECT_TRUE(chooser->IsShown());  // stays open for another try
  EXPECT_EQ(ReadConfig("Setting", "Skin"), "2");
  EXPECT_STREQ(window()->GetSkinName(), "Green");
  const std::string green = "skin/Green/";
  auto& pm = *window()->GetPaintManager();
  EXPECT_EQ(std::string(pm.FindControl("main_bg")->GetBkImage()), "skin/Green/mainbg.png");
  auto* home = static_cast<DuiLib::COptionUI*>(pm.FindControl("maintab"));
  EXPECT_NE(std::string(home->GetNormalImage()).find(green), std::string::npos);
  EXPECT_NE(std::string(home->GetSelectedImage()).find(green), std::string::npos);
  for (const auto& record : window()->GetTabBar()->GetTabRecords()) {
    EXPECT_NE(std::string(record->button->GetTabButton()->GetNormalImage()).find(green), std::string::npos);
    EXPECT_NE(std::string(record->button->GetTabButton()->GetSelectedImage()).find(green), std::string::npos);
  }
  for (DuiLib::WindowImplBase* window :
       std::initializer_list<DuiLib::WindowImplBase*>{chooser, Owned<CSettingWnd>(), Owned<CAboutWnd>(),
                                                      Owned<CCloseHintDialog>(), Owned<CMessageWnd>()}) {
    EXPECT_EQ(std::string(window->GetPaintManager()->FindControl("main_bg")->GetBkImage()),
              "skin/Green/mainbg.png");
  }
  SaveScreenshot(Owned<CSettingWnd>()->GetHWND(), "settings_green");
  SaveScreenshot(hwnd(), "main_green");
  ClickControl(chooser->GetHWND(), *chooser->GetPaintManager(), "yesbtn");
  EXPECT_FALSE(chooser->IsShown());
}

}  // namespace
}  // namespace tamvelo::test
