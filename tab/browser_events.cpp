#include "tab/browser_events.h"

#include <mshtml.h>
#include <mshtmhst.h>

#include "common/protocol.h"
#include "tab/no_script_error_helper.h"
#include "tab/weburl.h"

namespace tamvelo::tab {

namespace {

void Send(HWND window, const protocol::CopyDataRecord& record) {
  if (window == nullptr) return;
  SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(record.Get()));
}

std::wstring LocationName(IWebBrowser2* browser) {
  std::wstring name;
  BSTR text = nullptr;
  if (browser != nullptr && SUCCEEDED(browser->get_LocationName(&text)) && text != nullptr) {
    name.assign(text, SysStringLen(text));
  }
  SysFreeString(text);
  return name;
}

template <typename T>
T* Query(IUnknown* object) {
  T* result = nullptr;
  if (object == nullptr ||
      FAILED(object->QueryInterface(__uuidof(T), reinterpret_cast<void**>(&result)))) {
    return nullptr;
  }
  return result;
}

template <typename T>
void ReleaseAll(T* object) {
  if (object != nullptr) object->Release();
}

template <typename T, typename... Rest>
void ReleaseAll(T* object, Rest*... rest) {
  ReleaseAll(object);
  ReleaseAll(rest...);
}

}  // namespace

HRESULT CMyWebBrowser2Event::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IDispatch && iid != DIID_DWebBrowserEvents2 && iid != IID_IUnknown) {
    return E_NOINTERFACE;
  }
  *out = static_cast<IDispatch*>(this);
  return S_OK;
}

HRESULT CMyWebBrowser2Event::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }

HRESULT CMyWebBrowser2Event::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT CMyWebBrowser2Event::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT CMyWebBrowser2Event::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                    EXCEPINFO*, UINT*) {
  if (params == nullptr) return E_INVALIDARG;
  if (id == kEventDocumentComplete) OnDocumentComplete();
  if (id == kEventNewWindow3) OnNewWindow3(*params);
  return S_OK;
}

void CMyWebBrowser2Event::OnDocumentComplete() {
  if (context_ != nullptr) SendTabTitle(*context_, LocationName(browser_));
  InstallNoScriptErrorHelper(browser_);
}

void CMyWebBrowser2Event::OnNewWindow3(const DISPPARAMS& params) {
  // Arguments arrive last first: [0] bstrUrl, [3] the Cancel flag by
  // reference. Anything else is not a request this sink understands.
  if (context_ == nullptr || params.rgvarg == nullptr || params.cArgs < 4) return;
  const VARIANT& url = params.rgvarg[0];
  const VARIANT& cancel = params.rgvarg[3];
  if (url.vt != VT_BSTR || cancel.vt != (VT_BYREF | VT_BOOL) || cancel.pboolVal == nullptr) return;
  const std::wstring address(url.bstrVal != nullptr ? url.bstrVal : L"", SysStringLen(url.bstrVal));
  if (!IsWeburl(context_->weburls, address)) return;
  *cancel.pboolVal = VARIANT_TRUE;
  Send(context_->mainWindow, protocol::MakeOpenTabRecord(address));
}

void SendTabTitle(const TabContext& context, const std::wstring& title) {
  if (title.empty()) return;
  Send(context.mainWindow, protocol::MakeTabTitleRecord(context.hostWindow, title));
}

void InstallNoScriptErrorHelper(IWebBrowser2* browser) {
  IDispatch* document = nullptr;
  if (browser == nullptr || FAILED(browser->get_Document(&document)) || document == nullptr) return;
  IHTMLDocument2* html = Query<IHTMLDocument2>(document);
  IOleObject* oleObject = html != nullptr ? Query<IOleObject>(document) : nullptr;
  IOleClientSite* site = nullptr;
  if (oleObject != nullptr && FAILED(oleObject->GetClientSite(&site))) site = nullptr;
  ICustomDoc* custom = html != nullptr ? Query<ICustomDoc>(document) : nullptr;
  if (custom != nullptr) {
    IDocHostUIHandler* siteHandler = Query<IDocHostUIHandler>(site);
    IOleCommandTarget* siteCommandTarget = Query<IOleCommandTarget>(site);
    // Our own reference keeps the helper alive across SetUIHandler; the
    // document holds its own, and a document that refuses it frees it here.
    auto* helper = new CNoScriptErrorHelper(siteHandler, siteCommandTarget);
    helper->AddRef();
    custom->SetUIHandler(helper);
    helper->Release();
    ReleaseAll(siteHandler, siteCommandTarget);
  }
  ReleaseAll(custom, site, oleObject, html, document);
}

}  // namespace tamvelo::tab
