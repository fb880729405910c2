#include "duilib/UIString.h"

#include <gtest/gtest.h>

#include <string>

namespace tamvelo::test {
using namespace DuiLib;  // the code under test
namespace {

// Code page 936 text whose trail bytes are ASCII upper-case letters:
// B0 41 and B0 42 are two Chinese characters, not "?A" and "?B".
const char kTrailLooksUpper[] = "\xb0\x41\xb0\x42" "AbC";

TEST(DuiString, ConstructionStopsAtTerminatorsAndAccessOutOfRangeIsHarmless) {
  EXPECT_EQ(CDuiString("abcdef", 3), "abc");
  EXPECT_EQ(CDuiString("ab\0cd", 5), "ab");
  EXPECT_EQ(CDuiString(static_cast<const char*>(nullptr)), "");
  CDuiString s = "hello";
  EXPECT_EQ(s.GetAt(5), '\0');
  EXPECT_EQ(s.GetAt(-1), '\0');
  s.SetAt(0, 'H');
  s.SetAt(99, 'Z');
  EXPECT_EQ(s, "Hello");
  s.Append(nullptr);
  EXPECT_EQ(s, "Hello");
}

TEST(DuiString, ComparisonsCompareTextOnEitherSide) {
  CDuiString a = "skin/";
  EXPECT_EQ("pre" + a + "x.png", "preskin/x.png");
  // Literal on the left compares text, not pointers.
  EXPECT_TRUE("skin/" == a);
  EXPECT_TRUE(CDuiString("abc") < "abd");
  EXPECT_TRUE(CDuiString("b") > "abc");
  EXPECT_LT(CDuiString("ABC").Compare("abc"), 0);
  EXPECT_EQ(CDuiString("WindowInit").CompareNoCase("windowinit"), 0);
  EXPECT_NE(CDuiString("click").CompareNoCase("clicks"), 0);
  EXPECT_GT(CDuiString("a").Compare(nullptr), 0);
}

TEST(DuiString, CaseChangesKeepDoubleByteCharacters) {
  CDuiString s = kTrailLooksUpper;
  s.MakeLower();
  EXPECT_EQ(s, "\xb0\x41\xb0\x42" "abc");
  s.MakeUpper();
  EXPECT_EQ(s, "\xb0\x41\xb0\x42" "ABC");
  // Case-insensitive comparison must not fold trail bytes: B0 41 and B0 61
  // are different characters.
  EXPECT_NE(CDuiString("\xb0\x41").CompareNoCase("\xb0\x61"), 0);
  EXPECT_EQ(CDuiString("\xb0\x41" "X").CompareNoCase("\xb0\x41" "x"), 0);
}

TEST(DuiString, SubstringsClampTheirArguments) {
  const CDuiString s = "0123456789";
  EXPECT_EQ(s.Left(3), "012");
  EXPECT_EQ(s.Left(50), "0123456789");
  EXPECT_EQ(s.Left(-1), "");
  EXPECT_EQ(s.Mid(7), "789");
  EXPECT_EQ(s.Mid(2, 3), "234");
  EXPECT_EQ(s.Mid(8, 10), "89");
  EXPECT_EQ(s.Mid(10), "");
  EXPECT_EQ(s.Mid(-3, 2), "01");
  EXPECT_EQ(s.Right(2), "89");
  EXPECT_EQ(s.Right(20), "0123456789");
  EXPECT_EQ(s.Right(0), "");
}

TEST(DuiString, FindSkipsTrailBytes) {
  const CDuiString s = "a=b;c=d";
  EXPECT_EQ(s.Find('='), 1);
  EXPECT_EQ(s.Find('=', 2), 5);
  EXPECT_EQ(s.Find('x'), -1);
  EXPECT_EQ(s.Find("c=d"), 4);
  EXPECT_EQ(s.Find("=", 6), -1);
  EXPECT_EQ(s.Find("", 7), 7);
  EXPECT_EQ(s.Find("a", 8), -1);
  EXPECT_EQ(s.ReverseFind('='), 5);
  EXPECT_EQ(s.ReverseFind('#'), -1);
  // '\\' is the trail byte of 81 5C; only the real separator is found.
  const CDuiString path = "dir\\\x81\x5c" "x";
  EXPECT_EQ(path.ReverseFind('\\'), 3);
  EXPECT_EQ(CDuiString(kTrailLooksUpper).Find('A'), 4);
}

TEST(DuiString, ReplaceCountsNonOverlappingMatches) {
  CDuiString s = "aaaa";
  EXPECT_EQ(s.Replace("aa", "b"), 2);
  EXPECT_EQ(s, "bb");
  s = "xml//main.xml";
  EXPECT_EQ(s.Replace("//", "/"), 1);
  EXPECT_EQ(s, "xml/main.xml");
  EXPECT_EQ(s.Replace("xml", "layout"), 2);
  EXPECT_EQ(s, "layout/main.layout");
  EXPECT_EQ(s.Replace("/", ""), 1);
  EXPECT_EQ(s, "layoutmain.layout");
  EXPECT_EQ(s.Replace("", "x"), 0);
  EXPECT_EQ(s.Replace(nullptr, "x"), 0);
  EXPECT_EQ(s.Replace("none", "x"), 0);
  s = "a.b";
  EXPECT_EQ(s.Replace(".", ".."), 1);  // the replacement is not searched again
  EXPECT_EQ(s, "a..b");
}

TEST(DuiString, FormatHasNoLengthLimit) {
  CDuiString s;
  EXPECT_EQ(s.Format("%d-%s-%c", 42, "x", 'y'), 6);
  EXPECT_EQ(s, "42-x-y");
  const std::string big(5000, 'q');
  EXPECT_EQ(s.Format("[%s]%d", big.c_str(), 7), 5003);
  EXPECT_EQ(s.GetLength(), 5003);
  EXPECT_EQ(s.Left(2), "[q");
  EXPECT_EQ(s.Right(3), "q]7");
  EXPECT_EQ(s.Format("%s", ""), 0);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.Format("%.2f", 1.0f), 4);
  EXPECT_EQ(s, "1.00");
}

}  // namespace
}  // namespace tamvelo::test
