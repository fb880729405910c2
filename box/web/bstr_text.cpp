#include "box/web/bstr_text.h"

#include <oleauto.h>

#include "common/text_codec.h"

namespace tamvelo::web {
namespace {

std::wstring_view View(BSTR text) { return {text, SysStringLen(text)}; }

}  // namespace

std::string AnsiFromBstr(BSTR text) { return NarrowFromWide(View(text)); }

std::optional<std::string> ExactAnsiFromBstr(BSTR text) { return ExactNarrowFromWide(View(text)); }

BSTR BstrFromAnsi(const std::string& text) {
  const std::wstring wide = WideFromNarrow(text);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace tamvelo::web
