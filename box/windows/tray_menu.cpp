#include "box/windows/tray_menu.h"


CTrayMenu::CTrayMenu()
    : CPopupMenu("xml//traymenu.xml", "CDuiMenu "),
      m_nScreenWidth(::GetSystemMetrics(SM_CXSCREEN)),
      m_nScreenHeight(::GetSystemMetrics(SM_CYSCREEN)) {}

void CTrayMenu::ShowAt(POINT cursor) {
  const DuiLib::CDPI& dpi = *m_pm.GetDPIObj();
  const int width = dpi.Scale(kAssumedWidth);
  const int height = dpi.Scale(kAssumedHeight);
  const int x = m_nScreenWidth < cursor.x + width ? cursor.x - width : cursor.x;
  const int y = m_nScreenHeight < cursor.y + height ? cursor.y - height : cursor.y;
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE);
  ::SetForegroundWindow(m_hWnd);
}

void CTrayMenu::OnItem(const DuiLib::CDuiString& item) {
  if (item == "show_menu_btn") {
    m_pMainWnd->RestoreMainWindow();
    Hide();
  } else if (item == "setting_menu_btn") {
    m_pMainWnd->ShowSettingsWindow();
    Hide();
  }
}
