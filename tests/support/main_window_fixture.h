// The real main window of the program, created by each test that needs it
// (after the INI values it should read), from the source tree's skin in the
// test prefix's data folder. The update check is held back and its message
// boxes answered unseen, so no test talks to the portal host. The offline
// page watches no portal unless a test names one: the test build's portal
// is unreachable, and the page would take the home page's place. Its owned
// menus and small windows are reachable from their handles, and real tab
// processes open through the strip as the pages open them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "box/mainwnd/main_wnd.h"
#include "box/net/net_hooks.h"
#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_process.h"
#include "tests/support/test_support.h"
#include "tests/support/toolkit_pump.h"
#include "tests/support/window_helpers.h"

namespace tamvelo::test {

// Every test gets a data folder whose INI files are put back afterwards,
// with config.ini absent to start with.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // Closes what the test opened: its tabs, then the window.
  void TearDown() override;

  // Creates the main window as the program does.
  void CreateMainWindow();
  // For tests that create it once per stored value.
  void CloseMainWindow();

  CMainWnd* window() const { return window_; }
  HWND hwnd() const { return window_->GetHWND(); }
  CScrollTabUI* strip() const { return window_->GetTabBar(); }

  std::string ConfigIni() const { return data_->ConfigIni(); }
  std::string ParamIni() const { return data_->ParamIni(); }
  // Value as the program reads it ("Error" when absent).
  std::string ReadConfig(const char* section, const char* key) const;
  void WriteConfig(const char* section, const char* key, const char* value) const;

  // Opens a tab the way the pages do and waits until its process joined
  // the main window: its button then, else none (the tab stays, stopped).
  CScrollOptionUI* OpenTab(const std::string& title = "game",
                           const std::string& address = "http://127.0.0.1/game/1.html");
  // The same, failing the test when no tab came; returns its tab window.
  HWND OpenTabWindow();
  const TabRecord& Tab(int index) const { return *strip()->GetTabRecords().at(index); }
  int TabCount() const { return static_cast<int>(strip()->GetTabRecords().size()); }
  // Whether the tab's window shows, and its place in client coordinates of
  // the main window, once the changes queued for it are done.
  bool TabShown(int index) const;
  RECT TabPlace(int index) const;
  void SettleTabWindow(int index) const;

  // The first window owned by the main window whose object is a T.
  template <class T>
  T* Owned() const {
    return dynamic_cast<T*>(OwnedWindow([](DuiLib::CWindowWnd* w) { return dynamic_cast<T*>(w) != nullptr; }));
  }

 private:
  DuiLib::CWindowWnd* OwnedWindow(bool (*match)(DuiLib::CWindowWnd*)) const;

  std::unique_ptr<DataFolderScope> data_;
  net::NetHooks savedHooks_;
  std::string savedOfflinePortal_;
  CMainWnd* window_ = nullptr;
};

// Another program as the game tab's command line for one test (a stand-in
// and its mode, or a program that does not exist); the old one afterwards.
class GameTabProgramReplaced {
 public:
  explicit GameTabProgramReplaced(std::string commandLine) : saved_(tabs::GameTabCommandLine()) {
    tabs::GameTabCommandLine() = std::move(commandLine);
  }
  ~GameTabProgramReplaced() { tabs::GameTabCommandLine() = saved_; }
  GameTabProgramReplaced(const GameTabProgramReplaced&) = delete;
  GameTabProgramReplaced& operator=(const GameTabProgramReplaced&) = delete;

 private:
  std::string saved_;
};

// Whether a process has ended within the time.
bool ProcessEnds(DWORD processId, DWORD timeoutMs);

}  // namespace tamvelo::test
