// Test data from UTF-8 literals: narrow literals are compiled in code page
// 936 for Windows but stay UTF-8 in the native build, so tests whose bytes
// matter build their texts with these. Portable: no windows.h.
#pragma once

#include <string>

namespace tamvelo::test {

std::string Utf8ToAnsi(const std::string& utf8);
std::wstring Utf8ToWide(const std::string& utf8);

// Whether the ANSI code page is 936, which the byte-counting tests assume.
bool AnsiCodePageIsGbk();

}  // namespace tamvelo::test
