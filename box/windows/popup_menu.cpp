#include "box/windows/popup_menu.h"

#include "box/windows/click_name.h"

LRESULT CPopupMenu::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_KILLFOCUS) Hide();  // and handled as usual below
  if (uMsg == WM_CLOSE) {
    // Alt+F4 would destroy a menu that lives for the program's life.
    Hide();
    return 0;
  }
  return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

void CPopupMenu::Notify(DuiLib::TNotifyUI& msg) {
  const DuiLib::CDuiString item = tamvelo::windows::ClickedNameLower(msg);
  if (item.IsEmpty() || m_pMainWnd == nullptr) return;
  if (item == "about") {
    Hide();
    m_pMainWnd->ShowAboutWindow();
  } else if (item == "quit_menu_btn") {
    // Whatever its label, it quits as the tray menu's item does.
    Hide();
    m_pMainWnd->QuitApplication();
  } else {
    OnItem(item);
  }
}

void CPopupMenu::ShowAt(HWND owner, POINT point) {
  ::ClientToScreen(owner, &point);
  ::SetWindowPos(m_hWnd, nullptr, point.x, point.y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
}
