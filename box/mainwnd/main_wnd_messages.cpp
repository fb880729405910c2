// Messages the main window handles beyond the toolkit's: tab window layout,
// records from tab processes and from a second start, keys, hotkeys, the
// tray icon, pages posted by the update thread, system commands, the mouse
// wheel over the page and typed characters.
#include <windowsx.h>

#include <cstdint>
#include <string>

#include "box/mainwnd/main_wnd.h"
#include "box/shared/process_values.h"
#include "box/shared/startup_marks.h"
#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_text.h"
#include "box/tabs/tab_watch.h"
#include "box/tabs/tab_watcher.h"
#include "box/tabs/tab_window_async.h"
#include "box/web/tabbrowser.h"
#include "box/windows/hung_page.h"
#include "common/portal_address.h"
#include "common/protocol.h"
#include "common/text_codec.h"

namespace protocol = tamvelo::protocol;

LRESULT CMainWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_WINDOWPOSCHANGING || uMsg == WM_WINDOWPOSCHANGED) {
    KeepTabWindowsOutOfRedraw(uMsg, reinterpret_cast<WINDOWPOS*>(lParam));
  }
  const LRESULT result = WindowImplBase::HandleMessage(uMsg, wParam, lParam);
  switch (uMsg) {
    case WM_PAINT:
      tamvelo::app::NoteStartup(tamvelo::app::StartupMark::FirstPaint);  // only the first one counts
      break;
    case WM_SIZE:
      // A minimised window reports 0 x 0: the tabs keep their places.
      if (wParam != SIZE_MINIMIZED) LayoutTabWindows(LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_DPICHANGED:
      // The toolkit took the new scale and the system's rectangle; the
      // tab windows follow even when the size stayed.
      if (!m_bFullScreen) {
        RECT client = {};
        ::GetClientRect(m_hWnd, &client);
        LayoutTabWindows(client.right, client.bottom);
      }
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
    case tamvelo::tabs::kMsgTabStartDone:
      if (m_pTabBar) m_pTabBar->OnTabStartDone(static_cast<std::uint32_t>(wParam));
      break;
    case tamvelo::tabs::kMsgTabsEnded:
      // Only the end of quitting's own wait counts.
      if (m_bQuitting) ::PostQuitMessage(0);
      break;
    case kMsgFirstPaintDone:
      OnFirstPaintDone();
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

namespace {

// Below the title bar, tab strip and tool bar, filling the rest.
RECT TabPlaceBelowToolBar(int width, int height, UINT dpi) {
  const int top = protocol::TabTopOffset(dpi);
  return {0, top, width, height > top ? height : top};
}

BOOL CALLBACK RedrawIfOwnThread(HWND child, LPARAM) {
  if (GetWindowThreadProcessId(child, nullptr) == GetCurrentThreadId()) {
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  return TRUE;
}

}  // namespace

RECT CMainWnd::TabWindowPlace() const {
  if (m_bFullScreen) return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  return TabPlaceBelowToolBar(client.right, client.bottom, m_pm.GetDPIObj()->GetDPI());
}

// Some systems (Wine among them) paint every child of a window that moves,
// grows or changes its frame there and then, sending the children's frame
// and background messages also to the threads of other processes; a tab
// whose thread hangs would hold this one for ever. While tabs are open the
// system redraws nothing of a move; this window, and the children of this
// thread, are redrawn here instead, and the tab windows keep only the
// painting they do themselves.
void CMainWnd::KeepTabWindowsOutOfRedraw(UINT message, WINDOWPOS* pos) {
  if (m_pTabBar == nullptr || pos == nullptr) return;
  bool tabWindows = false;
  for (const auto& tab : m_pTabBar->GetTabRecords()) {
    if (tab->tabWindow == nullptr) continue;
    tabWindows = true;
    if (message == WM_WINDOWPOSCHANGED) tamvelo::tabs::ForgetPendingErase(tab->tabWindow);
  }
  if (!tabWindows) return;
  if (message == WM_WINDOWPOSCHANGING) {
    // A window that goes leaves its place to be redrawn by the system.
    if ((pos->flags & SWP_HIDEWINDOW) == 0) pos->flags |= SWP_NOREDRAW;
    pos->flags |= SWP_DEFERERASE;
  } else if ((pos->flags & SWP_NOREDRAW) != 0) {
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN);
    ::EnumChildWindows(m_hWnd, RedrawIfOwnThread, 0);
  }
}

// Hidden tabs too, so that a tab shown later already fits.
void CMainWnd::LayoutTabWindows(int width, int height) {
  if (m_pTabBar == nullptr) return;
  const RECT place = TabPlaceBelowToolBar(width, height, m_pm.GetDPIObj()->GetDPI());
  for (const auto& tab : m_pTabBar->GetTabRecords()) tamvelo::tabs::PlaceTabWindow(tab->tabWindow, place);
  if (m_pHungPage != nullptr && m_pHungPage->IsShown()) m_pHungPage->ShowOver(place);
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
  m_pTabBar->SetTabTitle(reinterpret_cast<HWND>(kind), ShortenTabTitle(text->c_str()), ansi);
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
