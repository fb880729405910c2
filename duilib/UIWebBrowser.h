// The toolkit's browser control: the platform's web browser ("Shell.Explorer")
// in a native child window of the skinned window, kept over the control's
// rectangle and shown only while the control is visible. Its events and the
// page host's questions go to a CWebBrowserEventHandler, whose defaults are
// those of a plain embedded browser.
//
// The native browser is made once the control has a window (in Init, when
// placed, or when first navigated or asked for); a Navigate2 before that is
// remembered and carried out then.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <urlmon.h>

#include "common/browser_host.h"
#include "duilib/UIControl.h"
#include "duilib/UIString.h"

namespace DuiLib {

#define DUI_CTR_WEBBROWSER "WebBrowser"

class CWebBrowserUI;

// What a page does and what its host is asked. Every slot gets the control
// first. Override the slots to change; the defaults are the toolkit's.
class CWebBrowserEventHandler {
 public:
  CWebBrowserEventHandler() = default;
  virtual ~CWebBrowserEventHandler() = default;

  // Browser events (DWebBrowserEvents2).
  virtual void BeforeNavigate2(CWebBrowserUI* pWeb, IDispatch* pDisp, VARIANT* url, VARIANT* flags,
                               VARIANT* targetFrameName, VARIANT* postData, VARIANT* headers,
                               VARIANT_BOOL* cancel);
  virtual void NavigateError(CWebBrowserUI* pWeb, IDispatch* pDisp, VARIANT* url,
                             VARIANT* targetFrameName, VARIANT* statusCode, VARIANT_BOOL* cancel);
  virtual void NavigateComplete2(CWebBrowserUI* pWeb, IDispatch* pDisp, VARIANT* url);
  virtual void ProgressChange(CWebBrowserUI* pWeb, LONG nProgress, LONG nProgressMax);
  // Setting *cancel to VARIANT_TRUE keeps the browser from opening a window.
  virtual void NewWindow3(CWebBrowserUI* pWeb, IDispatch** ppDisp, VARIANT_BOOL* cancel,
                          DWORD dwFlags, BSTR bstrUrlContext, BSTR bstrUrl);
  virtual void CommandStateChange(CWebBrowserUI* pWeb, LONG command, VARIANT_BOOL enable);
  virtual void TitleChange(CWebBrowserUI* pWeb, BSTR bstrTitle);
  virtual void DocumentComplete(CWebBrowserUI* pWeb, IDispatch* pDisp, VARIANT* url);

