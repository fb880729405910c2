// Start-up of tamvelo-box.exe to its first "windowinit", and of one game
// tab from OpenGameTab to its window shown, each as the median of 20 rounds
// beside the start of a minimal GUI program measured in the same run; the
// box's private memory with no tab and with five.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/tab/bench_clock.h"
#include "box/app/skin_resources.h"
#include "box/mainwnd/main_wnd.h"
#include "box/net/net_hooks.h"
#include "box/tabs/scroll_tab.h"
#include "common/protocol.h"
#include "tests/support/box_process.h"
#include "tests/support/skin_install.h"
#include "tests/support/test_support.h"
#include "tests/support/window_helpers.h"

namespace {

using tamvelo::bench::NowMs;
using tamvelo::test::BoxProcess;
using tamvelo::test::ChildProcesses;

constexpr int kRounds = 20;
constexpr DWORD kTimeoutMs = 20000;

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The minimal program's window found and idle: the least a GUI start costs.
double BaselineRound() {
  const std::string exe = tamvelo::test::ExecutableFolder() + "baseline_minimal_gui.exe";
  std::string line = "minimal";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const double start = NowMs();
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return -1;
  double ms = -1;
  if (WaitForInputIdle(info.hProcess, kTimeoutMs) == 0) {
    if (HWND window = FindWindowA("TamveloBenchMinimalGui", nullptr)) {
      ms = NowMs() - start;
      SendMessageA(window, WM_DESTROY, 0, 0);
    }
  }
  if (WaitForSingleObject(info.hProcess, kTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ms;
}

SIZE_T PrivateBytes(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return 0;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  CloseHandle(process);
  // Wine leaves PrivateUsage at 0; the page-file usage is the same figure.
  return memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
}

bool WaitForChild(DWORD parent) {
  const double start = NowMs();
  while (ChildProcesses(parent).empty()) {
    if (NowMs() - start > kTimeoutMs) return false;
    Sleep(1);
  }
  return true;
}

void Quit(BoxProcess& box, HWND main) {
  PostMessageA(main, WM_QUIT, 0, 0);
  box.WaitForExit(kTimeoutMs);
}

// From CreateProcess to "windowinit", whose first act is to start the
// waiting tab process.
double BoxStartRound() {
  BoxProcess box;
  const double start = NowMs();
  if (!box.Start() || !WaitForChild(box.id())) return -1;
  const double ms = NowMs() - start;
  Quit(box, box.WaitForMainWindow(kTimeoutMs));
  return ms;
}

void OpenTabRecord(HWND main, int n) {
  const std::wstring address = L"http://127.0.0.1/games/" + std::to_wstring(n) + L".html";
  COPYDATASTRUCT record = {tamvelo::protocol::CopyDataOpenTab,
                           static_cast<DWORD>((address.size() + 1) * sizeof(wchar_t)),
                           const_cast<wchar_t*>(address.c_str())};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record), SMTO_NORMAL, kTimeoutMs, &result);
}

void MeasureMemory() {
  BoxProcess box;
  if (!box.Start() || !WaitForChild(box.id())) return;
  HWND main = box.WaitForMainWindow(kTimeoutMs);
  Sleep(500);
  const SIZE_T empty = PrivateBytes(box.id());
  for (int i = 1; i <= 5; ++i) OpenTabRecord(main, i);
  Sleep(500);
  const SIZE_T five = PrivateBytes(box.id());
  std::printf("box private memory: %.1f MB with no tab, %.1f MB with 5 tabs (%.2f MB a tab)\n", empty / 1048576.0,
              five / 1048576.0, (static_cast<double>(five) - static_cast<double>(empty)) / 5 / 1048576.0);
  Quit(box, main);
}

// One tab opened in this process's own main window, then closed.
double TabRound(CScrollTabUI* strip) {
  const double start = NowMs();
  CScrollOptionUI* button = strip->OpenGameTab("game", true, "http://127.0.0.1/games/1.html");
  const double ms = NowMs() - start;
  if (button == nullptr || !IsWindowVisible(strip->GetTabRecords().back()->tabWindow)) return -1;
  strip->CloseTab(0);
  tamvelo::test::Pump(20);
  return ms;
}

void Report(const char* what, const std::vector<double>& measured, const std::vector<double>& baseline,
            double target) {
  const double m = Median(measured);
  const double b = Median(baseline);
  std::printf("%s: median %.1f ms, minimal GUI program %.1f ms, ratio %.2f (target at most %.1f)\n", what, m, b,
              b > 0 ? m / b : 0, target);
}

}  // namespace

int main() {
  tamvelo::test::DataFolderScope data;
  tamvelo::test::SkinInstall skin;
  tamvelo::test::QuietPortal portal;

  std::vector<double> startMs, startBaseline;
  for (int i = 0; i < kRounds; ++i) {
    startBaseline.push_back(BaselineRound());
    startMs.push_back(BoxStartRound());
  }
  Report("box start to windowinit", startMs, startBaseline, 3.0);
  MeasureMemory();

  CoInitialize(nullptr);
  tamvelo::net::Hooks().startDelayMs = 3600 * 1000;
  SetupSkinResources();
  auto* window = new CMainWnd;
  if (window->Create(nullptr, "tamvelo游戏盒子", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0, 0, 1020, 690) == nullptr) {
    std::printf("main window: not created\n");
    return 1;
  }
  tamvelo::test::Pump(300);
  std::vector<double> tabMs, tabBaseline;
  for (int i = 0; i < kRounds; ++i) {
    tabBaseline.push_back(BaselineRound());
    tabMs.push_back(TabRound(window->GetTabBar()));
  }
  Report("OpenGameTab to tab shown", tabMs, tabBaseline, 1.6);
  DestroyWindow(window->GetHWND());
  tamvelo::test::Pump(50);
  CoUninitialize();
  return 0;
}
