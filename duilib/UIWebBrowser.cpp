#include "duilib/UIWebBrowser.h"

#include <exdispid.h>

#include <string>

#include "common/com_ptr.h"
#include "common/text_codec.h"

namespace DuiLib {
namespace {

// The toolkit's answers, for a control without a handler of its own.
CWebBrowserEventHandler& DefaultHandler() {
  static CWebBrowserEventHandler defaults;
  return defaults;
}

// The arguments of one event as the browser sends them: in reverse order,
// by reference where the sink may write. An event whose arguments are of
// another count or kind is dropped rather than guessed at.
class EventArgs {
 public:
  EventArgs(const DISPPARAMS& params, UINT expected)
      : params_(params), valid_(params.cArgs == expected && (expected == 0 || params.rgvarg)) {}

  bool valid() const { return valid_; }

  // The argument at its position in the event's signature (0 = first).
  VARIANTARG* At(UINT position) const {
    if (!valid_ || position >= params_.cArgs) return nullptr;
    return &params_.rgvarg[params_.cArgs - 1 - position];
  }

  IDispatch* Dispatch(UINT position) {
    VARIANTARG* arg = At(position);
    if (arg != nullptr && arg->vt == VT_DISPATCH) return arg->pdispVal;
    if (arg == nullptr || (arg->vt != VT_EMPTY && arg->vt != VT_NULL)) valid_ = false;
    return nullptr;
  }

  IDispatch** DispatchRef(UINT position) {
    VARIANTARG* arg = At(position);
    if (arg != nullptr && arg->vt == (VT_BYREF | VT_DISPATCH)) return arg->ppdispVal;
    if (arg == nullptr || (arg->vt != VT_EMPTY && arg->vt != VT_NULL)) valid_ = false;
    return nullptr;
  }

  // A variant passed by reference, or the argument itself when given by value.
  VARIANT* Variant(UINT position) {
    VARIANTARG* arg = At(position);
    if (arg == nullptr) {
      valid_ = false;
      return nullptr;
    }
    if (arg->vt == (VT_BYREF | VT_VARIANT)) {
      if (arg->pvarVal == nullptr) valid_ = false;
      return arg->pvarVal;
    }
    if ((arg->vt & VT_BYREF) != 0) valid_ = false;
    return arg;
  }

  // The flag the sink sets to stop the browser: required.
  VARIANT_BOOL* CancelFlag(UINT position) {
    VARIANTARG* arg = At(position);
    if (arg != nullptr && arg->vt == (VT_BYREF | VT_BOOL) && arg->pboolVal != nullptr) {
      return arg->pboolVal;
    }
    valid_ = false;
    return nullptr;
  }

  BSTR String(UINT position) {
    VARIANTARG* arg = At(position);
    if (arg != nullptr && arg->vt == VT_BSTR) return arg->bstrVal;
    if (arg != nullptr && arg->vt == (VT_BYREF | VT_BSTR) && arg->pbstrVal != nullptr) {
      return *arg->pbstrVal;
    }
    valid_ = false;
    return nullptr;
  }

  LONG Long(UINT position) {
    VARIANT value = Converted(position, VT_I4);
    return value.vt == VT_I4 ? value.lVal : 0;
  }

  VARIANT_BOOL Bool(UINT position) {
    VARIANT value = Converted(position, VT_BOOL);
    return value.vt == VT_BOOL ? value.boolVal : VARIANT_FALSE;
  }

 private:
  VARIANT Converted(UINT position, VARTYPE type) {
    VARIANT value;
    ::VariantInit(&value);
    VARIANTARG* arg = At(position);
    if (arg == nullptr || FAILED(::VariantChangeType(&value, arg, 0, type))) valid_ = false;
    return value;
  }

