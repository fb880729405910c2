// The toolkit's browser control in a real window under Wine: the native
// browser is made, placed and shown with the control, navigations go out,
// and the browser's events and the page host's questions reach the handler.
#include <downloadmgr.h>
#include <exdispid.h>
#include <gtest/gtest.h>
#include <servprov.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/browser_host.h"
#include "common/text_codec.h"
#include "duilib/UIlib.h"
#include "tests/support/browser_site.h"
#include "tests/support/window_helpers.h"
#include "tests/support/event_args.h"
#include "tests/web_ui/ui_window.h"

namespace tamvelo::test {

using DuiLib::CWebBrowserUI;

namespace {

std::string Narrow(const wchar_t* text) { return text != nullptr ? tamvelo::NarrowFromWide(text) : std::string(); }

std::string VariantText(const VARIANT* value) {
  return value != nullptr && value->vt == VT_BSTR ? Narrow(value->bstrVal) : std::string("?");
}

// Writes down every browser event it gets, and stops navigations and new
// windows when asked.
class RecordingHandler : public DuiLib::CWebBrowserEventHandler {
 public:
  void BeforeNavigate2(CWebBrowserUI*, IDispatch*, VARIANT* url, VARIANT*, VARIANT*, VARIANT*,
                       VARIANT*, VARIANT_BOOL* cancel) override {
    events.push_back("BeforeNavigate2 " + VariantText(url));
    if (cancelAll) *cancel = VARIANT_TRUE;
  }
  void NavigateError(CWebBrowserUI*, IDispatch*, VARIANT* url, VARIANT*, VARIANT*,
                     VARIANT_BOOL*) override {
    events.push_back("NavigateError " + VariantText(url));
  }
  void NavigateComplete2(CWebBrowserUI*, IDispatch*, VARIANT* url) override {
    events.push_back("NavigateComplete2 " + VariantText(url));
  }
  void ProgressChange(CWebBrowserUI*, LONG progress, LONG maximum) override {
    events.push_back("ProgressChange " + std::to_string(progress) + "/" + std::to_string(maximum));
  }
  void NewWindow3(CWebBrowserUI*, IDispatch**, VARIANT_BOOL* cancel, DWORD flags, BSTR context,
                  BSTR url) override {
    events.push_back("NewWindow3 " + Narrow(url) + " from " + Narrow(context) + " flags " +
                     std::to_string(flags));
    if (cancelAll) *cancel = VARIANT_TRUE;
  }
  void CommandStateChange(CWebBrowserUI*, LONG command, VARIANT_BOOL enable) override {
    events.push_back("CommandStateChange " + std::to_string(command) +
                     (enable == VARIANT_TRUE ? " on" : " off"));
  }
  void TitleChange(CWebBrowserUI*, BSTR title) override {
    events.push_back("TitleChange " + Narrow(title));
  }
  void DocumentComplete(CWebBrowserUI*, IDispatch*, VARIANT* url) override {
    events.push_back("DocumentComplete " + VariantText(url));
  }

  std::vector<std::string> events;
  bool cancelAll = false;
};

// Serves the queue until the handler has the event (or time is up).
bool WaitForEvent(const RecordingHandler& handler, const std::string& event, DWORD ms = 5000) {
  return tamvelo::test::PumpUntil(
      [&] {
        return std::find(handler.events.begin(), handler.events.end(), event) !=
               handler.events.end();
      },
      ms);
}

class BrowserControlTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(window_.CreateShown(640, 480), nullptr); }

  // A vertical layout: a 40-pixel bar, then the browser over the rest.
  CWebBrowserUI* AttachBrowser(CWebBrowserUI* browser = new CWebBrowserUI) {
    auto* root = new DuiLib::CVerticalLayoutUI;
    auto* bar = new DuiLib::CControlUI;
    bar->SetFixedHeight(40);
    root->Add(bar);
    root->Add(browser);
    window_.Attach(root);
    return browser;
  }

  tamvelo::test::UiWindow window_;
};

