#include "box/tabs/tab_process.h"

#include <wininet.h>

#include <cstring>
#include <vector>

#include "common/portal_settings.h"
#include "common/protocol.h"

namespace tamvelo::tabs {

namespace protocol = tamvelo::protocol;

void TabProcess::Close() {
  if (threadHandle) CloseHandle(threadHandle);
  if (processHandle) CloseHandle(processHandle);
  threadHandle = processHandle = nullptr;
}

namespace {

bool StartProcess(const std::string& line, PROCESS_INFORMATION& info) {
  char commandLine[protocol::kCommandLineBufferBytes] = {};
  lstrcpynA(commandLine, line.c_str(), sizeof commandLine);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info) != FALSE;
}

BOOL CALLBACK MatchTabWindow(HWND window, LPARAM param) {
  auto& tab = *reinterpret_cast<TabProcess*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != tab.processId) return TRUE;
  char className[protocol::kClassNameBufferChars] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, protocol::kTabWindowClass) == 0) tab.tabWindow = window;
  if (std::strcmp(className, protocol::kHostWindowClass) == 0) tab.hostWindow = window;
  return TRUE;
}

// The last direct child of the class that belongs to the process.
HWND LastDirectChild(HWND mainWindow, const char* className, DWORD processId) {
  HWND found = nullptr;
  for (HWND child = FindWindowExA(mainWindow, nullptr, className, nullptr); child != nullptr;
       child = FindWindowExA(mainWindow, child, className, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    if (owner == processId) found = child;
  }
  return found;
}

}  // namespace

std::string& GameTabCommandLine() {
  static std::string line = protocol::TabCommandLine(protocol::kTabModeToken);
  return line;
}

bool StartTabProcess(const std::string& commandLine, TabProcess& tab) {
  PROCESS_INFORMATION info{};
  if (!StartProcess(commandLine, info)) return false;
  tab.processId = info.dwProcessId;
  tab.processHandle = info.hProcess;
  tab.threadHandle = info.hThread;
  return true;
}

void StartWaitingTabProcess() {
  PROCESS_INFORMATION info{};
  if (!StartProcess(protocol::TabCommandLine(protocol::kWaitModeToken), info)) return;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

void FindTabWindows(HWND mainWindow, TabProcess& tab) {
  // A tab puts both windows right under the main window: looking there by
  // class first keeps the cost from growing with every open tab's browser
  // windows, which the walk at any depth passes through.
  tab.tabWindow = LastDirectChild(mainWindow, protocol::kTabWindowClass, tab.processId);
  tab.hostWindow = LastDirectChild(mainWindow, protocol::kHostWindowClass, tab.processId);
  if (tab.tabWindow != nullptr && tab.hostWindow != nullptr) return;
  EnumChildWindows(mainWindow, MatchTabWindow, reinterpret_cast<LPARAM>(&tab));
}

PortalCookie ReadPortalCookie() {
  PortalCookie cookie;
  DWORD size = 0;
  if (!InternetGetCookieA(kPortalRootUrl, nullptr, nullptr, &size)) size = 0;
  cookie.querySize = size;
  if (size == 0) return cookie;
  std::vector<char> buffer(size + 1, '\0');
  DWORD read = size;
  if (InternetGetCookieA(kPortalRootUrl, nullptr, buffer.data(), &read)) cookie.text = buffer.data();
  return cookie;
}

}  // namespace tamvelo::tabs
