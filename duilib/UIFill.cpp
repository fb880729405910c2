#include "duilib/UIFill.h"

#include "duilib/UIRender.h"

namespace DuiLib {
namespace {

// x / 255 rounded, exact for 0..65535 without a division.
inline DWORD Div255(DWORD x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// Blends straight into a 32-bit DIB section selected in the DC; false when
// the DC is anything else (then GDI does it).
bool BlendIntoDib(HDC hDC, const RECT& rc, DWORD argb) {
  DIBSECTION ds = {};
  HGDIOBJ bitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
  if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof(ds), &ds) != sizeof(ds)) return false;
  if (ds.dsBm.bmBitsPixel != 32 || ds.dsBm.bmBits == nullptr || ds.dsBmih.biCompression != BI_RGB) return false;
  POINT viewport, window;
  ::GetViewportOrgEx(hDC, &viewport);
  ::GetWindowOrgEx(hDC, &window);
  if (viewport.x != 0 || viewport.y != 0 || window.x != 0 || window.y != 0) return false;
  RECT clip;
  const int kind = ::GetClipBox(hDC, &clip);
  if (kind == COMPLEXREGION || kind == ERROR) return false;
  RECT area;
  if (kind == NULLREGION || !::IntersectRect(&area, &rc, &clip)) return true;
  const RECT bounds = {0, 0, ds.dsBm.bmWidth, ds.dsBm.bmHeight};
  if (!::IntersectRect(&area, &area, &bounds)) return true;

  ::GdiFlush();  // pending GDI drawing lands before the bits are touched
  const DWORD a = argb >> 24;
  const DWORD keep = 255 - a;
  const DWORD r = ((argb >> 16) & 0xFF) * a, g = ((argb >> 8) & 0xFF) * a, b = (argb & 0xFF) * a;
  const bool topDown = ds.dsBmih.biHeight < 0;
  for (int y = area.top; y < area.bottom; ++y) {
    const int row = topDown ? y : ds.dsBm.bmHeight - 1 - y;
    auto* p = static_cast<BYTE*>(ds.dsBm.bmBits) + static_cast<size_t>(row) * ds.dsBm.bmWidthBytes + area.left * 4;
    for (int x = area.left; x < area.right; ++x, p += 4) {
      // Premultiplied "over": colour + destination * (1 - alpha).
      p[0] = static_cast<BYTE>(Div255(b + p[0] * keep));
      p[1] = static_cast<BYTE>(Div255(g + p[1] * keep));
      p[2] = static_cast<BYTE>(Div255(r + p[2] * keep));
      p[3] = static_cast<BYTE>(Div255(a * 255 + p[3] * keep));
    }
  }
  return true;
}

}  // namespace

void FillColor(HDC hDC, const RECT& rc, DWORD argb) {
  const DWORD alpha = argb >> 24;
  if (alpha == 0) return;
  if (alpha != 255 && BlendIntoDib(hDC, rc, argb)) return;
  CRenderEngine::DrawColor(hDC, rc, argb);
}

}  // namespace DuiLib
