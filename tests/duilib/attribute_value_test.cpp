// The attribute value parsers on plain types. Portable: runs natively too.
#include "duilib/UIAttributeValue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace tamvelo::test {
using namespace DuiLib;  // the code under test
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(AttributeValue, BoolsAndIntegers) {
  EXPECT_TRUE(ParseBool("true"));
  EXPECT_TRUE(ParseBool(" TrUe"));
  EXPECT_TRUE(ParseBool("trueish"));  // only the first four letters count
  EXPECT_TRUE(ParseBool("1"));
  EXPECT_TRUE(ParseBool("-3"));
  EXPECT_FALSE(ParseBool("tru"));
  EXPECT_FALSE(ParseBool("0"));
  EXPECT_FALSE(ParseBool("false"));
  EXPECT_FALSE(ParseBool("yes"));
  EXPECT_FALSE(ParseBool(""));
  EXPECT_FALSE(ParseBool(nullptr));
  // 2^32 is not zero: clamped, not cut to its low 32 bits.
  EXPECT_TRUE(ParseBool("4294967296"));

  EXPECT_EQ(ParseInt("42"), 42);
  EXPECT_EQ(ParseInt(" \t-7"), -7);
  EXPECT_EQ(ParseInt("+5"), 5);
  EXPECT_EQ(ParseInt("12px"), 12);
  EXPECT_EQ(ParseInt("px"), 0);
  EXPECT_EQ(ParseInt(nullptr), 0);
  EXPECT_EQ(ParseInt("99999999999"), kMax);
  EXPECT_EQ(ParseInt("-99999999999"), kMin);
  EXPECT_EQ(ParseInt("4294967296"), kMax);
}

void ExpectRect(const RectValue& rc, int32_t l, int32_t t, int32_t r, int32_t b, const char* text) {
  EXPECT_EQ(rc.left, l) << text;
  EXPECT_EQ(rc.top, t) << text;
  EXPECT_EQ(rc.right, r) << text;
  EXPECT_EQ(rc.bottom, b) << text;
}

TEST(AttributeValue, RectsAndSizesAreLenient) {
  const struct {
    const char* text;
    int32_t l, t, r, b;
  } cases[] = {
      {"1,2,3,4", 1, 2, 3, 4},
      {" 1 , 2 ,3, 4 ", 1, 2, 3, 4},
      {"-5,-6,-7,-8", -5, -6, -7, -8},
      {"1,2", 1, 2, 0, 0},           // missing parts are 0
      {"1,x,3,4", 1, 0, 3, 4},       // a bad part does not shift the rest
      {"1,2,3,4,5", 1, 2, 3, 4},
      {"", 0, 0, 0, 0},
      {"99999999999,0,0,-99999999999", kMax, 0, 0, kMin},
  };
  for (const auto& c : cases) ExpectRect(ParseRectValue(c.text), c.l, c.t, c.r, c.b, c.text);
  ExpectRect(ParseRectValue(nullptr), 0, 0, 0, 0, "(null)");

  const SizeValue size = ParseSizeValue(" 1020 , 690");
  EXPECT_EQ(size.cx, 1020);
  EXPECT_EQ(size.cy, 690);
  EXPECT_EQ(ParseSizeValue("10").cy, 0);
  EXPECT_EQ(ParseSizeValue(nullptr).cx, 0);
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

bool ListOf(const char* list, Pairs& pairs) {
  pairs.clear();
  return ParseAttributeList(list, [&pairs](const char* name, const char* value) { pairs.emplace_back(name, value); });
}

TEST(AttributeValue, ListsTolerateBlanksAndStopAtTheFirstBrokenPair) {
  Pairs pairs;
  ASSERT_TRUE(ListOf("  name = 'a b'\ttext=\"x='y'\"\r\nempty=''  ", pairs));
  EXPECT_EQ(pairs, (Pairs{{"name", "a b"}, {"text", "x='y'"}, {"empty", ""}}));
  EXPECT_FALSE(ListOf("width=\"10\" height=20 text=\"never\"", pairs));
  EXPECT_EQ(pairs, (Pairs{{"width", "10"}}));
  EXPECT_FALSE(ListOf("a='1' text=\"unterminated", pairs));
  EXPECT_EQ(pairs, (Pairs{{"a", "1"}}));
  EXPECT_FALSE(ListOf("=\"x\"", pairs));
  EXPECT_FALSE(ListOf("a", pairs));
  EXPECT_FALSE(ListOf("a=", pairs));
  EXPECT_TRUE(pairs.empty());
  EXPECT_TRUE(ListOf(nullptr, pairs));
  EXPECT_TRUE(ListOf("   ", pairs));
  EXPECT_TRUE(pairs.empty());
}

TEST(AttributeValue, CaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_TRUE(EqualsNoCase("TRUE", "true"));
  EXPECT_TRUE(EqualsNoCase("", ""));
  EXPECT_FALSE(EqualsNoCase("true ", "true"));
  // Differ by the case bit, but are no letters.
  EXPECT_FALSE(EqualsNoCase("[@", "{`"));
}

}  // namespace
}  // namespace tamvelo::test
