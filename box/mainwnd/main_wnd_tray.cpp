// The notification-area icon, the close button, and quitting.
#include <vector>

#include "box/mainwnd/main_wnd.h"
#include "box/mainwnd/tray_icon.h"
#include "box/prefs/close_action.h"
#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_ending.h"
#include "box/windows/close_hint_dialog.h"
#include "box/windows/setting_wnd.h"
#include "box/windows/tray_menu.h"
#include "common/config_ini.h"
#include "common/protocol.h"

void CMainWnd::AddTrayIcon() {
  using namespace tamvelo::mainwnd;
  const HICON icon = ::LoadIconA(DuiLib::CPaintManagerUI::GetInstance(), MAKEINTRESOURCEA(kTrayIconResource));
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

void CMainWnd::QuitApplication() {
  ::Shell_NotifyIconA(NIM_DELETE, &m_trayIcon);
  if (m_pSettingWnd != nullptr) m_pSettingWnd->UnregisterHotKeys();
  CloseAllTabs();
  ::PostQuitMessage(0);
}

void CMainWnd::CloseAllTabs() {
  if (m_pTabBar == nullptr) return;
  // A tab asking for a new tab while the others end would start a process
  // that outlives quitting.
  m_pTabBar->RefuseNewTabs();
  namespace tabs = tamvelo::tabs;
  // Taken first: while a tab process handles its message this thread may
  // serve messages that change the strip. The process handles are this
  // function's own copies, so a record closed meanwhile cannot take them.
  std::vector<tabs::TabToEnd> ending;
  for (const auto& record : m_pTabBar->GetTabRecords()) {
    ending.push_back({record->tabWindow, tabs::CopyProcessHandle(record->processHandle)});
  }
  // A tab hung in a page script neither answers nor ends: it is ended by
  // force, so that quitting never waits on it.
  tabs::EndTabs(ending, tabs::kTabAnswerMs, tabs::kTabEndGraceMs);
  for (const tabs::TabToEnd& tab : ending) {
    if (tab.process != nullptr) ::CloseHandle(tab.process);
  }
}
