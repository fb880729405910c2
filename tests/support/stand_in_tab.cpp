// A tab program of the tests' own that misbehaves on purpose. The first
// word of its command line says how:
//   never-idle  starts and never waits for a message (never idle for input)
//   hang        creates a top-level window, then stops pumping messages
//   obey        creates a top-level window and ends when it is destroyed
//   follow      follows the protocol: host and tab windows inside the main
//               window; the host window's title shows the text of the last
//               record it received; a WM_DESTROY to either window ends it
//   follow-ask  as follow, and the tab window asks the main window for a new
//               tab while it is being destroyed
#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "common/protocol.h"

namespace protocol = tamvelo::protocol;

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

LRESULT CALLBACK FollowingHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const std::optional<std::string> text =
        protocol::ReadRecordText(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    SetWindowTextA(window, text ? text->c_str() : "");
    return 0;
  }
  return StandInProc(window, message, wParam, lParam);
}

// Asks from inside the main window's own send, as a page opening a window
// while the box quits would.
LRESULT CALLBACK AskingTabProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    const protocol::CopyDataRecord ask = protocol::MakeOpenTabRecord(L"http://127.0.0.1/game/asked.html");
    SendMessageA(FindWindowA(protocol::kMainWindowClass, nullptr), WM_COPYDATA, 0,
                 reinterpret_cast<LPARAM>(ask.Get()));
  }
  return StandInProc(window, message, wParam, lParam);
}

HWND CreateChild(const char* className, WNDPROC proc, HWND main, DWORD style, const RECT& place) {
  WNDCLASSA wc{};
  wc.lpszClassName = className;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  RegisterClassA(&wc);
  return CreateWindowExA(WS_EX_NOPARENTNOTIFY, className, "", WS_CHILD | style, place.left, place.top,
                         place.right - place.left, place.bottom - place.top, main, nullptr, wc.hInstance,
                         nullptr);
}

int Follow(WNDPROC tabProc) {
  HWND main = FindWindowA(protocol::kMainWindowClass, nullptr);
  if (main == nullptr) return 0;
  RECT client = {};
  GetClientRect(main, &client);
  client.top += protocol::kTabTopOffset;
  if (CreateChild(protocol::kHostWindowClass, FollowingHostProc, main, 0, {0, 0, 0, 0}) == nullptr ||
      CreateChild(protocol::kTabWindowClass, tabProc, main, WS_VISIBLE, client) == nullptr) {
    return 1;
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (std::strncmp(commandLine, "never-idle", 10) == 0) {
    Sleep(INFINITE);
    return 0;
  }
  if (std::strncmp(commandLine, "follow-ask", 10) == 0) return Follow(AskingTabProc);
  if (std::strncmp(commandLine, "follow", 6) == 0) return Follow(StandInProc);
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
