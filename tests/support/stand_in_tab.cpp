// A tab program of the tests' own that misbehaves on purpose. The first
// word of its command line says how:
//   never-idle  starts and never waits for a message (never idle for input)
//   hang        creates a top-level window, then stops pumping messages
//   obey        creates a top-level window and ends when it is destroyed
#include <windows.h>

#include <cstring>

namespace {

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateStandInWindow(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpszClassName = "TamveloStandInTab";
  wc.lpfnWndProc = StandInProc;
  wc.hInstance = instance;
  RegisterClassA(&wc);
  return CreateWindowA(wc.lpszClassName, "stand-in tab", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                       instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (std::strncmp(commandLine, "never-idle", 10) == 0) {
    Sleep(INFINITE);
    return 0;
  }
  if (CreateStandInWindow(instance) == nullptr) return 1;
  if (std::strncmp(commandLine, "hang", 4) == 0) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    Sleep(INFINITE);
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
