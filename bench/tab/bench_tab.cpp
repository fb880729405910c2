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
using tamvelo::test::FindChildOf;
using tamvelo::test::PumpUntil;
using tamvelo::test::StandInMainWindow;
using tamvelo::test::TabProcessRun;

constexpr int kRounds = 30;
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

double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}

}  // namespace

int main() {
  StandInMainWindow main;
  const std::wstring baselineExe =
      tamvelo::WideFromNarrow(tamvelo::test::ExecutableFolder() + "baseline_minimal_gui.exe");
  std::vector<double> tabMs, baselineMs;
  std::vector<SIZE_T> privateBytes;
  // Interleaved, so that both see the same machine load.
  for (int i = 0; i < kRounds; ++i) {
    const Round tab = TabRound(main);
    if (tab.ms >= 0) {
      tabMs.push_back(tab.ms);
      privateBytes.push_back(tab.privateBytes);
    }
    const Round baseline = BaselineRound(baselineExe);
    if (baseline.ms >= 0) baselineMs.push_back(baseline.ms);
  }
  std::printf("tab start-up to first record handled, %zu of %d rounds\n", tabMs.size(), kRounds);
  std::printf("  tab:      median %7.1f ms  p90 %7.1f ms\n", Percentile(tabMs, 0.5),
              Percentile(tabMs, 0.9));
  std::printf("  baseline: median %7.1f ms  p90 %7.1f ms  (%zu rounds)\n",
              Percentile(baselineMs, 0.5), Percentile(baselineMs, 0.9), baselineMs.size());
  const double medianRatio = Percentile(tabMs, 0.5) / std::max(Percentile(baselineMs, 0.5), 0.001);
  const double p90Ratio = Percentile(tabMs, 0.9) / std::max(Percentile(baselineMs, 0.9), 0.001);
  std::printf("  ratio tab/baseline: median %.2f  p90 %.2f  (target: median at most 1.50)\n",
              medianRatio, p90Ratio);
  if (!privateBytes.empty()) {
    std::sort(privateBytes.begin(), privateBytes.end());
    std::printf("  tab private memory, no page loaded: median %.1f MiB\n",
                static_cast<double>(privateBytes[privateBytes.size() / 2]) / (1024.0 * 1024.0));
  }
  return tabMs.size() == static_cast<size_t>(kRounds) ? 0 : 1;
}
