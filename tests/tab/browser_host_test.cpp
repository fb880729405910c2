// The browser host window, used both ways: created by class name with the
// control's name as window text, and from C++ with an owner delegate.
#include <gtest/gtest.h>

#include <windows.h>
#include <downloadmgr.h>
#include <exdisp.h>
#include <ole2.h>
#include <servprov.h>

#include <string>
#include <vector>

#include "common/browser_host.h"
#include "tests/support/browser_site.h"
#include "tests/support/stand_in_main_window.h"

namespace tamvelo::test {
using namespace browser;  // the code under test
namespace {

// The site of the host window's browser; the window keeps the browser alive.
IOleClientSite* ClientSiteOf(HWND host) {
  IWebBrowser2* browser = GetWebBrowser(host);
  IOleClientSite* site = test::ClientSiteOf(browser);
  if (browser != nullptr) browser->Release();
  return site;
}

TEST(BrowserHostTest, WindowNamedAfterTheControlHostsItAndHandsItOut) {
  ASSERT_TRUE(RegisterBrowserHostClass());
  ASSERT_TRUE(RegisterBrowserHostClass());  // again: still fine
  test::StandInMainWindow parent;
  HWND host = CreateWindowExW(0, kBrowserHostClassW, kWebBrowserProgIdW, WS_CHILD | WS_VISIBLE, 0,
                              0, 300, 200, parent.window(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, host);
  HWND embedding = FindWindowExW(host, nullptr, L"Shell Embedding", nullptr);
  EXPECT_NE(nullptr, embedding);

  auto* control = reinterpret_cast<IUnknown*>(SendMessageW(host, GetControlMessage(), 0, 0));
  ASSERT_NE(nullptr, control);
  IWebBrowser2* browser = nullptr;
  EXPECT_EQ(S_OK, control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser)));
  control->Release();
  ASSERT_NE(nullptr, browser);
  browser->Release();

  // The control keeps filling the window.
  MoveWindow(host, 0, 0, 410, 170, TRUE);
  RECT rect{};
  GetWindowRect(embedding, &rect);
  EXPECT_EQ(410, rect.right - rect.left);
  EXPECT_EQ(170, rect.bottom - rect.top);
  DestroyWindow(host);
}

TEST(BrowserHostTest, UnknownControlOrNoNameFailsTheCreation) {
  test::StandInMainWindow parent;
  ASSERT_TRUE(RegisterBrowserHostClass());
  for (const wchar_t* name : {L"No.Such.Control.Name", L"", L"{00000000-0000-0000-0000-00000000000F}"}) {
    EXPECT_EQ(nullptr, CreateWindowExW(0, kBrowserHostClassW, name, WS_CHILD, 0, 0, 10, 10,
                                       parent.window(), nullptr, nullptr, nullptr))
        << static_cast<const void*>(name);
  }
  EXPECT_EQ(nullptr, GetWebBrowser(parent.window()));  // not a host window
  EXPECT_EQ(nullptr, GetWebBrowser(nullptr));
  EXPECT_EQ(0u, AdviseBrowserEvents(nullptr, nullptr));
}

// An owner that answers the page host's questions its own way.
class CountingDelegate : public BrowserHostDelegate {
 public:
  int hostInfoCalls = 0;
  IDispatch* external = nullptr;
  HRESULT GetHostInfo(DOCHOSTUIINFO* info) override {
    ++hostInfoCalls;
    info->dwFlags = DOCHOSTUIFLAG_SCROLL_NO;
    return S_OK;
  }
  HRESULT GetExternal(IDispatch** out) override {
    *out = external;
    if (external != nullptr) external->AddRef();
    return S_OK;
  }
  HRESULT ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_OK; }
};

// Counts the events it receives.
class EventCounter final : public IDispatch {
 public:
  int events = 0;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
               ? static_cast<IDispatch*>(this)
               : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    ++events;
    return S_OK;
  }
};

