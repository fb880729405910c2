#include "duilib/UIRender.h"

#include <cstring>
#include <vector>

#include "common/window_dpi.h"
#include "duilib/UIBlend.h"
#include "duilib/UIColorValue.h"
#include "duilib/UIImage.h"

namespace DuiLib {
namespace {

bool IsZeroRect(const RECT& rc) { return rc.left == 0 && rc.top == 0 && rc.right == 0 && rc.bottom == 0; }

COLORREF ToColorRef(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

BYTE Alpha(DWORD argb) { return static_cast<BYTE>(argb >> 24); }

// 0xAARRGGBB with the colour multiplied by alpha, as AlphaBlend expects.
DWORD Premultiply(DWORD argb) {
  const DWORD a = argb >> 24;
  auto mul = [a](DWORD c) { return (c * a + 127) / 255; };
  return (a << 24) | (mul((argb >> 16) & 0xFF) << 16) | (mul((argb >> 8) & 0xFF) << 8) | mul(argb & 0xFF);
}

// A memory DC kept for the process, so that drawing an image does not
// create and destroy one each time.
HDC ScratchDC() {
  static const HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

// Premultiplied 32-bit source pixels: the bitmap selected into dc and its bits.
struct Pixels {
  HDC dc;
  const BYTE* bits;
  int width;
};

// Copies source pixels onto `dst`: a plain blit when nothing needs blending,
// else blended in memory where possible.
void Blend(HDC dst, const RECT& d, const Pixels& src, const RECT& s, BYTE fade, bool alpha) {
  const int dw = d.right - d.left, dh = d.bottom - d.top, sw = s.right - s.left, sh = s.bottom - s.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  if (!alpha && fade == 255) {
    if (dw == sw && dh == sh) {
      BitBlt(dst, d.left, d.top, dw, dh, src.dc, s.left, s.top, SRCCOPY);
    } else {
      const int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
      StretchBlt(dst, d.left, d.top, dw, dh, src.dc, s.left, s.top, sw, sh, SRCCOPY);
      SetStretchBltMode(dst, oldMode);
    }
    return;
  }
  if (BlendPixelsIntoTarget(dst, d, src.bits, src.width, s, fade)) return;
  const BLENDFUNCTION bf = {AC_SRC_OVER, 0, fade, static_cast<BYTE>(alpha ? AC_SRC_ALPHA : 0)};
  AlphaBlend(dst, d.left, d.top, dw, dh, src.dc, s.left, s.top, sw, sh, bf);
}

// Fills d with copies of s at their own size along the tiled axes, only
// where they meet `clip`.
void DrawSlice(HDC dst, const TSlice& slice, const RECT& clip, const Pixels& src, BYTE fade, bool alpha,
               bool tileX, bool tileY) {
  RECT visible;
  if (!IntersectRect(&visible, &slice.rcDest, &clip)) return;
  const RECT& d = slice.rcDest;
  const RECT& s = slice.rcSource;
  if (!tileX && !tileY) {
    Blend(dst, d, src, s, fade, alpha);
    return;
  }
  const LONG stepX = tileX ? s.right - s.left : d.right - d.left;
  const LONG stepY = tileY ? s.bottom - s.top : d.bottom - d.top;
  // Start at the first tile that reaches into the visible part.
  const LONG firstX = d.left + (visible.left - d.left) / stepX * stepX;
  const LONG firstY = d.top + (visible.top - d.top) / stepY * stepY;
  for (LONG y = firstY; y < visible.bottom; y += stepY) {
    for (LONG x = firstX; x < visible.right; x += stepX) {
      RECT td = {x, y, tileX ? x + stepX : d.right, tileY ? y + stepY : d.bottom};
      if (td.right > d.right) td.right = d.right;
      if (td.bottom > d.bottom) td.bottom = d.bottom;
      // A tile cut by the edge takes only that much of the source.
      const RECT ts = {s.left, s.top, tileX ? s.left + (td.right - td.left) : s.right,
                       tileY ? s.top + (td.bottom - td.top) : s.bottom};
      Blend(dst, td, src, ts, fade, alpha);
    }
  }
}

}  // namespace

DWORD CRenderEngine::ParseColor(const char* text) { return ParseColorValue(text); }

bool CRenderEngine::DrawImageString(HDC hDC, const RECT& rcItem, const RECT& rcPaint, const char* imageAttr,
                                    UINT dpi) {
  TDrawInfo info;
  if (!info.Parse(imageAttr)) return false;
  const TImageInfo* image = CImageCache::GetScaled(info.sImageName, info.dwMask, dpi).image;
  if (!image) return false;
  const auto scale = [dpi](const RECT& rc) {
    return RECT{tamvelo::ScaleForDpi(rc.left, dpi), tamvelo::ScaleForDpi(rc.top, dpi),
                tamvelo::ScaleForDpi(rc.right, dpi), tamvelo::ScaleForDpi(rc.bottom, dpi)};
  };
  RECT dest = rcItem;
  if (!IsZeroRect(info.rcDest)) {
    const RECT offset = scale(info.rcDest);
    dest = {rcItem.left + offset.left, rcItem.top + offset.top, rcItem.left + offset.right,
            rcItem.top + offset.bottom};
  }
  RECT paint;
  if (IntersectRect(&paint, &rcPaint, &rcItem)) {
    DrawImage(hDC, image, dest, paint, scale(info.rcSource), scale(info.rcCorner), info.uFade, info.bHole,
              info.bTiledX, info.bTiledY);
  }
  return true;
}

void CRenderEngine::DrawImage(HDC hDC, const TImageInfo* image, const RECT& dest, const RECT& paint,
                              const RECT& source, const RECT& corner, BYTE fade, bool hole, bool tiledX,
                              bool tiledY) {
  if (!hDC || !image || !image->hBitmap || fade == 0) return;
  const RECT whole = {0, 0, image->nX, image->nY};
  RECT src = whole;
  if (!IsZeroRect(source) && !IntersectRect(&src, &source, &whole)) return;
  RECT clip;
  if (!IntersectRect(&clip, &dest, &paint)) return;
  std::vector<TSlice> slices;
  CalcNineSlice(dest, src, corner, hole, slices);
  const HDC memDC = ScratchDC();
  const HGDIOBJ oldBitmap = SelectObject(memDC, image->hBitmap);
  const Pixels pixels = {memDC, image->pBits, image->nX};
  const int saved = SaveDC(hDC);
  IntersectClipRect(hDC, clip.left, clip.top, clip.right, clip.bottom);
  for (const TSlice& slice : slices) {
    DrawSlice(hDC, slice, clip, pixels, fade, image->bAlpha, tiledX && slice.bMiddleX, tiledY && slice.bMiddleY);
  }
  RestoreDC(hDC, saved);
  SelectObject(memDC, oldBitmap);
}

void CRenderEngine::DrawColor(HDC hDC, const RECT& rc, DWORD argb) {
  if (!hDC || Alpha(argb) == 0 || rc.right <= rc.left || rc.bottom <= rc.top) return;
  if (Alpha(argb) == 0xFF) {
    const COLORREF old = SetDCBrushColor(hDC, ToColorRef(argb));
    FillRect(hDC, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(hDC, old);
    return;
  }
  if (BlendColorIntoTarget(hDC, rc, argb)) return;
  static BYTE* pixel = nullptr;
  static const HBITMAP dot = CreateARGB32Bitmap(1, 1, &pixel);
  if (!dot) return;
  GdiFlush();
  *reinterpret_cast<DWORD*>(pixel) = Premultiply(argb);
  const HDC memDC = ScratchDC();
  const HGDIOBJ old = SelectObject(memDC, dot);
  Blend(hDC, rc, Pixels{memDC, pixel, 1}, RECT{0, 0, 1, 1}, 255, true);
  SelectObject(memDC, old);
}

void CRenderEngine::DrawGradient(HDC hDC, const RECT& rc, DWORD argb1, DWORD argb2, bool vertical) {
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  if (!hDC || width <= 0 || height <= 0) return;
  // One line of interpolated colours, stretched across the other axis.
  const int steps = vertical ? height : width;
  BYTE* raw = nullptr;
  const HBITMAP strip = vertical ? CreateARGB32Bitmap(1, steps, &raw) : CreateARGB32Bitmap(steps, 1, &raw);
  if (!strip) return;
  DWORD* bits = reinterpret_cast<DWORD*>(raw);
  for (int i = 0; i < steps; ++i) {
    DWORD argb = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const int a = (argb1 >> shift) & 0xFF, b = (argb2 >> shift) & 0xFF;
      const int c = steps == 1 ? a : a + (b - a) * i / (steps - 1);
      argb |= static_cast<DWORD>(c) << shift;
    }
    bits[i] = Premultiply(argb);
  }
  const HDC memDC = ScratchDC();
  const HGDIOBJ old = SelectObject(memDC, strip);
  Blend(hDC, rc, Pixels{memDC, raw, vertical ? 1 : steps}, vertical ? RECT{0, 0, 1, steps} : RECT{0, 0, steps, 1},
        255, true);
  SelectObject(memDC, old);
  DeleteObject(strip);
}

void CRenderEngine::DrawRect(HDC hDC, const RECT& rc, int size, DWORD argb) {
  if (size <= 0) return;
  if (2 * size >= rc.right - rc.left || 2 * size >= rc.bottom - rc.top) {
    DrawColor(hDC, rc, argb);
    return;
  }
  // Four strips that do not overlap, so translucent borders blend once.
  DrawColor(hDC, RECT{rc.left, rc.top, rc.right, rc.top + size}, argb);
  DrawColor(hDC, RECT{rc.left, rc.bottom - size, rc.right, rc.bottom}, argb);
  DrawColor(hDC, RECT{rc.left, rc.top + size, rc.left + size, rc.bottom - size}, argb);
  DrawColor(hDC, RECT{rc.right - size, rc.top + size, rc.right, rc.bottom - size}, argb);
}

void CRenderEngine::DrawRoundRect(HDC hDC, const RECT& rc, int size, int width, int height, DWORD argb) {
  if (!hDC || size <= 0 || Alpha(argb) == 0) return;
  const HPEN pen = CreatePen(PS_INSIDEFRAME, size, ToColorRef(argb));
  const HGDIOBJ oldPen = SelectObject(hDC, pen);
  const HGDIOBJ oldBrush = SelectObject(hDC, GetStockObject(NULL_BRUSH));
  RoundRect(hDC, rc.left, rc.top, rc.right, rc.bottom, width, height);
  SelectObject(hDC, oldBrush);
  SelectObject(hDC, oldPen);
  DeleteObject(pen);
}

void CRenderEngine::DrawText(HDC hDC, RECT& rc, const char* text, DWORD argb, HFONT font, UINT style) {
  if (!hDC) return;
  const HGDIOBJ oldFont = SelectObject(hDC, font ? font : DefaultFont());
  const int oldMode = SetBkMode(hDC, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(hDC, ToColorRef(argb));
  ::DrawTextA(hDC, text ? text : "", -1, &rc, style);
  SetTextColor(hDC, oldColor);
  SetBkMode(hDC, oldMode);
  SelectObject(hDC, oldFont);
}

HBITMAP CRenderEngine::CreateARGB32Bitmap(int cx, int cy, BYTE** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = cx;
  info.bmiHeader.biHeight = -cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* raw = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
  *bits = bitmap ? static_cast<BYTE*>(raw) : nullptr;
  return bitmap;
}

HFONT CRenderEngine::DefaultFont() {
  static const HFONT font = [] {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpyW(lf.lfFaceName, L"Microsoft YaHei");
    return CreateFontIndirectW(&lf);
  }();
  return font;
}

}  // namespace DuiLib
