#include "tab/host_window.h"

#include "tab/cookies.h"
#include "tab/tab_host.h"
#include "tab/tab_window.h"

namespace tamvelo::tab {

void HandleHostRecord(const COPYDATASTRUCT* record, const RecordActions& actions) {
  if (record != nullptr) HandleHostRecord(record->dwData, record->lpData, record->cbData, actions);
}

bool RequestNavigation(const std::wstring& address) {
  TabHostState& process = TabHost();
  HWND tabWindow = process.tabWindow.load();
  if (tabWindow == nullptr) return false;
  // The browser belongs to the browser thread's apartment: the call is made
  // there. This thread does not wait for it, so the main program's record
  // returns without waiting for the navigation either. A request the
  // browser thread has not taken yet is replaced: the later address wins.
  delete process.pendingNavigation.exchange(new std::wstring(address));
  return PostMessageW(tabWindow, kMsgNavigate, 0, 0) != FALSE;
}

namespace {

void OnCopyData(const COPYDATASTRUCT* record) {
  static const RecordActions actions{SetPortalCookie, [](const std::wstring& address) {
                                       RequestNavigation(address);
                                     }};
  HandleHostRecord(record, actions);
}

}  // namespace

LRESULT CALLBACK HostWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
    case WM_SIZE:
    case WM_COMMAND:
      return 0;
    case WM_DESTROY:
    case WM_NCDESTROY:
      // Also the main program's command to close this tab: the process ends.
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      return PaintNothing(window);
    case WM_COPYDATA:
      OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace tamvelo::tab
