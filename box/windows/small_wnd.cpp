#include "box/windows/small_wnd.h"

#include "box/prefs/skin_names.h"
#include "box/windows/click_name.h"

void CSmallWnd::SetSkinName(LPCSTR folder) {
  ::lstrcpynA(m_szSkinName, folder != nullptr ? folder : "", sizeof m_szSkinName);
}

void CSmallWnd::SetBackgroundImage(LPCSTR path) {
  if (m_pBackground != nullptr) m_pBackground->SetBkImage(path);
}

void CSmallWnd::HideWindow() {
  m_bShown = false;
  ShowWindow(false, true);
}

void CSmallWnd::HideWithMainWindow() { ShowWindow(false); }

void CSmallWnd::ShowWithMainWindow() { ShowWindow(true, true); }

void CSmallWnd::InitBackground() {
  m_pBackground = m_pm.FindControl("main_bg");
  SetBackgroundImage(tamvelo::prefs::SkinBackgroundPath(m_szSkinName).c_str());
  m_bShown = false;
}

void CSmallWnd::ShowCentered(MarkShown mark) {
  if (mark == MarkShown::First) m_bShown = true;
  CenterWindow();
  ShowWindow(true, true);
  m_bShown = true;
}

LRESULT CSmallWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_NCLBUTTONDBLCLK) return 0;
  if (uMsg == WM_CLOSE) {
    // Alt+F4 would destroy a window that lives for the program's life.
    HideWindow();
    return 0;
  }
  return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

void CSmallWnd::Notify(DuiLib::TNotifyUI& msg) {
  const DuiLib::CDuiString name = m_clickNames == ClickNames::AnyCase
                                      ? tamvelo::windows::ClickedNameLower(msg)
                                      : tamvelo::windows::ClickedName(msg);
  if (name == "closebtn") {
    HideWindow();
    return;
  }
  if (!name.IsEmpty() && OnClick(name)) return;
  WindowImplBase::Notify(msg);
}

LRESULT CSmallWnd::ResponseDefaultKeyEvent(WPARAM wParam) { return wParam == VK_ESCAPE ? TRUE : FALSE; }
