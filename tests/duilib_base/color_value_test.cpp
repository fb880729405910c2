// The colour values of the skin syntax (CRenderEngine::ParseColor).
// Portable: runs natively too.
#include "duilib/UIColorValue.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tamvelo::test {
using namespace DuiLib;  // the code under test
namespace {

TEST(ParseColor, AcceptedAndRejectedForms) {
  struct Case {
    const char* text;
    uint32_t color;
  };
  const Case cases[] = {
      {"#FF112233", 0xFF112233}, {"0x80ABCDEF", 0x80ABCDEF}, {"0X00000001", 0x00000001},
      {"7f102030", 0x7F102030},  {"#112233", 0xFF112233},    {"#abcdef", 0xFFABCDEF},
      {" #FFFFFFFF ", 0xFFFFFFFF}, {"#FFF", 0},               {"#1122334", 0},
      {"#FF1122334", 0},         {"#GG112233", 0},           {"", 0},
      {"#", 0},                  {"0x", 0},                  {"red", 0},
      {"#FF 112233", 0},         {nullptr, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseColorValue(c.text), c.color) << (c.text ? c.text : "(null)");
  }
}

}  // namespace
}  // namespace tamvelo::test
