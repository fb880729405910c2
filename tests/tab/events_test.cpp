// The browser event sink and the script-error helper, driven through their
// COM interfaces as the browser drives them.
#include <gtest/gtest.h>

#include <windows.h>
#include <mshtmhst.h>

#include <string>

#include "tab/browser_events.h"
#include "tab/no_script_error_helper.h"
#include "tests/support/stand_in_main_window.h"
#include "tests/tab/browser_stand_in.h"

namespace tamvelo::test {
using namespace tab;  // the code under test
namespace {

// NewWindow3's arguments, last first: url, url context, flags, cancel, ppDisp.
class NewWindowCall {
 public:
  explicit NewWindowCall(const wchar_t* url) {
    for (VARIANT& v : args_) VariantInit(&v);
    args_[0].vt = VT_BSTR;
    args_[0].bstrVal = SysAllocString(url);
    args_[3].vt = VT_BYREF | VT_BOOL;
    args_[3].pboolVal = &cancel_;
    params_.rgvarg = args_;
    params_.cArgs = 5;
  }
  ~NewWindowCall() { VariantClear(&args_[0]); }
  DISPPARAMS* params() { return &params_; }
  VARIANT* args() { return args_; }
  VARIANT_BOOL cancel() const { return cancel_; }

 private:
  VARIANT args_[5];
  VARIANT_BOOL cancel_ = VARIANT_FALSE;
  DISPPARAMS params_{};
};

HRESULT Fire(IDispatch* sink, DISPID id, DISPPARAMS* params) {
  return sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
}

class EventSinkTest : public ::testing::Test {
 protected:
  test::StandInMainWindow main_;
  TabContext context_{main_.window(), reinterpret_cast<HWND>(0x1234),
                      {L"short-entry-14", L"play.example/g1"}};
  CMyWebBrowser2Event sink_{&context_};
};

TEST_F(EventSinkTest, NewWindowForAWeburlAddressIsCancelledAndSentAsAnOpenTabRecord) {
  NewWindowCall call(L"http://play.example/g1?srv=2");
  EXPECT_EQ(S_OK, Fire(&sink_, kEventNewWindow3, call.params()));
  EXPECT_EQ(VARIANT_TRUE, call.cancel());
  ASSERT_EQ(1u, main_.records().size());
  EXPECT_EQ(0u, main_.records()[0].kind);
  EXPECT_EQ(L"http://play.example/g1?srv=2", main_.records()[0].text);
  EXPECT_EQ(2 * (28u + 1), main_.records()[0].byteCount);
}

TEST_F(EventSinkTest, NewWindowElsewhereIsLeftToTheBrowser) {
  // Contains the 14-character entry, which never matches.
  NewWindowCall call(L"http://x/short-entry-14/");
  EXPECT_EQ(S_OK, Fire(&sink_, kEventNewWindow3, call.params()));
  EXPECT_EQ(VARIANT_FALSE, call.cancel());
  EXPECT_TRUE(main_.records().empty());
}

TEST_F(EventSinkTest, MalformedNewWindowArgumentsAreIgnored) {
  NewWindowCall fewArgs(L"http://play.example/g1");
  fewArgs.params()->cArgs = 3;
  NewWindowCall cancelByValue(L"http://play.example/g1");
  cancelByValue.args()[3].vt = VT_BOOL;
  NewWindowCall urlNotText(L"http://play.example/g1");
  urlNotText.args()[0].vt = VT_I4;  // the string stays owned by the call object
  for (NewWindowCall* call : {&fewArgs, &cancelByValue, &urlNotText}) {
    EXPECT_EQ(S_OK, Fire(&sink_, kEventNewWindow3, call->params()));
    EXPECT_EQ(VARIANT_FALSE, call->cancel());
  }
  urlNotText.args()[0].vt = VT_BSTR;
  DISPPARAMS noArray{nullptr, nullptr, 5, 0};
  EXPECT_EQ(S_OK, Fire(&sink_, kEventNewWindow3, &noArray));
  EXPECT_TRUE(main_.records().empty());
}

TEST_F(EventSinkTest, InvokeWithoutParametersFailsAndSendsNothing) {
  EXPECT_EQ(E_INVALIDARG, Fire(&sink_, kEventNewWindow3, nullptr));
  EXPECT_EQ(E_INVALIDARG, Fire(&sink_, kEventDocumentComplete, nullptr));
  DISPPARAMS none{};
  EXPECT_EQ(S_OK, Fire(&sink_, 250, &none));  // any other event is accepted
  EXPECT_TRUE(main_.records().empty());
}

TEST_F(EventSinkTest, DocumentCompleteWithoutALocationNameSendsNoTitle) {
  DISPPARAMS none{};
  EXPECT_EQ(S_OK, Fire(&sink_, kEventDocumentComplete, &none));  // no browser bound
  EXPECT_TRUE(main_.records().empty());
}

TEST_F(EventSinkTest, TitleRecordCarriesTheHostWindowAsKind) {
  SendTabTitle(context_, L"三国 - 第2服");
  SendTabTitle(context_, L"");
  ASSERT_EQ(1u, main_.records().size());
  EXPECT_EQ(0x1234u, main_.records()[0].kind);
  EXPECT_EQ(L"三国 - 第2服", main_.records()[0].text);
}

TEST_F(EventSinkTest, AnswersItsEventInterfaceAndIsNotCounted) {
  void* out = nullptr;
  EXPECT_EQ(S_OK, sink_.QueryInterface(IID_IDispatch, &out));
  EXPECT_EQ(static_cast<IDispatch*>(&sink_), out);
  EXPECT_EQ(S_OK, sink_.QueryInterface(DIID_DWebBrowserEvents2, &out));
  EXPECT_EQ(E_NOINTERFACE, sink_.QueryInterface(IID_IOleCommandTarget, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(1u, sink_.AddRef());
  EXPECT_EQ(1u, sink_.Release());
  EXPECT_EQ(1u, sink_.Release());
  EXPECT_EQ(E_NOTIMPL, sink_.GetTypeInfoCount(nullptr));
}

// The document's client site with its own handler and command target,
// counting what they are asked.
class SiteObjects final : public IOleClientSite, public IDocHostUIHandler, public IOleCommandTarget {
 public:
  LONG references = 1;
  int calls = 0;
  DWORD lastCommand = 0;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    if (iid == __uuidof(IDocHostUIHandler)) *out = static_cast<IDocHostUIHandler*>(this);
    if (iid == IID_IOleCommandTarget) *out = static_cast<IOleCommandTarget*>(this);
    if (*out == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
  STDMETHODIMP_(ULONG) Release() override { return --references; }
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOTIMPL; }
  STDMETHODIMP ShowObject() override { return E_NOTIMPL; }
  STDMETHODIMP OnShowWindow(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
  STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return Call(); }
  STDMETHODIMP GetHostInfo(DOCHOSTUIINFO*) override { return Call(); }
  STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                      IOleInPlaceUIWindow*) override { return Call(); }
  STDMETHODIMP HideUI() override { return Call(); }
  STDMETHODIMP UpdateUI() override { return Call(); }
  STDMETHODIMP EnableModeless(BOOL) override { return Call(); }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return Call(); }
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return Call(); }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return Call(); }
  STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return Call(); }
  STDMETHODIMP GetOptionKeyPath(LPOLESTR*, DWORD) override { return Call(); }
  STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget**) override { return Call(); }
  STDMETHODIMP GetExternal(IDispatch**) override { return Call(); }
  STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR*) override { return Call(); }
  STDMETHODIMP FilterDataObject(IDataObject*, IDataObject**) override { return Call(); }
  STDMETHODIMP QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) override { return Call(); }
  STDMETHODIMP Exec(const GUID*, DWORD id, DWORD, VARIANT*, VARIANT*) override {
    lastCommand = id;
    return Call();
  }

 private:
  HRESULT Call() {
    ++calls;
    return 0x0004BEEF;  // a result no fixed answer has
  }
};

