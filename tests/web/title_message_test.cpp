#include "box/web/title_message.h"

#include <gtest/gtest.h>

#include "tests/support/text_literals.h"

namespace tamvelo::test {
using namespace web;  // the code under test
namespace {

void ExpectMessage(const std::string& title, const std::string& text, bool loggedIn) {
  SCOPED_TRACE(title);
  const auto message = ParseTitleMessage(title);
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(message->text, text);
  EXPECT_EQ(message->loggedIn, loggedIn);
}

TEST(TitleMessage, PrefixesGiveTheRestOfTheTitle) {
  ExpectMessage("username:player_01", "player_01", true);
  ExpectMessage("nologin:登录", "登录", false);
  ExpectMessage("username:", "", true);
  ExpectMessage("nologin:", "", false);
  // Only the first prefix counts; the rest is taken whole.
  ExpectMessage("username:nologin:x", "nologin:x", true);
  ExpectMessage("nologin:username:x", "username:x", false);
  ExpectMessage("username: 两个 空格 ", " 两个 空格 ", true);
}

TEST(TitleMessage, OtherTitlesAreNoMessage) {
  for (const std::string title :
       {"", "username", "nologin", "USERNAME:x", "Username:x", "NoLogin:x", " username:x",
        "user name:x", "我的 username:x", "塔维洛游戏盒"}) {
    SCOPED_TRACE(title);
    EXPECT_FALSE(ParseTitleMessage(title).has_value());
  }
}

TEST(TitleMessage, ChineseNamesSurviveInTheAnsiCodePage) {
  const std::string title = test::Utf8ToAnsi(u8"username:小明");
  ExpectMessage(title, test::Utf8ToAnsi(u8"小明"), true);
}

}  // namespace
}  // namespace tamvelo::test
