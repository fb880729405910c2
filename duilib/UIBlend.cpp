#include "duilib/UIBlend.h"

#include <stdint.h>

#include <algorithm>
#include <vector>

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

// The registered bitmap selected into the DC, with `area` set to the part of
// rc inside the DC's clipping and the bitmap (possibly empty); nullptr when
// GDI must draw: another bitmap, a moved origin or a clipping region that is
// not one rectangle.
const BlendTarget* TargetArea(HDC hDC, const RECT& rc, RECT& area) {
  HGDIOBJ bitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
  const auto& targets = Targets();
  const auto it = std::find_if(targets.begin(), targets.end(),
                               [bitmap](const BlendTarget& t) { return t.hBitmap == bitmap; });
  if (it == targets.end()) return nullptr;
  POINT viewport, window;
  ::GetViewportOrgEx(hDC, &viewport);
  ::GetWindowOrgEx(hDC, &window);
  if (viewport.x != 0 || viewport.y != 0 || window.x != 0 || window.y != 0) return nullptr;
  RECT clip;
  const int kind = ::GetClipBox(hDC, &clip);
  if (kind == COMPLEXREGION || kind == ERROR) return nullptr;
  const RECT bounds = {0, 0, it->cx, it->cy};
  if (kind == NULLREGION || !::IntersectRect(&area, &rc, &clip) || !::IntersectRect(&area, &area, &bounds)) {
    area = RECT{0, 0, 0, 0};
  } else {
    ::GdiFlush();  // pending GDI drawing lands before the bits are touched
  }
  return &*it;
}

uint32_t* Row(const BlendTarget& target, int y) {
  return reinterpret_cast<uint32_t*>(target.pBits) + static_cast<size_t>(y) * target.cx;
}

// x / 255 rounded for two 16-bit lanes at once (bits 0-15 and 16-31), each
// at most 65025; the results land in bits 0-7 and 16-23. Exact, and no
// carry crosses from one lane into the other.
inline uint32_t Div255Lanes(uint32_t x) {
  x += 0x00800080u;
  return ((x + ((x >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// Every channel of a premultiplied pixel times factor/255.
inline uint32_t Scale(uint32_t px, uint32_t factor) {
  return Div255Lanes((px & 0x00FF00FFu) * factor) | (Div255Lanes(((px >> 8) & 0x00FF00FFu) * factor) << 8);
}

// Premultiplied "over": source + destination * (1 - source alpha).
inline uint32_t Over(uint32_t src, uint32_t dst) {
  const uint32_t alpha = src >> 24;
  if (alpha == 255) return src;
  return src + Scale(dst, 255 - alpha);
}

}  // namespace

bool BlendColorIntoTarget(HDC hDC, const RECT& rc, DWORD argb) {
  RECT area;
  const BlendTarget* target = TargetArea(hDC, rc, area);
  if (target == nullptr) return false;
  // Colour * alpha + destination * (1 - alpha) with a single rounding;
  // blue and red in one pair of lanes, green and alpha in the other.
  const uint32_t a = argb >> 24;
  const uint32_t keep = 255 - a;
  const uint32_t addRB = (((argb >> 16) & 0xFF) * a << 16) | ((argb & 0xFF) * a);
  const uint32_t addGA = ((a * 255) << 16) | (((argb >> 8) & 0xFF) * a);
  for (int y = area.top; y < area.bottom; ++y) {
    uint32_t* p = Row(*target, y) + area.left;
    for (int n = area.right - area.left; n > 0; --n, ++p) {
      const uint32_t px = *p;
      *p = Div255Lanes((px & 0x00FF00FFu) * keep + addRB) |
           (Div255Lanes(((px >> 8) & 0x00FF00FFu) * keep + addGA) << 8);
    }
  }
  return true;
}

bool BlendPixelsIntoTarget(HDC hDC, const RECT& dest, const BYTE* srcBits, int srcWidth, const RECT& src,
                           BYTE fade) {
  const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
  const int sw = src.right - src.left, sh = src.bottom - src.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return true;
  RECT area;
  const BlendTarget* target = TargetArea(hDC, dest, area);
  if (target == nullptr) return false;
  const uint32_t* pixels = reinterpret_cast<const uint32_t*>(srcBits);
  // Nearest source column of each destination column: the centre's.
  std::vector<int> columns(static_cast<size_t>(std::max(0L, area.right - area.left)));
  for (size_t i = 0; i < columns.size(); ++i) {
    const int x = area.left + static_cast<int>(i) - dest.left;
    columns[i] = src.left + static_cast<int>((2LL * x + 1) * sw / (2LL * dw));
  }
  for (int y = area.top; y < area.bottom; ++y) {
    const int sy = src.top + static_cast<int>((2LL * (y - dest.top) + 1) * sh / (2LL * dh));
    const uint32_t* from = pixels + static_cast<size_t>(sy) * srcWidth;
    uint32_t* p = Row(*target, y) + area.left;
    for (int column : columns) {
      const uint32_t px = fade == 255 ? from[column] : Scale(from[column], fade);
      if ((px >> 24) != 0) *p = Over(px, *p);
      ++p;
    }
  }
  return true;
}

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

}  // namespace DuiLib
