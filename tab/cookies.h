// Setting the portal's cookies in this process before the first navigation.
#pragma once

#include "tab/cookie_text.h"

namespace tamvelo::tab {

// InternetSetCookieA with the portal's root address and no cookie name.
bool SetPortalCookie(const char* cookieText);

}  // namespace tamvelo::tab
