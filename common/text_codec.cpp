#include "common/text_codec.h"

#include <windows.h>

namespace tamvelo {
namespace {

// With usedDefault, best-fit look-alikes are refused too: they would not
// read back as the same text.
std::string Convert(std::wstring_view text, CodePage codePage, BOOL* usedDefault) {
  if (text.empty()) return {};
  const DWORD flags = usedDefault != nullptr ? WC_NO_BEST_FIT_CHARS : 0;
  const int units = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(codePage, flags, text.data(), units, nullptr, 0, nullptr, usedDefault);
  if (bytes <= 0) return {};
  std::string narrow(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), units, narrow.data(), bytes, nullptr, usedDefault);
  return narrow;
}

}  // namespace

std::string NarrowFromWide(std::wstring_view text, CodePage codePage) { return Convert(text, codePage, nullptr); }

std::optional<std::string> ExactNarrowFromWide(std::wstring_view text, CodePage codePage) {
  BOOL usedDefault = FALSE;
  std::string narrow = Convert(text, codePage, &usedDefault);
  if (usedDefault || (narrow.empty() && !text.empty())) return std::nullopt;
  return narrow;
}

std::wstring WideFromNarrow(std::string_view text, CodePage codePage) {
  if (text.empty()) return {};
  const int bytes = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), bytes, wide.data(), units);
  return wide;
}

bool IsLeadByte(unsigned char byte, CodePage codePage) { return IsDBCSLeadByteEx(codePage, byte) != FALSE; }

}  // namespace tamvelo
