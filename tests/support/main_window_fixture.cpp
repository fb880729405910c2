#include "tests/support/main_window_fixture.h"

#include <objbase.h>

#include "box/app/skin_resources.h"
#include "box/web/offline_page_host.h"
#include "common/ini.h"
#include "tests/support/skin_install.h"

namespace tamvelo::test {

namespace {

// The skin lives in the data folder, where the program looks for it.
class SkinEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    CoInitialize(nullptr);
    skin_ = std::make_unique<SkinInstall>();
    SetupSkinResources();
  }
  void TearDown() override {
    skin_.reset();
    CoUninitialize();
  }

 private:
  std::unique_ptr<SkinInstall> skin_;
};

const auto* const kSkinEnvironment = ::testing::AddGlobalTestEnvironment(new SkinEnvironment);

int WINAPI AnswerMessageBox(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }

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

void MainWindowTest::SetUp() {
  data_ = std::make_unique<DataFolderScope>();
  DeleteFileA(ConfigIni().c_str());
  // The update check waits far beyond the test and reports nothing.
  savedHooks_ = net::Hooks();
  net::Hooks().startDelayMs = 3600 * 1000;
  net::Hooks().messageBox = AnswerMessageBox;
  savedOfflinePortal_ = web::OfflinePortal();
  web::OfflinePortal().clear();
}

void MainWindowTest::TearDown() {
  if (window_ != nullptr) {
    while (!strip()->GetTabRecords().empty()) strip()->CloseTab(0);
    // The next test starts with no tab process of this one left.
    EXPECT_TRUE(strip()->Watcher().WaitUntilIdle(20000)) << "a tab was still ending";
    CloseMainWindow();
  }
  PumpToolkit();
  net::Hooks() = savedHooks_;
  web::OfflinePortal() = savedOfflinePortal_;
  data_.reset();
}

void MainWindowTest::CreateMainWindow() {
  window_ = new CMainWnd;
  ASSERT_NE(window_->Create(nullptr, "tamvelo游戏盒子", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0, 0, 1020, 690),
            nullptr)
      << "the main window needs the skin in the data folder";
  window_->CenterWindow();
  TakeQuit(kToolkitFilter);  // nothing of an earlier window counts
}

void MainWindowTest::CloseMainWindow() {
  DestroyWindow(hwnd());  // the window deletes itself
  window_ = nullptr;
}

std::string MainWindowTest::ReadConfig(const char* section, const char* key) const {
  return ini::ReadText(ConfigIni(), section, key);
}

void MainWindowTest::WriteConfig(const char* section, const char* key, const char* value) const {
  ini::WriteText(ConfigIni(), section, key, value);
}

CScrollOptionUI* MainWindowTest::OpenTab(const std::string& title, const std::string& address) {
  CScrollOptionUI* button = strip()->OpenGameTab(title.c_str(), true, address.c_str());
  if (button == nullptr) return nullptr;
  const auto stage = [&] {
    const int index = strip()->FindTab(button);
    return index < 0 ? tabs::TabStage::Stopped : Tab(index).life.stage();
  };
  PumpUntil([&] { return stage() != tabs::TabStage::Starting; }, 20000);
  Pump(50);
  return stage() == tabs::TabStage::Running ? button : nullptr;
}

void MainWindowTest::SettleTabWindow(int index) const {
  // The changes to a tab's window are queued for its thread: a message sent
  // after them returns once they are done.
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(Tab(index).tabWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
}

HWND MainWindowTest::OpenTabWindow() {
  const int before = TabCount();
  if (OpenTab() == nullptr || TabCount() != before + 1) {
    ADD_FAILURE() << "the tab program did not start";
    return nullptr;
  }
  return Tab(before).tabWindow;
}

bool MainWindowTest::TabShown(int index) const {
  SettleTabWindow(index);
  return IsWindowVisible(Tab(index).tabWindow) != FALSE;
}

RECT MainWindowTest::TabPlace(int index) const {
  SettleTabWindow(index);
  RECT rc = {};
  GetWindowRect(Tab(index).tabWindow, &rc);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

DuiLib::CWindowWnd* MainWindowTest::OwnedWindow(bool (*match)(DuiLib::CWindowWnd*)) const {
  OwnedSearch search = {hwnd(), match, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool ProcessEnds(DWORD processId, DWORD timeoutMs) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) return true;  // already gone
  const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

}  // namespace tamvelo::test
