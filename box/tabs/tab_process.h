// Starting tab processes and finding their windows inside the main window.
#pragma once

#include <windows.h>

#include <string>

namespace tamvelo::tabs {

// The tab process behind one game tab. Handles are owned by whoever keeps
// the record (the strip's TabRecord); Close() closes them.
struct TabProcess {
  DWORD processId = 0;
  HANDLE processHandle = nullptr;
  HANDLE threadHandle = nullptr;
  HWND tabWindow = nullptr;   // class "Tamvelo_Box_Tab"
  HWND hostWindow = nullptr;  // class "Tamvelo_Box_MainWnd"

  void Close();
};

// The command line of a game tab's process: "tamvelo-tab.exe 1_tamvelo_1_tab".
// Tests put a tab program of their own here, found the same way.
std::string& GameTabCommandLine();

// Starts a tab's command line (found by the system's search order, which
// begins with this program's folder) without waiting for it. False when the
// program cannot be started.
bool StartTabProcess(const std::string& commandLine, TabProcess& tab);

// Starts "tamvelo-tab.exe 1_tamvelo_1_tag", which only waits for the main
// window to go; its handles are not kept.
void StartWaitingTabProcess();

// Finds the two windows of the process among the main window's children:
// its direct children first, else every child at any depth; a later match
// overwrites an earlier one.
void FindTabWindows(HWND mainWindow, TabProcess& tab);

// The portal's cookie text, read with the size query first: querySize is
// what the query reported (0 without cookies).
struct PortalCookie {
  std::string text;
  DWORD querySize = 0;
};
PortalCookie ReadPortalCookie();

}  // namespace tamvelo::tabs
