// The main window's start-up values and the messages it takes from tab
// processes, a second start, the update thread and the system.
#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "box/app/skin_resources.h"
#include "box/shared/process_values.h"
#include "box/shared/startup_marks.h"
#include "common/data_folder.h"
#include "common/protocol.h"
#include "duilib/UIResource.h"
#include "tests/mainwnd/open_main_window.h"
#include "tests/support/sample_data.h"

namespace tamvelo::test {
namespace {

TEST(StartUp, SkinComesFromTheDataFolder) {
  SetupSkinResources();
  const std::string path = DuiLib::CPaintManagerUI::GetResourcePath();
  EXPECT_EQ(path, DataFolder());
  EXPECT_EQ(path.substr(path.size() - 17), "\\tamvelo\\gamebox\\");
  EXPECT_EQ(DuiLib::CPaintManagerUI::GetResourceType(), kSkinResourceType);
  EXPECT_FALSE(DuiLib::CResourceStore::HasZip()) << "the program carries no skin archive";
}

// A build that carries its skin as a zip in the program's resources
// ("ZIPRES"/"IDR_ZIPRES"): the toolkit reads from the archive and takes its
// resource map. A copy of a program of the tests gets such a resource.
TEST(StartUp, AnArchiveInTheProgramsResourcesBecomesTheSkin) {
  TempDir temp;
  const std::string module = temp.File("skin_carrier.exe");
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string bin(self, std::string(self).find_last_of('\\') + 1);
  ASSERT_TRUE(CopyFileA((bin + "stand-in-tab.exe").c_str(), module.c_str(), FALSE));
  const std::string zip = tamvelo::test::BuildZip(
      {{"res.xml", "<Res><Text id=\"carried\" value=\"from the archive\"/></Res>"}});
  HANDLE update = BeginUpdateResourceA(module.c_str(), FALSE);
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(UpdateResourceA(update, "ZIPRES", "IDR_ZIPRES", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                              const_cast<char*>(zip.data()), static_cast<DWORD>(zip.size())));
  ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
  HMODULE carrier = LoadLibraryExA(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(carrier, nullptr);

  DuiLib::CPaintManagerUI::SetResourceDll(carrier);
  SetupSkinResources();
  EXPECT_TRUE(DuiLib::CResourceStore::HasZip());
  const char* carried = DuiLib::CResourceManager::GetInstance()->GetText("carried");
  EXPECT_STREQ(carried != nullptr ? carried : "", "from the archive");
  EXPECT_EQ(std::string(DuiLib::CPaintManagerUI::GetResourcePath()), DataFolder());

  DuiLib::CResourceStore::ClearResourceZip();
  DuiLib::CResourceManager::GetInstance()->ResetResourceMap();
  DuiLib::CPaintManagerUI::SetResourceDll(nullptr);  // the program again
  FreeLibrary(carrier);
}

// The moments of a start as the main window notes them, each once; and
// whether the hidden windows existed at the first paint.
struct StartupSeen {
  static inline std::vector<app::StartupMark> marks;
  static inline CMainWnd* window = nullptr;
  static inline bool hiddenWindowsAtFirstPaint = false;
  static void Note(app::StartupMark mark) {
    if (std::find(marks.begin(), marks.end(), mark) != marks.end()) return;
    marks.push_back(mark);
    if (mark == app::StartupMark::FirstPaint) hiddenWindowsAtFirstPaint = window->GetHungPage() != nullptr;
  }
};

class StartUpOrder : public MainWindowTest {
 protected:
  void TearDown() override {
    app::SetStartupObserver(nullptr);
    MainWindowTest::TearDown();
  }
};

// The user sees the window drawn first; the home page, the tray icon, the
// hidden windows and the background work (update thread last) follow.
TEST_F(StartUpOrder, TheFirstPaintComesBeforeEverythingTheUserDoesNotSeeYet) {
  using app::StartupMark;
  StartupSeen::marks.clear();
  app::SetStartupObserver(StartupSeen::Note);
  CreateMainWindow();
  StartupSeen::window = window();
  // The entry point notes the moments around the window's creation.
  const std::vector<StartupMark> expected = {StartupMark::MainWindowBuilt, StartupMark::WindowInit,
                                             StartupMark::FirstPaint, StartupMark::WaitingTabStarted,
                                             StartupMark::UpdateThreadStarted};
  ASSERT_TRUE(PumpUntil([&] { return StartupSeen::marks.size() == expected.size(); }, 10000))
      << StartupSeen::marks.size();
  EXPECT_EQ(StartupSeen::marks, expected);
  EXPECT_FALSE(StartupSeen::hiddenWindowsAtFirstPaint);
  EXPECT_NE(window()->GetHungPage(), nullptr) << "the hidden windows come after the first paint";
}

class MainWindowValues : public OpenMainWindowTest {};

TEST_F(MainWindowValues, InitWindowPublishesProcessValuesAndPaths) {
  const app::ProcessValues& values = app::MainProgramValues();
  EXPECT_FLOAT_EQ(values.programVersion, 1.0f);
  EXPECT_EQ(values.mainWindow, hwnd());
  EXPECT_EQ(std::string(values.paramIniPath), DataFolder() + "config\\param.ini");
  EXPECT_EQ(std::string(values.versionIniPath), DataFolder() + "config\\version.ini");
  EXPECT_EQ(std::string(window()->GetConfigPath()), DataFolder() + "config\\config.ini");
  char className[32] = {};
  GetClassNameA(hwnd(), className, sizeof className);
  EXPECT_STREQ(className, "MainWnd_Tamvelo_Box");
  EXPECT_EQ(FindWindowA(protocol::kMainWindowClass, nullptr), hwnd());
  // The strip read its lists from param.ini.
  EXPECT_EQ(strip()->GetCurrentTabIndex(), -1);
  EXPECT_TRUE(strip()->IsLinktopayUrl((std::string("x") + kLinktopay15).c_str()));
}

class TabRecords : public OpenMainWindowTest {};

TEST_F(TabRecords, TitleGoesToTheSendingTabOnly) {
  ASSERT_NE(OpenTab("one"), nullptr);
  ASSERT_NE(OpenTab("two"), nullptr);
  const std::wstring ten = L"\u6e38\u620f\u5927\u5385\u5feb\u4e50\u5f00\u5fc3\u597d\u73a9";
  SendTitle(hwnd(), Tab(1).hostWindow, ten);
  DuiLib::COptionUI* second = Tab(1).button->GetTabButton();
  EXPECT_EQ(std::string(second->GetText()), Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb\u4e50") + "...");
  EXPECT_EQ(std::string(second->GetToolTip()), Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb\u4e50\u5f00\u5fc3\u597d\u73a9"));
  EXPECT_STREQ(Tab(0).button->GetTabButton()->GetText(), "one");

  // A title from a window that is no tab's host changes nothing.
  SendTitle(hwnd(), reinterpret_cast<HWND>(0x1234), L"stranger");
  SendTitle(hwnd(), hwnd(), L"stranger");
  EXPECT_STREQ(Tab(0).button->GetTabButton()->GetText(), "one");
  EXPECT_EQ(std::string(second->GetToolTip()), Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb\u4e50\u5f00\u5fc3\u597d\u73a9"));
}

TEST_F(TabRecords, HostileRecordsAreReadWithinTheirBytes) {
  ASSERT_NE(OpenTab("one"), nullptr);
  const HWND host = Tab(0).hostWindow;
  // No terminator, an odd byte count: the text ends with the record.
  const wchar_t unterminated[] = {L'a', L'b', L'c', L'd'};
  SendCopyData(hwnd(), reinterpret_cast<ULONG_PTR>(host), unterminated, 7);
  EXPECT_STREQ(Tab(0).button->GetTabButton()->GetText(), "abc");
  // A title or an address without data: nothing happens.
  SendCopyData(hwnd(), reinterpret_cast<ULONG_PTR>(host), nullptr, 40);
  SendCopyData(hwnd(), protocol::CopyDataOpenTab, nullptr, 0);
  SendCopyData(hwnd(), protocol::CopyDataOpenTab, L"x", 0);
  EXPECT_EQ(TabCount(), 1);
  EXPECT_STREQ(Tab(0).button->GetTabButton()->GetText(), "abc");
}

TEST_F(TabRecords, OpenTabRecordOpensATabWithTheAddressAsTitle) {
  const std::wstring address = L"http://127.0.0.1/game/2.html";
  SendCopyData(hwnd(), protocol::CopyDataOpenTab, address.c_str(),
             static_cast<DWORD>((address.size() + 1) * sizeof(wchar_t)));
  ASSERT_EQ(TabCount(), 1);
  // Cut to 12 bytes and "..." in text and tooltip alike, until a page title
  // comes; the text once the game's window joined.
  EXPECT_STREQ(Tab(0).button->GetTabButton()->GetToolTip(), "http://127.0...");
  ASSERT_TRUE(PumpUntil([&] { return Tab(0).life.stage() == tabs::TabStage::Running; }, 15000));
  EXPECT_STREQ(Tab(0).button->GetTabButton()->GetText(), "http://127.0...");
  EXPECT_STREQ(Tab(0).button->GetTabButton()->GetToolTip(), "http://127.0...");
  EXPECT_TRUE(TabShown(0));
}

TEST_F(TabRecords, ActivateRecordWithoutDataBringsTheWindowBack) {
  window()->HideMainWindow();
  Pump(50);
  ASSERT_FALSE(IsWindowVisible(hwnd()));
  COPYDATASTRUCT record = protocol::MakeActivateRecord();
  SendMessageA(hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
  Pump(50);
  EXPECT_TRUE(IsWindowVisible(hwnd()));
  EXPECT_FALSE(IsIconic(hwnd()));
}

class WindowMessages : public OpenMainWindowTest {};

TEST_F(WindowMessages, ResizingPlacesEveryTabWindowHiddenOnesToo) {
  ASSERT_NE(OpenTab("one"), nullptr);
  ASSERT_NE(OpenTab("two"), nullptr);
  ASSERT_FALSE(TabShown(0));
  RECT before;
  GetWindowRect(hwnd(), &before);
  SetWindowPos(hwnd(), nullptr, 0, 0, 1100, 720, SWP_NOMOVE | SWP_NOZORDER);
  Pump(50);
  RECT client;
  GetClientRect(hwnd(), &client);
  ASSERT_EQ(client.right, 1100);
  for (int i = 0; i < 2; ++i) {
    const RECT place = TabPlace(i);
    EXPECT_EQ(place.left, 0) << i;
    EXPECT_EQ(place.top, 70) << i;
    EXPECT_EQ(place.right, 1100) << i;
    EXPECT_EQ(place.bottom, 720) << i;
  }
  EXPECT_FALSE(TabShown(0));
  // Minimised, the tabs keep their places.
  ShowWindow(hwnd(), SW_MINIMIZE);
  Pump(50);
  EXPECT_EQ(TabPlace(1).bottom - TabPlace(1).top, 650);
  ShowWindow(hwnd(), SW_RESTORE);
  SetWindowPos(hwnd(), nullptr, 0, 0, before.right - before.left, before.bottom - before.top,
               SWP_NOMOVE | SWP_NOZORDER);
  Pump(50);
}

// The two caption buttons follow the window's real state whichever way it
// changes, coming back from hiding included.
TEST_F(WindowMessages, MaximiseAndRestoreButtonsFollowTheRealState) {
  DuiLib::CPaintManagerUI* pm = window()->GetPaintManager();
  const HWND main = hwnd();
  auto captionDoubleClick = [main] {
    RECT rc;
    GetWindowRect(main, &rc);
    SendMessageA(main, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(rc.left + 300, rc.top + 10));
  };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"SC_MAXIMIZE", [main] { SendMessageA(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0); }},
      {"SC_RESTORE", [main] { SendMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0); }},
      {"caption double click", captionDoubleClick},
      {"hidden and restored", [this] {
         window()->HideMainWindow();
         window()->RestoreMainWindow();
       }},
      {"caption double click again", captionDoubleClick},
      {"caption double click back", captionDoubleClick},
  };
  const bool zoomedAfter[] = {true, false, true, false, true, false};
  for (size_t i = 0; i < std::size(steps); ++i) {
    steps[i].second();
    Pump(50);
    const bool zoomed = IsZoomed(main) != FALSE;
    EXPECT_EQ(zoomed, zoomedAfter[i]) << steps[i].first;
    EXPECT_EQ(pm->FindControl("restorebtn")->IsVisible(), zoomed) << steps[i].first;
    EXPECT_EQ(pm->FindControl("maxbtn")->IsVisible(), !zoomed) << steps[i].first;
  }
}

// The login button's text and the account menu's arrow, which only a
// logged-in user has.
TEST_F(WindowMessages, LoginButtonShowsTheAccountArrowOnlyWhenLoggedIn) {
  DuiLib::CPaintManagerUI* pm = window()->GetPaintManager();
  for (const auto& [text, loggedIn] : {std::make_pair("player one", true), std::make_pair("", false),
                                      std::make_pair("", true), std::make_pair("log in", false)}) {
    window()->SetLoginButton(text, loggedIn);
    EXPECT_EQ(pm->FindControl("down_sel")->IsVisible(), loggedIn) << text;
    EXPECT_EQ(std::string(pm->FindControl("login_btn")->GetText().GetData()), text);
  }
}

// Selecting the home tab hides the shown game and withdraws full screen; with
// no game shown it only brings the home page.
TEST_F(WindowMessages, HomeTabHidesTheShownGame) {
  DuiLib::CPaintManagerUI* pm = window()->GetPaintManager();
  auto* pages = static_cast<DuiLib::CTabLayoutUI*>(pm->FindControl("body_main_tablayout"));
  DuiLib::TNotifyUI select;
  select.sType = DUI_MSGTYPE_SELECTCHANGED;
  select.pSender = pm->FindControl("maintab");
  ASSERT_NE(OpenTab("game"), nullptr);
  ASSERT_TRUE(TabShown(0));
  pages->SelectItem(1);
  window()->OnSelectChanged(select);
  EXPECT_FALSE(TabShown(0));
  EXPECT_EQ(strip()->GetCurrentTabIndex(), -1);
  EXPECT_FALSE(window()->IsFullScreenAvailable());
  EXPECT_EQ(pages->GetCurSel(), 0);
  pages->SelectItem(1);
  window()->OnSelectChanged(select);  // no game shown
  EXPECT_EQ(pages->GetCurSel(), 0);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), -1);
  EXPECT_EQ(TabCount(), 1);
}

// Counts the wheel turns the toolkit hands it.
class WheelCounter : public DuiLib::CControlUI {
 public:
  void DoEvent(DuiLib::TEventUI& event) override {
    if (event.Type == DuiLib::UIEVENT_SCROLLWHEEL) ++turns;
    DuiLib::CControlUI::DoEvent(event);
  }
  int turns = 0;
};

// A visible "ie" under the cursor takes the wheel past the toolkit; else the
// toolkit scrolls its own controls. The skin has no "ie": the test lays one
// over a counter of its own, on top of everything.
TEST_F(WindowMessages, WheelOverAVisibleIeControlBypassesTheToolkit) {
  DuiLib::CPaintManagerUI* pm = window()->GetPaintManager();
  auto* root = static_cast<DuiLib::CContainerUI*>(pm->GetRoot());
  auto* below = new WheelCounter;
  auto* ie = new WheelCounter;
  below->ApplyAttributeList("float=\"true\" pos=\"100,200,500,500\"");
  ie->ApplyAttributeList("name=\"ie\" float=\"true\" pos=\"200,300,400,400\"");
  ASSERT_TRUE(root->Add(below));
  ASSERT_TRUE(root->Add(ie));
  pm->InitControls(below, root);
  pm->InitControls(ie, root);
  below->SetPos({100, 200, 500, 500});
  ie->SetPos({200, 300, 400, 400});
  ASSERT_EQ(pm->FindControl("ie"), ie);
  struct Row {
    const char* what;
    bool ieVisible;
    POINT client;
    int ieTurns, belowTurns;
  } rows[] = {
      {"over the visible ie", true, {300, 350}, 0, 0},
      {"beside it", true, {150, 250}, 0, 1},
      {"over the hidden ie", false, {300, 350}, 0, 1},
  };
  for (const Row& row : rows) {
    ie->SetVisible(row.ieVisible);
    ie->turns = below->turns = 0;
    POINT screen = row.client;
    ClientToScreen(hwnd(), &screen);
    SendMessageA(hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(ie->turns, row.ieTurns) << row.what;
    EXPECT_EQ(below->turns, row.belowTurns) << row.what;
  }
  root->Remove(ie);
  root->Remove(below);
  Pump(50);
}

TEST_F(WindowMessages, BodyPagesFollowTheToolBar) {
  DuiLib::CPaintManagerUI* pm = window()->GetPaintManager();
  auto* pages = static_cast<DuiLib::CTabLayoutUI*>(pm->FindControl("body_main_tablayout"));
  DuiLib::TNotifyUI click;
  click.sType = DUI_MSGTYPE_CLICK;
  click.pSender = pm->FindControl("gamephone");
  window()->OnClick(click);
  EXPECT_EQ(pages->GetCurSel(), 1);
  EXPECT_FALSE(pm->FindControl("body_main_left")->IsVisible());
  // The tool bar's home button brings the portal page back into view.
  click.pSender = pm->FindControl("gamehome");
  window()->OnClick(click);
  EXPECT_EQ(pages->GetCurSel(), 0);
  EXPECT_TRUE(pm->FindControl("body_main_left")->IsVisible());
}

}  // namespace
}  // namespace tamvelo::test
