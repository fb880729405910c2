// The [Weburl] list of param.ini: address fragments whose new-window
// requests become game tabs of the main program.
#pragma once

#include <string>
#include <vector>

namespace tamvelo::tab {

// Reads "count" and "str1".."str<count>" of section "Weburl" (at most 99
// entries; absent values and values of 5 characters or fewer are skipped).
std::vector<std::wstring> LoadWeburl(const std::wstring& paramIniPath);

// True when the first entry of 15 or more characters that occurs in the
// address (case-sensitive) exists.
bool IsWeburl(const std::vector<std::wstring>& weburls, const std::wstring& address);

}  // namespace tamvelo::tab
