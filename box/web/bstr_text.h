// Conversions between the browser's UTF-16 strings (BSTR) and the main
// program's ANSI code page (936 on a Chinese system).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tamvelo::web {

// The whole string, by its stored length; a null BSTR is the empty string.
// Characters the code page lacks become its default character ("?").
std::string AnsiFromBstr(BSTR text);

// The same, but nullopt when some character has no form in the code page,
// for values that must be stored exactly or not at all.
std::optional<std::string> ExactAnsiFromBstr(BSTR text);

// A new BSTR owned by the caller (SysFreeString); null when out of memory.
BSTR BstrFromAnsi(const std::string& text);

}  // namespace tamvelo::web
