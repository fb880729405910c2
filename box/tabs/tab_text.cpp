#include "box/tabs/tab_text.h"

#include <windows.h>

#include "common/text_codec.h"

namespace tamvelo::tabs {

std::string CutButtonText(const std::string& title) {
  if (title.size() <= kTabTextMaxBytes) return title;
  size_t cut = 0;
  while (cut < kTabTextCutBytes) {
    const size_t step = IsDBCSLeadByte(static_cast<BYTE>(title[cut])) ? 2 : 1;
    if (cut + step > kTabTextCutBytes) break;
    cut += step;
  }
  return title.substr(0, cut) + "...";
}

std::string ShortenTabTitle(const std::wstring& title) {
  std::string text = NarrowFromWide(title);
  if (text.size() <= kTabTextMaxBytes) return text;
  std::wstring cut = title.substr(0, kTabTextCutBytes);
  text = NarrowFromWide(cut);
  while (text.size() > kTabTextCutBytes && !cut.empty()) {
    cut.pop_back();
    text = NarrowFromWide(cut);
  }
  return text + "...";
}

}  // namespace tamvelo::tabs
