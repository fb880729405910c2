// DPI awareness and scaling. Skin sizes are logical pixels at 96 DPI; each
// window's manager keeps the DPI of the monitor its window is on and scales
// them by it (the programs declare per-monitor awareness in their manifest).
#pragma once

#include <windows.h>

namespace DuiLib {

#ifndef DPI_ENUMS_DECLARED
enum PROCESS_DPI_AWARENESS {
  PROCESS_DPI_UNAWARE = 0,
  PROCESS_SYSTEM_DPI_AWARE = 1,
  PROCESS_PER_MONITOR_DPI_AWARE = 2
};
#endif

class CDPI {
 public:
  CDPI();

  static int GetMainMonitorDPI();
  // The DPI of the window's monitor; the system DPI where the system
  // cannot tell.
  static UINT GetWindowDPI(HWND hWnd);

  PROCESS_DPI_AWARENESS GetDPIAwareness() const { return m_awareness; }
  // Declares the process DPI aware (shcore's SetProcessDpiAwareness when the
  // system has it, else user32's SetProcessDPIAware) and takes the main
  // monitor's DPI as this object's scale. False when the system refused.
  BOOL SetDPIAwareness(PROCESS_DPI_AWARENESS awareness);

  UINT GetDPI() const { return m_dpi; }
  // Percent, rounded: 100 at 96 DPI, 125 at 120, 150 at 144, 200 at 192.
  UINT GetScale() const { return static_cast<UINT>(::MulDiv(static_cast<int>(m_dpi), 100, 96)); }
  void SetScale(UINT dpi);

  // Lengths round to the nearest device pixel. A RECT's edges are scaled
  // one by one, so rectangles that share an edge keep sharing it.
  int Scale(int value) const;
  int ScaleBack(int value) const;
  RECT Scale(RECT rc) const;
  SIZE Scale(SIZE sz) const;
  POINT Scale(POINT pt) const;

 private:
  PROCESS_DPI_AWARENESS m_awareness = PROCESS_DPI_UNAWARE;
  UINT m_dpi = 96;
};

}  // namespace DuiLib
