#include "common/ini_values.h"

#include <gtest/gtest.h>

#include <map>

namespace tamvelo::test {
using namespace ini;  // the code under test
namespace {

TEST(IniAbsent, ErrorInAnyCase) {
  EXPECT_TRUE(IsAbsent(std::string("Error")));
  EXPECT_TRUE(IsAbsent(std::string("error")));
  EXPECT_TRUE(IsAbsent(std::string("ERROR")));
  EXPECT_FALSE(IsAbsent(std::string("Errors")));
  EXPECT_FALSE(IsAbsent(std::string("")));
  EXPECT_TRUE(IsAbsent(std::wstring(L"eRRoR")));
  EXPECT_FALSE(IsAbsent(std::wstring(L"0")));
}

// Reads from a map as the platform would: a missing key gives "Error".
std::vector<std::string> ListOf(int count, const std::map<std::string, std::string>& values,
                                std::vector<std::string>* keysRead = nullptr) {
  return CollectNumberedList(count, kListCapacity, [&](const char* key) {
    if (keysRead != nullptr) keysRead->push_back(key);
    const auto found = values.find(key);
    return found == values.end() ? std::string(kAbsent) : found->second;
  });
}

TEST(NumberedList, KeepsPresentEntriesLongerThanFiveInOrder) {
  const std::map<std::string, std::string> values = {
      {"str1", "pay.example/a"}, {"str2", "12345"}, {"str3", "ERROR"}, {"str5", "123456"}};
  EXPECT_EQ(ListOf(5, values), (std::vector<std::string>{"pay.example/a", "123456"}));
  EXPECT_EQ(ListOf(4, values), (std::vector<std::string>{"pay.example/a"}));
}

TEST(NumberedList, CountsOfNoneOrBeyondTheCapacity) {
  std::vector<std::string> keys;
  EXPECT_TRUE(ListOf(0, {{"str1", "pay.example/a"}}, &keys).empty());
  EXPECT_TRUE(ListOf(-3, {{"str1", "pay.example/a"}}, &keys).empty());
  EXPECT_TRUE(keys.empty());
  ListOf(100000, {}, &keys);
  ASSERT_EQ(keys.size(), static_cast<size_t>(kListCapacity));
  EXPECT_EQ(keys.back(), "str999");

  std::vector<std::wstring> wideKeys;
  CollectNumberedListW(1000, kListCapacityW, [&](const wchar_t* key) {
    wideKeys.push_back(key);
    return std::wstring(kAbsentW);
  });
  ASSERT_EQ(wideKeys.size(), static_cast<size_t>(kListCapacityW));
  EXPECT_EQ(wideKeys.back(), L"str99");
}

}  // namespace
}  // namespace tamvelo::test
