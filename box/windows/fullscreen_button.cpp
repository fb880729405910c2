#include "box/windows/fullscreen_button.h"

#include "box/prefs/fullscreen_caption.h"
#include "box/windows/click_name.h"
#include "box/windows/setting_wnd.h"

namespace {
constexpr int kOffsetLeftOfCentre = 300;  // logical pixels
}

void CFullscreenBtn::InitWindow() { m_pButton = m_pm.FindControl("fullscreen"); }

void CFullscreenBtn::Place() {
  const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - m_pm.GetDPIObj()->Scale(kOffsetLeftOfCentre);
  ::SetWindowPos(m_hWnd, nullptr, x, 0, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
  ShowWindow(false);
  m_track.cbSize = sizeof m_track;
  m_track.dwFlags = TME_HOVER | TME_LEAVE;
  m_track.hwndTrack = m_hWnd;
  m_track.dwHoverTime = 1;
  UpdateCaption();
  if (m_pSettingWnd != nullptr) m_pSettingWnd->SetFullscreenWnd(this);
}

void CFullscreenBtn::UpdateCaption() {
  if (m_pButton == nullptr || m_pSettingWnd == nullptr) return;
  m_pButton->SetText(tamvelo::prefs::ExitFullscreenCaption(m_pSettingWnd->GetFullKeyText()).c_str());
}

// The main window keeps the keyboard all through full screen: the button
// never takes the activation, neither when it shows nor when it is clicked.
// Handing the focus to it and back made the keys' way depend on when the
// display finished each hand-over, and a key pressed early was lost.
void CFullscreenBtn::ShowFading() {
  ShowWindow(true, false);
  SetAlpha(kVisibleAlpha);
  ::SetTimer(m_hWnd, kFadeTimerId, kFadeDelayMs, nullptr);
}

void CFullscreenBtn::Notify(DuiLib::TNotifyUI& msg) {
  if (tamvelo::windows::ClickedNameLower(msg) == "fullscreen") {
    if (m_pMainWnd != nullptr) m_pMainWnd->ExitFullScreen();
    return;
  }
  WindowImplBase::Notify(msg);
}

LRESULT CFullscreenBtn::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_MOUSEMOVE:
      ::TrackMouseEvent(&m_track);
      break;
    case WM_MOUSEHOVER:
      SetAlpha(kVisibleAlpha);
      break;
    case WM_MOUSELEAVE:
      SetAlpha(kFadedAlpha);
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_KILLFOCUS:
      return 0;
    case WM_CLOSE:
      return 0;  // lives for the program's life; leaving full screen hides it
    case WM_TIMER:
      if (wParam != kFadeTimerId) break;
      SetAlpha(kFadedAlpha);
      ::KillTimer(m_hWnd, kFadeTimerId);
      return 0;
    default:
      break;
  }
  return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}
