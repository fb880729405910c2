#include "box/tabs/tab_text.h"

#include "common/text_codec.h"

namespace tamvelo::tabs {

namespace {

// The longest start of text of at most maxBytes whole characters.
std::string WholeCharactersWithin(const std::string& text, size_t maxBytes) {
  size_t cut = 0;
  while (cut < maxBytes && cut < text.size()) {
    const size_t step = IsLeadByte(static_cast<unsigned char>(text[cut])) ? 2 : 1;
    if (cut + step > maxBytes) break;
    cut += step;
  }
  return text.substr(0, cut);
}

}  // namespace

std::string CutButtonText(const std::string& title) {
  if (title.size() <= kTabTextMaxBytes) return title;
  return WholeCharactersWithin(title, kTabTextCutBytes) + "...";
}

std::string MarkButtonText(const std::string& mark, const std::string& text) {
  if (mark.size() >= kTabTextMaxBytes) return WholeCharactersWithin(mark, kTabTextMaxBytes);
  return mark + WholeCharactersWithin(text, kTabTextMaxBytes - mark.size());
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
