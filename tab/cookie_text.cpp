#include "tab/cookie_text.h"

#include <algorithm>
#include <string_view>

namespace tamvelo::tab {

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
  for (size_t start = 0; start <= text.size();) {
    const size_t semicolon = std::min(text.find(';', start), text.size());
    const std::string_view cookie = text.substr(start, semicolon - start);
    // Nothing or blanks only, between two ';' or around them, is no cookie:
    // the platform would only refuse it, twice.
    if (cookie.find_first_not_of(' ') != std::string_view::npos) SetWithRetry(std::string(cookie), set);
    start = semicolon + 1;
  }
}

}  // namespace tamvelo::tab
