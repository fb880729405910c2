// Painting of the paint manager: the tree is laid out when needed and drawn
// into an off-screen 32-bit bitmap, of which only the invalid part is copied
// to the window. Windows with per-pixel transparency get the whole bitmap
// through UpdateLayeredWindow instead.
#include <string.h>

#include "duilib/UIControl.h"
#include "duilib/UIBlend.h"
#include "duilib/UIManager.h"
#include "duilib/UIRender.h"

namespace DuiLib {

bool CPaintManagerUI::EnsureOffscreen(int cx, int cy) {
  if (cx <= 0 || cy <= 0) return false;
  if (m_hDcOffscreen != nullptr && m_szOffscreen.cx == cx && m_szOffscreen.cy == cy) return true;
  ReleaseOffscreen();
  HDC screen = ::GetDC(m_hWndPaint);
  m_hDcOffscreen = ::CreateCompatibleDC(screen);
  ::ReleaseDC(m_hWndPaint, screen);
  m_hbmpOffscreen = CRenderEngine::CreateARGB32Bitmap(cx, cy, &m_pOffscreenBits);
  if (m_hDcOffscreen == nullptr || m_hbmpOffscreen == nullptr) {
    ReleaseOffscreen();
    return false;
  }
  m_hbmpOld = ::SelectObject(m_hDcOffscreen, m_hbmpOffscreen);
  m_szOffscreen = SIZE{cx, cy};
  RegisterBlendTarget(m_hbmpOffscreen, m_pOffscreenBits, cx, cy);
  return true;
}

void CPaintManagerUI::ReleaseOffscreen() {
  if (m_hDcOffscreen != nullptr && m_hbmpOld != nullptr) ::SelectObject(m_hDcOffscreen, m_hbmpOld);
  if (m_hbmpOffscreen != nullptr) {
    UnregisterBlendTarget(m_hbmpOffscreen);
    ::DeleteObject(m_hbmpOffscreen);
  }
  if (m_hDcOffscreen != nullptr) ::DeleteDC(m_hDcOffscreen);
  m_hDcOffscreen = nullptr;
  m_hbmpOffscreen = nullptr;
  m_hbmpOld = nullptr;
  m_pOffscreenBits = nullptr;
  m_szOffscreen = SIZE{0, 0};
}

void CPaintManagerUI::PaintInto(HDC hDC, const RECT& rcPaint) {
  const int saved = ::SaveDC(hDC);
  ::IntersectClipRect(hDC, rcPaint.left, rcPaint.top, rcPaint.right, rcPaint.bottom);
  if (!m_bLayered) {
    // Skins with transparent pixels blend over white, not over old frames.
    ::FillRect(hDC, &rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  }
  if (m_pRoot != nullptr) m_pRoot->DoPaint(hDC, rcPaint);
  ::RestoreDC(hDC, saved);
}

void CPaintManagerUI::UpdateLayeredWindowContent() {
  RECT rcWindow;
  ::GetWindowRect(m_hWndPaint, &rcWindow);
  const SIZE size = {rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top};
  if (!EnsureOffscreen(size.cx, size.cy)) return;
  memset(m_pOffscreenBits, 0, static_cast<size_t>(size.cx) * size.cy * 4);
  const RECT all = {0, 0, size.cx, size.cy};
  PaintInto(m_hDcOffscreen, all);
  // GDI text leaves alpha 0 on the pixels it draws; an invisible pixel with
  // colour is such a text pixel: make it opaque.
  BYTE* p = m_pOffscreenBits;
  for (long i = 0, n = static_cast<long>(size.cx) * size.cy; i < n; ++i, p += 4) {
    if (p[3] == 0 && (p[0] | p[1] | p[2]) != 0) p[3] = 255;
  }
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, m_nOpacity, AC_SRC_ALPHA};
  POINT ptDest = {rcWindow.left, rcWindow.top};
  POINT ptSrc = {0, 0};
  SIZE szCopy = size;
  ::UpdateLayeredWindow(m_hWndPaint, nullptr, &ptDest, &szCopy, m_hDcOffscreen, &ptSrc, 0, &blend, ULW_ALPHA);
}

void CPaintManagerUI::OnPaint() {
  UpdateLayout();
  if (m_bFirstLayout && m_pRoot != nullptr && !m_bUpdateNeeded) {
    // The first paint is the first time the window is shown with its layout.
    m_bFirstLayout = false;
    SendNotify(m_pRoot, DUI_MSGTYPE_WINDOWINIT, 0, 0, false);
    UpdateLayout();  // the listeners may have changed the tree
  }
  if (m_bLayered) {
    ::ValidateRect(m_hWndPaint, nullptr);
    UpdateLayeredWindowContent();
    return;
  }
  PAINTSTRUCT ps;
  HDC hDC = ::BeginPaint(m_hWndPaint, &ps);
  if (hDC == nullptr) return;
  if (!::IsRectEmpty(&ps.rcPaint)) {
    RECT rcClient;
    ::GetClientRect(m_hWndPaint, &rcClient);
    if (EnsureOffscreen(rcClient.right, rcClient.bottom)) {
      PaintInto(m_hDcOffscreen, ps.rcPaint);
      ::BitBlt(hDC, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, m_hDcOffscreen, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    } else {
      PaintInto(hDC, ps.rcPaint);
    }
  }
  ::EndPaint(m_hWndPaint, &ps);
}

}  // namespace DuiLib
