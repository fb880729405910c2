// Input of the paint manager: mouse, keyboard, cursor and tooltips turned
// into control events.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "duilib/UIControl.h"
#include "duilib/UIManager.h"

namespace DuiLib {
namespace {

// Far outside every control: a release there is no click.
const POINT kNowhere = {-32768, -32768};

WORD MapKeyState() {
  WORD state = 0;
  if (::GetKeyState(VK_CONTROL) < 0) state |= MK_CONTROL;
  if (::GetKeyState(VK_SHIFT) < 0) state |= MK_SHIFT;
  if (::GetKeyState(VK_MENU) < 0) state |= MK_ALT;
  if (::GetKeyState(VK_LBUTTON) < 0) state |= MK_LBUTTON;
  if (::GetKeyState(VK_RBUTTON) < 0) state |= MK_RBUTTON;
  return state;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

TOOLINFOA ToolInfo(HWND hWnd, LPSTR text) {
  TOOLINFOA ti = {};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
  ti.hwnd = hWnd;
  ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
  ti.lpszText = text;
  return ti;
}

}  // namespace

void CPaintManagerUI::SendEvent(CControlUI* pControl, int type, POINT pt, WPARAM wParam, LPARAM lParam) {
  if (pControl == nullptr) return;
  TEventUI event;
  event.Type = type;
  event.pSender = pControl;
  event.dwTimestamp = ::GetTickCount();
  event.ptMouse = pt;
  event.wKeyState = MapKeyState();
  event.wParam = wParam;
  event.lParam = lParam;
  pControl->Event(event);
}

void CPaintManagerUI::TrackMouse() {
  if (m_bMouseTracking) return;
  TRACKMOUSEEVENT tme = {};
  tme.cbSize = sizeof(tme);
  tme.dwFlags = TME_HOVER | TME_LEAVE;
  tme.hwndTrack = m_hWndPaint;
  tme.dwHoverTime = HOVER_DEFAULT;
  m_bMouseTracking = ::TrackMouseEvent(&tme) != FALSE;
}

void CPaintManagerUI::SetHover(CControlUI* pNewHover, POINT pt) {
  // While a button is held, only the pressed control may look hot.
  if (m_pEventClick != nullptr && pNewHover != m_pEventClick) pNewHover = nullptr;
  if (pNewHover == m_pEventHover) return;
  if (CControlUI* old = m_pEventHover) {
    m_pEventHover = nullptr;
    HideToolTip();
    SendEvent(old, UIEVENT_MOUSELEAVE, pt);
  }
  if (pNewHover != nullptr) {
    m_pEventHover = pNewHover;
    SendEvent(pNewHover, UIEVENT_MOUSEENTER, pt);
  }
}

void CPaintManagerUI::ShowToolTip(CControlUI* pControl, POINT pt) {
  const CDuiString tip = pControl->GetToolTip();
  if (tip.IsEmpty()) {
    HideToolTip();
    return;
  }
  if (m_hwndTooltip == nullptr) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_hwndTooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWndPaint, nullptr,
                                      GetInstance(), nullptr);
    if (m_hwndTooltip == nullptr) return;
    // The system's tooltip font may lack Chinese glyphs: use the window's.
    ::SendMessageA(m_hwndTooltip, WM_SETFONT, reinterpret_cast<WPARAM>(GetDefaultFont()), FALSE);
    TOOLINFOA ti = ToolInfo(m_hWndPaint, const_cast<LPSTR>(""));
    ::SendMessageA(m_hwndTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
  TOOLINFOA ti = ToolInfo(m_hWndPaint, const_cast<LPSTR>(tip.GetData()));
  ::SendMessageA(m_hwndTooltip, TTM_SETMAXTIPWIDTH, 0, pControl->GetToolTipWidth());
  ::SendMessageA(m_hwndTooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  POINT screen = pt;
  ::ClientToScreen(m_hWndPaint, &screen);
  // Below the cursor, clear of its arrow.
  ::SendMessageA(m_hwndTooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y + m_dpi.Scale(20)));
  ::SendMessageA(m_hwndTooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  m_pToolTipOwner = pControl;
}

void CPaintManagerUI::HideToolTip() {
  if (m_hwndTooltip != nullptr && m_pToolTipOwner != nullptr) {
    TOOLINFOA ti = ToolInfo(m_hWndPaint, nullptr);
    ::SendMessageA(m_hwndTooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  }
  m_pToolTipOwner = nullptr;
}

bool CPaintManagerUI::HandleMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
  switch (uMsg) {
    case WM_MOUSEMOVE: {
      TrackMouse();
      const POINT pt = PointOf(lParam);
      m_ptLastMousePos = pt;
      CControlUI* pNewHover = FindControl(pt);
      if (m_pToolTipOwner != nullptr && pNewHover != m_pToolTipOwner) HideToolTip();
      SetHover(pNewHover, pt);
      if (m_pEventClick != nullptr) SendEvent(m_pEventClick, UIEVENT_MOUSEMOVE, pt, wParam, lParam);
      else if (pNewHover != nullptr) SendEvent(pNewHover, UIEVENT_MOUSEMOVE, pt, wParam, lParam);
      lRes = 0;
      return true;
    }
    case WM_MOUSEHOVER: {
      m_bMouseTracking = false;  // re-armed by the next move
      const POINT pt = PointOf(lParam);
      CControlUI* pControl = FindControl(pt);
      if (pControl == nullptr) return false;
      if (m_pEventHover != nullptr) SendEvent(m_pEventHover, UIEVENT_MOUSEHOVER, pt, wParam, lParam);
      if (m_pEventClick == nullptr) ShowToolTip(pControl, pt);
      lRes = 0;
      return true;
    }
    case WM_MOUSELEAVE: {
      m_bMouseTracking = false;
      HideToolTip();
      if (m_pEventClick == nullptr) SetHover(nullptr, m_ptLastMousePos);
      lRes = 0;
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (::GetFocus() != m_hWndPaint) ::SetFocus(m_hWndPaint);
      const POINT pt = PointOf(lParam);
      m_ptLastMousePos = pt;
      HideToolTip();
      CControlUI* pControl = FindControl(pt);
      if (pControl == nullptr) return false;
      m_pEventClick = pControl;
      pControl->SetFocus();
      SetCapture();
      SendEvent(m_pEventClick, uMsg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, pt, wParam, lParam);
      lRes = 0;
      return true;
    }
    case WM_LBUTTONUP: {
      const POINT pt = PointOf(lParam);
      m_ptLastMousePos = pt;
      CControlUI* pControl = m_pEventClick;
      m_pEventClick = nullptr;
      ReleaseCapture();
      if (pControl == nullptr) return false;
      SendEvent(pControl, UIEVENT_BUTTONUP, pt, wParam, lParam);
      SetHover(FindControl(pt), pt);  // hot tracking resumes
      lRes = 0;
      return true;
    }
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      // The press was taken away (another window, a menu): release it
      // without a click.
      if (uMsg == WM_CANCELMODE || reinterpret_cast<HWND>(lParam) != m_hWndPaint) {
        m_bMouseCapture = false;
        if (CControlUI* pControl = m_pEventClick) {
          m_pEventClick = nullptr;
          SendEvent(pControl, UIEVENT_BUTTONUP, kNowhere);
        }
      }
      return false;
    case WM_RBUTTONDOWN: {
      if (::GetFocus() != m_hWndPaint) ::SetFocus(m_hWndPaint);
      const POINT pt = PointOf(lParam);
      m_ptLastMousePos = pt;
      CControlUI* pControl = FindControl(pt);
      if (pControl == nullptr) return false;
      pControl->SetFocus();
      SendEvent(pControl, UIEVENT_RBUTTONDOWN, pt, wParam, lParam);
      lRes = 0;
      return true;
    }
    case WM_CONTEXTMENU: {
      POINT pt = PointOf(lParam);
      ::ScreenToClient(m_hWndPaint, &pt);
      m_ptLastMousePos = pt;
      if (m_pEventClick != nullptr) return false;
      CControlUI* pControl = FindControl(pt);
      if (pControl == nullptr) return false;
      SendEvent(pControl, UIEVENT_CONTEXTMENU, pt, reinterpret_cast<WPARAM>(pControl), 0);
      lRes = 0;
      return true;
    }
    case WM_MOUSEWHEEL: {
      POINT pt = PointOf(lParam);
      ::ScreenToClient(m_hWndPaint, &pt);
      m_ptLastMousePos = pt;
      CControlUI* pControl = FindControl(pt);
      if (pControl == nullptr) return false;
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      SendEvent(pControl, UIEVENT_SCROLLWHEEL, pt, MAKELPARAM(delta < 0 ? SB_LINEDOWN : SB_LINEUP, 0), lParam);
      lRes = 0;
      return true;
    }
    case WM_SETCURSOR: {
      if (LOWORD(lParam) != HTCLIENT) return false;
      POINT pt;
      ::GetCursorPos(&pt);
      ::ScreenToClient(m_hWndPaint, &pt);
      CControlUI* pControl = m_pEventClick != nullptr ? m_pEventClick : FindControl(pt);
      if (pControl == nullptr || (pControl->GetControlFlags() & UIFLAG_SETCURSOR) == 0) return false;
      SendEvent(pControl, UIEVENT_SETCURSOR, pt, wParam, lParam);
      lRes = TRUE;
      return true;
    }
    default:
      return false;
  }
}

bool CPaintManagerUI::HandleKeyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
  int type;
  bool system = false;
  switch (uMsg) {
    case WM_KEYDOWN: type = UIEVENT_KEYDOWN; break;
    case WM_KEYUP: type = UIEVENT_KEYUP; break;
    case WM_CHAR: type = UIEVENT_CHAR; break;
    case WM_SYSKEYDOWN: type = UIEVENT_KEYDOWN; system = true; break;
    case WM_SYSKEYUP: type = UIEVENT_KEYUP; system = true; break;
    case WM_SYSCHAR: type = UIEVENT_CHAR; system = true; break;
    default: return false;
  }
  if (m_pFocus == nullptr) return false;
  // Alt combinations stay the system's (menus, Alt+F4) unless the focused
  // control captures them.
  if (system && (m_pFocus->GetControlFlags() & UIFLAG_WANTSYSKEY) == 0) return false;
  TEventUI event;
  event.Type = type;
  event.pSender = m_pFocus;
  event.dwTimestamp = ::GetTickCount();
  event.ptMouse = m_ptLastMousePos;
  event.chKey = static_cast<char>(wParam);
  event.wKeyState = MapKeyState();
  // Bit 29 of a system key message: Alt is down (also when the key state
  // was not updated, as for sent messages).
  if (system && (lParam & (1L << 29)) != 0) event.wKeyState |= MK_ALT;
  event.wParam = wParam;
  event.lParam = lParam;
  m_pFocus->Event(event);
  lRes = 0;
  return true;
}

}  // namespace DuiLib
