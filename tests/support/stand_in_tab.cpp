// A tab program of the tests' own that misbehaves on purpose. The first
// word of its command line says how:
//   never-idle  starts and never waits for a message (never idle for input)
//   hang        creates a top-level window, then stops pumping messages
//   obey        creates a top-level window and ends when it is destroyed
//   follow      follows the protocol: host and tab windows inside the main
//               window; the host window's title shows the text of the last
//               record it received; a WM_DESTROY to either window ends it
//   follow-ask  as follow, and the host window asks the main window for a new
//               tab when it is told to end
//   ask-first   asks the main window for a new tab before it follows, once
//               while it runs (the tab it asks for asks for none)
//   follow-mute as follow, but stops pumping as soon as it is idle: it never
//               takes its record
//   follow-stall <ms>
//               as follow, and stops pumping for <ms> once it has taken its
//               record (for ever without a number), then pumps again
#include <windows.h>

#include <cstdlib>
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

// How long follow-stall stops pumping after its record; 0 for follow.
DWORD stallMs = 0;
constexpr UINT kStallMessage = WM_APP + 7;

LRESULT CALLBACK FollowingHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const std::optional<std::string> text =
        protocol::ReadRecordText(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    SetWindowTextA(window, text ? text->c_str() : "");
    // After the send has returned: the main program sees a record taken.
    if (stallMs != 0) PostMessageA(window, kStallMessage, 0, 0);
    return 0;
  }
  if (message == kStallMessage) {
    Sleep(stallMs);
    return 0;
  }
  return StandInProc(window, message, wParam, lParam);
}

void AskForTab() {
  const protocol::CopyDataRecord ask = protocol::MakeOpenTabRecord(L"http://127.0.0.1/game/asked.html");
  protocol::SendRecord(FindWindowA(protocol::kMainWindowClass, nullptr), ask.Get());
}

// Asks from inside the command to end, as a page opening a window while
// the box quits would.
LRESULT CALLBACK AskingHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) AskForTab();
  return FollowingHostProc(window, message, wParam, lParam);
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

int Follow(WNDPROC hostProc, bool mute = false) {
  HWND main = FindWindowA(protocol::kMainWindowClass, nullptr);
  if (main == nullptr) return 0;
  RECT client = {};
  GetClientRect(main, &client);
  client.top += protocol::kTabTopOffset;
  if (CreateChild(protocol::kHostWindowClass, hostProc, main, 0, {0, 0, 0, 0}) == nullptr ||
      CreateChild(protocol::kTabWindowClass, StandInProc, main, WS_VISIBLE, client) == nullptr) {
    return 1;
  }
  if (mute) {
    // A real wait makes the process idle for input; then nothing more.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    Sleep(INFINITE);
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
  if (std::strncmp(commandLine, "follow-ask", 10) == 0) return Follow(AskingHostProc);
  if (std::strncmp(commandLine, "follow-mute", 11) == 0) return Follow(FollowingHostProc, true);
  if (std::strncmp(commandLine, "ask-first", 9) == 0) {
    // The first one alive holds the name: the tab it asks for does not ask.
    CreateEventA(nullptr, TRUE, FALSE, "TamveloStandInAsked");
    if (GetLastError() != ERROR_ALREADY_EXISTS) AskForTab();
    return Follow(FollowingHostProc);
  }
  if (std::strncmp(commandLine, "follow-stall", 12) == 0) {
    const long ms = std::strtol(commandLine + 12, nullptr, 10);
    stallMs = ms > 0 ? static_cast<DWORD>(ms) : INFINITE;
    return Follow(FollowingHostProc);
  }
  if (std::strncmp(commandLine, "follow", 6) == 0) return Follow(FollowingHostProc);
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
