#include "tests/prefs_ui/prefs_ui_fixture.h"

#include <objbase.h>

#include <cstdio>

#include "common/data_folder.h"
#include "common/ini.h"
#include "tests/support/skin_install.h"
#include "tests/support/window_helpers.h"

namespace prefstest {

namespace {

// The skin lives in the data folder, where the program looks for it.
class SkinEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    CoInitialize(nullptr);
    skin_ = std::make_unique<tamvelo::test::SkinInstall>();
    DuiLib::CPaintManagerUI::SetResourceType(DuiLib::UILIB_FILE);
    DuiLib::CPaintManagerUI::SetResourcePath(tamvelo::DataFolder().c_str());
    CreateDirectoryA(TAMVELO_ARTEFACT_DIR, nullptr);
  }
  void TearDown() override { skin_.reset(); }

 private:
  std::unique_ptr<tamvelo::test::SkinInstall> skin_;
};

const auto* const kSkinEnvironment = ::testing::AddGlobalTestEnvironment(new SkinEnvironment);

}  // namespace

void PrefsUiTest::SetUp() {
  data_ = std::make_unique<tamvelo::test::DataFolderScope>();
  DeleteFileA(ConfigIni().c_str());
}

void PrefsUiTest::TearDown() {
  Pump();
  data_.reset();
}

std::string PrefsUiTest::ReadConfig(const char* section, const char* key) const {
  return tamvelo::ini::ReadText(ConfigIni(), section, key);
}

void PrefsUiTest::WriteConfig(const char* section, const char* key, const char* value) const {
  tamvelo::ini::WriteText(ConfigIni(), section, key, value);
}

namespace {
bool quitPosted = false;
}

bool TakeQuit() {
  Pump();
  const bool posted = quitPosted;
  quitPosted = false;
  return posted;
}

bool Pump() {
  bool quit = false;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = quitPosted = true;
      continue;
    }
    if (!DuiLib::CPaintManagerUI::TranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return quit;
}

void ClickControl(HWND window, DuiLib::CControlUI* control) {
  ASSERT_NE(control, nullptr);
  UpdateWindow(window);  // lays the controls out
  const RECT& rc = control->GetPos();
  ASSERT_LT(rc.left, rc.right) << control->GetName().GetData() << " has no place";
  const LPARAM point = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  SendMessageA(window, WM_MOUSEMOVE, 0, point);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(window, WM_LBUTTONUP, 0, point);
  Pump();
}

void ClickControl(HWND window, DuiLib::CPaintManagerUI& pm, const char* name) {
  DuiLib::CControlUI* control = pm.FindControl(name);
  ASSERT_NE(control, nullptr) << name;
  ClickControl(window, control);
}

void SaveScreenshot(HWND window, const std::string& name) {
  Pump();
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
  const std::string path = std::string(TAMVELO_ARTEFACT_DIR) + "/" + name + ".bmp";
  tamvelo::test::WriteBmpFile(path, info.bmiHeader, bits);
  std::printf("screenshot: %s\n", path.c_str());
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
}

}  // namespace prefstest
