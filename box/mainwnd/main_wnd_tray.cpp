// The notification-area icon, the close button, and quitting.
#include "box/mainwnd/main_wnd.h"
#include "box/mainwnd/tray_icon.h"
#include "box/prefs/close_action.h"
#include "box/tabs/scroll_tab.h"
#include "box/windows/close_hint_dialog.h"
#include "box/windows/setting_wnd.h"
#include "box/windows/tray_menu.h"
#include "common/config_ini.h"
#include "common/protocol.h"
#include "common/window_dpi.h"

void CMainWnd::AddTrayIcon() {
  using namespace tamvelo::mainwnd;
  // The notification area shows small icons at the system's scale; the
  // program's icon has a picture of each usual size.
  const int size = tamvelo::ScaleForDpi(16, tamvelo::SystemDpi());
  const HICON icon = static_cast<HICON>(::LoadImageA(DuiLib::CPaintManagerUI::GetInstance(),
                                                     MAKEINTRESOURCEA(kTrayIconResource), IMAGE_ICON, size, size,
                                                     LR_DEFAULTCOLOR | LR_SHARED));
  m_trayIcon = MakeTrayIconRecord(m_hWnd, icon);
  ::Shell_NotifyIconA(NIM_ADD, &m_trayIcon);
}

void CMainWnd::OnTrayIcon(LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONDOWN) {
    RestoreMainWindow();
  } else if (mouseMessage == WM_RBUTTONDOWN && m_pTrayMenu != nullptr) {
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(m_hWnd);
    m_pTrayMenu->ShowAt(cursor);
    m_pTrayMenu->ShowWindow(true, true);
  }
}

void CMainWnd::OnCloseButton() {
  const std::string stored = tamvelo::config::ReadExitDirect(m_szConfigPath);
  switch (tamvelo::prefs::CloseActionFor(stored)) {
    case tamvelo::prefs::CloseAction::Prompt:
      if (m_pCloseHint != nullptr) m_pCloseHint->Show();
      break;
    case tamvelo::prefs::CloseAction::Quit: QuitApplication(); break;
    case tamvelo::prefs::CloseAction::Hide: HideMainWindow(); break;
    case tamvelo::prefs::CloseAction::Nothing: break;
  }
}

// The window goes at once; the loop ends once every tab has ended, which
// the strip waits for off this thread, so that no tab outlives the box.
void CMainWnd::QuitApplication() {
  if (m_bQuitting) return;
  m_bQuitting = true;
  ::Shell_NotifyIconA(NIM_DELETE, &m_trayIcon);
  if (m_pSettingWnd != nullptr) m_pSettingWnd->UnregisterHotKeys();
  HideMainWindow();
  CloseAllTabs();
}

void CMainWnd::CloseAllTabs() {
  if (m_pTabBar != nullptr) {
    m_pTabBar->EndAllTabs();  // kMsgTabsEnded follows
  } else if (m_bQuitting) {
    ::PostQuitMessage(0);
  }
}
