#include "box/prefs/popup_menu.h"

LRESULT CPopupMenu::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_KILLFOCUS) Hide();  // and handled as usual below
  if (uMsg == WM_CLOSE) {
    // Alt+F4 would destroy a menu that lives for the program's life.
    Hide();
    return 0;
  }
  return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

void CPopupMenu::MoveToClientPoint(HWND owner, POINT point) {
  ::ClientToScreen(owner, &point);
  ::SetWindowPos(m_hWnd, nullptr, point.x, point.y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
}

