// How long the user-interface thread is held by a misbehaving tab process,
// with the product's own bounds: a tab that starts and never becomes idle,
// and quitting (or closing a tab) while a tab hangs in a page script. The
// thread handles no input for these spans.
#include <windows.h>

#include <cstdio>
#include <string>

#include "box/tabs/tab_ending.h"
#include "box/tabs/tab_process.h"

namespace {

namespace tabs = tamvelo::tabs;

double NowMs() { return static_cast<double>(GetTickCount64()); }

PROCESS_INFORMATION StartStandIn(const char* mode) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string commandLine = path;
  commandLine = "\"" + commandLine.substr(0, commandLine.find_last_of('\\') + 1) + "stand-in-tab.exe\" " + mode;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
  return info;
}

HWND WindowOf(DWORD processId) {
  for (int i = 0; i < 200; ++i) {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, "TamveloStandInTab", nullptr)) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (owner == processId) return found;
    }
    Sleep(25);
  }
  return nullptr;
}

}  // namespace

int main() {
  PROCESS_INFORMATION neverIdle = StartStandIn("never-idle");
  double start = NowMs();
  tabs::AwaitTabStart(neverIdle, tabs::kTabStartLimitMs);
  std::printf("opening a tab that never becomes idle holds input: %.0f ms (bound %lu ms)\n", NowMs() - start,
              tabs::kTabStartLimitMs);

  PROCESS_INFORMATION hung = StartStandIn("hang");
  HWND window = WindowOf(hung.dwProcessId);
  Sleep(5500);  // long enough for the system to count the thread as hung
  start = NowMs();
  tabs::EndTabs({{window, hung.hProcess}}, tabs::kTabAnswerMs, tabs::kTabEndGraceMs);
  std::printf("quitting with a tab hung for 5 s holds input: %.0f ms (bound %lu ms a tab)\n", NowMs() - start,
              tabs::kTabAnswerMs);
  CloseHandle(hung.hThread);
  CloseHandle(hung.hProcess);

  PROCESS_INFORMATION fresh = StartStandIn("hang");
  window = WindowOf(fresh.dwProcessId);
  start = NowMs();
  tabs::EndTabs({{window, fresh.hProcess}}, tabs::kTabAnswerMs, tabs::kTabEndGraceMs);
  std::printf("quitting with a tab hung just now holds input: %.0f ms (bound %lu ms a tab)\n", NowMs() - start,
              tabs::kTabAnswerMs);
  WaitForSingleObject(fresh.hProcess, 2 * tabs::kTabEndGraceMs);
  CloseHandle(fresh.hThread);
  CloseHandle(fresh.hProcess);
  return 0;
}
