// Conversions between UTF-16 and a code page. The main program works in the
// ANSI code page (936 on a Chinese system); the browser and the tab program
// work in UTF-16.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tamvelo {

// The whole text, embedded NULs included. Characters the code page lacks
// become its default character ("?").
std::string NarrowFromWide(std::wstring_view text, UINT codePage = CP_ACP);

// The same, but nullopt when some character has no form in the code page,
// for values that must be stored exactly or not at all. Not for UTF-8 or
// UTF-7, which cannot report a replaced character.
std::optional<std::string> ExactNarrowFromWide(std::wstring_view text, UINT codePage = CP_ACP);

// Bytes that form no character of the code page become U+FFFD or the code
// page's own replacement; nothing is dropped silently.
std::wstring WideFromNarrow(std::string_view text, UINT codePage = CP_ACP);

}  // namespace tamvelo
