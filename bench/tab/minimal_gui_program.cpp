// The baseline of the tab benchmarks: one hidden window and a message loop,
// the least a GUI process can be. It answers a copy-data record and ends on
// WM_DESTROY, like a tab's host window. With the argument "browser" it also
// creates the browser control in a window of its own first, the least a
// tab that shows a game can be. With "main" that window is a visible frame
// of the main window's size with the browser in it, painted once: the least
// a start of the box can be.
#include <windows.h>

#include <cwchar>

#include "common/browser_host.h"

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA:
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.lpszClassName = L"TamveloBenchMinimalGui";
  RegisterClassW(&wc);
  const bool main = std::wcsstr(commandLine, L"main") != nullptr;
  HWND window = main ? CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1020, 690,
                                       nullptr, nullptr, instance, nullptr)
                     : CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                       nullptr);
  if (main || std::wcsstr(commandLine, L"browser") != nullptr) {
    namespace browser = tamvelo::browser;
    browser::RegisterBrowserHostClass();
    CreateWindowExW(0, browser::kBrowserHostClassW, browser::kWebBrowserProgIdW, WS_CHILD | WS_VISIBLE, 0, 0, 900,
                    600, window, nullptr, instance, nullptr);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
