#include "tab/cookies.h"

#include <windows.h>
#include <wininet.h>

#include "common/portal_settings.h"

namespace tamvelo::tab {

bool SetPortalCookie(const char* cookieText) {
  return InternetSetCookieA(kPortalRootUrl, nullptr, cookieText) != FALSE;
}

namespace {

void SetWithRetry(const char* text, const CookieSetter& set) {
  if (!set(text)) set(text);
}

}  // namespace

void SetCookieText(const std::string& cookieText, const CookieSetter& set) {
  if (cookieText.find_first_not_of(' ') == std::string::npos) return;
  SetWithRetry(cookieText.c_str(), set);
  for (size_t semicolon = cookieText.find(';'); semicolon != std::string::npos;
       semicolon = cookieText.find(';', semicolon + 1)) {
    // A trailing ';' leaves nothing that could be a cookie.
    if (cookieText.find_first_not_of(' ', semicolon + 1) == std::string::npos) break;
    SetWithRetry(cookieText.c_str() + semicolon + 1, set);
  }
}

}  // namespace tamvelo::tab
