#include "tab/no_script_error_helper.h"

namespace tamvelo::tab {

namespace {

template <typename T>
void ClearOut(T** out) {
  if (out != nullptr) *out = nullptr;
}

}  // namespace

CNoScriptErrorHelper::CNoScriptErrorHelper(IDocHostUIHandler* siteHandler,
                                           IOleCommandTarget* siteCommandTarget)
    : siteHandler_(ComPtr<IDocHostUIHandler>::Share(siteHandler)),
      siteCommandTarget_(ComPtr<IOleCommandTarget>::Share(siteCommandTarget)) {}

CNoScriptErrorHelper::~CNoScriptErrorHelper() = default;

HRESULT CNoScriptErrorHelper::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == __uuidof(IDocHostUIHandler)) {
    *out = static_cast<IDocHostUIHandler*>(this);
  } else if (iid == IID_IOleCommandTarget) {
    *out = static_cast<IOleCommandTarget*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG CNoScriptErrorHelper::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG CNoScriptErrorHelper::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT CNoScriptErrorHelper::ShowContextMenu(DWORD id, POINT* point, IUnknown* commandTarget,
                                              IDispatch* element) {
  if (siteHandler_) return siteHandler_->ShowContextMenu(id, point, commandTarget, element);
  return S_FALSE;
}

HRESULT CNoScriptErrorHelper::GetHostInfo(DOCHOSTUIINFO* info) {
  if (siteHandler_) return siteHandler_->GetHostInfo(info);
  return S_OK;
}

HRESULT CNoScriptErrorHelper::ShowUI(DWORD id, IOleInPlaceActiveObject* active,
                                     IOleCommandTarget* target, IOleInPlaceFrame* frame,
                                     IOleInPlaceUIWindow* document) {
  if (siteHandler_) return siteHandler_->ShowUI(id, active, target, frame, document);
  return S_FALSE;
}

HRESULT CNoScriptErrorHelper::HideUI() {
  if (siteHandler_) return siteHandler_->HideUI();
  return S_OK;
}

HRESULT CNoScriptErrorHelper::UpdateUI() {
  if (siteHandler_) return siteHandler_->UpdateUI();
  return S_OK;
}

HRESULT CNoScriptErrorHelper::EnableModeless(BOOL enable) {
  if (siteHandler_) return siteHandler_->EnableModeless(enable);
  return S_OK;
}

HRESULT CNoScriptErrorHelper::OnDocWindowActivate(BOOL activate) {
  if (siteHandler_) return siteHandler_->OnDocWindowActivate(activate);
  return S_OK;
}

HRESULT CNoScriptErrorHelper::OnFrameWindowActivate(BOOL activate) {
  if (siteHandler_) return siteHandler_->OnFrameWindowActivate(activate);
  return S_OK;
}

HRESULT CNoScriptErrorHelper::ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                           BOOL frame) {
  if (siteHandler_) return siteHandler_->ResizeBorder(border, window, frame);
  return S_OK;
}

HRESULT CNoScriptErrorHelper::TranslateAccelerator(LPMSG message, const GUID* group, DWORD id) {
  if (siteHandler_) return siteHandler_->TranslateAccelerator(message, group, id);
  return E_NOTIMPL;
}

HRESULT CNoScriptErrorHelper::GetOptionKeyPath(LPOLESTR* key, DWORD reserved) {
  if (siteHandler_) return siteHandler_->GetOptionKeyPath(key, reserved);
  ClearOut(key);
  return E_FAIL;
}

HRESULT CNoScriptErrorHelper::GetDropTarget(IDropTarget* drop, IDropTarget** replacement) {
  if (siteHandler_) return siteHandler_->GetDropTarget(drop, replacement);
  ClearOut(replacement);
  return S_OK;
}

HRESULT CNoScriptErrorHelper::GetExternal(IDispatch** external) {
  if (siteHandler_) return siteHandler_->GetExternal(external);
  ClearOut(external);
  return S_FALSE;
}

HRESULT CNoScriptErrorHelper::TranslateUrl(DWORD reserved, LPWSTR url, LPWSTR* translated) {
  if (siteHandler_) return siteHandler_->TranslateUrl(reserved, url, translated);
  ClearOut(translated);
  return S_FALSE;
}

HRESULT CNoScriptErrorHelper::FilterDataObject(IDataObject* object, IDataObject** replacement) {
  if (siteHandler_) return siteHandler_->FilterDataObject(object, replacement);
  ClearOut(replacement);
  return S_FALSE;
}

HRESULT CNoScriptErrorHelper::QueryStatus(const GUID* group, ULONG count, OLECMD commands[],
                                          OLECMDTEXT* text) {
  if (siteCommandTarget_) {
    return siteCommandTarget_->QueryStatus(group, count, commands, text);
  }
  return OLECMDERR_E_NOTSUPPORTED;
}

HRESULT CNoScriptErrorHelper::Exec(const GUID* group, DWORD id, DWORD options, VARIANT* in,
                                   VARIANT* out) {
  if (id == OLECMDID_SHOWSCRIPTERROR) {
    // Whatever the group: go on running scripts and show nothing.
    if (out != nullptr) {
      out->vt = VT_BOOL;
      out->boolVal = VARIANT_TRUE;
    }
    return S_OK;
  }
  if (siteCommandTarget_) return siteCommandTarget_->Exec(group, id, options, in, out);
  return OLECMDERR_E_NOTSUPPORTED;
}

}  // namespace tamvelo::tab
