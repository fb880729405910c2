#include "tab/tab_host.h"

#include <objbase.h>

#include <algorithm>
#include <cwchar>

#include "common/browser_host.h"
#include "common/data_folder.h"
#include "common/protocol.h"
#include "tab/host_window.h"
#include "tab/resource.h"
#include "tab/tab_window.h"
#include "tab/weburl.h"

namespace tamvelo::tab {

namespace {

// How long the end of the process waits for the browser thread to let its
// browser go before the process exits regardless.
constexpr DWORD kBrowserThreadExitMs = 3000;

// Cross-process SetParent of a top-level pop-up window can deadlock; the
// platform asks for the child style before the parent is set.
void MakeChildOf(HWND window, HWND parent) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
  SetParent(window, parent);
}

// Sleeps while the window exists, testing every kWaitPollMs. Messages that
// others send to this thread's hidden window are still answered (so a
// system broadcast never hangs on it); nothing is taken from the queue.
void WaitWhileWindowExists(HWND window) {
  while (IsWindow(window)) {
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < kWaitPollMs; elapsed = GetTickCount() - start) {
      if (MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitPollMs - elapsed, QS_SENDMESSAGE) !=
          WAIT_OBJECT_0) {
        break;
      }
      MSG message;
      PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }
}

void PlaceInMainWindow(HWND tabWindow, HWND mainWindow) {
  MakeChildOf(tabWindow, mainWindow);
  RECT client;
  GetClientRect(mainWindow, &client);
  const int width = std::max(0L, client.right - client.left);
  // The main window's own scale: it lays the tab out by the same rule.
  const int top = protocol::TabTopOffset(WindowDpi(mainWindow));
  const int height = std::max(0L, client.bottom - client.top - top);
  SetWindowPos(tabWindow, nullptr, client.left, client.top + top, width, height, 0);
  ShowWindow(tabWindow, SW_SHOWNORMAL);
  UpdateWindow(tabWindow);
}

// The browser thread starts first: building the browser is the longest step
// of start-up, and it overlaps the main thread's joining of the main window.
bool StartBrowserThread(TabHostState& process) {
  process.joinedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  process.startupEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (process.joinedEvent == nullptr || process.startupEvent == nullptr) return false;
  process.browserThread =
      CreateThread(nullptr, 0, BrowserThreadMain, nullptr, 0, &process.browserThreadId);
  return process.browserThread != nullptr;
}

// Steps of the main thread up to its host window being a child of the main
// window; false when the process is to end (no window, no main window, or
// waiting mode once the main window is gone).
bool JoinMainWindow(TabHostState& process) {
  process.paramIniPath = DataFileW(DataFolderW(), kParamIniNameW);
  process.context.weburls = LoadWeburl(process.paramIniPath);
  HWND host = CreateWindowExW(0, process.hostClassName, process.windowTitle, WS_POPUP, 100, 100, 0,
                              0, nullptr, nullptr, process.instance, nullptr);
  if (host == nullptr) return false;
  process.context.hostWindow = host;
  HWND mainWindow = FindWindowW(protocol::kMainWindowClassW, nullptr);
  if (mainWindow == nullptr) return false;
  process.context.mainWindow = mainWindow;
  if (process.waitingMode) {
    WaitWhileWindowExists(mainWindow);
    return false;
  }
  MakeChildOf(host, mainWindow);
  ShowWindow(host, SW_HIDE);
  UpdateWindow(host);
  return true;
}

void RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void LoadText(HINSTANCE instance, UINT id, wchar_t* buffer) {
  wchar_t loaded[kTitleChars] = {};
  if (LoadStringW(instance, id, loaded, kTitleChars) > 0) std::wcscpy(buffer, loaded);
}

}  // namespace

bool StopBrowserThread(TabHostState& process) {
  if (process.joinedEvent != nullptr) SetEvent(process.joinedEvent);
  if (process.browserThread != nullptr) {
    PostThreadMessageW(process.browserThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process.browserThread, kBrowserThreadExitMs) != WAIT_OBJECT_0) return false;
    CloseHandle(process.browserThread);
    process.browserThread = nullptr;
  }
  for (HANDLE* event : {&process.joinedEvent, &process.startupEvent}) {
    if (*event != nullptr) CloseHandle(*event);
    *event = nullptr;
  }
  delete process.pendingNavigation.exchange(nullptr);
  return true;
}

