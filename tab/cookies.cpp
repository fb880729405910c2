#include "tab/cookies.h"

#include <windows.h>
#include <wininet.h>

#include <string_view>

#include "common/portal_settings.h"

namespace tamvelo::tab {

bool SetPortalCookie(const char* cookieText) {
  return InternetSetCookieA(kPortalRootUrl, nullptr, cookieText) != FALSE;
}

namespace {

void SetWithRetry(const std::string& text, const CookieSetter& set) {
  if (!set(text.c_str())) set(text.c_str());
}

// The text within the bound, cut after the last whole cookie there.
std::string_view WithinBound(std::string_view text) {
  if (text.size() <= kLongestCookieText) return text;
  const size_t lastSemicolon = text.rfind(';', kLongestCookieText);
  return lastSemicolon == std::string_view::npos ? std::string_view() : text.substr(0, lastSemicolon);
}

}  // namespace

void SetCookieText(const std::string& cookieText, const CookieSetter& set) {
  const std::string_view text = WithinBound(cookieText);
  const size_t lastNonBlank = text.find_last_not_of(' ');
  if (lastNonBlank == std::string_view::npos) return;
  for (size_t start = 0;;) {
    const size_t semicolon = text.find(';', start);
    SetWithRetry(std::string(text.substr(start, semicolon - start)), set);
    // A trailing ';' leaves nothing that could be a cookie.
    if (semicolon == std::string_view::npos || semicolon >= lastNonBlank) break;
    start = semicolon + 1;
  }
}

}  // namespace tamvelo::tab
