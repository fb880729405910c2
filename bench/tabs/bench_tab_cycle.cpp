// Forty game tabs in the real main window, with real tab processes: the
// open time as tabs accumulate (first ten against last ten), and what
// forty tabs opened and closed one after another leave behind (tab records,
// the box's private memory). Handle and GDI counts read 0 under Wine, so
// they are not shown. Runs on the main window suites' fixture, which sets
// the window up; it prints figures and asserts nothing.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <vector>

#include "tests/support/main_window_fixture.h"

namespace {

using tamvelo::test::Pump;

constexpr int kTabs = 40;
constexpr char kAddress[] = "http://127.0.0.1/game/1.html";

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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

  std::vector<double> opened;
  for (int i = 0; i < kTabs; ++i) opened.push_back(OpenMs(strip));
  std::printf("%d tabs in a row: open %.0f ms on average for the first ten, %.0f ms for the last ten\n", kTabs,
              Average(opened, 0, 10), Average(opened, kTabs - 10, 10));
  while (!strip->GetTabRecords().empty()) strip->CloseTab(0);
  Pump(500);

  // One tab opened and closed first, so that what the first tab loads once
  // is not counted as growth.
  OpenMs(strip);
  strip->CloseTab(0);
  Pump(200);
  const double before = PrivateMb();
  for (int i = 0; i < kTabs; ++i) {
    OpenMs(strip);
    strip->CloseTab(0);
  }
  Pump(500);
  std::printf("%d tabs opened and closed: private memory %.1f MB -> %.1f MB, %zu tab records left\n", kTabs,
              before, PrivateMb(), strip->GetTabRecords().size());
}
