#include "box/web/bstr_text.h"

#include <oleauto.h>

namespace tamvelo::web {
namespace {

// usedDefault, when given, reports whether a character had to be replaced.
std::string Convert(BSTR text, BOOL* usedDefault) {
  const int units = static_cast<int>(SysStringLen(text));
  if (units == 0) return {};
  const DWORD flags = usedDefault != nullptr ? WC_NO_BEST_FIT_CHARS : 0;
  const int bytes =
      WideCharToMultiByte(CP_ACP, flags, text, units, nullptr, 0, nullptr, usedDefault);
  if (bytes <= 0) return {};
  std::string ansi(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, flags, text, units, ansi.data(), bytes, nullptr, usedDefault);
  return ansi;
}

}  // namespace

std::string AnsiFromBstr(BSTR text) { return Convert(text, nullptr); }

std::optional<std::string> ExactAnsiFromBstr(BSTR text) {
  BOOL usedDefault = FALSE;
  std::string ansi = Convert(text, &usedDefault);
  if (usedDefault) return std::nullopt;
  return ansi;
}

BSTR BstrFromAnsi(const std::string& text) {
  const int bytes = static_cast<int>(text.size());
  const int units = bytes == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
  BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(units));
  if (wide != nullptr && units > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, wide, units);
  return wide;
}

}  // namespace tamvelo::web
