#include "box/tabs/address_list.h"

#include "common/ini.h"

namespace tamvelo::tabs {

namespace {
constexpr size_t kMatchMinExclusive = 14;
}

void AddressList::Load(const std::string& iniPath, const char* section) {
  entries_ = ini::ReadNumberedList(iniPath, section);
}

bool AddressList::Matches(const std::string& address) const {
  for (const std::string& entry : entries_) {
    if (entry.size() > kMatchMinExclusive && address.find(entry) != std::string::npos) return true;
  }
  return false;
}

}  // namespace tamvelo::tabs
