// An address list of param.ini ([Linktopay], [Otherurl]): fragments that
// send a game address to one of the portal's own pages instead.
#pragma once

#include <string>
#include <vector>

namespace tamvelo::tabs {

class AddressList {
 public:
  // Reads the numbered list of the section (at most 999 entries); a missing
  // file or section gives an empty list.
  void Load(const std::string& iniPath, const char* section);

  // True when an entry longer than 14 bytes occurs in the address
  // (case-sensitive). Shorter entries are kept but never match.
  bool Matches(const std::string& address) const;

  const std::vector<std::string>& entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

}  // namespace tamvelo::tabs
