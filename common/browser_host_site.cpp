#include "common/browser_host_site.h"

namespace tamvelo::browser {

namespace {

BrowserHostDelegate& DefaultDelegate() {
  static BrowserHostDelegate defaults;
  return defaults;
}

template <typename T>
void ClearOut(T** out) {
  if (out != nullptr) *out = nullptr;
}

}  // namespace

HRESULT BrowserHostDelegate::GetHostInfo(DOCHOSTUIINFO* info) {
  if (info != nullptr) {
    info->dwFlags |= DOCHOSTUIFLAG_NO3DBORDER;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  }
  return S_OK;
}

HRESULT BrowserHostDelegate::GetExternal(IDispatch** external) {
  ClearOut(external);
  return S_FALSE;
}

HRESULT BrowserHostDelegate::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  return S_FALSE;
}

HRESULT BrowserHostDelegate::TranslateAccelerator(MSG*, const GUID*, DWORD) { return S_FALSE; }

BrowserHostSite::BrowserHostSite(HWND window, BrowserHostDelegate* delegate)
    : window_(window), delegate_(delegate) {}

void BrowserHostSite::Detach() {
  window_ = nullptr;
  delegate_ = nullptr;
}

void BrowserHostSite::SetDelegate(BrowserHostDelegate* delegate) { delegate_ = delegate; }

BrowserHostDelegate& BrowserHostSite::delegate() {
  return delegate_ != nullptr ? *delegate_ : DefaultDelegate();
}

// IUnknown

HRESULT BrowserHostSite::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *out = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *out = static_cast<IOleInPlaceFrame*>(this);
  } else if (iid == __uuidof(IDocHostUIHandler)) {
    *out = static_cast<IDocHostUIHandler*>(this);
  } else if (iid == IID_IOleCommandTarget) {
    *out = static_cast<IOleCommandTarget*>(this);
  } else if (iid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG BrowserHostSite::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG BrowserHostSite::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// IOleClientSite

HRESULT BrowserHostSite::SaveObject() { return E_NOTIMPL; }

HRESULT BrowserHostSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  ClearOut(moniker);
  return E_NOTIMPL;
}

HRESULT BrowserHostSite::GetContainer(IOleContainer** container) {
  ClearOut(container);
  return E_NOINTERFACE;
}

HRESULT BrowserHostSite::ShowObject() { return window_ ? S_OK : E_UNEXPECTED; }

HRESULT BrowserHostSite::OnShowWindow(BOOL) { return S_OK; }

HRESULT BrowserHostSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleWindow

HRESULT BrowserHostSite::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = window_;
  return window_ ? S_OK : E_UNEXPECTED;
}

HRESULT BrowserHostSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// IOleInPlaceSite

HRESULT BrowserHostSite::CanInPlaceActivate() { return window_ ? S_OK : S_FALSE; }

HRESULT BrowserHostSite::OnInPlaceActivate() { return window_ ? S_OK : E_UNEXPECTED; }

HRESULT BrowserHostSite::OnUIActivate() { return window_ ? S_OK : E_UNEXPECTED; }

HRESULT BrowserHostSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                          LPRECT position, LPRECT clip,
                                          LPOLEINPLACEFRAMEINFO frameInfo) {
  ClearOut(frame);
  ClearOut(document);
  if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr) {
    return E_POINTER;
  }
  if (window_ == nullptr) return E_UNEXPECTED;
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  GetClientRect(window_, position);
  *clip = *position;
  if (frameInfo != nullptr) {
    frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = window_;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT BrowserHostSite::Scroll(SIZE) { return E_NOTIMPL; }

HRESULT BrowserHostSite::OnUIDeactivate(BOOL) { return S_OK; }

HRESULT BrowserHostSite::OnInPlaceDeactivate() { return S_OK; }

HRESULT BrowserHostSite::DiscardUndoState() { return S_OK; }

HRESULT BrowserHostSite::DeactivateAndUndo() { return S_OK; }

HRESULT BrowserHostSite::OnPosRectChange(LPCRECT) {
  // The host decides the size: the control always fills the window.
  return window_ ? S_OK : E_UNEXPECTED;
}

// IOleInPlaceUIWindow and IOleInPlaceFrame: no tool space, no menus.

HRESULT BrowserHostSite::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }

HRESULT BrowserHostSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }

HRESULT BrowserHostSite::SetBorderSpace(LPCBORDERWIDTHS) { return OLE_E_INVALIDRECT; }

HRESULT BrowserHostSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }

HRESULT BrowserHostSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }

HRESULT BrowserHostSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }

HRESULT BrowserHostSite::RemoveMenus(HMENU) { return E_NOTIMPL; }

HRESULT BrowserHostSite::SetStatusText(LPCOLESTR) { return S_OK; }

HRESULT BrowserHostSite::EnableModeless(BOOL) { return S_OK; }

HRESULT BrowserHostSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// IDocHostUIHandler: the owner's four questions go to the delegate.

HRESULT BrowserHostSite::ShowContextMenu(DWORD id, POINT* point, IUnknown* commandTarget,
                                         IDispatch* element) {
  if (window_ == nullptr) return S_OK;  // gone: show nothing
  return delegate().ShowContextMenu(id, point, commandTarget, element);
}

HRESULT BrowserHostSite::GetHostInfo(DOCHOSTUIINFO* info) {
  if (window_ == nullptr) return E_UNEXPECTED;
  return delegate().GetHostInfo(info);
}

HRESULT BrowserHostSite::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
  return S_OK;  // the host has no tool bars or menus to merge
}

HRESULT BrowserHostSite::HideUI() { return S_OK; }

HRESULT BrowserHostSite::UpdateUI() { return S_OK; }

HRESULT BrowserHostSite::OnDocWindowActivate(BOOL) { return S_OK; }

HRESULT BrowserHostSite::OnFrameWindowActivate(BOOL) { return S_OK; }

HRESULT BrowserHostSite::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }

HRESULT BrowserHostSite::TranslateAccelerator(LPMSG message, const GUID* group, DWORD id) {
  if (window_ == nullptr) return S_FALSE;
  return delegate().TranslateAccelerator(message, group, id);
}

HRESULT BrowserHostSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  ClearOut(key);
  return S_FALSE;
}

HRESULT BrowserHostSite::GetDropTarget(IDropTarget*, IDropTarget** replacement) {
  ClearOut(replacement);
  return E_NOTIMPL;
}

HRESULT BrowserHostSite::GetExternal(IDispatch** external) {
  if (external == nullptr) return E_POINTER;
  *external = nullptr;
  if (window_ == nullptr) return S_FALSE;
  return delegate().GetExternal(external);
}

HRESULT BrowserHostSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
  ClearOut(translated);
  return S_FALSE;
}

HRESULT BrowserHostSite::FilterDataObject(IDataObject*, IDataObject** replacement) {
  ClearOut(replacement);
  return S_FALSE;
}

// IOleCommandTarget

HRESULT BrowserHostSite::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) {
  return OLECMDERR_E_NOTSUPPORTED;
}

HRESULT BrowserHostSite::Exec(const GUID*, DWORD, DWORD, VARIANT*, VARIANT*) {
  return OLECMDERR_E_NOTSUPPORTED;
}

// IDispatch

HRESULT BrowserHostSite::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT BrowserHostSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  ClearOut(info);
  return E_NOTIMPL;
}

HRESULT BrowserHostSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
  if (ids != nullptr) {
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT BrowserHostSite::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

}  // namespace tamvelo::browser
