// The real main window for the tests that need it, with its owned menus and
// small windows reachable from their handles, and stand-in tab windows
// placed in the strip's records.
#pragma once

#include <string>
#include <vector>

#include "box/mainwnd/main_wnd.h"
#include "box/tabs/scroll_tab.h"
#include "tests/prefs_ui/prefs_ui_fixture.h"

namespace prefstest {

// Handles of stand-in tab windows that were sent WM_DESTROY, in order.
std::vector<HWND>& DestroyOrder();

class MainWindowTest : public PrefsUiTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the main window as the program does (call after writing the
  // INI values a test needs).
  void CreateMainWindow();
  // For tests that create it once per stored value.
  void CloseMainWindow() {
    DestroyWindow(main());
    main_ = nullptr;
  }

  // The first window owned by the main window whose object is a T.
  template <class T>
  T* Owned() const {
    return dynamic_cast<T*>(OwnedWindow([](DuiLib::CWindowWnd* w) { return dynamic_cast<T*>(w) != nullptr; }));
  }

  // A stand-in tab: a child window of the main window in a record of the
  // strip, removed again at the end of the test.
  HWND AddTab();
  void SelectTab(int index);

  HWND main() const { return main_->GetHWND(); }
  CMainWnd* main_ = nullptr;

 private:
  DuiLib::CWindowWnd* OwnedWindow(bool (*match)(DuiLib::CWindowWnd*)) const;
  std::vector<TabRecord*> added_;
};

}  // namespace prefstest
