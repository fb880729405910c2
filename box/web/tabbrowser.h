// The browser control of the portal's pages in the main program: the home
// page of the main window ("main_web_home") and the alt-account window. It
// adds to the toolkit's browser control the links to the windows its pages
// talk to, the page script's external object, and the event handler that
// routes new-window requests and reads the login title messages.
#pragma once

#include "box/shared/main_window_ops.h"
#include "box/web/browser_owner.h"
#include "box/web/client_call.h"
#include "common/com_ptr.h"
#include "box/web/tabbrowser_event_handler.h"
#include "duilib/UIWebBrowser.h"

class CScrollTabUI;

class CTabbrowserUI : public DuiLib::CWebBrowserUI {
 public:
  CTabbrowserUI();
  ~CTabbrowserUI() override;

  // Creates the handler and the script object; not chained to the base.
  // The browser itself is made when the control is placed.
  void Init() override;

  // Page host answers of the control itself: pages without the sunken 3-D
  // border; the ClientCall as window.external.
  HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo) override;
  HRESULT GetExternal(IDispatch** ppDispatch) override;

  // Links, set by the creator before the toolkit calls Init.
  CTabbrowserEventHandler* m_pEventHandler = nullptr;  // owned
  CScrollTabUI* m_pTabBar = nullptr;
  tamvelo::web::BrowserOwner* m_pOwnerWnd = nullptr;
  tamvelo::MainWindowOps* m_pMainWnd = nullptr;
  tamvelo::web::OfflinePageHost* m_pOfflineHost = nullptr;  // set for the home page only
  // One reference held; the page may hold more, and the object goes with the last.
  tamvelo::ComPtr<tamvelo::web::ClientCall> m_pClientCall;
};
