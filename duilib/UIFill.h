// Colour fills of the controls. Translucent fills into the paint manager's
// off-screen bitmap are blended in memory: GDI's AlphaBlend of a stretched
// pixel is slow (about 10 ms for a window-sized fill under Wine).
#pragma once

#include <windows.h>

namespace DuiLib {

// Fills rc with a 0xAARRGGBB colour (0 alpha: nothing), inside the DC's
// clipping.
void FillColor(HDC hDC, const RECT& rc, DWORD argb);

// A top-down 32-bit bitmap whose pixels FillColor may blend directly while
// it is selected into a DC. The system's description of a DIB section does
// not reliably tell its row order, so only bitmaps made this way qualify.
void RegisterBlendTarget(HBITMAP hBitmap, BYTE* pBits, int cx, int cy);
void UnregisterBlendTarget(HBITMAP hBitmap);

}  // namespace DuiLib
