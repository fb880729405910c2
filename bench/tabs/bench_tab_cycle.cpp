// Forty game tabs (four in quick mode) in the real main window, with real
// tab processes: the open time as tabs accumulate (first quarter against
// last quarter), and what as many tabs opened and closed one after another
// leave behind (tab records, the box's private memory). Handle and GDI
// counts read 0 under Wine, so they are not shown. Runs on the main window
// suites' fixture, which sets the window up; it prints figures and asserts
// only that each of them was measured.
#include <windows.h>
#include <psapi.h>

#include <vector>

#include "bench/support/figures.h"
#include "tests/support/main_window_fixture.h"

namespace {

using tamvelo::bench::NowMs;
using tamvelo::bench::PrintFigure;
using tamvelo::test::Pump;

constexpr char kAddress[] = "http://127.0.0.1/game/1.html";

double PrivateMb() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  // The commit charge: private bytes (PrivateUsage reads 0 under Wine).
  return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

double OpenMs(CScrollTabUI* strip) {
  const double start = NowMs();
  strip->OpenGameTab("game", true, kAddress);
  const double ms = NowMs() - start;
  Pump(20);
  return ms;
}

double Average(const std::vector<double>& values, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count; ++i) sum += values[i];
  return sum / static_cast<double>(count);
}

}  // namespace

class TabCycle : public tamvelo::test::MainWindowTest {};

TEST_F(TabCycle, Figures) {
  CreateMainWindow();
  CScrollTabUI* strip = this->strip();

  // The first and the last quarter of the tabs opened in a row.
  const int tabs = tamvelo::bench::Rounds(40, 4);
  const size_t quarter = static_cast<size_t>(tabs / 4);
  std::vector<double> opened;
  for (int i = 0; i < tabs; ++i) opened.push_back(OpenMs(strip));
  PrintFigure("open_tab_first_quarter_average", Average(opened, 0, quarter), "ms");
  PrintFigure("open_tab_last_quarter_average", Average(opened, tabs - quarter, quarter), "ms");
  while (!strip->GetTabRecords().empty()) strip->CloseTab(0);
  Pump(500);

  // One tab opened and closed first, so that what the first tab loads once
  // is not counted as growth.
  OpenMs(strip);
  strip->CloseTab(0);
  Pump(200);
  const double before = PrivateMb();
  for (int i = 0; i < tabs; ++i) {
    OpenMs(strip);
    strip->CloseTab(0);
  }
  Pump(500);
  PrintFigure("private_memory_before_open_close_cycles", before, "MiB");
  PrintFigure("private_memory_after_open_close_cycles", PrivateMb(), "MiB");
  PrintFigure("tab_records_left_after_cycles", static_cast<double>(strip->GetTabRecords().size()), "records");
  EXPECT_EQ(tamvelo::bench::unmeasuredFigures, 0);
}
