#include "box/prefs/hotkey_text.h"

#include <gtest/gtest.h>

namespace tamvelo::test {
using namespace prefs;  // the code under test
namespace {

TEST(StoredHotKey, ParsesKeyCodeDashModifiers) {
  EXPECT_EQ(ParseStoredHotKey("115-2"), (HotKeyValue{115, 2}));
  EXPECT_EQ(ParseStoredHotKey("122-0"), (HotKeyValue{122, 0}));
  EXPECT_EQ(ParseStoredHotKey("68-"), (HotKeyValue{68, 0}));
  EXPECT_EQ(ParseStoredHotKey("68-4x"), (HotKeyValue{68, 4}));
  EXPECT_EQ(ParseStoredHotKey("65-4-1"), (HotKeyValue{65, 4}));
  EXPECT_EQ(StoredHotKeyText({115, 3}), "115-3");
  EXPECT_EQ(ParseStoredHotKey(StoredHotKeyText({65535, 15})), (HotKeyValue{65535, 15}));
}

TEST(StoredHotKey, UnusableValuesKeepTheEntry) {
  for (const char* text : {"Error", "ERROR", "error", "", "abc", "115", "0-4", "-4", "x-2", "65536-1"})
    EXPECT_EQ(ParseStoredHotKey(text), std::nullopt) << text;
}

}  // namespace
}  // namespace tamvelo::test