  const DISPPARAMS& params_;
  bool valid_;
};

}  // namespace

// --- The toolkit's defaults --------------------------------------------------

void CWebBrowserEventHandler::BeforeNavigate2(CWebBrowserUI*, IDispatch*, VARIANT*, VARIANT*,
                                              VARIANT*, VARIANT*, VARIANT*, VARIANT_BOOL*) {}
void CWebBrowserEventHandler::NavigateError(CWebBrowserUI*, IDispatch*, VARIANT*, VARIANT*,
                                            VARIANT*, VARIANT_BOOL*) {}
void CWebBrowserEventHandler::NavigateComplete2(CWebBrowserUI*, IDispatch*, VARIANT*) {}
void CWebBrowserEventHandler::ProgressChange(CWebBrowserUI*, LONG, LONG) {}
void CWebBrowserEventHandler::NewWindow3(CWebBrowserUI*, IDispatch**, VARIANT_BOOL*, DWORD, BSTR,
                                         BSTR) {}
void CWebBrowserEventHandler::CommandStateChange(CWebBrowserUI*, LONG, VARIANT_BOOL) {}
void CWebBrowserEventHandler::TitleChange(CWebBrowserUI*, BSTR) {}
void CWebBrowserEventHandler::DocumentComplete(CWebBrowserUI*, IDispatch*, VARIANT*) {}

HRESULT CWebBrowserEventHandler::ShowContextMenu(CWebBrowserUI*, DWORD, POINT*, IUnknown*,
                                                 IDispatch*) {
  return S_OK;
}
HRESULT CWebBrowserEventHandler::GetHostInfo(CWebBrowserUI*, DOCHOSTUIINFO*) { return E_NOTIMPL; }
HRESULT CWebBrowserEventHandler::ShowUI(CWebBrowserUI*, DWORD, IOleInPlaceActiveObject*,
                                        IOleCommandTarget*, IOleInPlaceFrame*,
                                        IOleInPlaceUIWindow*) {
  return S_FALSE;
}
HRESULT CWebBrowserEventHandler::HideUI(CWebBrowserUI*) { return S_OK; }
HRESULT CWebBrowserEventHandler::UpdateUI(CWebBrowserUI*) { return S_OK; }
HRESULT CWebBrowserEventHandler::EnableModeless(CWebBrowserUI*, BOOL) { return S_OK; }
HRESULT CWebBrowserEventHandler::OnDocWindowActivate(CWebBrowserUI*, BOOL) { return S_OK; }
HRESULT CWebBrowserEventHandler::OnFrameWindowActivate(CWebBrowserUI*, BOOL) { return S_OK; }
HRESULT CWebBrowserEventHandler::ResizeBorder(CWebBrowserUI*, LPCRECT, IOleInPlaceUIWindow*,
                                              BOOL) {
  return S_OK;
}
HRESULT CWebBrowserEventHandler::TranslateAccelerator(CWebBrowserUI*, LPMSG, const GUID*, DWORD) {
  return S_FALSE;
}
HRESULT CWebBrowserEventHandler::GetOptionKeyPath(CWebBrowserUI*, LPOLESTR*, DWORD) { return S_OK; }
HRESULT CWebBrowserEventHandler::GetDropTarget(CWebBrowserUI*, IDropTarget*, IDropTarget**) {
  return E_NOTIMPL;
}
HRESULT CWebBrowserEventHandler::GetExternal(CWebBrowserUI*, IDispatch**) { return E_NOTIMPL; }
HRESULT CWebBrowserEventHandler::TranslateUrl(CWebBrowserUI*, DWORD, OLECHAR*, OLECHAR**) {
  return S_OK;
}
HRESULT CWebBrowserEventHandler::FilterDataObject(CWebBrowserUI*, IDataObject*, IDataObject**) {
  return S_OK;
}
HRESULT CWebBrowserEventHandler::Download(CWebBrowserUI*, IMoniker*, IBindCtx*, DWORD, LONG,
                                          BINDINFO*, LPCOLESTR, LPCOLESTR, UINT) {
  return S_OK;
}

// --- The control -------------------------------------------------------------

CWebBrowserUI::CWebBrowserUI() = default;

CWebBrowserUI::~CWebBrowserUI() { ReleaseBrowser(); }

LPCSTR CWebBrowserUI::GetClass() const { return "WebBrowserUI"; }

LPVOID CWebBrowserUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_WEBBROWSER) == 0) return this;
  return CControlUI::GetInterface(pstrName);
}

