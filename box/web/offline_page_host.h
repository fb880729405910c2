// The window that shows the box's own offline page in place of the home
// page when a portal page cannot be reached. The page browser knows it by
// this alone, so that it does not depend on the windows built around it.
#pragma once

#include <string>

#include "box/net/offline_retry.h"

namespace tamvelo::web {

class OfflinePageHost {
 public:
  // address: the portal page that failed, in the ANSI code page.
  virtual void ShowOfflinePage(const std::string& address, const net::Failure& failure) = 0;

 protected:
  // Never deleted through this interface: the window owns it.
  ~OfflinePageHost() = default;
};

// The portal whose pages the offline page stands in for: the build's
// portal. Tests put a loopback server of their own here, or nothing.
std::string& OfflinePortal();

}  // namespace tamvelo::web
