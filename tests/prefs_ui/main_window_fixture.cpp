#include "tests/prefs_ui/main_window_fixture.h"

namespace prefstest {

void MainWindowTest::CreateMainWindow() {
  main_ = new CMainWnd;
  ASSERT_NE(main_->Create(nullptr, "tamvelo游戏盒子", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0, 0, 1020, 690), nullptr);
  main_->CenterWindow();
  TakeQuit();  // nothing of an earlier window counts
}

void MainWindowTest::TearDown() {
  if (main_ != nullptr) {
    CScrollTabUI* strip = main_->GetTabBar();
    while (!strip->GetTabRecords().empty()) strip->CloseTab(0);
    CloseMainWindow();  // the window deletes itself
  }
  PrefsUiTest::TearDown();
}

HWND MainWindowTest::AddTab() {
  CScrollTabUI* strip = main_->GetTabBar();
  const size_t before = strip->GetTabRecords().size();
  if (strip->OpenGameTab("game", true, "http://127.0.0.1/game/1.html") == nullptr ||
      strip->GetTabRecords().size() != before + 1) {
    ADD_FAILURE() << "the tab program did not start";
    return nullptr;
  }
  Pump();
  return strip->GetTabRecords().back()->tabWindow;
}

void MainWindowTest::SelectTab(int index) {
  main_->GetTabBar()->SelectTab(Tabs().at(index)->button);
}

namespace {

struct OwnedSearch {
  HWND owner;
  bool (*match)(DuiLib::CWindowWnd*);
  DuiLib::CWindowWnd* found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<OwnedSearch*>(param);
  if (GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  // The toolkit keeps each window's object in its user data.
  auto* object = reinterpret_cast<DuiLib::CWindowWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (object == nullptr || !search->match(object)) return TRUE;
  search->found = object;
  return FALSE;
}

}  // namespace

DuiLib::CWindowWnd* MainWindowTest::OwnedWindow(bool (*match)(DuiLib::CWindowWnd*)) const {
  OwnedSearch search = {main(), match, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace prefstest
