#include "tests/support/stand_in_main_window.h"

#include <cwchar>

#include "common/protocol.h"
#include "common/text_codec.h"

namespace tamvelo::test {

namespace {

void RegisterStandInClass() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;  // replaced per window below
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = protocol::kMainWindowClassW;
  RegisterClassW(&wc);
}

}  // namespace

StandInMainWindow::StandInMainWindow(int width, int height) {
  RegisterStandInClass();
  window_ = CreateWindowExW(0, protocol::kMainWindowClassW, L"stand-in main window",
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, width, height, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  ShowWindow(window_, SW_SHOWNORMAL);
  Pump(50);
}

StandInMainWindow::~StandInMainWindow() { Destroy(); }

void StandInMainWindow::Destroy() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

LRESULT CALLBACK StandInMainWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<StandInMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_COPYDATA && self != nullptr) {
    const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    self->records_.push_back(
        {record->dwData, record->cbData, protocol::ReadRecordTextW(record).value_or(L"")});
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

namespace {

struct ChildSearch {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<ChildSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t className[protocol::kClassNameBufferChars] = {};
  GetClassNameW(window, className, protocol::kClassNameBufferChars);
  if (processId == search->processId && std::wcscmp(className, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindChildOf(HWND parent, DWORD processId, const wchar_t* className) {
  ChildSearch search{processId, className, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TabProcessRun::TabProcessRun(const std::wstring& commandLine) {
  std::wstring line = commandLine;  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  const std::wstring exe = WideFromNarrow(ExecutableFolder() + "tamvelo-tab.exe");
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info_)) {
    info_ = {};
  }
}

TabProcessRun::~TabProcessRun() {
  if (info_.hProcess == nullptr) return;
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool TabProcessRun::Running() const {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD TabProcessRun::WaitForExit(DWORD timeoutMs) {
  if (info_.hProcess == nullptr) return STILL_ACTIVE;
  PumpUntil([this] { return !Running(); }, timeoutMs);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace tamvelo::test
