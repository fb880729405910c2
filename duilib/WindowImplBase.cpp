#include "duilib/WindowImplBase.h"

#include <windowsx.h>

#include "duilib/UIControl.h"

namespace DuiLib {
namespace {

// The handlers that only let the message go on to the paint manager and the
// default window procedure.
LRESULT PassOn(BOOL& bHandled) {
  bHandled = FALSE;
  return 0;
}

}  // namespace

DUI_BEGIN_MESSAGE_MAP(WindowImplBase, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
DUI_END_MESSAGE_MAP()

void WindowImplBase::OnFinalMessage(HWND) {
  m_pm.RemovePreMessageFilter(this);
  m_pm.RemoveNotifier(this);
}

void WindowImplBase::Notify(TNotifyUI& msg) { NotifyPump(msg); }

void WindowImplBase::OnClick(TNotifyUI& msg) {
  if (msg.pSender == nullptr) return;
  const CDuiString name = msg.pSender->GetName();
  if (name == "closebtn") Close();
  else if (name == "minbtn") SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  else if (name == "maxbtn") SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  else if (name == "restorebtn") SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
}

LRESULT WindowImplBase::ResponseDefaultKeyEvent(WPARAM) { return FALSE; }

UINT WindowImplBase::GetClassStyle() const { return CS_DBLCLKS; }

CControlUI* WindowImplBase::CreateControl(LPCSTR) { return nullptr; }

LPCSTR WindowImplBase::QueryControlText(LPCSTR, LPCSTR) { return nullptr; }

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
  if (uMsg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    if (ResponseDefaultKeyEvent(wParam)) {
      bHandled = true;
      return TRUE;
    }
  }
  return FALSE;
}

// The default procedure destroys the window.
LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  // There is no frame to redraw; an iconic window keeps the system's look.
  if (::IsIconic(m_hWnd)) bHandled = FALSE;
  return TRUE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM, LPARAM, BOOL&) {
  return 0;  // the client area is the whole window
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, BOOL&) {
  POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(m_hWnd, &pt);
  RECT rcClient;
  ::GetClientRect(m_hWnd, &rcClient);
  if (!::IsZoomed(m_hWnd) && (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_THICKFRAME) != 0) {
    const RECT box = m_pm.GetSizeBox();
    const bool left = pt.x < rcClient.left + box.left;
    const bool right = pt.x >= rcClient.right - box.right;
    if (pt.y < rcClient.top + box.top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (pt.y >= rcClient.bottom - box.bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
  }
  const RECT caption = m_pm.GetCaptionRect();
  if (pt.x >= rcClient.left + caption.left && pt.x < rcClient.right - caption.right && pt.y >= caption.top &&
      pt.y < caption.bottom) {
    // Clickable controls in the caption keep their clicks.
    CControlUI* pControl = m_pm.FindControl(pt);
    if (pControl == nullptr || (pControl->GetInterface(DUI_CTR_BUTTON) == nullptr &&
                                pControl->GetInterface(DUI_CTR_TEXT) == nullptr &&
                                pControl->GetInterface(DUI_CTR_HOTKEY) == nullptr)) {
      return HTCAPTION;
    }
  }
  return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, BOOL&) {
  auto* mmi = reinterpret_cast<LPMINMAXINFO>(lParam);
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
  // Maximised, the window covers the work area (not the task bar).
  mmi->ptMaxPosition.x = mi.rcWork.left - mi.rcMonitor.left;
  mmi->ptMaxPosition.y = mi.rcWork.top - mi.rcMonitor.top;
  mmi->ptMaxSize.x = mi.rcWork.right - mi.rcWork.left;
  mmi->ptMaxSize.y = mi.rcWork.bottom - mi.rcWork.top;
  const SIZE minInfo = m_pm.GetMinInfo();
  if (minInfo.cx > 0) mmi->ptMinTrackSize.x = minInfo.cx;
  if (minInfo.cy > 0) mmi->ptMinTrackSize.y = minInfo.cy;
  const SIZE maxInfo = m_pm.GetMaxInfo();
  if (maxInfo.cx > 0) mmi->ptMaxTrackSize.x = maxInfo.cx;
  if (maxInfo.cy > 0) mmi->ptMaxTrackSize.y = maxInfo.cy;
  return 0;
}

LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

// The new shape redraws this window only: redrawing the children with it
// would paint child windows of other threads there and then, and a child
// whose thread hangs would hold this one.
LRESULT WindowImplBase::OnSize(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  const SIZE round = m_pm.GetRoundCorner();
  if (wParam != SIZE_MINIMIZED && (round.cx != 0 || round.cy != 0)) {
    if (wParam == SIZE_MAXIMIZED) {
      ::SetWindowRgn(m_hWnd, nullptr, FALSE);  // square against the screen edges
    } else {
      RECT rc;
      ::GetWindowRect(m_hWnd, &rc);
      HRGN rgn = ::CreateRoundRectRgn(0, 0, rc.right - rc.left + 1, rc.bottom - rc.top + 1, round.cx, round.cy);
      ::SetWindowRgn(m_hWnd, rgn, FALSE);  // the window owns the region now
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_NOCHILDREN);
  }
  return PassOn(bHandled);
}

LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  if ((wParam & 0xFFF0) == SC_CLOSE) {
    bHandled = TRUE;
    SendMessage(WM_CLOSE);
    return 0;
  }
  return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

LONG WindowImplBase::GetStyle() { return ::GetWindowLongA(m_hWnd, GWL_STYLE) & ~WS_CAPTION; }

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
  ::SetWindowLongA(m_hWnd, GWL_STYLE, GetStyle() | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  m_pm.Init(m_hWnd, GetManagerName());
  m_pm.AddPreMessageFilter(this);
  LPCSTR resourcePath = CPaintManagerUI::GetResourcePath();
  if (resourcePath == nullptr || *resourcePath == '\0') {
    const CDuiString folder = CPaintManagerUI::GetInstancePath() + GetSkinFolder();
    CPaintManagerUI::SetResourcePath(folder);
  }
  CDialogBuilder builder;
  const CDuiString skin = GetSkinFile();
  CControlUI* root = builder.Create(skin.GetData(), nullptr, this, &m_pm);
  if (root == nullptr) {
    char message[300] = {};
    builder.GetLastErrorMessage(message, sizeof(message));
    ::OutputDebugStringA((CDuiString("skin ") + skin + ": " + message + "\n").GetData());
    return -1;  // CreateWindowEx fails and the window is destroyed
  }
  m_pm.AttachDialog(root);
  m_pm.AddNotifier(this);
  InitWindow();
  return 0;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, BOOL& bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT lRes = 0;
  BOOL bHandled = TRUE;
  switch (uMsg) {
    case WM_CREATE: lRes = OnCreate(uMsg, wParam, lParam, bHandled); break;
    case WM_CLOSE: lRes = OnClose(uMsg, wParam, lParam, bHandled); break;
    case WM_DESTROY: lRes = OnDestroy(uMsg, wParam, lParam, bHandled); break;
    case WM_NCACTIVATE: lRes = OnNcActivate(uMsg, wParam, lParam, bHandled); break;
    case WM_NCCALCSIZE: lRes = OnNcCalcSize(uMsg, wParam, lParam, bHandled); break;
    case WM_NCPAINT: lRes = OnNcPaint(uMsg, wParam, lParam, bHandled); break;
    case WM_NCHITTEST: lRes = OnNcHitTest(uMsg, wParam, lParam, bHandled); break;
    case WM_GETMINMAXINFO: lRes = OnGetMinMaxInfo(uMsg, wParam, lParam, bHandled); break;
    case WM_MOUSEWHEEL: lRes = OnMouseWheel(uMsg, wParam, lParam, bHandled); break;
    case WM_SIZE: lRes = OnSize(uMsg, wParam, lParam, bHandled); break;
    case WM_CHAR: lRes = OnChar(uMsg, wParam, lParam, bHandled); break;
    case WM_SYSCOMMAND: lRes = OnSysCommand(uMsg, wParam, lParam, bHandled); break;
    case WM_KEYDOWN: lRes = OnKeyDown(uMsg, wParam, lParam, bHandled); break;
    case WM_KILLFOCUS: lRes = OnKillFocus(uMsg, wParam, lParam, bHandled); break;
    case WM_SETFOCUS: lRes = OnSetFocus(uMsg, wParam, lParam, bHandled); break;
    case WM_LBUTTONUP: lRes = OnLButtonUp(uMsg, wParam, lParam, bHandled); break;
    case WM_LBUTTONDOWN: lRes = OnLButtonDown(uMsg, wParam, lParam, bHandled); break;
    case WM_MOUSEMOVE: lRes = OnMouseMove(uMsg, wParam, lParam, bHandled); break;
    case WM_MOUSEHOVER: lRes = OnMouseHover(uMsg, wParam, lParam, bHandled); break;
    default: bHandled = FALSE; break;
  }
  if (bHandled) return lRes;
  lRes = HandleCustomMessage(uMsg, wParam, lParam, bHandled);
  if (bHandled) return lRes;
  if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
  return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

}  // namespace DuiLib
