#include <winsock2.h>

#include "tests/support/box_process.h"

#include <tlhelp32.h>

#include <cstring>

#include "common/protocol.h"
#include "tests/support/window_helpers.h"

namespace tamvelo::test {

BoxProcess::~BoxProcess() {
  if (info_.hProcess == nullptr) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool BoxProcess::Start(const std::string& arguments, const std::string& program) {
  const std::string folder = ExecutableFolder();
  std::string commandLine = program;
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA((folder + program).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.c_str(), &startup, &info_) != FALSE;
}

HWND BoxProcess::WaitForMainWindow(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, protocol::kMainWindowClass, nullptr)) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == info_.dwProcessId) return window;
    }
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

DWORD BoxProcess::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::vector<DWORD> ChildProcesses(DWORD parentId, const char* exeName) {
  std::vector<DWORD> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return children;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ParentProcessID != parentId) continue;
    if (exeName == nullptr || lstrcmpiA(entry.szExeFile, exeName) == 0) children.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return children;
}

namespace {

BOOL CALLBACK CollectTabWindow(HWND window, LPARAM param) {
  char className[protocol::kClassNameBufferChars] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, protocol::kTabWindowClass) == 0)
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

constexpr char kReply[] =
    "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: 24\r\n\r\n"
    "[VERSION]\r\nmainver=1.0\r\n";

}  // namespace

std::vector<HWND> TabWindows(HWND mainWindow) {
  std::vector<HWND> windows;
  EnumChildWindows(mainWindow, CollectTabWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

QuietPortal::QuietPortal() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(80);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 8) != 0) {
    if (listener != INVALID_SOCKET) closesocket(listener);
    return;
  }
  listener_ = listener;
  thread_ = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
}

QuietPortal::~QuietPortal() {
  if (listening()) closesocket(static_cast<SOCKET>(listener_));
  if (thread_) {
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
  }
  WSACleanup();
}

DWORD WINAPI QuietPortal::Serve(void* self) {
  const SOCKET listener = static_cast<SOCKET>(static_cast<QuietPortal*>(self)->listener_);
  for (;;) {
    SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) return 0;  // the listener was closed
    char request[2048];
    std::string text;
    int got = 0;
    while (text.find("\r\n\r\n") == std::string::npos && (got = recv(client, request, sizeof request, 0)) > 0)
      text.append(request, got);
    send(client, kReply, sizeof kReply - 1, 0);
    shutdown(client, SD_SEND);
    closesocket(client);
  }
}

}  // namespace tamvelo::test
