#include "tests/mainwnd/skin_install.h"

#include <string>
#include <vector>

#include "common/data_folder.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {

namespace {

// The source tree seen from Wine: drive Z: is the Unix root.
std::string SourcePath(const char* relative) {
  std::string path = std::string("Z:") + TAMVELO_SOURCE_DIR + "/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

void CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((from + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(from + "\\" + name, to + "\\" + name);
    else CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

}  // namespace

SkinInstall::SkinInstall() {
  const std::string data = DataFolder();
  const char* names[] = {"xml", "skin"};
  for (int i = 0; i < 2; ++i) {
    Folder& folder = folders_[i];
    folder.installed = data + names[i];
    if (FileExists(folder.installed)) {
      folder.saved = folder.installed + ".saved-" + std::to_string(GetCurrentProcessId());
      MoveFileA(folder.installed.c_str(), folder.saved.c_str());
    }
    CopyTree(SourcePath((std::string("skin/") + names[i]).c_str()), folder.installed);
  }
}

SkinInstall::~SkinInstall() {
  for (const Folder& folder : folders_) {
    RemoveTree(folder.installed);
    if (!folder.saved.empty()) MoveFileA(folder.saved.c_str(), folder.installed.c_str());
  }
}

void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

std::string ExecutableFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
  RECT rc;
  if (!GetWindowRect(window, &rc)) return false;
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = ((width * 3 + 3) / 4) * 4;
  const DWORD imageBytes = stride * height;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageBytes;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  bytes.append(static_cast<const char*>(bits), imageBytes);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  WriteFile(path, bytes);
  return true;
}

}  // namespace tamvelo::test
