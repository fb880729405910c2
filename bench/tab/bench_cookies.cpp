// Handing the portal's cookies to a tab: the time to set a cookie text of
// 1, 10 and 100 KB into this process's jar, cookie by cookie, as a tab does
// with the first record. Texts above the bound are cut, so the largest
// costs what the bound costs.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/tab/bench_clock.h"
#include "tab/cookies.h"

int main() {
  using tamvelo::bench::NowMs;
  for (size_t kilobytes : {1u, 10u, 100u}) {
    std::string text;
    for (int i = 0; text.size() < kilobytes * 1024; ++i) text += "k" + std::to_string(i) + "=v" + std::to_string(i) + "; ";
    const double start = NowMs();
    tamvelo::tab::SetCookieText(text, tamvelo::tab::SetPortalCookie);
    std::printf("cookie text %3u KB: %.1f ms\n", static_cast<unsigned>(kilobytes), NowMs() - start);
  }
  return 0;
}
