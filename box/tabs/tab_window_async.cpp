#include "box/tabs/tab_window_async.h"

namespace tamvelo::tabs {

void ShowTabWindow(HWND window, bool shown) {
  if (window != nullptr) ShowWindowAsync(window, shown ? SW_SHOWNORMAL : SW_HIDE);
}

void PlaceTabWindow(HWND window, const RECT& place) {
  if (window == nullptr) return;
  // Queued for the window's thread (SWP_ASYNCWINDOWPOS): returns at once.
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_ASYNCWINDOWPOS | SWP_NOACTIVATE | SWP_NOZORDER);
}

void ForgetPendingErase(HWND window) {
  if (window == nullptr) return;
  RECT update = {};
  if (!GetUpdateRect(window, &update, FALSE)) return;
  RedrawWindow(window, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOERASE | RDW_NOCHILDREN);
  RedrawWindow(window, &update, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
}

}  // namespace tamvelo::tabs