TEST_F(BrowserControlTest, NavigationAskedBeforeTheWindowGoesOutOnceTheBrowserExists) {
  auto* browser = new CWebBrowserUI;
  RecordingHandler handler;
  browser->SetWebBrowserEventHandler(&handler);
  browser->Navigate2("http://127.0.0.1/first.html");
  browser->Navigate2("http://127.0.0.1/box/index.html");  // the last one counts
  EXPECT_EQ(browser->GetHostWindow(), nullptr);
  EXPECT_EQ(browser->GetWebBrowser2(), nullptr);  // no window to make it in yet

  AttachBrowser(browser);
  HWND host = browser->GetHostWindow();
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(::GetParent(host), window_.GetHWND());
  wchar_t className[64] = {};
  ::GetClassNameW(host, className, 64);
  EXPECT_STREQ(className, tamvelo::browser::kBrowserHostClassW);
  EXPECT_NE(browser->GetWebBrowser2(), nullptr);

  // Without an HTML engine the navigation ends in an error.
  ASSERT_TRUE(WaitForEvent(handler, "NavigateError http://127.0.0.1/box/index.html"));
  EXPECT_EQ(handler.events.front(), "BeforeNavigate2 http://127.0.0.1/box/index.html");
  for (const std::string& event : handler.events) EXPECT_EQ(event.find("first.html"), std::string::npos);

  // A later navigation is stopped by the handler's answer: no error follows.
  handler.events.clear();
  handler.cancelAll = true;
  browser->Navigate2("http://127.0.0.1/box/game");
  ASSERT_TRUE(WaitForEvent(handler, "BeforeNavigate2 http://127.0.0.1/box/game"));
  EXPECT_FALSE(WaitForEvent(handler, "NavigateError http://127.0.0.1/box/game", 300));
  browser->SetWebBrowserEventHandler(nullptr);
}

TEST_F(BrowserControlTest, HostWindowFollowsPlacementAndVisibility) {
  CWebBrowserUI* browser = AttachBrowser();
  HWND host = browser->GetHostWindow();
  ASSERT_NE(host, nullptr);
  RECT expected = browser->GetPos();
  EXPECT_EQ(expected.top, 40);
  RECT actual = tamvelo::test::ChildRect(host);
  EXPECT_TRUE(::EqualRect(&actual, &expected));
  EXPECT_TRUE(::IsWindowVisible(host));

  const RECT moved = {10, 50, 310, 250};
  browser->SetPos(moved);
  actual = tamvelo::test::ChildRect(host);
  EXPECT_TRUE(::EqualRect(&actual, &moved));

  browser->SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(host));
  browser->SetVisible(true);
  EXPECT_TRUE(::IsWindowVisible(host));

  // Hidden with its parent too (a tab-layout page going away).
  browser->SetInternVisible(false);
  EXPECT_FALSE(::IsWindowVisible(host));
  browser->SetInternVisible(true);
  EXPECT_TRUE(::IsWindowVisible(host));
}

TEST_F(BrowserControlTest, HostWindowHidesWithItsTabLayoutPage) {
  auto* pages = new DuiLib::CTabLayoutUI;
  auto* browser = new CWebBrowserUI;
  pages->Add(browser);
  pages->Add(new DuiLib::CControlUI);
  window_.Attach(pages);
  HWND host = browser->GetHostWindow();
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(::IsWindowVisible(host));

  pages->SelectItem(1);
  EXPECT_FALSE(::IsWindowVisible(host));
  pages->SelectItem(0);
  window_.pm().UpdateLayout();
  EXPECT_TRUE(::IsWindowVisible(host));
}

