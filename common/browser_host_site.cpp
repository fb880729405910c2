#include "common/browser_host_site.h"

#include "common/browser_host_download_manager.h"
#include "common/com_ptr.h"

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

HRESULT BrowserHostSite::Download(IMoniker* moniker, IBindCtx* bindContext, DWORD bindVerb,
                                  LONG bindFlags, BINDINFO* bindInfo, LPCOLESTR headers,
                                  LPCOLESTR redirect, UINT codePage) {
  if (window_ == nullptr) return E_UNEXPECTED;
  return delegate().Download(moniker, bindContext, bindVerb, bindFlags, bindInfo, headers,
                             redirect, codePage);
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
  } else if (iid == IID_IServiceProvider) {
    *out = static_cast<IServiceProvider*>(this);
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

// Asked both as the frame and as the document host: the owner decides.
HRESULT BrowserHostSite::EnableModeless(BOOL enable) { return delegate().EnableModeless(enable); }

HRESULT BrowserHostSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// IDocHostUIHandler: every question goes to the delegate, with out
// pointers cleared first so that an owner who leaves them alone hands the
// browser nothing rather than whatever the browser left there.

HRESULT BrowserHostSite::ShowContextMenu(DWORD id, POINT* point, IUnknown* commandTarget,
                                         IDispatch* element) {
  if (window_ == nullptr) return S_OK;  // gone: show nothing
  return delegate().ShowContextMenu(id, point, commandTarget, element);
}

HRESULT BrowserHostSite::GetHostInfo(DOCHOSTUIINFO* info) {
  if (window_ == nullptr) return E_UNEXPECTED;
  return delegate().GetHostInfo(info);
}

HRESULT BrowserHostSite::ShowUI(DWORD id, IOleInPlaceActiveObject* active,
                                IOleCommandTarget* target, IOleInPlaceFrame* frame,
                                IOleInPlaceUIWindow* document) {
  return delegate().ShowUI(id, active, target, frame, document);
}

HRESULT BrowserHostSite::HideUI() { return delegate().HideUI(); }

HRESULT BrowserHostSite::UpdateUI() { return delegate().UpdateUI(); }

HRESULT BrowserHostSite::OnDocWindowActivate(BOOL activate) {
  return delegate().OnDocWindowActivate(activate);
}

HRESULT BrowserHostSite::OnFrameWindowActivate(BOOL activate) {
  return delegate().OnFrameWindowActivate(activate);
}

HRESULT BrowserHostSite::ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                      BOOL frameWindow) {
  return delegate().ResizeBorder(border, window, frameWindow);
}

HRESULT BrowserHostSite::TranslateAccelerator(LPMSG message, const GUID* group, DWORD id) {
  if (window_ == nullptr) return S_FALSE;
  return delegate().TranslateAccelerator(message, group, id);
}

HRESULT BrowserHostSite::GetOptionKeyPath(LPOLESTR* key, DWORD reserved) {
  if (key == nullptr) return E_POINTER;
  *key = nullptr;
  return delegate().GetOptionKeyPath(key, reserved);
}

HRESULT BrowserHostSite::GetDropTarget(IDropTarget* drop, IDropTarget** replacement) {
  if (replacement == nullptr) return E_POINTER;
  *replacement = nullptr;
  return delegate().GetDropTarget(drop, replacement);
}

HRESULT BrowserHostSite::GetExternal(IDispatch** external) {
  if (external == nullptr) return E_POINTER;
  *external = nullptr;
  if (window_ == nullptr) return S_FALSE;
  return delegate().GetExternal(external);
}

HRESULT BrowserHostSite::TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* translated) {
  if (translated == nullptr) return E_POINTER;
  *translated = nullptr;
  return delegate().TranslateUrl(translate, url, translated);
}

HRESULT BrowserHostSite::FilterDataObject(IDataObject* object, IDataObject** replacement) {
  if (replacement == nullptr) return E_POINTER;
  *replacement = nullptr;
  return delegate().FilterDataObject(object, replacement);
}

// IOleCommandTarget

HRESULT BrowserHostSite::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) {
  return OLECMDERR_E_NOTSUPPORTED;
}

HRESULT BrowserHostSite::Exec(const GUID*, DWORD, DWORD, VARIANT*, VARIANT*) {
  return OLECMDERR_E_NOTSUPPORTED;
}

// IServiceProvider

HRESULT BrowserHostSite::QueryService(REFGUID service, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  // SID_SDownloadManager is the interface's own id. Without an owner the
  // browser keeps its own download manager, as a plain host leaves it.
  if (service != __uuidof(IDownloadManager) || delegate_ == nullptr) return E_NOINTERFACE;
  const ComPtr<BrowserHostDownloadManager> manager(new BrowserHostDownloadManager(this));
  return manager->QueryInterface(iid, out);
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
