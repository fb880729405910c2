// The display scale of a window, for both programs. Skin and protocol
// lengths are logical pixels at 96 DPI; a window's DPI turns them into its
// device pixels. The functions newer than Windows 7 are looked up at run
// time; where the system has none of them the system DPI is the answer.
#pragma once

#include <windows.h>

namespace tamvelo {

inline constexpr UINT kLogicalDpi = 96;

// The system's DPI (the main monitor's where that is all there is).
UINT SystemDpi();
// The DPI of the monitor the window is on (its own process or another's:
// only a property is read, no message is sent); the system DPI where the
// system cannot tell or the window is null.
UINT WindowDpi(HWND window);
// A logical length in device pixels at dpi, rounded to the nearest pixel.
// Scale edges, not sizes: neighbours that share an edge then stay joined.
int ScaleForDpi(int logical, UINT dpi);
// Asks the system to scale the non-client area of a window that is being
// created (WM_NCCREATE) with its monitor; does nothing where it is not known.
void EnableNonClientScaling(HWND window);

}  // namespace tamvelo
