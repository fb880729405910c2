// The hidden host window: the main thread's end of the protocol.
#pragma once

#include <windows.h>

#include <string>

#include "tab/host_records.h"

namespace tamvelo::tab {

// A WM_COPYDATA record of the main program, read within its cbData; a
// missing record does nothing.
void HandleHostRecord(const COPYDATASTRUCT* record, const RecordActions& actions);

LRESULT CALLBACK HostWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks the browser thread to navigate to address, without waiting for it.
// False when there is no browser (the tab window is gone): the request is
// dropped.
bool RequestNavigation(const std::wstring& address);

}  // namespace tamvelo::tab
