// The visible tab window on the browser thread: holds the browser host
// child and the browser.
#pragma once

#include <windows.h>
#include <exdisp.h>

namespace tamvelo::tab {

// Posted by the main thread: navigate to the address waiting in
// TabHostState::pendingNavigation. Carries nothing itself, so a message from
// elsewhere can do no harm.
inline constexpr UINT kMsgNavigate = WM_APP + 1;

LRESULT CALLBACK TabWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The browser of a tab window, not counted; null when it holds none.
IWebBrowser2* TabWindowBrowser(HWND tabWindow);

}  // namespace tamvelo::tab
