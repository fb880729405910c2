#include "tab/cookies.h"

#include <windows.h>
#include <wininet.h>

#include "common/portal_settings.h"

namespace tamvelo::tab {

bool SetPortalCookie(const char* cookieText) {
  return InternetSetCookieA(kPortalRootUrl, nullptr, cookieText) != FALSE;
}

}  // namespace tamvelo::tab
