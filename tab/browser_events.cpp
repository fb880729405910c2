#include "tab/browser_events.h"

#include <mshtml.h>
#include <mshtmhst.h>

#include "common/com_ptr.h"
#include "common/protocol.h"
#include "tab/no_script_error_helper.h"
#include "tab/weburl.h"

namespace tamvelo::tab {

namespace {

// A hung main window costs the browser thread the bound, not its life.
void Send(HWND window, const protocol::CopyDataRecord& record) { protocol::SendRecord(window, record.Get()); }

std::wstring LocationName(IWebBrowser2* browser) {
  std::wstring name;
  BSTR text = nullptr;
  if (browser != nullptr && SUCCEEDED(browser->get_LocationName(&text)) && text != nullptr) {
    name.assign(text, SysStringLen(text));
  }
  SysFreeString(text);
  return name;
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
  ComPtr<IDispatch> document;
  if (browser == nullptr || FAILED(browser->get_Document(document.Put())) || !document) return;
  const ComPtr<IHTMLDocument2> html = QueryTo<IHTMLDocument2>(document.Get());
  if (!html) return;
  const ComPtr<IOleObject> oleObject = QueryTo<IOleObject>(document.Get());
  ComPtr<IOleClientSite> site;
  if (oleObject && FAILED(oleObject->GetClientSite(site.Put()))) site.Detach();
  const ComPtr<ICustomDoc> custom = QueryTo<ICustomDoc>(document.Get());
  if (!custom) return;
  const ComPtr<IDocHostUIHandler> siteHandler = QueryTo<IDocHostUIHandler>(site.Get());
  const ComPtr<IOleCommandTarget> siteCommandTarget = QueryTo<IOleCommandTarget>(site.Get());
  // Our own reference keeps the helper alive across SetUIHandler; the
  // document holds its own, and a document that refuses it frees it here.
  const auto helper = ComPtr<CNoScriptErrorHelper>::Share(
      new CNoScriptErrorHelper(siteHandler.Get(), siteCommandTarget.Get()));
  custom->SetUIHandler(helper.Get());
}

}  // namespace tamvelo::tab
