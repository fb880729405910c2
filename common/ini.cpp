#include "common/ini.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace tamvelo::ini {

bool IsAbsent(const std::string& value) { return lstrcmpiA(value.c_str(), kAbsent) == 0; }

bool IsAbsent(const std::wstring& value) { return lstrcmpiW(value.c_str(), kAbsentW) == 0; }

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
  std::vector<std::string> list;
  const int count = std::min(ReadInt(path, section, "count"), kListCapacity);
  for (int i = 1; i <= count; ++i) {
    char key[8];
    std::snprintf(key, sizeof key, "str%d", i);
    std::string value = ReadText(path, section, key);
    if (!IsAbsent(value) && value.size() > kListEntryMinExclusive) list.push_back(std::move(value));
  }
  return list;
}

std::vector<std::wstring> ReadNumberedListW(const std::wstring& path, const wchar_t* section) {
  std::vector<std::wstring> list;
  const int count = std::min(
      static_cast<int>(GetPrivateProfileIntW(section, L"count", 0, path.c_str())), kListCapacityW);
  for (int i = 1; i <= count; ++i) {
    wchar_t key[8];
    std::swprintf(key, sizeof key / sizeof key[0], L"str%d", i);
    std::wstring value = ReadTextW(path, section, key);
    if (!IsAbsent(value) && value.size() > kListEntryMinExclusive) list.push_back(std::move(value));
  }
  return list;
}

}  // namespace tamvelo::ini
