#include "box/tabs/tab_text.h"

#include <windows.h>

namespace tamvelo::tabs {

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string ansi(bytes, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), bytes, nullptr, nullptr);
  return ansi;
}

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
  std::string text = ToAnsi(title);
  if (text.size() <= kTabTextMaxBytes) return text;
  std::wstring cut = title.substr(0, kTabTextCutBytes);
  text = ToAnsi(cut);
  while (text.size() > kTabTextCutBytes && !cut.empty()) {
    cut.pop_back();
    text = ToAnsi(cut);
  }
  return text + "...";
}

}  // namespace tamvelo::tabs
