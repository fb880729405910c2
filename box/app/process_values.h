// Values of the main program that CMainWnd::InitWindow writes once, on the
// user-interface thread, before the update thread starts; read-only after.
#pragma once

#include <windows.h>

namespace tamvelo::app {

struct ProcessValues {
  float programVersion = 0.0f;  // 1.0
  HWND mainWindow = nullptr;
  char paramIniPath[MAX_PATH] = {};    // data folder + "config\param.ini"
  char versionIniPath[MAX_PATH] = {};  // data folder + "config\version.ini"
};

ProcessValues& Process();

}  // namespace tamvelo::app
