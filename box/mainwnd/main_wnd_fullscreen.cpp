// Full-screen mode: the main window and the shown game stretched over the
// screen, left by the floating button, Escape or the full-screen key.
#include "box/mainwnd/main_wnd.h"
#include "box/prefs/fullscreen_caption.h"
#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_window_async.h"
#include "box/windows/fullscreen_button.h"
#include "box/windows/hung_page.h"
#include "box/windows/setting_wnd.h"

void CMainWnd::EnterFullScreen() {
  if (m_bFullScreen) return;
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  ::GetWindowRect(m_hWnd, &m_rcSavedWindow);
  ::MoveWindow(m_hWnd, 0, 0, width, height, TRUE);
  m_bFullScreen = true;
  if (m_pTabBar != nullptr) {
    const auto& tabs = m_pTabBar->GetTabRecords();
    const int current = m_pTabBar->GetCurrentTabIndex();
    if (current >= 0 && current < static_cast<int>(tabs.size())) {
      tamvelo::tabs::PlaceTabWindow(tabs[current]->tabWindow, TabWindowPlace());
    }
  }
  if (m_pHungPage != nullptr && m_pHungPage->IsShown()) m_pHungPage->ShowOver(TabWindowPlace());
  if (m_pFullscreenWnd != nullptr) m_pFullscreenWnd->ShowFading();
}

void CMainWnd::ExitFullScreen() {
  if (!m_bFullScreen) return;
  const RECT& saved = m_rcSavedWindow;
  const int width = saved.right - saved.left;
  const int height = saved.bottom - saved.top;
  ::MoveWindow(m_hWnd, saved.left, saved.top, width, height, TRUE);
  // Lays the tab windows out again below the title bar.
  SendMessage(WM_SIZE, SIZE_MAXSHOW, MAKELPARAM(width, height));
  m_bFullScreen = false;
  if (m_pFullscreenWnd != nullptr) m_pFullscreenWnd->ShowWindow(false, false);
}

void CMainWnd::ToggleFullScreen() {
  if (!m_bFullScreenAvailable) return;
  if (m_bFullScreen) ExitFullScreen();
  else EnterFullScreen();
}

void CMainWnd::SetFullScreenAvailable(bool available) {
  m_bFullScreenAvailable = available;
  if (m_pFullscreenBtn != nullptr) m_pFullscreenBtn->SetVisible(available);
}

void CMainWnd::UpdateFullscreenCaption() {
  if (m_pFullscreenBtn == nullptr || m_pSettingWnd == nullptr) return;
  const std::string caption = tamvelo::prefs::EnterFullscreenCaption(m_pSettingWnd->GetFullKeyText());
  m_pFullscreenBtn->SetText(caption.c_str());
  m_pFullscreenBtn->SetToolTip(caption.c_str());
}
