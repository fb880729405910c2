#include "box/app/run_box.h"

#include <objbase.h>

#include <new>

#include "box/app/browser_feature.h"
#include "box/app/skin_resources.h"
#include "box/mainwnd/main_wnd.h"
#include "box/shared/startup_marks.h"
#include "common/protocol.h"

namespace protocol = tamvelo::protocol;

namespace {

constexpr DWORD kMainWindowStyle = WS_VISIBLE | WS_OVERLAPPEDWINDOW;  // 0x10CF0000
constexpr int kMainWindowWidth = 1020;
constexpr int kMainWindowHeight = 690;

// Without its skin the window cannot exist; a silent end would look like
// a crash, so the user is told once.
void ReportMissingFiles() {
  MessageBoxA(nullptr, "tamvelo游戏盒子的程序文件不完整，无法启动。请重新安装后再试。", "tamvelo游戏盒子",
              MB_OK | MB_ICONERROR);
}

}  // namespace

void ActivateRunningInstance() {
  HWND running = FindWindowA(protocol::kMainWindowClass, nullptr);
  if (running == nullptr) return;
  // A running box that is hung does not keep this start from ending.
  const COPYDATASTRUCT record = protocol::MakeActivateRecord();
  protocol::SendRecord(running, &record);
}

int RunTamveloBox(HINSTANCE instance) {
  // Kept open for the life of the process: the mutex marks the running one.
  HANDLE mutex = CreateMutexA(nullptr, FALSE, kInstanceMutexName);
  if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    ActivateRunningInstance();
    return 0;
  }

  using tamvelo::app::NoteStartup;
  using tamvelo::app::StartupMark;
  if (FAILED(CoInitialize(nullptr))) return 0;
  NoteStartup(StartupMark::ComInitialised);
  DuiLib::CPaintManagerUI::SetInstance(instance);
  SetupSkinResources();
  NoteStartup(StartupMark::SkinResourcesSet);
  BrowserFeatureControl();
  NoteStartup(StartupMark::FeatureValuesWritten);

  auto* window = new (std::nothrow) CMainWnd;
  if (window == nullptr) {
    CoUninitialize();
    return 0;
  }
  // The window owns itself from here on (deleted in OnFinalMessage), also
  // when the creation fails.
  if (window->Create(nullptr, kMainWindowTitle, kMainWindowStyle, 0, 0, 0, kMainWindowWidth,
                     kMainWindowHeight) == nullptr) {
    ReportMissingFiles();
    CoUninitialize();
    return 0;
  }
  NoteStartup(StartupMark::MainWindowCreated);
  window->CenterWindow();
  DuiLib::CPaintManagerUI::MessageLoop();
  CoUninitialize();
  return 0;
}
