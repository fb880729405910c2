// A cookie header text split into the cookies it holds, each handed to a
// setter of the platform's jar.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace tamvelo::tab {

// Sets one cookie text; false when the platform refused it.
using CookieSetter = std::function<bool(const char* cookieText)>;

// The platform keeps about 10 KB of cookies per site: a longer text is no
// jar the portal can have handed over. Only the cookies wholly within its
// first kLongestCookieText bytes are set, the rest is dropped.
inline constexpr size_t kLongestCookieText = 10 * 1024;

// A cookie header text such as "a=1; b=2; c=3" holds several cookies, but
// one call stores only the first (the rest reads as attributes). So each
// cookie is set on its own, the text between two ';' with its leading blank
// kept, in the order of the text; a piece that is empty or blanks only
// (before the first ';', between two, after the last) is skipped. A refused call is made once more, then the sequence
// goes on. Each cookie is read once: the time grows with the text's length.
void SetCookieText(const std::string& cookieText, const CookieSetter& set);

}  // namespace tamvelo::tab
