#include "box/web/new_window_route.h"

#include "common/portal_address.h"

namespace tamvelo::web {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

NewWindowRoute RouteNewWindow(const std::string& url, bool hasOwnerWindow) {
  NewWindowRoute route;
  route.hideOwner = hasOwnerWindow && Contains(url, kAltAccountLoginMarker);

  route.address = url;
  if (Contains(url, std::string(kPartnerHost) + kPartnerPayPath)) {
    route.address = PortalAddress(kPortalPayPath);
  }

  if (Contains(route.address, kDirectOpenMarker)) {
    route.target = NewWindowTarget::SystemWindow;
    route.address.clear();
  } else {
    route.target = NewWindowTarget::GameTab;
  }
  return route;
}

}  // namespace tamvelo::web
