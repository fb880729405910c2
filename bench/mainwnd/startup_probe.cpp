// tamvelo-box's own start-up with an observer of its moments, for
// bench_mainwnd: "startup_probe <start ms> <output file>", the start being
// the performance counter just before the benchmark created this process.
// Writes one line "<moment> <ms since the start>" for each moment and
// quits as soon as the last one came, while the main window is up.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "bench/mainwnd/startup_moments.h"
#include "bench/support/figures.h"
#include "box/app/run_box.h"
#include "box/shared/startup_marks.h"

namespace {

using tamvelo::app::StartupMark;
using tamvelo::bench::kMarkNames;
using tamvelo::bench::kMarks;

double marks[kMarks];
int marksSeen = 0;

void Observe(StartupMark mark) {
  double& at = marks[static_cast<int>(mark)];
  if (at >= 0) return;  // only the first paint and the like count
  at = tamvelo::bench::NowMs();
  if (++marksSeen == kMarks) PostQuitMessage(0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const double entered = tamvelo::bench::NowMs();
  if (__argc != 3) return 1;
  const double start = std::atof(__argv[1]);
  for (double& at : marks) at = -1;
  tamvelo::app::SetStartupObserver(Observe);
  RunTamveloBox(instance);
  FILE* out = std::fopen(__argv[2], "w");
  if (out == nullptr) return 1;
  std::fprintf(out, "%s %.3f\n", tamvelo::bench::kEntryMoment, entered - start);
  for (int i = 0; i < kMarks; ++i) {
    if (marks[i] >= 0) std::fprintf(out, "%s %.3f\n", kMarkNames[i], marks[i] - start);
  }
  std::fclose(out);
  return 0;
}
