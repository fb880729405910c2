#include "common/ini.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace tamvelo::ini {

std::string ReadText(const std::string& path, const char* section, const char* key,
                     unsigned bufferChars) {
  std::string buffer(std::max(bufferChars, 1u), '\0');
  const DWORD length = GetPrivateProfileStringA(section, key, kAbsent, buffer.data(),
                                                bufferChars, path.c_str());
  buffer.resize(std::min<size_t>(length, buffer.size() - 1));
  return buffer;
}

std::wstring ReadTextW(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                       unsigned bufferChars) {
  std::wstring buffer(std::max(bufferChars, 1u), L'\0');
  const DWORD length = GetPrivateProfileStringW(section, key, kAbsentW, buffer.data(),
                                                bufferChars, path.c_str());
  buffer.resize(std::min<size_t>(length, buffer.size() - 1));
  return buffer;
}

int ReadInt(const std::string& path, const char* section, const char* key) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, 0, path.c_str()));
}

bool WriteText(const std::string& path, const char* section, const char* key,
               const std::string& value) {
  return WritePrivateProfileStringA(section, key, value.c_str(), path.c_str()) != FALSE;
}

bool WriteInt(const std::string& path, const char* section, const char* key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return WriteText(path, section, key, text);
}

std::vector<std::string> ReadNumberedList(const std::string& path, const char* section) {
  return CollectNumberedList(ReadInt(path, section, "count"), kListCapacity,
                             [&](const char* key) { return ReadText(path, section, key); });
}

std::vector<std::wstring> ReadNumberedListW(const std::wstring& path, const wchar_t* section) {
  const int count = static_cast<int>(GetPrivateProfileIntW(section, L"count", 0, path.c_str()));
  return CollectNumberedListW(count, kListCapacityW,
                              [&](const wchar_t* key) { return ReadTextW(path, section, key); });
}

}  // namespace tamvelo::ini
