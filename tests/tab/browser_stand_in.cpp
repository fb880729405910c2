#include "tests/tab/browser_stand_in.h"

#include <mshtml.h>

namespace tamvelo::test {

HRESULT DocumentStandIn::QueryInterface(REFIID iid, void** out) {
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IHTMLDocument2)) {
    *out = static_cast<IDispatch*>(this);
  } else if (iid == IID_IOleObject) {
    *out = static_cast<IOleObject*>(this);
  } else if (iid == __uuidof(ICustomDoc)) {
    *out = static_cast<ICustomDoc*>(this);
  }
  return *out != nullptr ? S_OK : E_NOINTERFACE;
}

HRESULT DocumentStandIn::SetUIHandler(IDocHostUIHandler* handler) {
  if (handler) handler->AddRef();
  if (handler_) handler_->Release();
  handler_ = handler;
  return S_OK;
}

HRESULT DocumentStandIn::GetClientSite(IOleClientSite** site) {
  *site = site_;
  if (site_ == nullptr) return E_FAIL;
  site_->AddRef();
  return S_OK;
}

HRESULT BrowserStandIn::QueryInterface(REFIID iid, void** out) {
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IWebBrowser2) return E_NOINTERFACE;
  *out = static_cast<IWebBrowser2*>(this);
  return S_OK;
}

HRESULT BrowserStandIn::get_LocationName(BSTR* name) {
  *name = SysAllocString(locationName_.c_str());
  return S_OK;
}

HRESULT BrowserStandIn::get_Document(IDispatch** document) {
  *document = document_;
  if (document_ == nullptr) return S_FALSE;
  document_->AddRef();
  return S_OK;
}

}  // namespace tamvelo::test
