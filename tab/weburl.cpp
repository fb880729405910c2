#include "tab/weburl.h"

#include "common/address_match.h"
#include "common/ini.h"

namespace tamvelo::tab {

std::vector<std::wstring> LoadWeburl(const std::wstring& paramIniPath) {
  return ini::ReadNumberedListW(paramIniPath, L"Weburl");
}

bool IsWeburl(const std::vector<std::wstring>& weburls, const std::wstring& address) {
  return AnyAddressEntryOccursIn(weburls, address);
}

}  // namespace tamvelo::tab
