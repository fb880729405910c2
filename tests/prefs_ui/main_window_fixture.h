// The real main window for the tests that need it, with its owned menus and
// small windows reachable from their handles, and real tab processes opened
// through the strip as the pages open them.
#pragma once

#include <string>
#include <vector>

#include "box/mainwnd/main_wnd.h"
#include "box/tabs/scroll_tab.h"
#include "tests/prefs_ui/prefs_ui_fixture.h"

namespace prefstest {

class MainWindowTest : public PrefsUiTest {
 protected:
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

  // Opens a real tab process through the strip; it is closed again at the
  // end of the test. Returns its tab window.
  HWND AddTab();
  void SelectTab(int index);
  const TabRecordList& Tabs() const { return main_->GetTabBar()->GetTabRecords(); }

  HWND main() const { return main_->GetHWND(); }
  CMainWnd* main_ = nullptr;

 private:
  DuiLib::CWindowWnd* OwnedWindow(bool (*match)(DuiLib::CWindowWnd*)) const;
};

}  // namespace prefstest
