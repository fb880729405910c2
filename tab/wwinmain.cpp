// Entry point of tamvelo-tab: one process per game tab of tamvelo-box.
#include <windows.h>

#include "tab/tab_host.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return tamvelo::tab::TabHostMain(instance, GetCommandLineW());
}
