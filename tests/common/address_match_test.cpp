#include "common/address_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamvelo::test {
namespace {

TEST(AddressMatch, EntriesOfFifteenCharactersOrMoreOccurWithTheirCase) {
  const std::string fifteen = "play.example/g1";
  const std::string fourteen = "play.example/g";
  ASSERT_EQ(fifteen.size(), kAddressEntryMinMatchLength);
  using List = std::vector<std::string>;
  EXPECT_TRUE(AnyAddressEntryOccursIn(List{fifteen}, std::string("http://play.example/g1?s=3")));
  EXPECT_TRUE(AnyAddressEntryOccursIn(List{fifteen}, fifteen));  // the whole address
  EXPECT_FALSE(AnyAddressEntryOccursIn(List{fourteen}, std::string("http://play.example/g1")));
  EXPECT_TRUE(AnyAddressEntryOccursIn(List{fourteen, fifteen}, std::string("http://play.example/g1")));
  EXPECT_FALSE(AnyAddressEntryOccursIn(List{fifteen}, std::string("http://PLAY.example/g1")));
  EXPECT_FALSE(AnyAddressEntryOccursIn(List{}, std::string("http://play.example/g1")));
  // Wide lists count characters, not bytes.
  const std::wstring chinese(15, L'\u6e38');
  EXPECT_TRUE(AnyAddressEntryOccursIn(std::vector<std::wstring>{chinese}, L"x" + chinese));
  EXPECT_FALSE(AnyAddressEntryOccursIn(std::vector<std::wstring>{chinese.substr(1)}, chinese));
}

}  // namespace
}  // namespace tamvelo::test
