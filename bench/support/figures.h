// What every benchmark shares: the clock, the statistics of its rounds,
// the quick mode of the CI run and the one format of a figure, which
// scripts/bench.sh counts:
//   figure <name> <value> <unit> [ratio <value / its floor or rival>]
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tamvelo::bench {

// Milliseconds of the performance counter, which all processes share.
inline double NowMs() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// TAMVELO_BENCH_QUICK=1: each benchmark runs once, with few rounds, only
// to show that it still runs and measures.
inline bool QuickMode() {
  const char* quick = std::getenv("TAMVELO_BENCH_QUICK");
  return quick != nullptr && *quick != '\0' && std::strcmp(quick, "0") != 0;
}

inline int Rounds(int full, int quick) { return QuickMode() ? quick : full; }

// -1 for no values, which no figure prints.
inline double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}

inline double Median(const std::vector<double>& values) { return Percentile(values, 0.5); }

// Figures that could not be measured (negative): the benchmark then fails.
inline int unmeasuredFigures = 0;

inline bool Measured(const char* name, double value) {
  if (value >= 0) return true;
  ++unmeasuredFigures;
  std::printf("unmeasured %s\n", name);
  return false;
}

inline void PrintFigure(const char* name, double value, const char* unit) {
  if (Measured(name, value)) std::printf("figure %s %.2f %s\n", name, value, unit);
  std::fflush(stdout);
}

// With the ratio of value to its floor (or to a rival program's figure).
inline void PrintFigure(const char* name, double value, const char* unit, double floor) {
  if (Measured(name, value) && Measured(name, floor > 0 ? floor : -1))
    std::printf("figure %s %.2f %s ratio %.2f\n", name, value, unit, value / floor);
  std::fflush(stdout);
}

// The ratio to the floor, and on a second line "<name>_above_floor" what
// the value adds to it.
inline void PrintAgainstFloor(const char* name, double value, const char* unit, double floor) {
  PrintFigure(name, value, unit, floor);
  if (value >= 0 && floor > 0) std::printf("figure %s_above_floor %.2f %s\n", name, value - floor, unit);
  std::fflush(stdout);
}

// The exit status of a benchmark: 1 when a figure was missing.
inline int ExitStatus() { return unmeasuredFigures == 0 ? 0 : 1; }

}  // namespace tamvelo::bench
