// Texts shown on a game tab's button. Titles longer than 15 bytes of the
// ANSI code page are cut and end in "...", so a button never shows more
// than 15 bytes.
#pragma once

#include <string>

namespace tamvelo::tabs {

inline constexpr size_t kTabTextMaxBytes = 15;
inline constexpr size_t kTabTextCutBytes = 12;

// Text for a new tab's button, from its ANSI title: whole up to 15 bytes,
// else the first 12 bytes and "...". The cut never splits a double-byte
// character (it then keeps 11 bytes): half a character shows as garbage.
std::string CutButtonText(const std::string& title);

// Text for a tab's button from the page title a tab process reports: whole
// when its ANSI form has at most 15 bytes, else the longest start of at most
// 12 UTF-16 units whose ANSI form has at most 12 bytes, and "...".
std::string ShortenTabTitle(const std::wstring& title);

// A mark such as "(已停止)" before as much of a button's text as fits in
// 15 bytes, never half a double-byte character.
std::string MarkButtonText(const std::string& mark, const std::string& text);

}  // namespace tamvelo::tabs