// Every IDocHostUIHandler method from ShowContextMenu on, in slot order.
std::vector<HRESULT> AllHandlerResults(IDocHostUIHandler* h) {
  DOCHOSTUIINFO info{};
  info.cbSize = sizeof info;
  LPOLESTR key = nullptr;
  IDropTarget* drop = nullptr;
  IDispatch* external = nullptr;
  LPWSTR url = nullptr;
  IDataObject* data = nullptr;
  return {h->ShowContextMenu(0, nullptr, nullptr, nullptr),
          h->GetHostInfo(&info),
          h->ShowUI(0, nullptr, nullptr, nullptr, nullptr),
          h->HideUI(),
          h->UpdateUI(),
          h->EnableModeless(TRUE),
          h->OnDocWindowActivate(TRUE),
          h->OnFrameWindowActivate(TRUE),
          h->ResizeBorder(nullptr, nullptr, TRUE),
          h->TranslateAccelerator(nullptr, nullptr, 0),
          h->GetOptionKeyPath(&key, 0),
          h->GetDropTarget(nullptr, &drop),
          h->GetExternal(&external),
          h->TranslateUrl(0, nullptr, &url),
          h->FilterDataObject(nullptr, &data)};
}

TEST(NoScriptErrorHelperTest, WithoutASiteHandlerGivesTheFixedResults) {
  auto* helper = new CNoScriptErrorHelper(nullptr, nullptr);
  helper->AddRef();
  const std::vector<HRESULT> expected = {S_FALSE, S_OK,   S_FALSE,   S_OK,    S_OK,
                                         S_OK,    S_OK,   S_OK,      S_OK,    E_NOTIMPL,
                                         E_FAIL,  S_OK,   S_FALSE,   S_FALSE, S_FALSE};
  EXPECT_EQ(expected, AllHandlerResults(helper));
  EXPECT_EQ(OLECMDERR_E_NOTSUPPORTED, helper->Exec(nullptr, OLECMDID_PRINT, 0, nullptr, nullptr));
  EXPECT_EQ(0u, helper->Release());
}

