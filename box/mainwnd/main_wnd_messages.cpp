// Messages the main window handles beyond the toolkit's: tab window layout,
// records from tab processes and from a second start, keys, hotkeys, the
// tray icon, pages posted by the update thread, system commands, the mouse
// wheel over the page and typed characters.
#include <windowsx.h>

#include <string>
#include <vector>

#include "box/mainwnd/main_wnd.h"
#include "box/shared/process_values.h"
#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_text.h"
#include "box/tabs/tab_watch.h"
#include "box/web/tabbrowser.h"
#include "common/portal_address.h"
#include "common/protocol.h"
#include "common/text_codec.h"

namespace protocol = tamvelo::protocol;

LRESULT CMainWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = WindowImplBase::HandleMessage(uMsg, wParam, lParam);
  switch (uMsg) {
    case WM_SIZE:
      // A minimised window reports 0 x 0: the tabs keep their places.
      if (wParam != SIZE_MINIMIZED) LayoutTabWindows(LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_COPYDATA:
      OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) ExitFullScreen();
      break;
    case WM_HOTKEY:
      OnHotKey(wParam);
      break;
    case protocol::kMsgTrayIcon:
      OnTrayIcon(lParam);
      break;
    case tamvelo::tabs::kMsgTabProcessEnded:
      if (m_pTabBar) m_pTabBar->MarkTabEnded(static_cast<DWORD>(wParam));
      break;
    case protocol::kMsgOpenInNewWindow:
      // Any local process can post this: only the update check's own
      // constant address is read, never whatever a sender passes.
      if (wParam == reinterpret_cast<WPARAM>(tamvelo::kDownloadPageAddress.data())) {
        OpenInNewWindow(tamvelo::kDownloadPageAddress.data());
      }
      break;
    default:
      break;
  }
  return result;
}

// Hidden tabs too, so that a tab shown later already fits.
void CMainWnd::LayoutTabWindows(int width, int height) {
  if (m_pTabBar == nullptr) return;
  const int tabHeight = height > protocol::kTabTopOffset ? height - protocol::kTabTopOffset : 0;
  // Moving another process's window waits for it, and a tab opened meanwhile
  // grows the list: the loop runs over a copy of the windows.
  std::vector<HWND> windows;
  for (const auto& tab : m_pTabBar->GetTabRecords()) windows.push_back(tab->tabWindow);
  for (HWND window : windows) {
    if (window) MoveWindow(window, 0, protocol::kTabTopOffset, width, tabHeight, TRUE);
  }
}

// Records come from other processes: the text is read within the record's
// byte count only, whatever the sender claims to have terminated.
void CMainWnd::OnCopyData(const COPYDATASTRUCT* record) {
  if (record == nullptr) return;
  const std::optional<std::wstring> text = protocol::ReadRecordTextW(record);
  const ULONG_PTR kind = record->dwData;
  if (kind == protocol::CopyDataActivate) {
    RestoreMainWindow();
    return;
  }
  // An address or a title without data means nothing.
  if (!text || m_pTabBar == nullptr) return;
  const std::string ansi = tamvelo::NarrowFromWide(*text);
  if (kind == protocol::CopyDataOpenTab) {
    m_pTabBar->OpenGameTab(ansi.c_str(), true, ansi.c_str());
    return;
  }
  const HWND sender = reinterpret_cast<HWND>(kind);
  for (const auto& tab : m_pTabBar->GetTabRecords()) {
    if (tab->hostWindow != sender) continue;
    DuiLib::COptionUI* button = tab->button->GetTabButton();
    button->SetText(ShortenTabTitle(text->c_str()).c_str());
    button->SetToolTip(ansi.c_str());
    break;
  }
}

void CMainWnd::OpenInNewWindow(LPCSTR address) {
  if (address == nullptr || m_pHomeBrowser == nullptr) return;
  IWebBrowser2* browser = m_pHomeBrowser->GetWebBrowser2();
  if (browser == nullptr) return;
  const std::wstring wide = tamvelo::WideFromNarrow(address);
  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = SysAllocString(wide.c_str());
  VARIANT target;
  VariantInit(&target);
  target.vt = VT_BSTR;
  target.bstrVal = SysAllocString(L"_blank");
  VARIANT empty;
  VariantInit(&empty);
  if (url.bstrVal && target.bstrVal) browser->Navigate2(&url, &empty, &target, &empty, &empty);
  VariantClear(&url);
  VariantClear(&target);
}

LRESULT CMainWnd::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  if (wParam == SC_CLOSE) {
    HideMainWindow();
    bHandled = TRUE;
    return 0;
  }
  const LRESULT result = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
  ShowMaximizeOrRestoreButton();
  bHandled = TRUE;
  return result;
}

LRESULT CMainWnd::OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(m_hWnd, &point);
  DuiLib::CControlUI* page = m_pm.FindControl("ie");
  if (page && page->IsVisible() && ::PtInRect(&page->GetPos(), point)) {
    bHandled = TRUE;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
  }
  bHandled = FALSE;
  return 0;
}

LRESULT CMainWnd::OnMouseHover(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  return WindowImplBase::OnMouseHover(uMsg, wParam, lParam, bHandled);
}

LRESULT CMainWnd::OnChar(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  if (LOBYTE(wParam) == VK_BACK) {
    MessageBoxA(nullptr, "按下了回退键", "DUILIB DEMO", MB_OK);
    bHandled = TRUE;
  } else {
    bHandled = FALSE;
  }
  return 0;
}

// The window is gone (destroyed from outside: the program's own paths only
// hide it or leave the loop). Without it nothing could bring the program
// back, and its mutex would refuse every new start: end the loop too. A
// window whose skin never loaded did not run, so there is nothing to end.
void CMainWnd::OnFinalMessage(HWND hWnd) {
  WindowImplBase::OnFinalMessage(hWnd);
  tamvelo::app::ProcessValues& process = tamvelo::app::MainProgramValues();
  if (process.mainWindow.ClearIf(hWnd)) {
    Shell_NotifyIconA(NIM_DELETE, &m_trayIcon);
    PostQuitMessage(0);
  }
  delete this;
}
