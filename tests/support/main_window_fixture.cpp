#include "tests/mainwnd/main_window_fixture.h"

#include <objbase.h>

#include "box/app/skin_resources.h"
#include "box/net/net_hooks.h"
#include "common/ini.h"
#include "common/protocol.h"

namespace tamvelo::test {

namespace {

struct Suite {
  std::unique_ptr<DataFolderScope> data;
  std::unique_ptr<SkinInstall> skin;
  CMainWnd* window = nullptr;
  HWND hwnd = nullptr;
  net::NetHooks savedHooks;
};
Suite suite;

int WINAPI RecordMessageBox(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }

void WriteList(const std::string& path, const char* section, const std::vector<std::string>& entries) {
  ini::WriteInt(path, section, "count", static_cast<int>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i)
    ini::WriteText(path, section, ("str" + std::to_string(i + 1)).c_str(), entries[i]);
}

}  // namespace

void MainWindowEnvironment::SetUp() {
  CoInitialize(nullptr);
  suite.data = std::make_unique<DataFolderScope>();
  suite.skin = std::make_unique<SkinInstall>();
  WriteList(suite.data->ParamIni(), "Linktopay", {kLinktopay14, kLinktopay15});
  WriteList(suite.data->ParamIni(), "Otherurl", {kOtherurl15, kLinktopay15});
  // The update check waits far beyond the suite and reports nothing.
  suite.savedHooks = net::Hooks();
  net::Hooks().startDelayMs = 3600 * 1000;
  net::Hooks().messageBox = RecordMessageBox;

  SetupSkinResources();
  suite.window = new CMainWnd;
  suite.hwnd = suite.window->Create(nullptr, "tamvelo游戏盒子", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0, 0,
                                    1020, 690);
  ASSERT_NE(suite.hwnd, nullptr) << "the main window needs the skin in the data folder";
  suite.window->CenterWindow();
  Pump(300);
}

void MainWindowEnvironment::TearDown() {
  if (suite.hwnd && IsWindow(suite.hwnd)) DestroyWindow(suite.hwnd);
  Pump(100);
  net::Hooks() = suite.savedHooks;
  suite.skin.reset();
  suite.data.reset();
  CoUninitialize();
}

CMainWnd* MainWindowEnvironment::Window() { return suite.window; }
HWND MainWindowEnvironment::Handle() { return suite.hwnd; }
CScrollTabUI* MainWindowEnvironment::Strip() { return suite.window->GetTabBar(); }

void MainWindowTest::TearDown() {
  while (!strip()->GetTabRecords().empty()) strip()->CloseTab(0);
  Pump(50);
}

CScrollOptionUI* MainWindowTest::OpenTab(const std::string& title, const std::string& address) {
  CScrollOptionUI* button = strip()->OpenGameTab(title.c_str(), true, address.c_str());
  Pump(50);
  return button;
}

RECT MainWindowTest::TabPlace(int index) const {
  RECT rc = {};
  GetWindowRect(Tab(index).tabWindow, &rc);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool ProcessEnds(DWORD processId, DWORD timeoutMs) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) return true;  // already gone
  const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

}  // namespace tamvelo::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new tamvelo::test::MainWindowEnvironment);
  return RUN_ALL_TESTS();
}
