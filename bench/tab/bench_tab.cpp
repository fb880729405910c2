// Start-up cost of a game tab: from CreateProcess of tamvelo-tab to both of
// its windows found in the main window and its first record handled, over
// 30 tabs opened and closed in a row. The same measure for a minimal GUI
// program is the baseline of process start-up itself.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/figures.h"
#include "common/protocol.h"
#include "common/text_codec.h"
#include "tests/support/stand_in_main_window.h"
#include "tests/support/window_helpers.h"

namespace {

using tamvelo::bench::NowMs;
using tamvelo::bench::Percentile;
using tamvelo::bench::PrintFigure;
using tamvelo::test::FindChildOf;
using tamvelo::test::PumpUntil;
using tamvelo::test::StandInMainWindow;
using tamvelo::test::TabProcessRun;

constexpr DWORD kTimeoutMs = 10000;

bool SendAddress(HWND window) {
  static const char address[] = "about:blank";
  COPYDATASTRUCT record{tamvelo::protocol::CopyDataUrl, sizeof address,
                        const_cast<char*>(address)};
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record),
                             SMTO_NORMAL, kTimeoutMs, &result) != 0;
}

struct Round {
  double ms = -1;
  SIZE_T privateBytes = 0;
};

// One tab opened as the main program opens it, then closed.
Round TabRound(const StandInMainWindow& main) {
  Round round;
  const double start = NowMs();
  TabProcessRun run(L"tamvelo-tab.exe 1_tamvelo_1_tab");
  if (!run.started() || WaitForInputIdle(run.process(), kTimeoutMs) != 0) return round;
  HWND host = FindChildOf(main.window(), run.processId(), tamvelo::protocol::kHostWindowClassW);
  HWND tab = FindChildOf(main.window(), run.processId(), tamvelo::protocol::kTabWindowClassW);
  if (host == nullptr || tab == nullptr) return round;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(run.process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  if (!SendAddress(host)) return round;
  round.ms = NowMs() - start;
  // Wine leaves PrivateUsage at 0; the page-file usage is the same figure.
  round.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
  SendMessageW(host, WM_DESTROY, 0, 0);
  run.WaitForExit(kTimeoutMs);
  return round;
}

// The same steps for the minimal program: its window found, a record handled.
Round BaselineRound(const std::wstring& exe) {
  Round round;
  const double start = NowMs();
  std::wstring line = L"minimal";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return round;
  }
  HWND window = nullptr;
  if (WaitForInputIdle(info.hProcess, kTimeoutMs) == 0) {
    window = FindWindowW(L"TamveloBenchMinimalGui", nullptr);
  }
  if (window != nullptr && SendAddress(window)) round.ms = NowMs() - start;
  if (window != nullptr) SendMessageW(window, WM_DESTROY, 0, 0);
  if (WaitForSingleObject(info.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 1);
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return round;
}

}  // namespace

int main() {
  StandInMainWindow main;
  const std::wstring baselineExe =
      tamvelo::WideFromNarrow(tamvelo::test::ExecutableFolder() + "baseline_minimal_gui.exe");
  std::vector<double> tabMs, baselineMs;
  std::vector<SIZE_T> privateBytes;
  // Interleaved, so that both see the same machine load.
  const int rounds = tamvelo::bench::Rounds(30, 2);
  for (int i = 0; i < rounds; ++i) {
    const Round tab = TabRound(main);
    if (tab.ms >= 0) {
      tabMs.push_back(tab.ms);
      privateBytes.push_back(tab.privateBytes);
    }
    const Round baseline = BaselineRound(baselineExe);
    if (baseline.ms >= 0) baselineMs.push_back(baseline.ms);
  }
  const double floorMedian = Percentile(baselineMs, 0.5);
  PrintFigure("tab_start_to_first_record_median", Percentile(tabMs, 0.5), "ms", floorMedian);
  PrintFigure("tab_start_to_first_record_p90", Percentile(tabMs, 0.9), "ms", Percentile(baselineMs, 0.9));
  PrintFigure("minimal_gui_start_to_first_record_median", floorMedian, "ms");
  if (!privateBytes.empty()) {
    std::sort(privateBytes.begin(), privateBytes.end());
    PrintFigure("tab_private_memory_no_page", static_cast<double>(privateBytes[privateBytes.size() / 2]) / 1048576.0,
                "MiB");
  }
  // Every round must have started its tab.
  return tabMs.size() == static_cast<size_t>(rounds) ? tamvelo::bench::ExitStatus() : 1;
}
