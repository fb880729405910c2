// Setting the portal's cookies in this process before the first navigation.
#pragma once

#include <functional>
#include <string>

namespace tamvelo::tab {

// Sets one cookie text; false when the platform refused it.
using CookieSetter = std::function<bool(const char* cookieText)>;

// InternetSetCookieA with the portal's root address and no cookie name.
bool SetPortalCookie(const char* cookieText);

// A cookie header text such as "a=1; b=2; c=3" holds several cookies, but
// one call stores only the first (the rest reads as attributes). So the
// whole text is set, then the rest after each ';' in turn, leading blank
// kept; a text or rest of blanks only is skipped. A refused call is made once
// more, then the sequence goes on.
void SetCookieText(const std::string& cookieText, const CookieSetter& set);

}  // namespace tamvelo::tab