TEST(BrowserHostTest, OwnerDelegateAnswersThePageHostAndItsSinkGetsEvents) {
  test::StandInMainWindow parent;
  CountingDelegate delegate;
  EventCounter external;
  delegate.external = &external;
  HWND host = CreateBrowserHostWindow(parent.window(), RECT{10, 20, 310, 220}, &delegate);
  ASSERT_NE(nullptr, host);
  EXPECT_EQ(parent.window(), GetParent(host));
  IWebBrowser2* browser = GetWebBrowser(host);
  ASSERT_NE(nullptr, browser);

  IOleClientSite* site = ClientSiteOf(host);
  ASSERT_NE(nullptr, site);
  IDocHostUIHandler* handler = nullptr;
  ASSERT_EQ(S_OK, site->QueryInterface(__uuidof(IDocHostUIHandler),
                                       reinterpret_cast<void**>(&handler)));
  DOCHOSTUIINFO info{};
  info.cbSize = sizeof info;
  EXPECT_EQ(S_OK, handler->GetHostInfo(&info));
  EXPECT_EQ(1, delegate.hostInfoCalls);
  EXPECT_EQ(static_cast<DWORD>(DOCHOSTUIFLAG_SCROLL_NO), info.dwFlags);
  IDispatch* got = nullptr;
  EXPECT_EQ(S_OK, handler->GetExternal(&got));
  EXPECT_EQ(&external, got);
  EXPECT_EQ(S_OK, handler->ShowContextMenu(0, nullptr, nullptr, nullptr));

  // Back to the defaults: no 3-D border, pages that scale with the display,
  // no external object, browser's menu.
  SetBrowserHostDelegate(host, nullptr);
  info = DOCHOSTUIINFO{};
  info.cbSize = sizeof info;
  EXPECT_EQ(S_OK, handler->GetHostInfo(&info));
  EXPECT_EQ(static_cast<DWORD>(DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DPI_AWARE), info.dwFlags);
  EXPECT_EQ(S_FALSE, handler->GetExternal(&got));
  EXPECT_EQ(nullptr, got);
  EXPECT_EQ(S_FALSE, handler->ShowContextMenu(0, nullptr, nullptr, nullptr));
  handler->Release();

  // Ambient properties: none, so the control takes its defaults.
  IDispatch* ambient = nullptr;
  ASSERT_EQ(S_OK, site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)));
  DISPPARAMS none{};
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, ambient->Invoke(-5502, IID_NULL, 0, DISPATCH_PROPERTYGET,
                                                   &none, &result, nullptr, nullptr));
  ambient->Release();
  site->Release();

  EventCounter sink;
  const DWORD cookie = AdviseBrowserEvents(browser, &sink);
  EXPECT_NE(0u, cookie);
  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = SysAllocString(L"http://127.0.0.1:1/none");
  browser->Navigate2(&url, nullptr, nullptr, nullptr, nullptr);
  test::Pump(200);
  EXPECT_GT(sink.events, 0);
  UnadviseBrowserEvents(browser, cookie);
  const int before = sink.events;
  browser->Navigate2(&url, nullptr, nullptr, nullptr, nullptr);
  test::Pump(200);
  EXPECT_EQ(before, sink.events);
  VariantClear(&url);
  browser->Release();
  DestroyWindow(host);
}

template <typename T>
T* SiteInterface(IOleClientSite* site, REFIID iid) {
  T* out = nullptr;
  site->QueryInterface(iid, reinterpret_cast<void**>(&out));
  return out;
}

// A value the browser never hands over, to see that outs are written.
template <typename T>
T* Garbage() {
  return reinterpret_cast<T*>(static_cast<UINT_PTR>(0x13));
}

