// The names of the start-up's moments, in the order of StartupMark: what
// startup_probe writes and bench_mainwnd reads back. The probe also writes
// "entry", its own first moment, before them.
#pragma once

#include "box/shared/startup_marks.h"

namespace tamvelo::bench {

inline constexpr char kEntryMoment[] = "entry";
inline constexpr const char* kMarkNames[] = {
    "com_ole_initialised", "skin_resources_set", "feature_values_written", "main_window_built",
    "main_window_created", "windowinit",         "first_paint",            "waiting_tab_started",
    "update_thread_started",
};
inline constexpr int kMarks = sizeof kMarkNames / sizeof kMarkNames[0];
static_assert(kMarks == static_cast<int>(app::StartupMark::UpdateThreadStarted) + 1, "a name for every moment");

}  // namespace tamvelo::bench
