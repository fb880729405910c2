// Handing the portal's cookies to a tab: the time to set a cookie text into
// this process's jar, cookie by cookie, as a tab does with the first
// record. Texts of 1, 10 and 100 KB (the last is cut at the bound), made of
// short cookies or of 200-byte ones; each text's names are new to the jar.
#include <windows.h>

#include <string>

#include "bench/support/figures.h"
#include "tab/cookies.h"

int main() {
  using tamvelo::bench::NowMs;
  int round = 0;
  for (size_t valueBytes : {4u, 200u}) {
    for (size_t kilobytes : {1u, 10u, 100u}) {
      const std::string prefix = "r" + std::to_string(++round) + "k";
      std::string text;
      int cookies = 0;
      while (text.size() < kilobytes * 1024) {
        text += prefix + std::to_string(cookies++) + "=" + std::string(valueBytes, 'v') + "; ";
      }
      const double start = NowMs();
      tamvelo::tab::SetCookieText(text, tamvelo::tab::SetPortalCookie);
      const double ms = NowMs() - start;
      const std::string name = "cookie_text_" + std::to_string(kilobytes) + "kb_" + std::to_string(cookies) +
                               "_cookies_of_" + std::to_string(valueBytes) + "b";
      tamvelo::bench::PrintFigure(name.c_str(), ms, "ms");
    }
  }
  return tamvelo::bench::ExitStatus();
}
