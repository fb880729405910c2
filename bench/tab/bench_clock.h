// Milliseconds of the performance counter, for the start-up benchmarks of
// the tab program and the main window.
#pragma once

#include <windows.h>

namespace tamvelo::bench {

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

}  // namespace tamvelo::bench
