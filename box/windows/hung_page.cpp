#include "box/windows/hung_page.h"

#include "box/tabs/scroll_tab.h"
#include "box/windows/click_name.h"

bool CHungPageWnd::CreateIn(HWND mainWindow) {
  if (Create(mainWindow, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0) == nullptr) return false;
  Hide();
  return true;
}

void CHungPageWnd::OnFinalMessage(HWND hWnd) {
  WindowImplBase::OnFinalMessage(hWnd);
  delete this;
}

void CHungPageWnd::ShowOver(const RECT& place) {
  ::SetWindowPos(m_hWnd, HWND_TOP, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void CHungPageWnd::Hide() { ::ShowWindow(m_hWnd, SW_HIDE); }

bool CHungPageWnd::IsShown() const { return ::IsWindowVisible(m_hWnd) != FALSE; }

void CHungPageWnd::Notify(DuiLib::TNotifyUI& msg) {
  const DuiLib::CDuiString name = tamvelo::windows::ClickedNameLower(msg);
  if (name == "hung_wait_btn") {
    if (m_pTabBar != nullptr) m_pTabBar->WaitForHungTab();
    return;
  }
  if (name == "hung_close_btn") {
    if (m_pTabBar != nullptr) m_pTabBar->CloseHungTab();
    return;
  }
  WindowImplBase::Notify(msg);
}
