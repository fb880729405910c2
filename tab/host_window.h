// The hidden host window: the main thread's end of the protocol.
#pragma once

#include <windows.h>

#include <string>

namespace tamvelo::tab {

LRESULT CALLBACK HostWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Has the browser thread navigate to address and waits for it. False when
// there is no browser (the tab window is gone): the request is dropped.
bool RequestNavigation(const std::wstring& address);

}  // namespace tamvelo::tab