TEST_F(BrowserControlTest, BrowserMadeInAHiddenPageStaysHiddenUntilShown) {
  auto* pages = new DuiLib::CTabLayoutUI;
  auto* browser = new CWebBrowserUI;
  pages->Add(new DuiLib::CControlUI);
  pages->Add(browser);
  window_.Attach(pages);
  // The page is not laid out, but asking for the browser makes it.
  ASSERT_NE(browser->GetWebBrowser2(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(browser->GetHostWindow()));
  pages->SelectItem(1);
  window_.pm().UpdateLayout();
  EXPECT_TRUE(::IsWindowVisible(browser->GetHostWindow()));
  RECT actual = tamvelo::test::ChildRect(browser->GetHostWindow());
  RECT expected = browser->GetPos();
  EXPECT_TRUE(::EqualRect(&actual, &expected));
}

TEST_F(BrowserControlTest, RemovingTheControlClosesItsBrowser) {
  auto* root = new DuiLib::CVerticalLayoutUI;
  auto* browser = new CWebBrowserUI;
  root->Add(browser);
  window_.Attach(root);
  HWND host = browser->GetHostWindow();
  ASSERT_TRUE(::IsWindow(host));
  root->Remove(browser);
  // Allows for a delayed clean-up, if the toolkit uses one.
  EXPECT_TRUE(tamvelo::test::PumpUntil([&] { return !::IsWindow(host); }, 1000));
  // The window's key translation no longer reaches the control.
  MSG key = {window_.GetHWND(), WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
  EXPECT_FALSE(window_.pm().TranslateAccelerator(&key));
}

TEST_F(BrowserControlTest, EveryBrowserEventReachesItsSlotInOrder) {
  CWebBrowserUI* browser = AttachBrowser();
  RecordingHandler handler;
  handler.cancelAll = true;
  browser->SetWebBrowserEventHandler(&handler);
  IDispatch* sink = static_cast<IDispatch*>(browser);

  VARIANT url;
  ::VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = ::SysAllocString(L"http://127.0.0.1/a.html");
  VARIANT empty;
  ::VariantInit(&empty);
  VARIANT_BOOL beforeCancel = VARIANT_FALSE;
  VARIANT_BOOL errorCancel = VARIANT_FALSE;
  VARIANT_BOOL windowCancel = VARIANT_FALSE;
  IDispatch* newWindow = nullptr;

  EventArgs before, error, complete, progress, window, command, title, document;
  before.Dispatch(nullptr).VariantRef(&url).VariantRef(&empty).VariantRef(&empty)
      .VariantRef(&empty).VariantRef(&empty).BoolRef(&beforeCancel);
  error.Dispatch(nullptr).VariantRef(&url).VariantRef(&empty).VariantRef(&empty)
      .BoolRef(&errorCancel);
  complete.Dispatch(nullptr).VariantRef(&url);
  progress.Long(30).Long(100);
  window.DispatchRef(&newWindow).BoolRef(&windowCancel).Long(6)
      .String(L"http://127.0.0.1/").String(L"http://127.0.0.1/game.html");
  command.Long(CSC_NAVIGATEBACK).Bool(true);
  title.String(L"a page");
  document.Dispatch(nullptr).VariantRef(&url);

  EXPECT_EQ(Fire(sink, DISPID_BEFORENAVIGATE2, before), S_OK);
  EXPECT_EQ(Fire(sink, DISPID_NAVIGATEERROR, error), S_OK);
  EXPECT_EQ(Fire(sink, DISPID_NAVIGATECOMPLETE2, complete), S_OK);
  EXPECT_EQ(Fire(sink, DISPID_PROGRESSCHANGE, progress), S_OK);
  EXPECT_EQ(Fire(sink, DISPID_NEWWINDOW3, window), S_OK);
  EXPECT_EQ(Fire(sink, DISPID_COMMANDSTATECHANGE, command), S_OK);
  EXPECT_EQ(Fire(sink, DISPID_TITLECHANGE, title), S_OK);
  EXPECT_EQ(Fire(sink, DISPID_DOCUMENTCOMPLETE, document), S_OK);

  const std::vector<std::string> expected = {
      "BeforeNavigate2 http://127.0.0.1/a.html",
      "NavigateError http://127.0.0.1/a.html",
      "NavigateComplete2 http://127.0.0.1/a.html",
      "ProgressChange 30/100",
      "NewWindow3 http://127.0.0.1/game.html from http://127.0.0.1/ flags 6",
      "CommandStateChange 2 on",
      "TitleChange a page",
      "DocumentComplete http://127.0.0.1/a.html",
  };
  EXPECT_EQ(handler.events, expected);
  // The handler's answer reaches the browser through the reference.
  EXPECT_EQ(beforeCancel, VARIANT_TRUE);
  EXPECT_EQ(windowCancel, VARIANT_TRUE);
  ::VariantClear(&url);
  browser->SetWebBrowserEventHandler(nullptr);
}

TEST_F(BrowserControlTest, MalformedEventsAreDroppedWithoutReachingTheHandler) {
  CWebBrowserUI* browser = AttachBrowser();
  RecordingHandler handler;
  browser->SetWebBrowserEventHandler(&handler);
  IDispatch* sink = static_cast<IDispatch*>(browser);
  VARIANT_BOOL cancel = VARIANT_FALSE;

  EventArgs tooFew;
  tooFew.BoolRef(&cancel).String(L"http://127.0.0.1/x");
  Fire(sink, DISPID_NEWWINDOW3, tooFew);

  EventArgs cancelByValue;  // the sink could not answer: not a request to act on
  cancelByValue.DispatchRef(nullptr).Bool(false).Long(0).String(L"").String(L"http://x/");
  Fire(sink, DISPID_NEWWINDOW3, cancelByValue);

  EventArgs nullCancel;
  nullCancel.DispatchRef(nullptr).BoolRef(nullptr).Long(0).String(L"").String(L"http://x/");
  Fire(sink, DISPID_NEWWINDOW3, nullCancel);

  EventArgs numberTitle;
  numberTitle.Long(5);
  Fire(sink, DISPID_TITLECHANGE, numberTitle);

  EventArgs textProgress;
  textProgress.String(L"lots").Long(100);
  Fire(sink, DISPID_PROGRESSCHANGE, textProgress);

  EventArgs nothing;
  Fire(sink, DISPID_TITLECHANGE, nothing);
  Fire(sink, 9999, nothing);  // an event the control does not know

  DISPPARAMS missing = {nullptr, nullptr, 2, 0};  // claims arguments it has not got
  EXPECT_EQ(sink->Invoke(DISPID_DOCUMENTCOMPLETE, IID_NULL, 0, DISPATCH_METHOD, &missing, nullptr,
                         nullptr, nullptr),
            S_OK);
  EXPECT_EQ(sink->Invoke(DISPID_TITLECHANGE, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr,
                         nullptr, nullptr),
            E_INVALIDARG);

  EXPECT_TRUE(handler.events.empty());
  EXPECT_EQ(cancel, VARIANT_FALSE);

  // Numbers in another integer type are still numbers; a title by reference
  // is still the title.
  EventArgs shortProgress;
  VARIANT small;
  ::VariantInit(&small);
  small.vt = VT_I2;
  small.iVal = 7;
  shortProgress.Raw(small).Long(10);
  Fire(sink, DISPID_PROGRESSCHANGE, shortProgress);
  BSTR text = ::SysAllocString(L"by reference");
  VARIANT titleRef;
  ::VariantInit(&titleRef);
  titleRef.vt = VT_BYREF | VT_BSTR;
  titleRef.pbstrVal = &text;
  EventArgs referencedTitle;
  referencedTitle.Raw(titleRef);
  Fire(sink, DISPID_TITLECHANGE, referencedTitle);
  ::SysFreeString(text);
  EXPECT_EQ(handler.events, (std::vector<std::string>{"ProgressChange 7/10", "TitleChange by reference"}));
  browser->SetWebBrowserEventHandler(nullptr);
}

// The page host's questions as the browser asks them: through the host
// site that the control's browser holds as its client site.
class PageHost {
 public:
  explicit PageHost(CWebBrowserUI* browser) {
    IOleClientSite* site = tamvelo::test::ClientSiteOf(browser->GetWebBrowser2());
    if (site == nullptr) return;
    site->QueryInterface(__uuidof(IDocHostUIHandler), reinterpret_cast<void**>(&ui_));
    IServiceProvider* services = nullptr;
    if (SUCCEEDED(site->QueryInterface(IID_IServiceProvider,
                                       reinterpret_cast<void**>(&services)))) {
      services->QueryService(__uuidof(IDownloadManager), __uuidof(IDownloadManager),
                             reinterpret_cast<void**>(&downloads_));
      services->Release();
    }
    site->Release();
  }
  ~PageHost() {
    if (ui_ != nullptr) ui_->Release();
    if (downloads_ != nullptr) downloads_->Release();
  }
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  bool ok() const { return ui_ != nullptr && downloads_ != nullptr; }
  IDocHostUIHandler* ui() const { return ui_; }
  IDownloadManager* downloads() const { return downloads_; }

 private:
  IDocHostUIHandler* ui_ = nullptr;
  IDownloadManager* downloads_ = nullptr;
};

TEST_F(BrowserControlTest, PageHostQuestionsGetTheToolkitDefaults) {
  CWebBrowserUI* browser = AttachBrowser();
  PageHost host(browser);
  ASSERT_TRUE(host.ok());
  IDocHostUIHandler* ui = host.ui();

  EXPECT_EQ(ui->ShowContextMenu(CONTEXT_MENU_DEFAULT, nullptr, nullptr, nullptr), S_OK);
  DOCHOSTUIINFO info = {};
  info.cbSize = sizeof(info);
  info.dwFlags = DOCHOSTUIFLAG_SCROLL_NO;
  EXPECT_EQ(ui->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, DWORD(DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DPI_AWARE));
  EXPECT_EQ(ui->ShowUI(DOCHOSTUITYPE_BROWSE, nullptr, nullptr, nullptr, nullptr), S_FALSE);
  EXPECT_EQ(ui->HideUI(), S_OK);
  EXPECT_EQ(ui->UpdateUI(), S_OK);
  EXPECT_EQ(ui->EnableModeless(TRUE), S_OK);
  EXPECT_EQ(ui->OnDocWindowActivate(TRUE), S_OK);
  EXPECT_EQ(ui->OnFrameWindowActivate(TRUE), S_OK);
  EXPECT_EQ(ui->ResizeBorder(nullptr, nullptr, FALSE), S_OK);
  MSG key = {browser->GetHostWindow(), WM_KEYDOWN, VK_BACK, 0, 0, {0, 0}};
  EXPECT_EQ(ui->TranslateAccelerator(&key, nullptr, 0), S_FALSE);
  // Slots that answer S_OK without an object hand the browser nothing.
  LPOLESTR optionKey = reinterpret_cast<LPOLESTR>(1);
  EXPECT_EQ(ui->GetOptionKeyPath(&optionKey, 0), S_OK);
  EXPECT_EQ(optionKey, nullptr);
  IDropTarget* drop = nullptr;
  EXPECT_EQ(ui->GetDropTarget(nullptr, &drop), E_NOTIMPL);
  IDispatch* external = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(ui->GetExternal(&external), S_FALSE);
  EXPECT_EQ(external, nullptr);
  wchar_t url[] = L"http://127.0.0.1/a.html";
  LPWSTR translated = reinterpret_cast<LPWSTR>(1);
  EXPECT_EQ(ui->TranslateUrl(0, url, &translated), S_OK);
  EXPECT_EQ(translated, nullptr);
  IDataObject* data = reinterpret_cast<IDataObject*>(1);
  EXPECT_EQ(ui->FilterDataObject(nullptr, &data), S_OK);
  EXPECT_EQ(data, nullptr);
  // Downloads are taken, and nothing is downloaded.
  EXPECT_EQ(host.downloads()->Download(nullptr, nullptr, BINDVERB_GET, 0, nullptr, nullptr,
                                       nullptr, CP_ACP),
            S_OK);
}

// Answers every page-host slot unlike the toolkit, writing down the calls.
class PageHostHandler : public DuiLib::CWebBrowserEventHandler {
 public:
  HRESULT ShowContextMenu(CWebBrowserUI* web, DWORD id, POINT*, IUnknown*, IDispatch*) override {
    return Note(web, "ShowContextMenu " + std::to_string(id), S_FALSE);
  }
  HRESULT GetHostInfo(CWebBrowserUI* web, DOCHOSTUIINFO* info) override {
    if (!ownHostInfo) return Note(web, "GetHostInfo", E_NOTIMPL);
    info->dwFlags = DOCHOSTUIFLAG_DIALOG;
    return Note(web, "GetHostInfo", S_OK);
  }
  HRESULT ShowUI(CWebBrowserUI* web, DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                 IOleInPlaceFrame*, IOleInPlaceUIWindow*) override {
    return Note(web, "ShowUI", S_OK);
  }
  HRESULT HideUI(CWebBrowserUI* web) override { return Note(web, "HideUI", E_FAIL); }
  HRESULT UpdateUI(CWebBrowserUI* web) override { return Note(web, "UpdateUI", E_FAIL); }
  HRESULT EnableModeless(CWebBrowserUI* web, BOOL enable) override {
    return Note(web, "EnableModeless " + std::to_string(enable), E_FAIL);
  }
  HRESULT OnDocWindowActivate(CWebBrowserUI* web, BOOL activate) override {
    return Note(web, "OnDocWindowActivate " + std::to_string(activate), E_FAIL);
  }
  HRESULT OnFrameWindowActivate(CWebBrowserUI* web, BOOL activate) override {
    return Note(web, "OnFrameWindowActivate " + std::to_string(activate), E_FAIL);
  }
  HRESULT ResizeBorder(CWebBrowserUI* web, LPCRECT border, IOleInPlaceUIWindow*,
                       BOOL frame) override {
    return Note(web, "ResizeBorder " + std::to_string(border->bottom) + " " + std::to_string(frame),
                E_FAIL);
  }
  HRESULT TranslateAccelerator(CWebBrowserUI* web, LPMSG message, const GUID*, DWORD) override {
    return Note(web, "TranslateAccelerator " + std::to_string(message->wParam), S_OK);
  }
  HRESULT GetOptionKeyPath(CWebBrowserUI* web, LPOLESTR*, DWORD) override {
    return Note(web, "GetOptionKeyPath", S_FALSE);
  }
  HRESULT GetDropTarget(CWebBrowserUI* web, IDropTarget*, IDropTarget**) override {
    return Note(web, "GetDropTarget", S_FALSE);
  }
  HRESULT GetExternal(CWebBrowserUI* web, IDispatch**) override {
    return Note(web, "GetExternal", E_NOTIMPL);
  }
  HRESULT TranslateUrl(CWebBrowserUI* web, DWORD, OLECHAR* url, OLECHAR** translated) override {
    const std::wstring mapped = std::wstring(url) + L"#box";
    const size_t bytes = (mapped.size() + 1) * sizeof(wchar_t);
    *translated = static_cast<OLECHAR*>(::CoTaskMemAlloc(bytes));
    memcpy(*translated, mapped.c_str(), bytes);
    return Note(web, "TranslateUrl " + Narrow(url), S_OK);
  }
  HRESULT FilterDataObject(CWebBrowserUI* web, IDataObject*, IDataObject**) override {
    return Note(web, "FilterDataObject", S_FALSE);
  }
  HRESULT Download(CWebBrowserUI* web, IMoniker*, IBindCtx*, DWORD, LONG, BINDINFO*,
                   LPCOLESTR headers, LPCOLESTR, UINT codePage) override {
    return Note(web, "Download " + Narrow(headers) + " " + std::to_string(codePage), E_ABORT);
  }

  CWebBrowserUI* expected = nullptr;
  bool ownHostInfo = true;
  std::vector<std::string> calls;

 private:
  HRESULT Note(CWebBrowserUI* web, const std::string& call, HRESULT answer) {
    calls.push_back(web == expected ? call : call + " from another control");
    return answer;
  }
};

TEST_F(BrowserControlTest, EveryPageHostSlotReachesTheHandlerAndItsAnswerTheBrowser) {
  CWebBrowserUI* browser = AttachBrowser();
  PageHostHandler handler;
  handler.expected = browser;
  browser->SetWebBrowserEventHandler(&handler);
  PageHost host(browser);
  ASSERT_TRUE(host.ok());
  IDocHostUIHandler* ui = host.ui();
  handler.calls.clear();  // whatever the browser asked while it was made

  EXPECT_EQ(ui->ShowContextMenu(CONTEXT_MENU_TEXTSELECT, nullptr, nullptr, nullptr), S_FALSE);
  DOCHOSTUIINFO info = {};
  EXPECT_EQ(ui->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, DWORD(DOCHOSTUIFLAG_DIALOG));
  EXPECT_EQ(ui->ShowUI(DOCHOSTUITYPE_BROWSE, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(ui->HideUI(), E_FAIL);
  EXPECT_EQ(ui->UpdateUI(), E_FAIL);
  EXPECT_EQ(ui->EnableModeless(FALSE), E_FAIL);
  EXPECT_EQ(ui->OnDocWindowActivate(TRUE), E_FAIL);
  EXPECT_EQ(ui->OnFrameWindowActivate(FALSE), E_FAIL);
  RECT border = {0, 0, 5, 44};
  EXPECT_EQ(ui->ResizeBorder(&border, nullptr, TRUE), E_FAIL);
  MSG key = {browser->GetHostWindow(), WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
  EXPECT_EQ(ui->TranslateAccelerator(&key, nullptr, 0), S_OK);
  LPOLESTR optionKey = nullptr;
  EXPECT_EQ(ui->GetOptionKeyPath(&optionKey, 0), S_FALSE);
  IDropTarget* drop = nullptr;
  EXPECT_EQ(ui->GetDropTarget(nullptr, &drop), S_FALSE);
  // E_NOTIMPL from the handler: the control's own answer, no object.
  IDispatch* external = nullptr;
  EXPECT_EQ(ui->GetExternal(&external), S_FALSE);
  wchar_t url[] = L"http://127.0.0.1/a.html";
  LPWSTR translated = nullptr;
  EXPECT_EQ(ui->TranslateUrl(0, url, &translated), S_OK);
  EXPECT_STREQ(translated, L"http://127.0.0.1/a.html#box");
  ::CoTaskMemFree(translated);
  IDataObject* data = nullptr;
  EXPECT_EQ(ui->FilterDataObject(nullptr, &data), S_FALSE);
  EXPECT_EQ(host.downloads()->Download(nullptr, nullptr, BINDVERB_GET, 0, nullptr,
                                       L"Accept: */*", nullptr, 936),
            E_ABORT);
  handler.ownHostInfo = false;  // E_NOTIMPL: the control's flags
  info.dwFlags = 0;
  EXPECT_EQ(ui->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, tamvelo::browser::kHostUiFlags);

  const std::vector<std::string> expected = {
      "ShowContextMenu 4", "GetHostInfo", "ShowUI", "HideUI", "UpdateUI", "EnableModeless 0",
      "OnDocWindowActivate 1", "OnFrameWindowActivate 0", "ResizeBorder 44 1",
      "TranslateAccelerator " + std::to_string(VK_F5), "GetOptionKeyPath", "GetDropTarget",
      "GetExternal", "TranslateUrl http://127.0.0.1/a.html", "FilterDataObject",
      "Download Accept: */* 936", "GetHostInfo"};
  EXPECT_EQ(handler.calls, expected);
  browser->SetWebBrowserEventHandler(nullptr);
}

TEST_F(BrowserControlTest, KeysForThePageAreNotSwallowedByTheWindow) {
  CWebBrowserUI* browser = AttachBrowser();
  HWND host = browser->GetHostWindow();
  HWND inner = ::GetWindow(host, GW_CHILD);  // the browser's own window
  ASSERT_NE(inner, nullptr);
  // Keys of the browser's windows go to the browser, which under Wine has no
  // page to use them: they go on to the window as usual.
  for (WPARAM vk : {WPARAM(VK_TAB), WPARAM(VK_BACK), WPARAM(VK_F5), WPARAM('C')}) {
    MSG key = {inner, WM_KEYDOWN, vk, 0, 0, {0, 0}};
    EXPECT_FALSE(DuiLib::CPaintManagerUI::TranslateMessage(&key)) << vk;
    EXPECT_EQ(browser->TranslateAccelerator(&key), S_FALSE);
  }
  // Keys and other messages of other windows are none of the browser's business.
  MSG elsewhere = {window_.GetHWND(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_EQ(browser->TranslateAccelerator(&elsewhere), S_FALSE);
  MSG click = {inner, WM_LBUTTONDOWN, 0, 0, 0, {0, 0}};
  EXPECT_EQ(browser->TranslateAccelerator(&click), S_FALSE);
}

}  // namespace

}  // namespace tamvelo::test
