// What values read from INI files mean, apart from the reading itself
// (common/ini.h): the absent marker and the numbered lists. Portable.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tamvelo::ini {

inline constexpr char kAbsent[] = "Error";
inline constexpr wchar_t kAbsentW[] = L"Error";

// "Error" in any ASCII letter case.
bool IsAbsent(const std::string& value);
bool IsAbsent(const std::wstring& value);

// Numbered keys are "str1", "str2", ...: the main program has room for three
// digits, the tab program for two. A larger "count" reads only this many.
inline constexpr int kListCapacity = 999;
inline constexpr int kListCapacityW = 99;

// A list entry is kept only when it is longer than this.
inline constexpr size_t kListEntryMinExclusive = 5;

// A numbered list: for "count" entries (at most capacity; none when it is 0
// or less), read("str1") ... read("str<count>") in order, keeping values
// that are not absent and longer than 5 characters.
std::vector<std::string> CollectNumberedList(int count, int capacity,
                                             const std::function<std::string(const char* key)>& read);
std::vector<std::wstring> CollectNumberedListW(int count, int capacity,
                                               const std::function<std::wstring(const wchar_t* key)>& read);

}  // namespace tamvelo::ini
