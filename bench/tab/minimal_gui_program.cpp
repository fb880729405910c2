// The baseline of the tab benchmarks: one hidden window and a message loop,
// the least a GUI process can be. It answers a copy-data record and ends on
// WM_DESTROY, like a tab's host window. With the argument "browser" it also
// creates the browser control in a window of its own first, the least a
// tab that shows a game can be. With "main <file>" that window is a visible
// frame of the main window's size with the browser in it: the least a start
// of the box can be; the moment its first paint is over goes into the file,
// in ms of the performance counter, as startup_probe notes the box's.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "bench/support/figures.h"
#include "common/browser_host.h"

namespace {

const wchar_t* paintedFile = nullptr;

void NotePainted() {
  if (paintedFile == nullptr) return;
  if (FILE* out = _wfopen(paintedFile, L"w")) {
    std::fprintf(out, "%.3f\n", tamvelo::bench::NowMs());
    std::fclose(out);
  }
  paintedFile = nullptr;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      NotePainted();
      return result;
    }
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
  const wchar_t* mainArgument = std::wcsstr(commandLine, L"main ");
  const bool main = mainArgument != nullptr;
  if (main) paintedFile = mainArgument + 5;
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