void CWebBrowserUI::Init() {
  CControlUI::Init();
  CreateBrowser();
}

void CWebBrowserUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  if (!CreateBrowser()) return;
  UpdateHostWindow();
}

void CWebBrowserUI::SetVisible(bool bVisible) {
  CControlUI::SetVisible(bVisible);
  UpdateHostWindow();
}

void CWebBrowserUI::SetInternVisible(bool bVisible) {
  CControlUI::SetInternVisible(bVisible);
  UpdateHostWindow();
}

void CWebBrowserUI::SetWebBrowserEventHandler(CWebBrowserEventHandler* pEventHandler) {
  m_pWebBrowserEventHandler = pEventHandler;
}

void CWebBrowserUI::Navigate2(LPCSTR lpszUrl) {
  if (lpszUrl == nullptr) return;
  if (!CreateBrowser()) {
    m_sPendingUrl = lpszUrl;
    m_bUrlPending = true;
    return;
  }
  m_bUrlPending = false;
  VARIANT url;
  ::VariantInit(&url);
  url.vt = VT_BSTR;
  const std::wstring wide = tamvelo::WideFromNarrow(lpszUrl);
  url.bstrVal = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (url.bstrVal == nullptr) return;
  m_pWebBrowser2->Navigate2(&url, nullptr, nullptr, nullptr, nullptr);
  ::VariantClear(&url);
}

IWebBrowser2* CWebBrowserUI::GetWebBrowser2() {
  CreateBrowser();
  return m_pWebBrowser2;
}

bool CWebBrowserUI::CreateBrowser() {
  if (m_pWebBrowser2 != nullptr) return true;
  if (m_bCreateFailed || m_pManager == nullptr || m_pManager->GetPaintWindow() == nullptr) {
    return false;
  }
  HWND parent = m_pManager->GetPaintWindow();
  // The window's own painting must leave the browser's area alone.
  const LONG style = ::GetWindowLongA(parent, GWL_STYLE);
  if ((style & WS_CLIPCHILDREN) == 0) ::SetWindowLongA(parent, GWL_STYLE, style | WS_CLIPCHILDREN);

  m_hwndHost = tamvelo::browser::CreateBrowserHostWindow(parent, m_rcItem, this);
  if (m_hwndHost != nullptr) m_pWebBrowser2 = tamvelo::browser::GetWebBrowser(m_hwndHost);
  if (m_pWebBrowser2 == nullptr) {
    // No browser on this system: do not try again at every placement.
    if (m_hwndHost != nullptr) ::DestroyWindow(m_hwndHost);
    m_hwndHost = nullptr;
    m_bCreateFailed = true;
    return false;
  }
  m_pHostManager = m_pManager;
  m_pHostManager->AddTranslateAccelerator(this);
  m_dwEventCookie =
      tamvelo::browser::AdviseBrowserEvents(m_pWebBrowser2, static_cast<IDispatch*>(this));
  UpdateHostWindow();
  if (m_bUrlPending) Navigate2(m_sPendingUrl);
  return true;
}

void CWebBrowserUI::ReleaseBrowser() {
  if (m_pHostManager != nullptr) m_pHostManager->RemoveTranslateAccelerator(this);
  m_pHostManager = nullptr;
  if (m_pWebBrowser2 != nullptr) {
    if (m_dwEventCookie != 0) tamvelo::browser::UnadviseBrowserEvents(m_pWebBrowser2, m_dwEventCookie);
    m_dwEventCookie = 0;
    m_pWebBrowser2->Release();
    m_pWebBrowser2 = nullptr;
  }
  // Destroying the host closes the browser; the window may already be gone
  // with its parent.
  if (m_hwndHost != nullptr && ::IsWindow(m_hwndHost)) ::DestroyWindow(m_hwndHost);
  m_hwndHost = nullptr;
}

