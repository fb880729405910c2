// INI access over the platform's private-profile functions only. Every text
// read passes "Error" as its default, and "Error" in any letter case counts
// as absent. Narrow functions serve the main program, wide ones the tab
// program.
#pragma once

#include <string>
#include <vector>

namespace tamvelo::ini {

inline constexpr char kAbsent[] = "Error";
inline constexpr wchar_t kAbsentW[] = L"Error";

// Buffer of a text read, in characters (the platform cuts longer values).
inline constexpr unsigned kTextBufferChars = 260;

// Numbered keys are "str1", "str2", ...: the main program has room for three
// digits, the tab program for two. A larger "count" reads only this many.
inline constexpr int kListCapacity = 999;
inline constexpr int kListCapacityW = 99;

// A list entry is kept only when it is longer than this.
inline constexpr size_t kListEntryMinExclusive = 5;

bool IsAbsent(const std::string& value);
bool IsAbsent(const std::wstring& value);

// The value as the platform reads it with default "Error", cut to
// bufferChars - 1 characters.
std::string ReadText(const std::string& path, const char* section, const char* key,
                     unsigned bufferChars = kTextBufferChars);
std::wstring ReadTextW(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                       unsigned bufferChars = kTextBufferChars);

// Integer value with default 0.
int ReadInt(const std::string& path, const char* section, const char* key);

// Writes are not checked by the callers; the result says whether it worked.
bool WriteText(const std::string& path, const char* section, const char* key,
               const std::string& value);
bool WriteInt(const std::string& path, const char* section, const char* key, int value);

// A numbered list: "count", then "str1" ... "str<count>" in file order,
// keeping values that are not absent and longer than 5 characters.
std::vector<std::string> ReadNumberedList(const std::string& path, const char* section);
std::vector<std::wstring> ReadNumberedListW(const std::wstring& path, const wchar_t* section);

}  // namespace tamvelo::ini
