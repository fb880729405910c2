#include "duilib/UIDPI.h"

#include "common/window_dpi.h"

namespace DuiLib {

CDPI::CDPI() {
  // Logical pixels until the manager learns its window's DPI.
  m_dpi = 96;
}

int CDPI::GetMainMonitorDPI() { return static_cast<int>(tamvelo::SystemDpi()); }

UINT CDPI::GetWindowDPI(HWND hWnd) { return tamvelo::WindowDpi(hWnd); }

BOOL CDPI::SetDPIAwareness(PROCESS_DPI_AWARENESS awareness) {
  BOOL ok = FALSE;
  if (HMODULE shcore = ::LoadLibraryA("shcore.dll")) {
    typedef HRESULT(WINAPI * SetAwarenessFn)(int);
    auto fn = reinterpret_cast<SetAwarenessFn>(
        reinterpret_cast<void*>(::GetProcAddress(shcore, "SetProcessDpiAwareness")));
    // E_ACCESSDENIED means it was already set, by a manifest or an earlier call.
    if (fn) {
      const HRESULT hr = fn(awareness);
      ok = SUCCEEDED(hr) || hr == E_ACCESSDENIED;
    }
    ::FreeLibrary(shcore);
  }
  if (!ok && awareness != PROCESS_DPI_UNAWARE) ok = ::SetProcessDPIAware();
  if (awareness == PROCESS_DPI_UNAWARE) ok = TRUE;
  if (ok) {
    m_awareness = awareness;
    SetScale(awareness == PROCESS_DPI_UNAWARE ? 96 : GetMainMonitorDPI());
  }
  return ok;
}

void CDPI::SetScale(UINT dpi) { m_dpi = dpi > 0 ? dpi : 96; }

int CDPI::Scale(int value) const { return tamvelo::ScaleForDpi(value, m_dpi); }

int CDPI::ScaleBack(int value) const { return ::MulDiv(value, 96, static_cast<int>(m_dpi)); }

RECT CDPI::Scale(RECT rc) const {
  return RECT{Scale(rc.left), Scale(rc.top), Scale(rc.right), Scale(rc.bottom)};
}

SIZE CDPI::Scale(SIZE sz) const { return SIZE{Scale(sz.cx), Scale(sz.cy)}; }

POINT CDPI::Scale(POINT pt) const { return POINT{Scale(pt.x), Scale(pt.y)}; }

}  // namespace DuiLib
