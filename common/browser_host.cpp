#include "common/browser_host.h"

#include <ocidl.h>
#include <ole2.h>

#include <cwchar>
#include <iterator>

#include "common/browser_host_site.h"
#include "common/com_ptr.h"

namespace tamvelo::browser {

namespace {

// What one host window holds; lives from WM_CREATE to WM_DESTROY.
struct HostState {
  bool oleInitialized = false;
  ComPtr<BrowserHostSite> site;
  ComPtr<IOleObject> object;
  ComPtr<IOleInPlaceObject> inPlace;
};

HostState* StateOf(HWND window) {
  return reinterpret_cast<HostState*>(GetWindowLongPtrW(window, 0));
}

// Deactivates and releases the control before the site, so the control
// never calls into a site that is already gone.
void TearDown(HWND window, HostState* state) {
  SetWindowLongPtrW(window, 0, 0);
  if (state->inPlace) {
    state->inPlace->InPlaceDeactivate();
    state->inPlace.Reset();
  }
  if (state->object) {
    state->object->Close(OLECLOSE_NOSAVE);
    state->object->SetClientSite(nullptr);
    state->object.Reset();
  }
  if (state->site) {
    state->site->Detach();
    state->site.Reset();
  }
  if (state->oleInitialized) OleUninitialize();
  delete state;
}

HRESULT ClassFromText(const wchar_t* text, CLSID* clsid) {
  if (text == nullptr || text[0] == L'\0') return E_INVALIDARG;
  // CLSIDFromProgID does not accept the brace form; CLSIDFromString does.
  if (text[0] == L'{') return CLSIDFromString(text, clsid);
  return CLSIDFromProgID(text, clsid);
}

HRESULT Activate(HWND window, HostState* state, const wchar_t* progId) {
  CLSID clsid;
  HRESULT hr = ClassFromText(progId, &clsid);
  if (FAILED(hr)) return hr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                        state->object.PutVoid());
  if (FAILED(hr)) {
    state->object.Detach();  // a failed creation owes no reference
    return hr;
  }
  // The control asks the site for ambient properties right here.
  hr = state->object->SetClientSite(static_cast<IOleClientSite*>(state->site.Get()));
  if (FAILED(hr)) return hr;
  if (const auto persist = QueryTo<IPersistStreamInit>(state->object.Get())) persist->InitNew();
  RECT rect;
  GetClientRect(window, &rect);
  hr = state->object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                             static_cast<IOleClientSite*>(state->site.Get()), 0, window, &rect);
  if (FAILED(hr)) return hr;
  state->inPlace = QueryTo<IOleInPlaceObject>(state->object.Get());
  if (state->inPlace) state->inPlace->SetObjectRects(&rect, &rect);
  return S_OK;
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW* create) {
  auto* state = new HostState;
  SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(state));
  // Both S_OK and S_FALSE (already initialised) are balanced by the teardown.
  state->oleInitialized = SUCCEEDED(OleInitialize(nullptr));
  state->site.Reset(new BrowserHostSite(window,
                                        static_cast<BrowserHostDelegate*>(create->lpCreateParams)));
  if (!state->oleInitialized || FAILED(Activate(window, state, create->lpszName))) {
    TearDown(window, state);
    return -1;
  }
  return 0;
}

void FillWindow(HostState* state, int width, int height) {
  if (state == nullptr || !state->inPlace) return;
  RECT rect{0, 0, width, height};
  state->inPlace->SetObjectRects(&rect, &rect);
}

void FocusControl(HostState* state) {
  HWND control = nullptr;
  if (state != nullptr && state->inPlace &&
      SUCCEEDED(state->inPlace->GetWindow(&control)) && control != nullptr) {
    SetFocus(control);
  }
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == GetControlMessage()) {
    HostState* state = StateOf(window);
    IUnknown* control = nullptr;
    if (state != nullptr && state->object) {
      state->object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&control));
    }
    return reinterpret_cast<LRESULT>(control);
  }
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case WM_SIZE:
      FillWindow(StateOf(window), LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETFOCUS:
      FocusControl(StateOf(window));
      return 0;
    case WM_DESTROY:
      if (HostState* state = StateOf(window)) TearDown(window, state);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// A host window of this process and of the calling thread, whose state may
// be touched here.
HostState* OwnStateOf(HWND window) {
  wchar_t className[64] = {};
  if (window == nullptr || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() ||
      GetClassNameW(window, className, static_cast<int>(std::size(className))) == 0 ||
      std::wcscmp(className, kBrowserHostClassW) != 0) {
    return nullptr;
  }
  return StateOf(window);
}

}  // namespace

bool RegisterBrowserHostClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kBrowserHostClassW, &wc)) return true;
  wc.cbSize = sizeof wc;
  // Global to the process, so callers need not pass this module's handle.
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = HostWindowProc;
  wc.cbWndExtra = sizeof(HostState*);
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kBrowserHostClassW;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

UINT GetControlMessage() {
  static const UINT message = RegisterWindowMessageW(kGetControlMessageNameW);
  return message;
}

HWND CreateBrowserHostWindow(HWND parent, const RECT& rect, BrowserHostDelegate* delegate,
                             const wchar_t* progId, UINT_PTR childId) {
  if (!RegisterBrowserHostClass()) return nullptr;
  return CreateWindowExW(0, kBrowserHostClassW, progId, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                         rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                         parent, reinterpret_cast<HMENU>(childId), GetModuleHandleW(nullptr),
                         delegate);
}

void SetBrowserHostDelegate(HWND hostWindow, BrowserHostDelegate* delegate) {
  if (HostState* state = OwnStateOf(hostWindow)) state->site->SetDelegate(delegate);
}

IWebBrowser2* GetWebBrowser(HWND hostWindow) {
  if (OwnStateOf(hostWindow) == nullptr) return nullptr;
  const ComPtr<IUnknown> control(
      reinterpret_cast<IUnknown*>(SendMessageW(hostWindow, GetControlMessage(), 0, 0)));
  return QueryTo<IWebBrowser2>(control.Get()).Detach();
}

namespace {

ComPtr<IConnectionPoint> BrowserEventsPoint(IWebBrowser2* browser) {
  const auto container = QueryTo<IConnectionPointContainer>(browser);
  ComPtr<IConnectionPoint> point;
  if (container && FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put()))) {
    point.Detach();  // a failed search owes no reference
  }
  return point;
}

}  // namespace

DWORD AdviseBrowserEvents(IWebBrowser2* browser, IDispatch* sink) {
  if (sink == nullptr) return 0;
  const ComPtr<IConnectionPoint> point = BrowserEventsPoint(browser);
  if (!point) return 0;
  DWORD cookie = 0;
  if (FAILED(point->Advise(sink, &cookie))) cookie = 0;
  return cookie;
}

void UnadviseBrowserEvents(IWebBrowser2* browser, DWORD cookie) {
  if (cookie == 0) return;
  if (const ComPtr<IConnectionPoint> point = BrowserEventsPoint(browser)) point->Unadvise(cookie);
}

}  // namespace tamvelo::browser
