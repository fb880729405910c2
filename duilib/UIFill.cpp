#include "duilib/UIFill.h"

#include <algorithm>
#include <vector>

#include "duilib/UIRender.h"

namespace DuiLib {
namespace {

struct BlendTarget {
  HBITMAP hBitmap;
  BYTE* pBits;
  int cx, cy;
};

// User-interface thread only, like the windows that own the bitmaps.
std::vector<BlendTarget>& Targets() {
  static std::vector<BlendTarget> targets;
  return targets;
}

// x / 255 rounded, exact for 0..65535 without a division.
inline DWORD Div255(DWORD x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// Blends straight into a registered bitmap selected in the DC; false when
// the DC holds anything else (then GDI does it).
bool BlendIntoTarget(HDC hDC, const RECT& rc, DWORD argb) {
  HGDIOBJ bitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
  const auto& targets = Targets();
  const auto it = std::find_if(targets.begin(), targets.end(),
                               [bitmap](const BlendTarget& t) { return t.hBitmap == bitmap; });
  if (it == targets.end()) return false;
  POINT viewport, window;
  ::GetViewportOrgEx(hDC, &viewport);
  ::GetWindowOrgEx(hDC, &window);
  if (viewport.x != 0 || viewport.y != 0 || window.x != 0 || window.y != 0) return false;
  RECT clip;
  const int kind = ::GetClipBox(hDC, &clip);
  if (kind == COMPLEXREGION || kind == ERROR) return false;
  RECT area;
  if (kind == NULLREGION || !::IntersectRect(&area, &rc, &clip)) return true;
  const RECT bounds = {0, 0, it->cx, it->cy};
  if (!::IntersectRect(&area, &area, &bounds)) return true;

  ::GdiFlush();  // pending GDI drawing lands before the bits are touched
  const DWORD a = argb >> 24;
  const DWORD keep = 255 - a;
  const DWORD r = ((argb >> 16) & 0xFF) * a, g = ((argb >> 8) & 0xFF) * a, b = (argb & 0xFF) * a;
  for (int y = area.top; y < area.bottom; ++y) {
    BYTE* p = it->pBits + (static_cast<size_t>(y) * it->cx + area.left) * 4;
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

void RegisterBlendTarget(HBITMAP hBitmap, BYTE* pBits, int cx, int cy) {
  UnregisterBlendTarget(hBitmap);
  if (hBitmap != nullptr && pBits != nullptr) Targets().push_back(BlendTarget{hBitmap, pBits, cx, cy});
}

void UnregisterBlendTarget(HBITMAP hBitmap) {
  auto& targets = Targets();
  targets.erase(std::remove_if(targets.begin(), targets.end(),
                               [hBitmap](const BlendTarget& t) { return t.hBitmap == hBitmap; }),
                targets.end());
}

void FillColor(HDC hDC, const RECT& rc, DWORD argb) {
  const DWORD alpha = argb >> 24;
  if (alpha == 0) return;
  if (alpha != 255 && BlendIntoTarget(hDC, rc, argb)) return;
  CRenderEngine::DrawColor(hDC, rc, argb);
}

}  // namespace DuiLib
