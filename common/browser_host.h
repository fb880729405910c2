// A child window that hosts an ActiveX control, in practice the platform's
// web browser ("Shell.Explorer"), shared by both programs.
//
// Two ways to use it:
//
// 1. As a window class, for code that only knows the contract "a child window
//    that creates the control named by its window text":
//        RegisterBrowserHostClass();
//        HWND host = CreateWindowExW(0, kBrowserHostClassW, kWebBrowserProgIdW,
//                                    WS_CHILD | WS_VISIBLE, x, y, cx, cy, parent,
//                                    nullptr, instance, nullptr);
//    The control fills the window and follows its size. Sending the window
//    the registered message "WM_ATLGETCONTROL" (GetControlMessage()) returns
//    the control's IUnknown with a reference added for the caller; 0 when
//    the window hosts nothing. Creation fails (CreateWindowEx gives null) when
//    the control cannot be created or activated.
//
// 2. From C++, for an owner that customises the page host:
//        HWND host = CreateBrowserHostWindow(parent, rect, &myDelegate);
//        IWebBrowser2* browser = GetWebBrowser(host);  // caller releases
//        DWORD cookie = AdviseBrowserEvents(browser, mySink);
//    The delegate answers every question of the document host
//    (IDocHostUIHandler: host flags, the page script's external object,
//    context menu, accelerators, ...) and takes the downloads the browser
//    hands to its download manager. It must outlive the window or be
//    replaced with SetBrowserHostDelegate first. A host without a delegate
//    offers no download manager, so the browser downloads its own way.
//
// Either way the window owns the control: destroying the window closes and
// releases it, and the host's own COM objects then answer every call with
// E_UNEXPECTED if the control kept a reference to them. OLE is initialised
// on the creating thread for the window's life, so the window must be
// created and destroyed on the same thread, and every interface obtained
// from it is used on that thread only.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <urlmon.h>

namespace tamvelo::browser {

inline constexpr wchar_t kBrowserHostClassW[] = L"AtlAxWin140";
inline constexpr wchar_t kGetControlMessageNameW[] = L"WM_ATLGETCONTROL";
inline constexpr wchar_t kWebBrowserProgIdW[] = L"Shell.Explorer";

// What every browser of both programs asks of its pages: no sunken 3-D
// border, and the page scales its CSS pixels with the display instead of
// being stretched as a bitmap.
inline constexpr DWORD kHostUiFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DPI_AWARE;

// What the owner of a host window may decide about its pages. Every method
// runs on the window's thread; the defaults are what a host without a
// delegate does.
class BrowserHostDelegate {
 public:
  virtual ~BrowserHostDelegate() = default;

  // IDocHostUIHandler::GetHostInfo. Default: kHostUiFlags added, default
  // double-click; S_OK.
  virtual HRESULT GetHostInfo(DOCHOSTUIINFO* info);

  // IDocHostUIHandler::GetExternal: the object page script sees as
  // window.external. Following the COM rules, the caller releases what is
  // handed out. Default: no object, S_FALSE.
  virtual HRESULT GetExternal(IDispatch** external);

  // IDocHostUIHandler::ShowContextMenu: S_OK when the owner handled the menu,
  // S_FALSE to let the browser show its own. Default: S_FALSE.
  virtual HRESULT ShowContextMenu(DWORD menuId, POINT* point, IUnknown* commandTarget,
                                  IDispatch* element);

  // IDocHostUIHandler::TranslateAccelerator: S_OK when the owner used the
  // key, S_FALSE to let the browser have it. Default: S_FALSE.
  virtual HRESULT TranslateAccelerator(MSG* message, const GUID* commandGroup, DWORD commandId);

  // The rest of IDocHostUIHandler, answered as a host with nothing to add
  // answers them. Out pointers arrive cleared; a default leaves them so.
  // Default S_OK: the host has no tool bars or menus to merge.
  virtual HRESULT ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                         IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document);
  // Defaults S_OK: nothing of the host's own to hide, update, enable or resize.
  virtual HRESULT HideUI();
  virtual HRESULT UpdateUI();
  virtual HRESULT EnableModeless(BOOL enable);
  virtual HRESULT OnDocWindowActivate(BOOL activate);
  virtual HRESULT OnFrameWindowActivate(BOOL activate);
  virtual HRESULT ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow);
  // Default S_FALSE: the browser's own option key.
  virtual HRESULT GetOptionKeyPath(LPOLESTR* key, DWORD reserved);
  // Default E_NOTIMPL: the browser's own drop target.
  virtual HRESULT GetDropTarget(IDropTarget* dropTarget, IDropTarget** replacement);
  // Default S_FALSE: the address as the page gave it.
  virtual HRESULT TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* translated);
  // Default S_FALSE: the data object as it is.
  virtual HRESULT FilterDataObject(IDataObject* object, IDataObject** replacement);

  // IDownloadManager::Download: S_OK when the owner took the download.
  // Default E_NOTIMPL: the browser downloads its own way.
  virtual HRESULT Download(IMoniker* moniker, IBindCtx* bindContext, DWORD bindVerb,
                           LONG bindFlags, BINDINFO* bindInfo, LPCOLESTR headers,
                           LPCOLESTR redirect, UINT codePage);
};

// Registers the window class (once per process; later calls only report).
bool RegisterBrowserHostClass();

// The registered message that yields the hosted control.
UINT GetControlMessage();

// Creates a host window as a child of parent over rect (client coordinates
// of parent) hosting progId. Null when the window or the control cannot be
// made. The delegate may be null.
HWND CreateBrowserHostWindow(HWND parent, const RECT& rect, BrowserHostDelegate* delegate,
                             const wchar_t* progId = kWebBrowserProgIdW, UINT_PTR childId = 0);

// Replaces the delegate of a host window (null: the defaults).
void SetBrowserHostDelegate(HWND hostWindow, BrowserHostDelegate* delegate);

// The hosted control as IWebBrowser2, with a reference for the caller; null
// when the window is no host or hosts another kind of control.
IWebBrowser2* GetWebBrowser(HWND hostWindow);

// Connects sink to the browser's DWebBrowserEvents2 connection point. The
// result is the connection's cookie, 0 when the browser offers no such
// connection point or refuses the sink.
DWORD AdviseBrowserEvents(IWebBrowser2* browser, IDispatch* sink);
void UnadviseBrowserEvents(IWebBrowser2* browser, DWORD cookie);

}  // namespace tamvelo::browser