  // Page host (IDocHostUIHandler and the download manager).
  // S_OK: the browser's own context menu never shows.
  virtual HRESULT ShowContextMenu(CWebBrowserUI* pWeb, DWORD dwID, POINT* ppt,
                                  IUnknown* pcmdtReserved, IDispatch* pdispReserved);
  // E_NOTIMPL: the control answers itself.
  virtual HRESULT GetHostInfo(CWebBrowserUI* pWeb, DOCHOSTUIINFO* pInfo);
  virtual HRESULT ShowUI(CWebBrowserUI* pWeb, DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                         IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                         IOleInPlaceUIWindow* pDoc);
  virtual HRESULT HideUI(CWebBrowserUI* pWeb);
  virtual HRESULT UpdateUI(CWebBrowserUI* pWeb);
  virtual HRESULT EnableModeless(CWebBrowserUI* pWeb, BOOL fEnable);
  virtual HRESULT OnDocWindowActivate(CWebBrowserUI* pWeb, BOOL fActivate);
  virtual HRESULT OnFrameWindowActivate(CWebBrowserUI* pWeb, BOOL fActivate);
  virtual HRESULT ResizeBorder(CWebBrowserUI* pWeb, LPCRECT prcBorder,
                               IOleInPlaceUIWindow* pUIWindow, BOOL fFrameWindow);
  // S_FALSE: the key goes on to the browser.
  virtual HRESULT TranslateAccelerator(CWebBrowserUI* pWeb, LPMSG lpMsg, const GUID* pguidCmdGroup,
                                       DWORD nCmdID);
  virtual HRESULT GetOptionKeyPath(CWebBrowserUI* pWeb, LPOLESTR* pchKey, DWORD dw);
  virtual HRESULT GetDropTarget(CWebBrowserUI* pWeb, IDropTarget* pDropTarget,
                                IDropTarget** ppDropTarget);
  // E_NOTIMPL: the control answers itself.
  virtual HRESULT GetExternal(CWebBrowserUI* pWeb, IDispatch** ppDispatch);
  virtual HRESULT TranslateUrl(CWebBrowserUI* pWeb, DWORD dwTranslate, OLECHAR* pchURLIn,
                               OLECHAR** ppchURLOut);
  virtual HRESULT FilterDataObject(CWebBrowserUI* pWeb, IDataObject* pDO, IDataObject** ppDORet);
  virtual HRESULT Download(CWebBrowserUI* pWeb, IMoniker* pmk, IBindCtx* pbc, DWORD dwBindVerb,
                           LONG grfBINDF, BINDINFO* pBindInfo, LPCOLESTR pszHeaders,
                           LPCOLESTR pszRedir, UINT uiCP);
};

// The control is also the browser's DWebBrowserEvents2 sink (its IDispatch),
// the page host's delegate (every IDocHostUIHandler question and the download
// manager's downloads, through the host site's COM interfaces) and an
// accelerator translator of its window.
// The control's life is the toolkit's: the COM reference count never
// deletes it, and it disconnects from the browser before it goes.
class CWebBrowserUI : public CControlUI,
                      public IDispatch,
                      public ITranslateAccelerator,
                      public tamvelo::browser::BrowserHostDelegate {
 public:
  CWebBrowserUI();
  ~CWebBrowserUI() override;

  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;

  void Init() override;
  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
  void SetVisible(bool bVisible = true) override;
  void SetInternVisible(bool bVisible = true) override;

  // Loads the address (ANSI text) in the control; before the native browser
  // exists, the last address asked for is loaded once it does.
  void Navigate2(LPCSTR lpszUrl);
  // The browser without an added reference; null while the control has no
  // window (it is made here when the control has one).
  IWebBrowser2* GetWebBrowser2();
  // The native child window hosting the browser; null before it exists.
  HWND GetHostWindow() const { return m_hwndHost; }

  // Not owned; null restores the defaults.
  void SetWebBrowserEventHandler(CWebBrowserEventHandler* pEventHandler);
  CWebBrowserEventHandler* GetWebBrowserEventHandler() const { return m_pWebBrowserEventHandler; }

  // IUnknown and IDispatch: the browser's event sink. Lifetime: the count
  // starts at 1 and is kept, but never deletes the control, which the
  // control tree owns; the sink is unadvised before the control goes.
  STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
  STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                           DISPID* rgDispId) override;
  STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                    DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                    UINT* puArgErr) override;

  // The page host's questions and the browser's downloads, each going to
  // its handler slot. GetHostInfo and GetExternal take the handler's answer
  // unless it says E_NOTIMPL, then the control's own; every other slot's
  // answer is passed back as it is.
  HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo) override;
  HRESULT GetExternal(IDispatch** ppDispatch) override;
  HRESULT ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                          IDispatch* pdispReserved) override;
  HRESULT ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                 IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                 IOleInPlaceUIWindow* pDoc) override;
  HRESULT HideUI() override;
  HRESULT UpdateUI() override;
  HRESULT EnableModeless(BOOL fEnable) override;
  HRESULT OnDocWindowActivate(BOOL fActivate) override;
  HRESULT OnFrameWindowActivate(BOOL fActivate) override;
  HRESULT ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                       BOOL fFrameWindow) override;
  HRESULT TranslateAccelerator(MSG* lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override;
  HRESULT GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override;
  HRESULT GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
  HRESULT TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
  HRESULT FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;
  HRESULT Download(IMoniker* pmk, IBindCtx* pbc, DWORD dwBindVerb, LONG grfBINDF,
                   BINDINFO* pBindInfo, LPCOLESTR pszHeaders, LPCOLESTR pszRedir,
                   UINT uiCP) override;

  // The window's message loop: keys aimed at the browser's windows go to
  // the browser first (Tab, Backspace, Ctrl+C/V, F5 as in a browser window).
  LRESULT TranslateAccelerator(MSG* pMsg) override;

 protected:
  // Makes the native browser when the control has a window; true when it
  // exists afterwards.
  bool CreateBrowser();
  // Disconnects and closes the browser. A subclass whose handler or page
  // objects die before this base calls it first.
  void ReleaseBrowser();
  void UpdateHostWindow();

  CWebBrowserEventHandler* m_pWebBrowserEventHandler = nullptr;
  IWebBrowser2* m_pWebBrowser2 = nullptr;

 private:
  // The handler set, or the toolkit's defaults.
  CWebBrowserEventHandler& Handler();
  void DispatchBrowserEvent(DISPID id, const DISPPARAMS& params);

  HWND m_hwndHost = nullptr;
  CPaintManagerUI* m_pHostManager = nullptr;  // where the accelerator is registered
  DWORD m_dwEventCookie = 0;
  LONG m_nRefs = 1;
  CDuiString m_sPendingUrl;
  bool m_bUrlPending = false;
  bool m_bCreateFailed = false;
};

}  // namespace DuiLib