TabHostState& TabHost() {
  static TabHostState process;
  return process;
}

std::wstring CommandLineArgument(const wchar_t* commandLine) {
  if (commandLine == nullptr) return {};
  const wchar_t* p = commandLine;
  if (*p == L'"') {
    const wchar_t* close = std::wcschr(p + 1, L'"');
    p = close != nullptr ? close + 1 : p + std::wcslen(p);
  } else {
    while (*p != L'\0' && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}

bool RegisterTabProgramClass(const wchar_t* className, WNDPROC procedure) {
  HINSTANCE instance = TabHost().instance;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TAB_LARGE));
  wc.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TAB_SMALL));
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LRESULT PaintNothing(HWND window) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  return 0;
}

int TabHostMain(HINSTANCE instance, const wchar_t* commandLine) {
  if (CommandLineArgument(commandLine).empty()) return 0;
  TabHostState& process = TabHost();
  process.instance = instance;
  process.waitingMode = protocol::IsWaitModeCommandLine(commandLine);
  LoadText(instance, IDS_TAB_WINDOW_TITLE, process.windowTitle);
  std::wcscpy(process.hostClassName, protocol::kHostWindowClassW);
  std::wcscpy(process.tabClassName, protocol::kTabWindowClassW);
  LoadText(instance, IDS_TAB_CLASS_NAME, process.tabClassName);
  // Waiting mode hosts nothing: no browser thread.
  if (process.waitingMode || StartBrowserThread(process)) {
    RegisterTabProgramClass(process.hostClassName, HostWndProc);
    if (TabHostInit()) {
      RunMessageLoop();
      CoUninitialize();
    }
  }
  // A browser thread still running may yet release its browser or fire an
  // event into the shared state: the process ends without destroying it.
  if (!StopBrowserThread(process)) ExitProcess(0);
  return 0;
}

bool TabHostInit() {
  TabHostState& process = TabHost();
  process.joined = JoinMainWindow(process);
  if (process.joinedEvent != nullptr) SetEvent(process.joinedEvent);
  if (!process.joined || process.browserThread == nullptr) return false;
  // This thread's apartment is first needed by its message loop. Started
  // here, while the browser thread finishes its window, it no longer holds
  // up the browser thread's own start of OLE.
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return false;
  // A browser thread that ended without signalling leaves nothing to host.
  const HANDLE signals[] = {process.startupEvent, process.browserThread};
  if (WaitForMultipleObjects(2, signals, FALSE, INFINITE) == WAIT_OBJECT_0) return true;
  CoUninitialize();
  return false;
}

DWORD WINAPI BrowserThreadMain(void*) {
  TabHostState& process = TabHost();
  browser::RegisterBrowserHostClass();
  RegisterTabProgramClass(process.tabClassName, TabWndProc);
  // Created hidden: it is placed and shown once it is a child of the main
  // window (a visible pop-up re-parented across processes can deadlock).
  HWND tabWindow = CreateWindowExW(0, process.tabClassName, process.windowTitle, WS_POPUP, 100, 100,
                                   900, 600, nullptr, nullptr, process.instance, nullptr);
  // No message is taken before both windows are children of the main
  // window: the main program's WaitForInputIdle relies on it.
  WaitForSingleObject(process.joinedEvent, INFINITE);
  if (!process.joined) {
    if (tabWindow != nullptr) DestroyWindow(tabWindow);
    return 0;
  }
  if (tabWindow != nullptr) PlaceInMainWindow(tabWindow, process.context.mainWindow);
  SetEvent(process.startupEvent);
  RunMessageLoop();
  if (tabWindow != nullptr && IsWindow(tabWindow)) DestroyWindow(tabWindow);
  return 0;
}

}  // namespace tamvelo::tab
