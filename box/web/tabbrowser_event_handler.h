// What the portal's pages in the main program make happen: a request for a
// new window becomes a game tab of the strip or a system browser window, and
// the login title messages reach the main window's login button.
#pragma once

#include "box/shared/main_window_ops.h"
#include "box/web/browser_owner.h"
#include "duilib/UIWebBrowser.h"

class CScrollTabUI;

class CTabbrowserEventHandler : public DuiLib::CWebBrowserEventHandler {
 public:
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
};
