#include "box/tabs/address_list.h"

#include "common/address_match.h"
#include "common/ini.h"

namespace tamvelo::tabs {

void AddressList::Load(const std::string& iniPath, const char* section) {
  entries_ = ini::ReadNumberedList(iniPath, section);
}

bool AddressList::Matches(const std::string& address) const {
  return AnyAddressEntryOccursIn(entries_, address);
}

}  // namespace tamvelo::tabs
