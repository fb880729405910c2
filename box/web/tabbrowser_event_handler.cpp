#include "box/web/tabbrowser_event_handler.h"

#include <oleauto.h>

#include <cstdint>
#include <optional>
#include <string>

#include "box/net/offline_retry.h"
#include "box/tabs/scroll_tab.h"
#include "box/web/bstr_text.h"
#include "box/web/new_window_route.h"
#include "box/web/title_message.h"
#include "common/com_ptr.h"
#include "common/portal_settings.h"

using tamvelo::web::NewWindowRoute;
using tamvelo::web::NewWindowTarget;

namespace {

// The frame that navigated is the control's own browser, not one inside
// its page: the same object, as COM identity tells.
bool IsTopFrame(DuiLib::CWebBrowserUI* web, IDispatch* frame) {
  IWebBrowser2* top = web != nullptr ? web->GetWebBrowser2() : nullptr;
  if (top == nullptr || frame == nullptr) return false;
  const auto topObject = tamvelo::QueryTo<IUnknown>(top);
  const auto frameObject = tamvelo::QueryTo<IUnknown>(frame);
  return topObject && topObject.Get() == frameObject.Get();
}

// The event's values, by value or by reference; nullopt for another type.
std::optional<std::uint32_t> StatusOf(const VARIANT* value) {
  VARIANT copy;
  VariantInit(&copy);
  if (value == nullptr || FAILED(VariantCopyInd(&copy, const_cast<VARIANT*>(value)))) return std::nullopt;
  std::optional<std::uint32_t> status;
  if (V_VT(&copy) == VT_I4 || V_VT(&copy) == VT_INT) status = static_cast<std::uint32_t>(V_I4(&copy));
  if (V_VT(&copy) == VT_UI4 || V_VT(&copy) == VT_UINT) status = V_UI4(&copy);
  VariantClear(&copy);
  return status;
}

std::optional<std::string> AddressOf(const VARIANT* value) {
  VARIANT copy;
  VariantInit(&copy);
  if (value == nullptr || FAILED(VariantCopyInd(&copy, const_cast<VARIANT*>(value)))) return std::nullopt;
  std::optional<std::string> address;
  if (V_VT(&copy) == VT_BSTR) address = tamvelo::web::AnsiFromBstr(V_BSTR(&copy));
  VariantClear(&copy);
  return address;
}

}  // namespace

std::string& tamvelo::web::OfflinePortal() {
  static std::string portal = tamvelo::kPortalBaseUrl;
  return portal;
}

void CTabbrowserEventHandler::NavigateError(DuiLib::CWebBrowserUI* pWeb, IDispatch* pDisp, VARIANT* url,
                                            VARIANT*, VARIANT* statusCode, VARIANT_BOOL* cancel) {
  if (m_pOfflineHost == nullptr || !IsTopFrame(pWeb, pDisp)) return;
  const std::optional<std::string> address = AddressOf(url);
  const std::optional<std::uint32_t> status = StatusOf(statusCode);
  if (!address || !status || !tamvelo::net::IsPortalPage(*address, tamvelo::web::OfflinePortal())) return;
  const std::optional<tamvelo::net::Failure> failure = tamvelo::net::FailureOfNavigation(*status);
  if (!failure) return;
  if (cancel != nullptr) *cancel = VARIANT_TRUE;
  m_pOfflineHost->ShowOfflinePage(*address, *failure);
}

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
