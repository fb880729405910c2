// The main program from its start to its end, apart from the platform's
// entry point: single instance, COM, skin, browser settings, the main
// window and its message loop. Returns the exit code, 0 on every path.
#pragma once

#include <windows.h>

inline constexpr char kInstanceMutexName[] = "tamvelo_box_mux";
inline constexpr char kMainWindowTitle[] = "tamvelo游戏盒子";

int RunTamveloBox(HINSTANCE instance);

// A second start: hands over to the running main window, if there is one.
void ActivateRunningInstance();
