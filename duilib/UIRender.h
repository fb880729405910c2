// Drawing primitives of the toolkit, all on a caller's DC with GDI and
// AlphaBlend. Colours are 0xAARRGGBB. Texts are ANSI (the system code page).
// Used from the user-interface thread only: scratch DCs are cached.
#pragma once

#include <windows.h>

namespace DuiLib {

struct TImageInfo;

class CRenderEngine {
 public:
  // See ParseColorValue (UIColorValue.h).
  static DWORD ParseColor(const char* text);

  // Draws an image attribute (see TDrawInfo) into rcItem; a dest='...' is
  // relative to rcItem's top-left and clipped to rcItem. Only what lies in
  // rcPaint is touched. False when the attribute is malformed or the image
  // cannot be loaded (nothing is drawn then). dest, source and corner are
  // logical pixels, scaled for the window's dpi with the image chosen for
  // it (CImageCache::GetScaled).
  static bool DrawImageString(HDC hDC, const RECT& rcItem, const RECT& rcPaint, const char* imageAttr,
                              UINT dpi = 96);

  // Nine-slice drawing of `source` (all zero: the whole image) into `dest`,
  // clipped to `paint`, with per-pixel alpha times `fade`. Tiling repeats the
  // middle pieces at their own size instead of stretching them.
  static void DrawImage(HDC hDC, const TImageInfo* image, const RECT& dest, const RECT& paint, const RECT& source,
                        const RECT& corner, BYTE fade, bool hole, bool tiledX, bool tiledY);

  // Opaque colours are filled, translucent ones blended; alpha 0 draws nothing.
  static void DrawColor(HDC hDC, const RECT& rc, DWORD argb);
  // From argb1 to argb2, top to bottom when vertical, else left to right.
  static void DrawGradient(HDC hDC, const RECT& rc, DWORD argb1, DWORD argb2, bool vertical);
  // A border `size` pixels wide inside rc.
  static void DrawRect(HDC hDC, const RECT& rc, int size, DWORD argb);
  // A rounded border inside rc; width/height are the corner ellipse's. GDI
  // pens have no alpha: any non-zero alpha draws the colour opaque.
  static void DrawRoundRect(HDC hDC, const RECT& rc, int size, int width, int height, DWORD argb);
  // DrawTextA with the DT_* style on a transparent background. With
  // DT_CALCRECT rc receives the size and nothing is drawn. A null font
  // selects the toolkit's default font (DefaultFont).
  static void DrawText(HDC hDC, RECT& rc, const char* text, DWORD argb, HFONT font, UINT style);

  // A 32-bit top-down DIB section of cx x cy pixels (0xAARRGGBB) and its
  // bits; nullptr when it cannot be made.
  static HBITMAP CreateARGB32Bitmap(int cx, int cy, BYTE** bits);

  // "Microsoft YaHei" 12 px with the GB2312 character set, created once:
  // fonts chosen by the system may have no Chinese glyphs.
  static HFONT DefaultFont();
};

}  // namespace DuiLib
