// Entry point of tamvelo-box. The main window arrives with its own change;
// until then the program only writes the browser feature settings.
#include <windows.h>

#include "box/app/browser_feature.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  BrowserFeatureControl();
  return 0;
}
