#include "box/web/tabbrowser_event_handler.h"

#include "box/tabs/scroll_tab.h"
#include "box/web/bstr_text.h"
#include "box/web/new_window_route.h"
#include "box/web/title_message.h"

using tamvelo::web::NewWindowRoute;
using tamvelo::web::NewWindowTarget;

void CTabbrowserEventHandler::NavigateComplete2(DuiLib::CWebBrowserUI*, IDispatch*, VARIANT*) {}

void CTabbrowserEventHandler::NewWindow3(DuiLib::CWebBrowserUI*, IDispatch**, VARIANT_BOOL* cancel,
                                         DWORD, BSTR, BSTR bstrUrl) {
  const NewWindowRoute route =
      tamvelo::web::RouteNewWindow(tamvelo::web::AnsiFromBstr(bstrUrl), m_pOwnerWnd != nullptr);
  if (route.hideOwner && m_pOwnerWnd != nullptr) m_pOwnerWnd->HideWindow();
  if (route.target != NewWindowTarget::GameTab || m_pTabBar == nullptr) return;
  if (cancel != nullptr) *cancel = VARIANT_TRUE;
  m_pTabBar->OpenGameTab(route.address.c_str(), true, route.address.c_str());
}

void CTabbrowserEventHandler::TitleChange(DuiLib::CWebBrowserUI*, BSTR bstrTitle) {
  if (m_pMainWnd == nullptr) return;
  const auto message = tamvelo::web::ParseTitleMessage(tamvelo::web::AnsiFromBstr(bstrTitle));
  if (message) m_pMainWnd->SetLoginButton(message->text.c_str(), message->loggedIn);
}

void CTabbrowserEventHandler::DocumentComplete(DuiLib::CWebBrowserUI*, IDispatch*, VARIANT*) {}
