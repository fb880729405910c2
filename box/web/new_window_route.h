// Where a portal page's request for a new window goes: a game tab of the
// main window, or a separate browser window of the system. Pure decision;
// the page browser's event handler carries it out.
#pragma once

#include <string>

namespace tamvelo::web {

// Markers searched in the requested address, case-sensitive, anywhere.
inline constexpr char kAltAccountLoginMarker[] = "box/login_xiaohao";
inline constexpr char kDirectOpenMarker[] = "?directopen";

enum class NewWindowTarget {
  GameTab,       // cancel the request and open `address` as a game tab
  SystemWindow,  // leave the request alone: the system opens its own window
};

struct NewWindowRoute {
  // Clear the alt-account window's shown flag and hide it first.
  bool hideOwner = false;
  NewWindowTarget target = NewWindowTarget::SystemWindow;
  // For GameTab: the tab's title text and address (both the same text).
  std::string address;
};

// url: the requested address in the ANSI code page. hasOwnerWindow: the
// browser control sits in the alt-account window. Rules, in order:
// "box/login_xiaohao" with an owner window hides it (and routing goes on);
// the partner host + "/api/h.phtml" becomes the portal's "/box/pay";
// an address without "?directopen" becomes a game tab, one with it goes
// to the system.
NewWindowRoute RouteNewWindow(const std::string& url, bool hasOwnerWindow);

}  // namespace tamvelo::web
