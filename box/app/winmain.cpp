// Entry point of tamvelo-box; the command line and show command are not used.
#include <windows.h>

#include "box/app/run_box.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunTamveloBox(instance); }
