#include "duilib/UIDPI.h"

namespace DuiLib {

CDPI::CDPI() {
  // Unaware processes are drawn at 96 DPI by the system: no scaling.
  m_dpi = 96;
}

int CDPI::GetMainMonitorDPI() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

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

int CDPI::Scale(int value) const { return ::MulDiv(value, static_cast<int>(m_dpi), 96); }

int CDPI::ScaleBack(int value) const { return ::MulDiv(value, 96, static_cast<int>(m_dpi)); }

RECT CDPI::Scale(RECT rc) const {
  return RECT{Scale(rc.left), Scale(rc.top), Scale(rc.right), Scale(rc.bottom)};
}

SIZE CDPI::Scale(SIZE sz) const { return SIZE{Scale(sz.cx), Scale(sz.cy)}; }

POINT CDPI::Scale(POINT pt) const { return POINT{Scale(pt.x), Scale(pt.y)}; }

}  // namespace DuiLib
