#include "common/ini.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace ini;  // the code under test
namespace {

TEST(IniText, MissingFileSectionOrKeyReadsAsError) {
  TempDir dir;
  EXPECT_EQ(ReadText(dir.File("none.ini"), "Setting", "Skin"), "Error");
  WriteFile(dir.File("a.ini"), "[Setting]\r\nSkin=3\r\n");
  EXPECT_EQ(ReadText(dir.File("a.ini"), "Setting", "Skin"), "3");
  EXPECT_EQ(ReadText(dir.File("a.ini"), "Setting", "Other"), "Error");
  EXPECT_EQ(ReadText(dir.File("a.ini"), "Nothing", "Skin"), "Error");
  EXPECT_EQ(ReadInt(dir.File("a.ini"), "Setting", "Skin"), 3);
  EXPECT_EQ(ReadInt(dir.File("none.ini"), "Setting", "Skin"), 0);
  EXPECT_EQ(ReadTextW(test::Utf8ToWide(dir.File("a.ini")), L"Setting", L"Skin"), L"3");
  EXPECT_EQ(ReadTextW(test::Utf8ToWide(dir.File("none.ini")), L"Setting", L"Skin"), L"Error");
}

TEST(IniText, LongValuesAreCutToTheBuffer) {
  TempDir dir;
  const std::string longValue(400, 'x');
  WriteFile(dir.File("a.ini"), "[Login]\r\nUser1=" + longValue + "\r\n");
  EXPECT_EQ(ReadText(dir.File("a.ini"), "Login", "User1"), std::string(259, 'x'));
  EXPECT_EQ(ReadText(dir.File("a.ini"), "Login", "User1", 20), std::string(19, 'x'));
  EXPECT_EQ(ReadTextW(test::Utf8ToWide(dir.File("a.ini")), L"Login", L"User1").size(), 259u);
}

TEST(IniText, WritesRoundTrip) {
  TempDir dir;
  const std::string path = dir.File("config.ini");
  EXPECT_TRUE(WriteInt(path, "Setting", "Skin", -1));
  EXPECT_TRUE(WriteText(path, "Setting", "ExitDirect", "2"));
  EXPECT_EQ(ReadText(path, "Setting", "Skin"), "-1");
  EXPECT_EQ(ReadText(path, "Setting", "ExitDirect"), "2");
  EXPECT_TRUE(WriteText(path, "Setting", "ExitDirect", "1"));
  EXPECT_EQ(ReadText(path, "Setting", "ExitDirect"), "1");
  // A missing folder makes the write fail without harm.
  EXPECT_FALSE(WriteText(dir.File("no\\such\\config.ini"), "Setting", "Skin", "1"));
}

TEST(IniList, KeepsLongEnoughPresentEntriesInFileOrder) {
  TempDir dir;
  const std::string path = dir.File("param.ini");
  WriteFile(path,
            "[Linktopay]\r\ncount=3\r\nstr1=http://one.example/\r\nstr3=http://three.example/\r\n"
            "[Otherurl]\r\ncount=5\r\nstr1=12345\r\nstr2=123456\r\nstr3=error\r\nstr4=ERROR\r\n"
            "str5=Error\r\n"
            "[Empty]\r\ncount=0\r\nstr1=http://never.example/\r\n"
            "[Negative]\r\ncount=-4\r\nstr1=http://never.example/\r\n");
  EXPECT_EQ(ReadNumberedList(path, "Linktopay"),
            (std::vector<std::string>{"http://one.example/", "http://three.example/"}));
  EXPECT_EQ(ReadNumberedList(path, "Otherurl"), (std::vector<std::string>{"123456"}));
  EXPECT_TRUE(ReadNumberedList(path, "Empty").empty());
  EXPECT_TRUE(ReadNumberedList(path, "Negative").empty());
  EXPECT_TRUE(ReadNumberedList(path, "Missing").empty());
  EXPECT_TRUE(ReadNumberedList(dir.File("none.ini"), "Linktopay").empty());

  const std::wstring widePath = test::Utf8ToWide(path);
  EXPECT_EQ(ReadNumberedListW(widePath, L"Linktopay"),
            (std::vector<std::wstring>{L"http://one.example/", L"http://three.example/"}));
  EXPECT_EQ(ReadNumberedListW(widePath, L"Otherurl"), (std::vector<std::wstring>{L"123456"}));
}

// "count" beyond the room of the numbered keys reads only up to the capacity.
TEST(IniList, CountAboveCapacityReadsAtMostTheCapacity) {
  TempDir dir;
  const std::string path = dir.File("param.ini");
  std::string text = "[Weburl]\r\ncount=100000\r\n";
  for (int i = 1; i <= 100; ++i) text += "str" + std::to_string(i) + "=entry-" + std::to_string(i) + "\r\n";
  text += "str1000=entry-1000\r\n";
  text = "[Linktopay]\r\ncount=1001\r\nstr999=entry-999\r\nstr1000=entry-1000\r\n" + text;
  WriteFile(path, text);

  const auto wide = ReadNumberedListW(test::Utf8ToWide(path), L"Weburl");
  ASSERT_EQ(wide.size(), 99u);
  EXPECT_EQ(wide.back(), L"entry-99");

  EXPECT_EQ(ReadNumberedList(path, "Linktopay"), (std::vector<std::string>{"entry-999"}));
}

TEST(IniList, ChineseValuesStayInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 936u) << "tests run with code page 936";
  TempDir dir;
  const std::string path = dir.File("param.ini");
  const std::string value = test::Utf8ToAnsi(u8"http://\u6e38\u620f.example/");
  WriteFile(path, "[Otherurl]\r\ncount=1\r\nstr1=" + value + "\r\n");
  EXPECT_EQ(ReadNumberedList(path, "Otherurl"), (std::vector<std::string>{value}));
  EXPECT_EQ(ReadNumberedListW(test::Utf8ToWide(path), L"Otherurl"),
            (std::vector<std::wstring>{L"http://\u6e38\u620f.example/"}));
}

}  // namespace
}  // namespace tamvelo::test
