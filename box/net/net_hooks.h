// What the network code does that a test run must not wait for: the modal
// message boxes and the long waits. The product keeps the defaults; tests
// swap in a recorder and shorter waits, and restore them afterwards.
#pragma once

#include <windows.h>

namespace tamvelo::net {

using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

struct NetHooks {
  MessageBoxFunction messageBox = MessageBoxA;
  DWORD receiveTimeoutMs = 10000;  // each receive of a download, head and body
  // A whole download, head and body: a server that trickles bytes keeps
  // every receive short, so only this ends it. These INI files take well
  // under a second on any line that is up at all.
  DWORD downloadDeadlineMs = 60000;
  DWORD startDelayMs = 2000;       // before the update check begins
};

NetHooks& Hooks();

// An error message box without owner window and with an OK button.
void ShowError(const char* text, const char* caption);

}  // namespace tamvelo::net