TEST(BrowserHostTest, HostWithoutOwnerAnswersAsAPlainHostAndLeavesDownloadsToTheBrowser) {
  // The tab program's way: made by class name, no delegate.
  test::StandInMainWindow parent;
  ASSERT_TRUE(RegisterBrowserHostClass());
  HWND host = CreateWindowExW(0, kBrowserHostClassW, kWebBrowserProgIdW, WS_CHILD, 0, 0, 200, 100,
                              parent.window(), nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, host);
  IOleClientSite* site = ClientSiteOf(host);
  ASSERT_NE(nullptr, site);
  auto* handler = SiteInterface<IDocHostUIHandler>(site, __uuidof(IDocHostUIHandler));
  ASSERT_NE(nullptr, handler);

  EXPECT_EQ(S_OK, handler->ShowUI(DOCHOSTUITYPE_BROWSE, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(S_OK, handler->HideUI());
  EXPECT_EQ(S_OK, handler->UpdateUI());
  EXPECT_EQ(S_OK, handler->EnableModeless(FALSE));
  EXPECT_EQ(S_OK, handler->OnDocWindowActivate(TRUE));
  EXPECT_EQ(S_OK, handler->OnFrameWindowActivate(TRUE));
  RECT border{0, 0, 10, 10};
  EXPECT_EQ(S_OK, handler->ResizeBorder(&border, nullptr, TRUE));
  LPOLESTR key = Garbage<OLECHAR>();
  EXPECT_EQ(S_FALSE, handler->GetOptionKeyPath(&key, 0));
  EXPECT_EQ(nullptr, key);
  IDropTarget* drop = Garbage<IDropTarget>();
  EXPECT_EQ(E_NOTIMPL, handler->GetDropTarget(nullptr, &drop));
  EXPECT_EQ(nullptr, drop);
  wchar_t url[] = L"http://127.0.0.1/a.html";
  LPWSTR translated = Garbage<wchar_t>();
  EXPECT_EQ(S_FALSE, handler->TranslateUrl(0, url, &translated));
  EXPECT_EQ(nullptr, translated);
  IDataObject* data = Garbage<IDataObject>();
  EXPECT_EQ(S_FALSE, handler->FilterDataObject(nullptr, &data));
  EXPECT_EQ(nullptr, data);
  // Outs that cannot be written are refused, not written through.
  EXPECT_EQ(E_POINTER, handler->TranslateUrl(0, url, nullptr));
  EXPECT_EQ(E_POINTER, handler->GetOptionKeyPath(nullptr, 0));
  handler->Release();

  auto* services = SiteInterface<IServiceProvider>(site, IID_IServiceProvider);
  ASSERT_NE(nullptr, services);
  void* manager = Garbage<void>();
  EXPECT_EQ(E_NOINTERFACE, services->QueryService(__uuidof(IDownloadManager),
                                                  __uuidof(IDownloadManager), &manager));
  EXPECT_EQ(nullptr, manager);
  EXPECT_EQ(E_POINTER, services->QueryService(__uuidof(IDownloadManager),
                                              __uuidof(IDownloadManager), nullptr));
  services->Release();
  auto* commands = SiteInterface<IOleCommandTarget>(site, IID_IOleCommandTarget);
  ASSERT_NE(nullptr, commands);
  EXPECT_EQ(OLECMDERR_E_NOTSUPPORTED, commands->Exec(nullptr, OLECMDID_SHOWSCRIPTERROR, 0,
                                                     nullptr, nullptr));
  commands->Release();
  site->Release();
  DestroyWindow(host);
}

// An owner that takes the browser's downloads.
class DownloadingDelegate : public BrowserHostDelegate {
 public:
  std::vector<std::wstring> downloads;
  HRESULT Download(IMoniker*, IBindCtx*, DWORD, LONG, BINDINFO*, LPCOLESTR headers, LPCOLESTR,
                   UINT codePage) override {
    downloads.push_back(std::wstring(headers) + L" " + std::to_wstring(codePage));
    return S_OK;
  }
};

TEST(BrowserHostTest, OwnersDownloadManagerServesDownloadsWhileTheWindowLives) {
  test::StandInMainWindow parent;
  DownloadingDelegate delegate;
  HWND host = CreateBrowserHostWindow(parent.window(), RECT{0, 0, 200, 100}, &delegate);
  ASSERT_NE(nullptr, host);
  IOleClientSite* site = ClientSiteOf(host);
  ASSERT_NE(nullptr, site);
  auto* services = SiteInterface<IServiceProvider>(site, IID_IServiceProvider);
  ASSERT_NE(nullptr, services);
  IDownloadManager* manager = nullptr;
  ASSERT_EQ(S_OK, services->QueryService(__uuidof(IDownloadManager), __uuidof(IDownloadManager),
                                         reinterpret_cast<void**>(&manager)));
  ASSERT_NE(nullptr, manager);
  EXPECT_EQ(S_OK, manager->Download(nullptr, nullptr, BINDVERB_GET, 0, nullptr, L"X-Test: 1",
                                    nullptr, 936));
  EXPECT_EQ(std::vector<std::wstring>{L"X-Test: 1 936"}, delegate.downloads);
  // Other services, or the manager asked for as something else, are refused.
  void* other = Garbage<void>();
  EXPECT_EQ(E_NOINTERFACE, services->QueryService(IID_IWebBrowserApp, IID_IWebBrowser2, &other));
  EXPECT_EQ(nullptr, other);
  EXPECT_EQ(E_NOINTERFACE, services->QueryService(__uuidof(IDownloadManager), IID_IDispatch, &other));
  EXPECT_EQ(nullptr, other);
  services->Release();

  // The manager keeps the site alive past the window but no longer reaches
  // the owner; the last release of each frees it.
  DestroyWindow(host);
  EXPECT_EQ(E_UNEXPECTED, manager->Download(nullptr, nullptr, BINDVERB_GET, 0, nullptr, L"late",
                                            nullptr, 0));
  EXPECT_EQ(1u, delegate.downloads.size());
  EXPECT_EQ(0u, manager->Release());
  EXPECT_EQ(0u, site->Release());
}

TEST(BrowserHostTest, DestroyingTheWindowReleasesTheControlAndDetachesTheSite) {
  test::StandInMainWindow parent;
  HWND host = CreateBrowserHostWindow(parent.window(), RECT{0, 0, 200, 100}, nullptr);
  ASSERT_NE(nullptr, host);
  IOleClientSite* site = ClientSiteOf(host);
  ASSERT_NE(nullptr, site);
  IOleInPlaceSite* inPlace = nullptr;
  ASSERT_EQ(S_OK, site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace)));
  HWND window = nullptr;
  EXPECT_EQ(S_OK, inPlace->GetWindow(&window));
  EXPECT_EQ(host, window);

  DestroyWindow(host);
  // A site kept past the window answers without touching it...
  EXPECT_EQ(E_UNEXPECTED, inPlace->GetWindow(&window));
  EXPECT_EQ(S_FALSE, inPlace->CanInPlaceActivate());
  EXPECT_EQ(1u, inPlace->Release());
  // ...and the control let its own reference go: ours is the last.
  EXPECT_EQ(0u, site->Release());
}

}  // namespace
}  // namespace tamvelo::test
