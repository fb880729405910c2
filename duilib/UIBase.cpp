#include "duilib/UIBase.h"

#include "common/window_dpi.h"
#include "duilib/UIManager.h"

namespace DuiLib {

bool CWindowWnd::RegisterWindowClass() {
  WNDCLASSA wc = {};
  wc.style = GetClassStyle();
  wc.lpfnWndProc = &CWindowWnd::WindowProc;
  wc.hInstance = CPaintManagerUI::GetInstance();
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = GetWindowClassName();
  if (::RegisterClassA(&wc) != 0) return true;
  return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::Create(HWND hwndParent, LPCSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx,
                        int cy, HMENU hMenu) {
  if (!RegisterWindowClass()) return nullptr;
  // WM_NCCREATE stores the handle; nothing of this object is touched after
  // the call, which may have deleted it.
  return ::CreateWindowExA(dwExStyle, GetWindowClassName(), pstrName, dwStyle, x, y, cx, cy, hwndParent, hMenu,
                           CPaintManagerUI::GetInstance(), this);
}

HWND CWindowWnd::Create(HWND hwndParent, LPCSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT rc,
                        HMENU hMenu) {
  return Create(hwndParent, pstrName, dwStyle, dwExStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                hMenu);
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus) {
  if (!::IsWindow(m_hWnd)) return;
  ::ShowWindow(m_hWnd, bShow ? (bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

void CWindowWnd::Close(UINT nRet) {
  if (::IsWindow(m_hWnd)) ::PostMessageA(m_hWnd, WM_CLOSE, nRet, 0);
}

void CWindowWnd::CenterWindow() {
  if (!::IsWindow(m_hWnd)) return;
  RECT rcDlg;
  ::GetWindowRect(m_hWnd, &rcDlg);
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoA(::MonitorFromWindow(owner != nullptr ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
  const RECT area = mi.rcWork;
  RECT center = area;
  if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &center);
  const int width = rcDlg.right - rcDlg.left;
  const int height = rcDlg.bottom - rcDlg.top;
  int x = (center.left + center.right - width) / 2;
  int y = (center.top + center.bottom - height) / 2;
  // Inside the work area; a window larger than it keeps its top-left there.
  if (x + width > area.right) x = area.right - width;
  if (y + height > area.bottom) y = area.bottom - height;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::SetIcon(UINT nRes) {
  HINSTANCE inst = CPaintManagerUI::GetResourceDll();
  auto load = [&](int size) {
    return ::LoadImageA(inst, MAKEINTRESOURCEA(nRes), IMAGE_ICON, size, size, LR_DEFAULTCOLOR | LR_SHARED);
  };
  // The icon sizes of the window's own scale, not the system's.
  const UINT dpi = tamvelo::WindowDpi(m_hWnd);
  if (HANDLE big = load(tamvelo::ScaleForDpi(32, dpi))) SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (HANDLE small = load(tamvelo::ScaleForDpi(16, dpi))) {
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND) {}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* pThis = nullptr;
  if (uMsg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<LPCREATESTRUCTA>(lParam);
    pThis = static_cast<CWindowWnd*>(cs->lpCreateParams);
    pThis->m_hWnd = hWnd;
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pThis));
    tamvelo::EnableNonClientScaling(hWnd);
  } else {
    pThis = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (uMsg == WM_NCDESTROY && pThis != nullptr) {
      const LRESULT lRes = ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
      ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
      pThis->m_hWnd = nullptr;
      pThis->OnFinalMessage(hWnd);
      return lRes;
    }
  }
  if (pThis != nullptr) return pThis->HandleMessage(uMsg, wParam, lParam);
  return ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace DuiLib
