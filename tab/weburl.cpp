#include "tab/weburl.h"

#include "common/ini.h"

namespace tamvelo::tab {

std::vector<std::wstring> LoadWeburl(const std::wstring& paramIniPath) {
  return ini::ReadNumberedListW(paramIniPath, L"Weburl");
}

bool IsWeburl(const std::vector<std::wstring>& weburls, const std::wstring& address) {
  for (const std::wstring& entry : weburls) {
    if (entry.size() >= kWeburlMinMatchLength && address.find(entry) != std::wstring::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace tamvelo::tab
