#include "common/window_dpi.h"

namespace tamvelo {
namespace {

template <typename Fn>
Fn User32Function(const char* name) {
  static const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

UINT SystemDpi() {
  using GetDpiForSystemFn = UINT(WINAPI*)();
  static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (getDpiForSystem != nullptr) {
    if (const UINT dpi = getDpiForSystem()) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kLogicalDpi;
}

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (window != nullptr && getDpiForWindow != nullptr) {
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  }
  return SystemDpi();
}

int ScaleForDpi(int logical, UINT dpi) {
  return MulDiv(logical, static_cast<int>(dpi ? dpi : kLogicalDpi), static_cast<int>(kLogicalDpi));
}

void EnableNonClientScaling(HWND window) {
  using EnableNonClientDpiScalingFn = BOOL(WINAPI*)(HWND);
  static const auto enable = User32Function<EnableNonClientDpiScalingFn>("EnableNonClientDpiScaling");
  if (enable != nullptr && window != nullptr) enable(window);
}

}  // namespace tamvelo