void CWebBrowserUI::UpdateHostWindow() {
  if (m_hwndHost == nullptr) return;
  const bool show = IsVisible();
  ::SetWindowPos(m_hwndHost, nullptr, m_rcItem.left, m_rcItem.top, m_rcItem.right - m_rcItem.left,
                 m_rcItem.bottom - m_rcItem.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// --- Event sink ----------------------------------------------------------------

STDMETHODIMP CWebBrowserUI::QueryInterface(REFIID riid, void** ppvObject) {
  if (ppvObject == nullptr) return E_POINTER;
  *ppvObject = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
    *ppvObject = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CWebBrowserUI::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CWebBrowserUI::Release() {
  return static_cast<ULONG>(::InterlockedDecrement(&m_nRefs));
}

STDMETHODIMP CWebBrowserUI::GetTypeInfoCount(UINT* pctinfo) {
  if (pctinfo == nullptr) return E_POINTER;
  *pctinfo = 0;
  return S_OK;
}

STDMETHODIMP CWebBrowserUI::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo != nullptr) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserUI::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserUI::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                   VARIANT*, EXCEPINFO*, UINT*) {
  if (pDispParams == nullptr) return E_INVALIDARG;
  DispatchBrowserEvent(dispIdMember, *pDispParams);
  return S_OK;
}

CWebBrowserEventHandler& CWebBrowserUI::Handler() {
  return m_pWebBrowserEventHandler != nullptr ? *m_pWebBrowserEventHandler : DefaultHandler();
}

void CWebBrowserUI::DispatchBrowserEvent(DISPID id, const DISPPARAMS& params) {
  CWebBrowserEventHandler& handler = Handler();
  switch (id) {
    case DISPID_BEFORENAVIGATE2: {
      EventArgs args(params, 7);
      IDispatch* disp = args.Dispatch(0);
      VARIANT* url = args.Variant(1);
      VARIANT* flags = args.Variant(2);
      VARIANT* frame = args.Variant(3);
      VARIANT* postData = args.Variant(4);
      VARIANT* headers = args.Variant(5);
      VARIANT_BOOL* cancel = args.CancelFlag(6);
      if (args.valid()) handler.BeforeNavigate2(this, disp, url, flags, frame, postData, headers, cancel);
      break;
    }
    case DISPID_NAVIGATEERROR: {
      EventArgs args(params, 5);
      IDispatch* disp = args.Dispatch(0);
      VARIANT* url = args.Variant(1);
      VARIANT* frame = args.Variant(2);
      VARIANT* status = args.Variant(3);
      VARIANT_BOOL* cancel = args.CancelFlag(4);
      if (args.valid()) handler.NavigateError(this, disp, url, frame, status, cancel);
      break;
    }
    case DISPID_NAVIGATECOMPLETE2: {
      EventArgs args(params, 2);
      IDispatch* disp = args.Dispatch(0);
      VARIANT* url = args.Variant(1);
      if (args.valid()) handler.NavigateComplete2(this, disp, url);
      break;
    }
    case DISPID_PROGRESSCHANGE: {
      EventArgs args(params, 2);
      const LONG progress = args.Long(0);
      const LONG maximum = args.Long(1);
      if (args.valid()) handler.ProgressChange(this, progress, maximum);
      break;
    }
    case DISPID_NEWWINDOW3: {
      EventArgs args(params, 5);
      IDispatch** disp = args.DispatchRef(0);
      VARIANT_BOOL* cancel = args.CancelFlag(1);
      const DWORD flags = static_cast<DWORD>(args.Long(2));
      BSTR context = args.String(3);
      BSTR url = args.String(4);
      if (args.valid()) handler.NewWindow3(this, disp, cancel, flags, context, url);
      break;
    }
    case DISPID_COMMANDSTATECHANGE: {
      EventArgs args(params, 2);
      const LONG command = args.Long(0);
      const VARIANT_BOOL enable = args.Bool(1);
      if (args.valid()) handler.CommandStateChange(this, command, enable);
      break;
    }
    case DISPID_TITLECHANGE: {
      EventArgs args(params, 1);
      BSTR title = args.String(0);
      if (args.valid()) handler.TitleChange(this, title);
      break;
    }
    case DISPID_DOCUMENTCOMPLETE: {
      EventArgs args(params, 2);
      IDispatch* disp = args.Dispatch(0);
      VARIANT* url = args.Variant(1);
      if (args.valid()) handler.DocumentComplete(this, disp, url);
      break;
    }
    default:
      break;
  }
}

// --- Page host -------------------------------------------------------------------

HRESULT CWebBrowserUI::GetHostInfo(DOCHOSTUIINFO* pInfo) {
  const HRESULT hr = Handler().GetHostInfo(this, pInfo);
  return hr != E_NOTIMPL ? hr : BrowserHostDelegate::GetHostInfo(pInfo);
}

HRESULT CWebBrowserUI::GetExternal(IDispatch** ppDispatch) {
  const HRESULT hr = Handler().GetExternal(this, ppDispatch);
  return hr != E_NOTIMPL ? hr : BrowserHostDelegate::GetExternal(ppDispatch);
}

HRESULT CWebBrowserUI::ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                       IDispatch* pdispReserved) {
  return Handler().ShowContextMenu(this, dwID, ppt, pcmdtReserved, pdispReserved);
}

