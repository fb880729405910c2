// Colour fills of the controls. Translucent fills into the paint manager's
// off-screen 32-bit bitmap are blended in memory: GDI's AlphaBlend of a
// stretched pixel is slow (about 10 ms for a window-sized fill under Wine).
#pragma once

#include <windows.h>

namespace DuiLib {

// Fills rc with a 0xAARRGGBB colour (0 alpha: nothing), inside the DC's
// clipping.
void FillColor(HDC hDC, const RECT& rc, DWORD argb);

}  // namespace DuiLib
