// Addresses of the portal's pages: its base URL followed by a path.
#pragma once

#include <string>

#include "common/portal_settings.h"

namespace tamvelo {

inline std::string PortalAddress(const char* path) { return std::string(kPortalBaseUrl) + path; }

}  // namespace tamvelo
