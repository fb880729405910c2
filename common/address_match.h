// The address lists of param.ini ([Weburl] in the tab program, [Linktopay]
// and [Otherurl] in the main program) share one rule of matching. Portable.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tamvelo {

// Shorter entries are kept but never match: a fragment that short would
// catch addresses it was not meant for.
inline constexpr size_t kAddressEntryMinMatchLength = 15;

// True when an entry of at least kAddressEntryMinMatchLength characters
// occurs in the address, letter case counting.
template <typename Text>
bool AnyAddressEntryOccursIn(const std::vector<Text>& entries, const Text& address) {
  for (const Text& entry : entries) {
    if (entry.size() >= kAddressEntryMinMatchLength && address.find(entry) != Text::npos) return true;
  }
  return false;
}

}  // namespace tamvelo
