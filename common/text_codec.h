// Conversions between UTF-16 and a code page. The main program works in the
// ANSI code page (936 on a Chinese system); the browser and the tab program
// work in UTF-16.
//
// The header is portable: the Windows build implements it with the system's
// conversions (text_codec.cpp), the native build of the parsers with a
// stand-in that behaves the same for code pages 936 and 65001.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tamvelo {

// Windows' code page numbers: CP_ACP and CP_UTF8.
using CodePage = unsigned int;
inline constexpr CodePage kAnsiCodePage = 0;
inline constexpr CodePage kUtf8CodePage = 65001;

// The whole text, embedded NULs included. Characters the code page lacks
// become its default character ("?").
std::string NarrowFromWide(std::wstring_view text, CodePage codePage = kAnsiCodePage);

// The same, but nullopt when some character has no form in the code page,
// for values that must be stored exactly or not at all. Not for UTF-8 or
// UTF-7, which cannot report a replaced character.
std::optional<std::string> ExactNarrowFromWide(std::wstring_view text, CodePage codePage = kAnsiCodePage);

// Bytes that form no character of the code page become U+FFFD or the code
// page's own replacement; nothing is dropped silently.
std::wstring WideFromNarrow(std::string_view text, CodePage codePage = kAnsiCodePage);

// Whether the byte starts a double-byte character of the code page (936:
// 0x81 to 0xFE). Never for UTF-8.
bool IsLeadByte(unsigned char byte, CodePage codePage = kAnsiCodePage);

}  // namespace tamvelo