HRESULT CWebBrowserUI::ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                              IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                              IOleInPlaceUIWindow* pDoc) {
  return Handler().ShowUI(this, dwID, pActiveObject, pCommandTarget, pFrame, pDoc);
}

HRESULT CWebBrowserUI::HideUI() { return Handler().HideUI(this); }

HRESULT CWebBrowserUI::UpdateUI() { return Handler().UpdateUI(this); }

HRESULT CWebBrowserUI::EnableModeless(BOOL fEnable) {
  return Handler().EnableModeless(this, fEnable);
}

HRESULT CWebBrowserUI::OnDocWindowActivate(BOOL fActivate) {
  return Handler().OnDocWindowActivate(this, fActivate);
}

HRESULT CWebBrowserUI::OnFrameWindowActivate(BOOL fActivate) {
  return Handler().OnFrameWindowActivate(this, fActivate);
}

HRESULT CWebBrowserUI::ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                    BOOL fFrameWindow) {
  return Handler().ResizeBorder(this, prcBorder, pUIWindow, fFrameWindow);
}

HRESULT CWebBrowserUI::TranslateAccelerator(MSG* lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) {
  return Handler().TranslateAccelerator(this, lpMsg, pguidCmdGroup, nCmdID);
}

HRESULT CWebBrowserUI::GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) {
  return Handler().GetOptionKeyPath(this, pchKey, dw);
}

HRESULT CWebBrowserUI::GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) {
  return Handler().GetDropTarget(this, pDropTarget, ppDropTarget);
}

HRESULT CWebBrowserUI::TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) {
  return Handler().TranslateUrl(this, dwTranslate, pchURLIn, ppchURLOut);
}

HRESULT CWebBrowserUI::FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) {
  return Handler().FilterDataObject(this, pDO, ppDORet);
}

HRESULT CWebBrowserUI::Download(IMoniker* pmk, IBindCtx* pbc, DWORD dwBindVerb, LONG grfBINDF,
                                BINDINFO* pBindInfo, LPCOLESTR pszHeaders, LPCOLESTR pszRedir,
                                UINT uiCP) {
  return Handler().Download(this, pmk, pbc, dwBindVerb, grfBINDF, pBindInfo, pszHeaders, pszRedir,
                            uiCP);
}

LRESULT CWebBrowserUI::TranslateAccelerator(MSG* pMsg) {
  if (pMsg == nullptr || m_pWebBrowser2 == nullptr || m_hwndHost == nullptr) return S_FALSE;
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return S_FALSE;
  if (pMsg->hwnd != m_hwndHost && !::IsChild(m_hwndHost, pMsg->hwnd)) return S_FALSE;
  const auto active = tamvelo::QueryTo<IOleInPlaceActiveObject>(m_pWebBrowser2);
  if (!active) return S_FALSE;
  return active->TranslateAccelerator(pMsg) == S_OK ? S_OK : S_FALSE;
}

}  // namespace DuiLib
