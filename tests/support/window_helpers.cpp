#include "tests/support/window_helpers.h"

#include "tests/support/test_support.h"

namespace tamvelo::test {

void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

namespace {
bool quitNoted = false;
}

bool PumpQueued(MessageFilter filter) {
  bool quit = false;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = quitNoted = true;
      continue;
    }
    if (filter != nullptr && filter(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return quit;
}

bool TakeQuit(MessageFilter filter) {
  PumpQueued(filter);
  const bool noted = quitNoted;
  quitNoted = false;
  return noted;
}

bool TakePosted(HWND window, UINT message, MSG* taken) {
  return PeekMessageA(taken, window, message, message, PM_REMOVE) != FALSE;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpQueued();
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

LRESULT SendCopyData(HWND to, ULONG_PTR kind, const void* data, DWORD byteCount) {
  COPYDATASTRUCT record{kind, byteCount, const_cast<void*>(data)};
  DWORD_PTR result = 0;
  // A receiver that hung fails this rather than block the test.
  if (!SendMessageTimeoutW(to, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record), SMTO_NORMAL, 5000, &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

LRESULT SendTitle(HWND to, HWND host, const std::wstring& title) {
  return SendCopyData(to, reinterpret_cast<ULONG_PTR>(host), title.c_str(),
                      static_cast<DWORD>((title.size() + 1) * sizeof(wchar_t)));
}

HWND CreateMessageWindow(const char* className, WNDPROC procedure, void* self) {
  WNDCLASSA wc{};
  wc.lpszClassName = className;
  wc.lpfnWndProc = procedure;
  RegisterClassA(&wc);
  HWND window = CreateWindowA(className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  return window;
}

std::string ExecutableFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

void WriteBmpFile(const std::string& path, const BITMAPINFOHEADER& header, const void* bits) {
  // Rows are padded to four bytes.
  const DWORD stride = ((header.biWidth * header.biBitCount / 8 + 3) / 4) * 4;
  const DWORD imageBytes = stride * static_cast<DWORD>(header.biHeight);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + imageBytes;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(static_cast<const char*>(bits), imageBytes);
  WriteFile(path, bytes);
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
  RECT rc;
  if (!GetWindowRect(window, &rc)) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = rc.right - rc.left;
  info.bmiHeader.biHeight = rc.bottom - rc.top;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, info.bmiHeader.biWidth, info.bmiHeader.biHeight, screen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  WriteBmpFile(path, info.bmiHeader, bits);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return true;
}

}  // namespace tamvelo::test
