// Blending in memory into the paint manager's off-screen bitmap. Under Wine
// GDI's AlphaBlend is slow: about 10 ms for a window-sized translucent fill
// (a stretched pixel), and tens of microseconds for each small image piece.
// Writing the pixels directly costs a fraction of that. DCs that hold any
// other bitmap are left to GDI (the functions return false).
#pragma once

#include <windows.h>

namespace DuiLib {

// A translucent 0xAARRGGBB colour over rc, inside the DC's clipping.
bool BlendColorIntoTarget(HDC hDC, const RECT& rc, DWORD argb);

// Premultiplied 32-bit pixels (srcWidth a row, top-down) from src onto dest,
// scaled by fade/255, inside the DC's clipping; a size change samples the
// nearest source pixel.
bool BlendPixelsIntoTarget(HDC hDC, const RECT& dest, const BYTE* srcBits, int srcWidth, const RECT& src,
                           BYTE fade);

// A top-down 32-bit bitmap whose pixels may be blended directly while it is
// selected into a DC. The system's description of a DIB section does not
// reliably tell its row order, so only bitmaps made this way qualify.
void RegisterBlendTarget(HBITMAP hBitmap, BYTE* pBits, int cx, int cy);
void UnregisterBlendTarget(HBITMAP hBitmap);

}  // namespace DuiLib
