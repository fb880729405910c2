// One real main window for the whole suite, built from the source tree's
// skin in the test prefix's data folder, with the update check held back
// and its message boxes recorded instead of shown.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "box/mainwnd/main_wnd.h"
#include "box/tabs/scroll_tab.h"
#include "tests/support/skin_install.h"
#include "tests/support/window_helpers.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {

// param.ini lists the suite writes before the window reads them.
inline constexpr char kLinktopay15[] = "pay.partner/buy";    // 15 bytes: matches
inline constexpr char kLinktopay14[] = "pay.partner/bu";     // 14 bytes: never matches
inline constexpr char kOtherurl15[] = "games.other/play";   // 16 bytes: matches

class MainWindowEnvironment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;

  static CMainWnd* Window();
  static HWND Handle();
  static CScrollTabUI* Strip();
};

class MainWindowTest : public ::testing::Test {
 protected:
  // Every test leaves the strip empty, whatever it opened.
  void TearDown() override;

  CMainWnd* window() const { return MainWindowEnvironment::Window(); }
  HWND hwnd() const { return MainWindowEnvironment::Handle(); }
  CScrollTabUI* strip() const { return MainWindowEnvironment::Strip(); }

  // Opens a real tab process the way the pages do.
  CScrollOptionUI* OpenTab(const std::string& title, const std::string& address = "http://127.0.0.1/game/1.html");
  const TabRecord& Tab(int index) const { return *strip()->GetTabRecords().at(index); }
  int TabCount() const { return static_cast<int>(strip()->GetTabRecords().size()); }
  bool TabShown(int index) const { return IsWindowVisible(Tab(index).tabWindow) != FALSE; }
  // The tab window's place in client coordinates of the main window.
  RECT TabPlace(int index) const;
};

// Whether a process has ended within the time.
bool ProcessEnds(DWORD processId, DWORD timeoutMs);

}  // namespace tamvelo::test
