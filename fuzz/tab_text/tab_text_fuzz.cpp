// Byte 0 picks the text function; the rest is a title in code page 936
// (for the mark, byte 1 says how many of the following bytes are the mark),
// or for the page title UTF-16 units, two bytes each.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "box/tabs/tab_text.h"
#include "common/text_codec.h"

namespace {

using namespace tamvelo::tabs;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Whether text ends on a character boundary when read from the start.
bool EndsOnWholeCharacter(const std::string& text) {
  size_t at = 0;
  while (at < text.size()) at += tamvelo::IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
  return at == text.size();
}

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

void Cut(const std::string& title) {
  const std::string text = CutButtonText(title);
  Check(text.size() <= kTabTextMaxBytes);
  if (title.size() <= kTabTextMaxBytes) return Check(text == title);
  const std::string kept = text.substr(0, text.size() - 3);
  Check(text.compare(kept.size(), 3, "...") == 0 && StartsWith(title, kept));
  Check(kept.size() >= kTabTextCutBytes - 1 && EndsOnWholeCharacter(kept));
}

void Mark(const std::string& input) {
  if (input.empty()) return;
  const size_t markBytes = std::min<size_t>(static_cast<unsigned char>(input[0]), input.size() - 1);
  const std::string mark = input.substr(1, markBytes);
  const std::string text = input.substr(1 + markBytes);
  const std::string marked = MarkButtonText(mark, text);
  Check(marked.size() <= kTabTextMaxBytes);
  if (!EndsOnWholeCharacter(mark)) return;
  if (mark.size() <= kTabTextMaxBytes) Check(StartsWith(marked, mark) && StartsWith(text, marked.substr(mark.size())));
  else Check(StartsWith(mark, marked) && EndsOnWholeCharacter(marked));
}

void Shorten(const std::string& input) {
  std::wstring title;
  for (size_t at = 0; at + 1 < input.size(); at += 2) {
    title += static_cast<wchar_t>(static_cast<unsigned char>(input[at]) | static_cast<unsigned char>(input[at + 1]) << 8);
  }
  const std::string text = ShortenTabTitle(title);
  Check(text.size() <= kTabTextMaxBytes);
  const std::string whole = tamvelo::NarrowFromWide(title);
  if (whole.size() <= kTabTextMaxBytes) Check(text == whole);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 3) {
    case 0: Cut(rest); break;
    case 1: Mark(rest); break;
    default: Shorten(rest); break;
  }
  return 0;
}
