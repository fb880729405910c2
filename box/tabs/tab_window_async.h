// Showing, hiding and placing a tab's window. It belongs to another
// process, whose thread may be hung: each call only queues the change for
// that thread and returns at once.
#pragma once

#include <windows.h>

namespace tamvelo::tabs {

void ShowTabWindow(HWND window, bool shown);
// place is in client coordinates of the main window.
void PlaceTabWindow(HWND window, const RECT& place);

// The part of the window that needs painting keeps needing it, but its
// frame and background no longer wait to be drawn: some systems have every
// redraw of the main window send those to the children there and then,
// which a hung tab would never answer. Nothing is sent.
void ForgetPendingErase(HWND window);

}  // namespace tamvelo::tabs