TEST(NoScriptErrorHelperTest, PassesEverythingToTheSiteButTheScriptErrorCommand) {
  SiteObjects site;
  auto* helper = new CNoScriptErrorHelper(&site, &site);
  helper->AddRef();
  for (HRESULT hr : AllHandlerResults(helper)) EXPECT_EQ(0x0004BEEF, hr);
  EXPECT_EQ(15, site.calls);
  EXPECT_EQ(0x0004BEEF, helper->Exec(nullptr, OLECMDID_PRINT, 0, nullptr, nullptr));
  EXPECT_EQ(static_cast<DWORD>(OLECMDID_PRINT), site.lastCommand);
  EXPECT_EQ(0x0004BEEF, helper->QueryStatus(nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(17, site.calls);

  // Command 40 whatever the group: scripts go on, nothing is shown, the site
  // is not asked.
  const GUID docHostCommands = {0xf38bc242, 0xb950, 0x11d1,
                                {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};
  const GUID otherGroup = {0x12345678, 0x1, 0x2, {0, 1, 2, 3, 4, 5, 6, 7}};
  for (const GUID* group : {static_cast<const GUID*>(nullptr), &docHostCommands, &otherGroup}) {
    VARIANT out;
    VariantInit(&out);
    EXPECT_EQ(S_OK, helper->Exec(group, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &out));
    EXPECT_EQ(VT_BOOL, out.vt);
    EXPECT_EQ(VARIANT_TRUE, out.boolVal);
  }
  EXPECT_EQ(S_OK, helper->Exec(nullptr, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, nullptr));
  EXPECT_EQ(17, site.calls);
  helper->Release();
}

TEST(NoScriptErrorHelperTest, CountsReferencesOnBothInterfacesAndReleasesTheSiteAtTheEnd) {
  SiteObjects site;
  auto* helper = new CNoScriptErrorHelper(&site, &site);
  EXPECT_EQ(3, site.references);  // both held
  EXPECT_EQ(1u, helper->AddRef());
  IOleCommandTarget* target = nullptr;
  EXPECT_EQ(S_OK, helper->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&target)));
  EXPECT_EQ(3u, target->AddRef());
  EXPECT_EQ(2u, target->Release());
  IUnknown* unknown = nullptr;
  EXPECT_EQ(S_OK, target->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
  EXPECT_EQ(static_cast<IUnknown*>(static_cast<IDocHostUIHandler*>(helper)), unknown);
  EXPECT_EQ(E_INVALIDARG, helper->QueryInterface(IID_IUnknown, nullptr));
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, helper->QueryInterface(IID_IDispatch, &other));
  EXPECT_EQ(nullptr, other);
  EXPECT_EQ(2u, unknown->Release());
  EXPECT_EQ(1u, target->Release());
  EXPECT_EQ(3, site.references);
  EXPECT_EQ(0u, helper->Release());
  EXPECT_EQ(1, site.references);  // both released with the helper
}

// A completed document gets the helper in front of its handler through
// ICustomDoc: the helper passes the site's own handler on and keeps script
// errors to itself. The title goes out as well.
TEST(ScriptErrorHelperInstall, ACompletedDocumentGetsTheHelperInFrontOfItsSiteHandler) {
  SiteObjects site;
  {
    test::StandInMainWindow main;
    TabContext context{main.window(), reinterpret_cast<HWND>(0x1234), {}};
    test::DocumentStandIn document(&site);
    test::BrowserStandIn browser(L"三国 - 第2服", &document);
    CMyWebBrowser2Event sink(&context);
    sink.Bind(&browser);
    DISPPARAMS none{};
    EXPECT_EQ(S_OK, Fire(&sink, kEventDocumentComplete, &none));
    ASSERT_EQ(1u, main.records().size());
    EXPECT_EQ(L"三国 - 第2服", main.records()[0].text);

    ASSERT_NE(nullptr, document.handler());
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    EXPECT_EQ(0x0004BEEF, document.handler()->GetHostInfo(&info));
    EXPECT_EQ(1, site.calls);
    IOleCommandTarget* target = nullptr;
    ASSERT_EQ(S_OK, document.handler()->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&target)));
    VARIANT out;
    VariantInit(&out);
    EXPECT_EQ(S_OK, target->Exec(nullptr, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &out));
    EXPECT_EQ(VARIANT_TRUE, out.boolVal);
    EXPECT_EQ(1, site.calls);
    target->Release();
    sink.Bind(nullptr);
  }
  EXPECT_EQ(1, site.references);  // the document let the helper go, the helper the site
}

TEST(ScriptErrorHelperInstall, WithoutAClientSiteTheHelperStillAnswersAndWithoutADocumentNothingHappens) {
  test::DocumentStandIn document(nullptr);
  test::BrowserStandIn browser(L"", &document);
  InstallNoScriptErrorHelper(&browser);
  ASSERT_NE(nullptr, document.handler());
  EXPECT_EQ(S_FALSE, document.handler()->ShowContextMenu(0, nullptr, nullptr, nullptr));
  test::BrowserStandIn noDocument(L"", nullptr);
  InstallNoScriptErrorHelper(&noDocument);
  InstallNoScriptErrorHelper(nullptr);
}

}  // namespace
}  // namespace tamvelo::test
