// What the portal's pages in the main program make happen: a request for a
// new window becomes a game tab of the strip or a system browser window, the
// login title messages reach the main window's login button, and a portal
// page that cannot be reached brings up the box's own offline page.
#pragma once

#include "box/shared/main_window_ops.h"
#include "box/web/browser_owner.h"
#include "box/web/offline_page_host.h"
#include "duilib/UIWebBrowser.h"

class CScrollTabUI;

class CTabbrowserEventHandler : public DuiLib::CWebBrowserEventHandler {
 public:
  // A top-frame failure of a page of tamvelo::web::OfflinePortal() with a
  // network error or an HTTP status of 400 and above goes to the offline
  // page host, and the platform's own error page is cancelled. Sub-frames,
  // other addresses and the missing HTML engine's error are left alone.
  void NavigateError(DuiLib::CWebBrowserUI* pWeb, IDispatch* pDisp, VARIANT* url,
                     VARIANT* targetFrameName, VARIANT* statusCode, VARIANT_BOOL* cancel) override;
  void NavigateComplete2(DuiLib::CWebBrowserUI* pWeb, IDispatch* pDisp, VARIANT* url) override;
  // Routes the request (see box/web/new_window_route.h). Without a tab strip
  // nothing is cancelled: the system's window beats a request lost.
  void NewWindow3(DuiLib::CWebBrowserUI* pWeb, IDispatch** ppDisp, VARIANT_BOOL* cancel,
                  DWORD dwFlags, BSTR bstrUrlContext, BSTR bstrUrl) override;
  // "username:" / "nologin:" titles, when there is a main window to tell.
  void TitleChange(DuiLib::CWebBrowserUI* pWeb, BSTR bstrTitle) override;
  void DocumentComplete(DuiLib::CWebBrowserUI* pWeb, IDispatch* pDisp, VARIANT* url) override;

  // Copies of the control's links (none owned).
  CScrollTabUI* m_pTabBar = nullptr;
  tamvelo::web::BrowserOwner* m_pOwnerWnd = nullptr;
  tamvelo::MainWindowOps* m_pMainWnd = nullptr;
  tamvelo::web::OfflinePageHost* m_pOfflineHost = nullptr;
};
