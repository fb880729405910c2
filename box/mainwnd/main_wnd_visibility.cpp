// Hiding to the notification area and coming back with the small windows
// that were open, and the two global hotkeys.
#include "box/mainwnd/main_wnd.h"
#include "box/windows/about_wnd.h"
#include "box/windows/close_hint_dialog.h"
#include "box/windows/message_wnd.h"
#include "box/windows/setting_wnd.h"

namespace {

// The small windows that go and come back with the main window, in order.
template <typename Action>
void ForEachShownSmallWindow(std::initializer_list<CSmallWnd*> windows, Action action) {
  for (CSmallWnd* window : windows) {
    if (window != nullptr && window->IsShown()) action(window);
  }
}

}  // namespace

void CMainWnd::HideMainWindow() {
  ::ShowWindow(m_hWnd, SW_HIDE);
  m_bHidden = true;
  ForEachShownSmallWindow({m_pAboutWnd, m_pSettingWnd, m_pAltAccountWnd, m_pCloseHint},
                          [](CSmallWnd* window) { window->HideWithMainWindow(); });
}

// SW_SHOWNORMAL also takes a maximised window back to its normal size.
void CMainWnd::RestoreMainWindow() {
  ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
  ShowMaximizeOrRestoreButton();
  m_bHidden = false;
  ForEachShownSmallWindow({m_pAboutWnd, m_pSettingWnd, m_pAltAccountWnd, m_pCloseHint},
                          [](CSmallWnd* window) { window->ShowWithMainWindow(); });
  // Topmost and back brings the window above every other program's.
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(m_hWnd);
}

void CMainWnd::ShowMaximizeOrRestoreButton() {
  const bool zoomed = ::IsZoomed(m_hWnd) != FALSE;
  if (m_pRestoreBtn != nullptr) m_pRestoreBtn->SetVisible(zoomed);
  if (m_pMaxBtn != nullptr) m_pMaxBtn->SetVisible(!zoomed);
}

void CMainWnd::OnHotKey(WPARAM id) {
  if (m_pSettingWnd == nullptr) return;
  const int hotKey = static_cast<int>(id);
  if (hotKey == m_pSettingWnd->GetHotKeyId(CSettingWnd::kHideKey)) {
    if (m_bHidden) RestoreMainWindow();
    else HideMainWindow();
  } else if (hotKey == m_pSettingWnd->GetHotKeyId(CSettingWnd::kFullKey)) {
    ToggleFullScreen();
  }
}
