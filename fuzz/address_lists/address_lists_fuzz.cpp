// Lines of the input: the "count", then the values of "str1", "str2", ...
// (a key past the last line is missing), and the last line the address.
// The narrow lists are the main program's, the wide one the tab program's.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/address_match.h"
#include "common/ini_values.h"
#include "common/text_codec.h"

namespace {

using tamvelo::ini::kAbsent;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

// The number of a "str<n>" key.
size_t KeyNumber(const std::string& key) { return static_cast<size_t>(std::atoi(key.c_str() + 3)); }

template <typename Text>
void CheckKept(const std::vector<Text>& list, const std::vector<Text>& values) {
  // Kept entries are present, longer than 5 and in the order of the keys.
  size_t at = 0;
  for (const Text& entry : list) {
    Check(entry.size() > tamvelo::ini::kListEntryMinExclusive && !tamvelo::ini::IsAbsent(entry));
    while (at < values.size() && values[at] != entry) ++at;
    Check(at < values.size());
    ++at;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = Lines(std::string(reinterpret_cast<const char*>(data), size));
  const int count = std::atoi(lines.front().c_str());
  const std::string& address = lines.back();
  const std::vector<std::string> values(lines.begin() + 1, lines.end());

  const std::vector<std::string> list =
      tamvelo::ini::CollectNumberedList(count, tamvelo::ini::kListCapacity, [&](const char* key) {
        const size_t number = KeyNumber(key);
        Check(number >= 1 && number <= static_cast<size_t>(tamvelo::ini::kListCapacity));
        return number <= values.size() ? values[number - 1] : std::string(kAbsent);
      });
  Check(list.size() <= values.size());
  CheckKept(list, values);
  const bool matches = tamvelo::AnyAddressEntryOccursIn(list, address);
  if (matches) Check(address.size() >= tamvelo::kAddressEntryMinMatchLength);

  std::vector<std::wstring> wideValues;
  for (const std::string& value : values) wideValues.push_back(tamvelo::WideFromNarrow(value));
  const std::vector<std::wstring> wideList =
      tamvelo::ini::CollectNumberedListW(count, tamvelo::ini::kListCapacityW, [&](const wchar_t* key) {
        const size_t number = static_cast<size_t>(std::wcstol(key + 3, nullptr, 10));
        Check(number >= 1 && number <= static_cast<size_t>(tamvelo::ini::kListCapacityW));
        return number <= wideValues.size() ? wideValues[number - 1] : std::wstring(tamvelo::ini::kAbsentW);
      });
  CheckKept(wideList, wideValues);
  const bool wideMatches = tamvelo::AnyAddressEntryOccursIn(wideList, tamvelo::WideFromNarrow(address));

  // On ASCII text within both lists' reach, the two programs agree.
  const bool ascii = std::all_of(data, data + size, [](uint8_t byte) { return byte < 0x80; });
  if (ascii && count <= tamvelo::ini::kListCapacityW) {
    Check(wideList.size() == list.size());
    for (size_t i = 0; i < list.size(); ++i) Check(wideList[i] == tamvelo::WideFromNarrow(list[i]));
    Check(wideMatches == matches);
  }
  return 0;
}
