#include "box/prefs/close_action.h"

#include <gtest/gtest.h>

namespace tamvelo::test {
using namespace prefs;  // the code under test
namespace {

TEST(CloseAction, ByStoredChoice) {
  EXPECT_EQ(CloseActionFor("Error"), CloseAction::Prompt);  // key absent
  EXPECT_EQ(CloseActionFor("ERROR"), CloseAction::Prompt);
  EXPECT_EQ(CloseActionFor("error"), CloseAction::Prompt);
  EXPECT_EQ(CloseActionFor("0"), CloseAction::Prompt);
  EXPECT_EQ(CloseActionFor("1"), CloseAction::Quit);
  EXPECT_EQ(CloseActionFor("2"), CloseAction::Hide);
  EXPECT_EQ(CloseActionFor("3"), CloseAction::Nothing);
  EXPECT_EQ(CloseActionFor(""), CloseAction::Nothing);
  EXPECT_EQ(CloseActionFor(" 1"), CloseAction::Nothing);
  EXPECT_EQ(CloseActionFor("01"), CloseAction::Nothing);
}

}  // namespace
}  // namespace tamvelo::test
