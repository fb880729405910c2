#include "tests/windows/ui_helpers.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/toolkit_pump.h"

namespace tamvelo::test {

void ClickControl(HWND window, DuiLib::CControlUI* control) {
  ASSERT_NE(control, nullptr);
  UpdateWindow(window);  // lays the controls out
  const RECT& rc = control->GetPos();
  ASSERT_LT(rc.left, rc.right) << control->GetName().GetData() << " has no place";
  const LPARAM point = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  SendMessageA(window, WM_MOUSEMOVE, 0, point);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(window, WM_LBUTTONUP, 0, point);
  PumpToolkit();
}

void ClickControl(HWND window, DuiLib::CPaintManagerUI& pm, const char* name) {
  DuiLib::CControlUI* control = pm.FindControl(name);
  ASSERT_NE(control, nullptr) << name;
  ClickControl(window, control);
}

void SaveScreenshot(HWND window, const std::string& name) {
  PumpToolkit();
  UpdateWindow(window);
  RECT rc;
  GetClientRect(window, &rc);
  const int width = rc.right;
  const int height = rc.bottom;
  if (width <= 0 || height <= 0) return;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  GdiFlush();
  // GDI leaves the alpha byte of text pixels at 0; the picture is opaque.
  auto* pixel = static_cast<DWORD*>(bits);
  for (int i = 0; i < width * height; ++i) pixel[i] |= 0xFF000000;
  CreateDirectoryA(TAMVELO_ARTEFACT_DIR, nullptr);
  const std::string path = std::string(TAMVELO_ARTEFACT_DIR) + "/" + name + ".bmp";
  WriteBmpFile(path, info.bmiHeader, bits);
  std::printf("screenshot: %s\n", path.c_str());
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
}

}  // namespace tamvelo::test
