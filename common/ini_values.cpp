#include "common/ini_values.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace tamvelo::ini {
namespace {

template <typename Char>
bool EqualsIgnoringAsciiCase(const std::basic_string<Char>& value, const Char* word) {
  const auto lower = [](Char c) { return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c; };
  size_t i = 0;
  for (; i < value.size() && word[i] != 0; ++i) {
    if (lower(value[i]) != lower(word[i])) return false;
  }
  return i == value.size() && word[i] == 0;
}

template <typename Text, typename KeyOf>
std::vector<Text> Collect(int count, int capacity, KeyOf keyOf) {
  std::vector<Text> list;
  count = std::min(count, capacity);
  for (int i = 1; i <= count; ++i) {
    Text value = keyOf(i);
    if (!IsAbsent(value) && value.size() > kListEntryMinExclusive) list.push_back(std::move(value));
  }
  return list;
}

}  // namespace

bool IsAbsent(const std::string& value) { return EqualsIgnoringAsciiCase(value, kAbsent); }

bool IsAbsent(const std::wstring& value) { return EqualsIgnoringAsciiCase(value, kAbsentW); }

std::vector<std::string> CollectNumberedList(int count, int capacity,
                                             const std::function<std::string(const char* key)>& read) {
  return Collect<std::string>(count, capacity, [&](int number) {
    char key[8];
    std::snprintf(key, sizeof key, "str%d", number);
    return read(key);
  });
}

std::vector<std::wstring> CollectNumberedListW(int count, int capacity,
                                               const std::function<std::wstring(const wchar_t* key)>& read) {
  return Collect<std::wstring>(count, capacity, [&](int number) {
    wchar_t key[8];
    std::swprintf(key, sizeof key / sizeof key[0], L"str%d", number);
    return read(key);
  });
}

}  // namespace tamvelo::ini
