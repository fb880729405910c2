// Start-up of the box against its floor, measured in the same run, round
// after round: a small program that shows a frame of the main window's
// size with the browser control in it (GUI process, OLE, browser), to the
// end of its first paint. Three views of the box's start:
// - tamvelo-box.exe from outside: process creation to its waiting tab
//   process, the last of the start-up work;
// - where that time goes, in ms from process creation, from the box's own
//   start-up run by startup_probe.exe with an observer of its moments;
// - the box's private memory with no tab and with five.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/mainwnd/startup_moments.h"
#include "bench/support/figures.h"
#include "common/protocol.h"
#include "tests/support/box_process.h"
#include "tests/support/skin_install.h"
#include "tests/support/test_support.h"
#include "tests/support/window_helpers.h"

namespace {

using tamvelo::bench::Median;
using tamvelo::bench::NowMs;
using tamvelo::bench::PrintAgainstFloor;
using tamvelo::bench::PrintFigure;
using tamvelo::test::BoxProcess;

constexpr DWORD kTimeoutMs = 20000;

// To the end of its first paint.
double FloorRound(const std::string& file) {
  DeleteFileA(file.c_str());
  BoxProcess floor;
  const double start = NowMs();
  if (!floor.Start("main " + file, "baseline_minimal_gui.exe")) return -1;
  double painted = -1;
  while (painted < 0 && NowMs() - start < kTimeoutMs) {
    Sleep(20);
    std::ifstream(file) >> painted;
  }
  TerminateProcess(floor.handle(), 0);
  floor.WaitForExit(kTimeoutMs);
  return painted < 0 ? -1 : painted - start;
}

// The box leaves its loop on WM_QUIT without asking anything.
void Quit(BoxProcess& box) {
  if (HWND main = box.WaitForMainWindow(kTimeoutMs)) PostMessageA(main, WM_QUIT, 0, 0);
  box.WaitForExit(kTimeoutMs);
}

// To the waiting tab process, the last step of the start-up work: seen
// from outside, without the probe.
double BoxRound() {
  BoxProcess box;
  const double start = NowMs();
  if (!box.Start()) return -1;
  double ms = -1;
  while (ms < 0 && NowMs() - start < kTimeoutMs) {
    if (!tamvelo::test::ChildProcesses(box.id()).empty()) ms = NowMs() - start;
    Sleep(2);
  }
  Quit(box);
  return ms;
}

// The probe's moments of one start, by name; empty when it failed.
std::map<std::string, double> ProbeRound(const std::string& file) {
  std::map<std::string, double> moments;
  DeleteFileA(file.c_str());
  BoxProcess probe;
  char start[32];
  std::snprintf(start, sizeof start, "%.3f", NowMs());
  if (!probe.Start(std::string(start) + " \"" + file + "\"", "startup_probe.exe") ||
      probe.WaitForExit(kTimeoutMs) != 0) {
    return moments;
  }
  std::ifstream in(file);
  std::string name;
  double ms = 0;
  while (in >> name >> ms) moments[name] = ms;
  return moments;
}

SIZE_T PrivateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  // Wine leaves PrivateUsage at 0; the page-file usage is the same figure.
  return memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
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
  if (!box.Start() || WaitForInputIdle(box.handle(), kTimeoutMs) != 0) {
    PrintFigure("box_private_memory_no_tab", -1, "MiB");
    return;
  }
  HWND main = box.WaitForMainWindow(kTimeoutMs);
  Sleep(500);
  const double empty = PrivateBytes(box.handle()) / 1048576.0;
  for (int i = 1; i <= 5; ++i) OpenTabRecord(main, i);
  Sleep(1500);
  const double five = PrivateBytes(box.handle()) / 1048576.0;
  PrintFigure("box_private_memory_no_tab", empty, "MiB");
  PrintFigure("box_private_memory_five_tabs", five, "MiB");
  PrintFigure("box_private_memory_a_tab", (five - empty) / 5, "MiB");
  Quit(box);
}

}  // namespace

int main() {
  tamvelo::test::DataFolderScope data;
  tamvelo::test::SkinInstall skin;
  tamvelo::test::QuietPortal portal;
  const std::string probeFile = tamvelo::test::ExecutableFolder() + "startup_probe.txt";
  const std::string floorFile = tamvelo::test::ExecutableFolder() + "startup_floor.txt";

  // Interleaved, so that all three see the same machine load.
  const int rounds = tamvelo::bench::Rounds(20, 2);
  std::vector<double> floor, box;
  std::map<std::string, std::vector<double>> moments;
  for (int i = 0; i < rounds; ++i) {
    floor.push_back(FloorRound(floorFile));
    box.push_back(BoxRound());
    for (const auto& [name, ms] : ProbeRound(probeFile)) moments[name].push_back(ms);
  }
  const double floorMs = Median(floor);
  PrintFigure("startup_floor_window_ole_browser", floorMs, "ms");
  PrintAgainstFloor("box_start_to_waiting_tab", Median(box), "ms", floorMs);
  std::vector<const char*> order = {tamvelo::bench::kEntryMoment};
  order.insert(order.end(), std::begin(tamvelo::bench::kMarkNames), std::end(tamvelo::bench::kMarkNames));
  for (const char* moment : order) {
    const std::string name = std::string("startup_") + moment;
    const double ms = Median(moments[moment]);
    // What the user sees first: the window drawn; the toolkit's first
    // notification is the old measure of the start.
    if (name == "startup_windowinit" || name == "startup_first_paint") {
      PrintAgainstFloor(name.c_str(), ms, "ms", floorMs);
    } else {
      PrintFigure(name.c_str(), ms, "ms");
    }
  }
  MeasureMemory();
  DeleteFileA(probeFile.c_str());
  DeleteFileA(floorFile.c_str());
  return tamvelo::bench::ExitStatus();
}
