// Entry point of tamvelo-tab. The tab host arrives with its own change.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return 0; }
