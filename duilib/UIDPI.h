// DPI awareness and scaling. Skin sizes are written for 96 DPI; a window whose
// process declared itself DPI aware scales them by the main monitor's DPI.
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

  PROCESS_DPI_AWARENESS GetDPIAwareness() const { return m_awareness; }
  // Declares the process DPI aware (shcore's SetProcessDpiAwareness when the
  // system has it, else user32's SetProcessDPIAware) and takes the main
  // monitor's DPI as this object's scale. False when the system refused.
  BOOL SetDPIAwareness(PROCESS_DPI_AWARENESS awareness);

  UINT GetDPI() const { return m_dpi; }
  // Percent: 100 at 96 DPI.
  UINT GetScale() const { return m_dpi * 100 / 96; }
  void SetScale(UINT dpi);

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
