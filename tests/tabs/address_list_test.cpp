#include "box/tabs/address_list.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace tabs;  // the code under test
namespace {

TEST(AddressList, OnlyEntriesLongerThanFourteenBytesMatch) {
  test::TempDir dir;
  const std::string path = dir.File("param.ini");
  test::WriteFile(path,
                  "[Linktopay]\r\ncount=3\r\nstr1=pay.example/x\r\nstr2=12345\r\nstr3=pay.example/abc\r\n"
                  "[Otherurl]\r\ncount=1\r\nstr1=game.example/a\r\n");
  AddressList pay;
  pay.Load(path, "Linktopay");
  // The 5-byte entry is dropped on reading; the 14-byte one is kept but inert.
  EXPECT_EQ(pay.entries(), (std::vector<std::string>{"pay.example/x", "pay.example/abc"}));
  EXPECT_FALSE(pay.Matches("http://pay.example/x?id=1"));        // 13 bytes
  EXPECT_TRUE(pay.Matches("http://pay.example/abc?id=1"));       // 15 bytes
  EXPECT_FALSE(pay.Matches("http://PAY.example/abc?id=1"));      // case-sensitive

  AddressList other;
  other.Load(path, "Otherurl");
  EXPECT_EQ(other.entries().size(), 1u);
  EXPECT_FALSE(other.Matches("http://game.example/a"));  // 14 bytes never match

  AddressList missing;
  missing.Load(dir.File("none.ini"), "Linktopay");
  EXPECT_TRUE(missing.entries().empty());
  EXPECT_FALSE(missing.Matches("anything"));
}

}  // namespace
}  // namespace tamvelo::test
