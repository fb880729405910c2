#include "tab/tab_window.h"

#include <memory>
#include <string>

#include "common/browser_host.h"
#include "common/com_ptr.h"
#include "tab/tab_host.h"

namespace tamvelo::tab {

namespace {

struct TabWindowState {
  HWND hostChild = nullptr;
  ComPtr<IWebBrowser2> browser;
};

TabWindowState* StateOf(HWND window) {
  return reinterpret_cast<TabWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT OnCreate(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  HWND hostChild = CreateWindowExW(0, browser::kBrowserHostClassW, browser::kWebBrowserProgIdW,
                                   WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                                   window, nullptr, TabHost().instance, nullptr);
  ComPtr<IWebBrowser2> held(browser::GetWebBrowser(hostChild));
  if (!held) {
    if (hostChild != nullptr) DestroyWindow(hostChild);
    return -1;
  }
  IWebBrowser2* const browser = held.Get();
  SetWindowLongPtrW(window, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(new TabWindowState{hostChild, std::move(held)}));
  TabHostState& process = TabHost();
  process.eventSink.Bind(browser);
  browser->put_Silent(VARIANT_TRUE);
  // A browser without the event connection point still shows pages; the
  // tab then only lacks titles and [Weburl] routing.
  browser::AdviseBrowserEvents(browser, &process.eventSink);
  process.tabWindow.store(window);
  return 0;
}

// Lets the browser go: from here on navigation requests are dropped.
void ReleaseBrowser(HWND window, TabWindowState* state) {
  HWND expected = window;
  TabHost().tabWindow.compare_exchange_strong(expected, nullptr);
  if (state == nullptr || !state->browser) return;
  TabHost().eventSink.Bind(nullptr);
  state->browser.Reset();
}

void OnDestroy(HWND window) {
  TabWindowState* state = StateOf(window);
  ReleaseBrowser(window, state);
  if (state != nullptr && state->hostChild != nullptr && DestroyWindow(state->hostChild)) {
    state->hostChild = nullptr;
  }
  PostQuitMessage(0);
}

void OnNcDestroy(HWND window) {
  TabWindowState* state = StateOf(window);
  ReleaseBrowser(window, state);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  delete state;
  PostQuitMessage(0);
}

LRESULT OnNavigate(HWND window) {
  const std::unique_ptr<std::wstring> address(TabHost().pendingNavigation.exchange(nullptr));
  TabWindowState* state = StateOf(window);
  if (address == nullptr || state == nullptr || !state->browser) return 0;
  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = SysAllocStringLen(address->data(), static_cast<UINT>(address->size()));
  if (url.bstrVal == nullptr) return 0;
  state->browser->Navigate2(&url, nullptr, nullptr, nullptr, nullptr);
  VariantClear(&url);
  return 1;
}

}  // namespace

IWebBrowser2* TabWindowBrowser(HWND tabWindow) {
  TabWindowState* state = StateOf(tabWindow);
  return state != nullptr ? state->browser.Get() : nullptr;
}

LRESULT CALLBACK TabWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_DESTROY:
      // Also the main program's command when it quits: the browser goes and
      // the browser thread ends; the window itself goes with the thread.
      OnDestroy(window);
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy(window);
      return 0;
    case WM_SIZE:
      if (TabWindowState* state = StateOf(window); state != nullptr && state->hostChild != nullptr) {
        MoveWindow(state->hostChild, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      }
      return 0;
    case WM_PAINT:
      return PaintNothing(window);
    case WM_KEYDOWN:
      return 0;
    case kMsgNavigate:
      return OnNavigate(window);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace tamvelo::tab
