// The hidden host window: the main thread's end of the protocol.
#pragma once

#include <windows.h>

#include <string>

namespace tamvelo::tab {

LRESULT CALLBACK HostWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks the browser thread to navigate to address, without waiting for it.
// False when there is no browser (the tab window is gone): the request is
// dropped.
bool RequestNavigation(const std::wstring& address);

}  // namespace tamvelo::tab
