// INI access over the platform's private-profile functions only. Every text
// read passes "Error" as its default, and "Error" in any letter case counts
// as absent. Narrow functions serve the main program, wide ones the tab
// program. What the values mean is in ini_values.h.
#pragma once

#include <string>
#include <vector>

#include "common/ini_values.h"

namespace tamvelo::ini {

// Buffer of a text read, in characters (the platform cuts longer values).
inline constexpr unsigned kTextBufferChars = 260;

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

// A numbered list of the file (see CollectNumberedList).
std::vector<std::string> ReadNumberedList(const std::string& path, const char* section);
std::vector<std::wstring> ReadNumberedListW(const std::wstring& path, const wchar_t* section);

}  // namespace tamvelo::ini
