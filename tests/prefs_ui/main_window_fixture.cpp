#include "tests/prefs_ui/main_window_fixture.h"

#include <algorithm>

namespace prefstest {

namespace {

constexpr char kTabClass[] = "PrefsUiStandInTab";

LRESULT CALLBACK StandInTabProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A sent WM_DESTROY is the main program's command to close; it does not
  // destroy the window itself.
  if (message == WM_DESTROY) DestroyOrder().push_back(window);
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterTabClass() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = StandInTabProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kTabClass;
  RegisterClassA(&wc);
}

}  // namespace

std::vector<HWND>& DestroyOrder() {
  static std::vector<HWND> order;
  return order;
}

void MainWindowTest::SetUp() {
  PrefsUiTest::SetUp();
  RegisterTabClass();
  DestroyOrder().clear();
}

void MainWindowTest::CreateMainWindow() {
  main_ = new CMainWnd;
  ASSERT_NE(main_->Create(nullptr, "tamvelo游戏盒子", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0, 0, 1020, 690), nullptr);
  main_->CenterWindow();
  TakeQuit();  // nothing of an earlier window counts
}

void MainWindowTest::TearDown() {
  if (main_ != nullptr) {
    auto& records = const_cast<std::vector<TabRecord*>&>(main_->GetTabBar()->GetTabRecords());
    for (TabRecord* record : added_) {
      records.erase(std::remove(records.begin(), records.end(), record), records.end());
      DestroyWindow(record->tabWindow);
      delete record->button;
      delete record;
    }
    main_->GetTabBar()->SetCurrentTabIndex(-1);
    CloseMainWindow();  // the window deletes itself
  }
  PrefsUiTest::TearDown();
}

HWND MainWindowTest::AddTab() {
  HWND tab = CreateWindowExA(0, kTabClass, "tab", WS_CHILD, 0, 70, 100, 100, main(), nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  auto* record = new TabRecord;
  record->tabWindow = tab;
  record->button = new CScrollOptionUI;  // not in the control tree: the test owns it
  const_cast<std::vector<TabRecord*>&>(main_->GetTabBar()->GetTabRecords()).push_back(record);
  added_.push_back(record);
  return tab;
}

void MainWindowTest::SelectTab(int index) {
  main_->GetTabBar()->SetCurrentTabIndex(index);
  main_->SetFullScreenAvailable(true);
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
