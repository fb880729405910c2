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

// How long a new tab process may take to become idle for input. A tab
// starts in well under a second, also on a loaded machine with a cold
// browser control; 15 s leaves room for a slow disk while a tab that never
// gets there freezes the user interface for a bounded time only.
inline constexpr DWORD kTabStartLimitMs = 15000;

// Waits, within limitMs, until a started tab process is idle for input,
// serving messages it sends meanwhile. Otherwise the process is ended by
// force and both handles are closed: false.
bool AwaitTabStart(const PROCESS_INFORMATION& info, DWORD limitMs);

// The command line of a game tab's process: "tamvelo-tab.exe 1_tamvelo_1_tab".
// Tests put a tab program of their own here, found the same way.
std::string& GameTabCommandLine();

// Starts the game tab command line (found by the system's search order,
// which begins with this program's folder) and waits as AwaitTabStart does. False when the start fails, the process ends before
// it became idle or does not within kTabStartLimitMs; nothing is left
// open or running then.
bool StartTabProcess(TabProcess& tab);

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

// Sends a new tab its first record: cookies and address, or the address
// alone. A missing host window receives nothing.
void SendGameRecord(HWND hostWindow, const PortalCookie& cookie, const std::string& address);

}  // namespace tamvelo::tabs
