// The host window's WM_COPYDATA record, the cookies in this process's jar,
// the [Weburl] list and the command line.
#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "common/portal_settings.h"
#include "common/protocol.h"
#include "common/text_codec.h"
#include "tab/cookies.h"
#include "tab/host_window.h"
#include "tab/tab_host.h"
#include "tab/weburl.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace tab;  // the code under test
namespace {

// What a record caused, in order: "cookie:<text>" and "navigate:<address>".
std::vector<std::wstring> Handled(const COPYDATASTRUCT* record) {
  std::vector<std::wstring> log;
  HandleHostRecord(record, {[&](const char* text) {
                              log.push_back(L"cookie:" + WideFromNarrow(text));
                              return true;
                            },
                            [&](const std::wstring& address) { log.push_back(L"navigate:" + address); }});
  return log;
}

// The handling itself is tested in host_records_test.cpp: the window's
// record is read within its cbData, and a missing one does nothing.
TEST(HostRecordWindowTest, TheReceivedRecordIsHandledWithinItsByteCount) {
  char text[] = "a=1||http://127.0.0.1/gameXY";
  COPYDATASTRUCT record{protocol::CopyDataCookiesAndUrl, sizeof text - 3, text};
  EXPECT_EQ((std::vector<std::wstring>{L"cookie:a=1", L"navigate:http://127.0.0.1/game"}), Handled(&record));
  COPYDATASTRUCT address{protocol::CopyDataUrl, 0, text};
  EXPECT_TRUE(Handled(&address).empty());
  EXPECT_TRUE(Handled(nullptr).empty());
}

TEST(CookieJarTest, EveryCookieOfTheTextReachesThisProcessesJar) {
  SetCookieText("tva=1; tvb=2; tvc=3", SetPortalCookie);
  char jar[1024] = {};
  DWORD size = sizeof jar;
  ASSERT_TRUE(InternetGetCookieA(kPortalRootUrl, nullptr, jar, &size));
  const std::string cookies = jar;
  EXPECT_NE(std::string::npos, cookies.find("tva=1")) << cookies;
  EXPECT_NE(std::string::npos, cookies.find("tvb=2")) << cookies;
  EXPECT_NE(std::string::npos, cookies.find("tvc=3")) << cookies;
  EXPECT_EQ(std::string::npos, cookies.find("tva=1; tvb=2; tvc=3")) << "one call stored all";
}

TEST(WeburlTest, ListKeepsOnlyPresentEntriesLongerThanFiveCharacters) {
  test::TempDir dir;
  const std::string ini = dir.File("param.ini");
  test::WriteFile(ini,
                  "[Weburl]\r\ncount=4\r\nstr1=eRRoR\r\nstr2=abcde\r\nstr3=game.example/play/\r\n"
                  "str4=abcdef\r\n");
  EXPECT_EQ((std::vector<std::wstring>{L"game.example/play/", L"abcdef"}),
            LoadWeburl(test::Utf8ToWide(ini)));
  EXPECT_TRUE(LoadWeburl(test::Utf8ToWide(dir.File("missing.ini"))).empty());
}

TEST(WeburlTest, CountAboveNinetyNineReadsTheFirstNinetyNine) {
  test::TempDir dir;
  const std::string ini = dir.File("param.ini");
  std::string text = "[Weburl]\r\ncount=150\r\n";
  for (int i = 1; i <= 150; ++i) text += "str" + std::to_string(i) + "=entry-" + std::to_string(i) + "\r\n";
  test::WriteFile(ini, text);
  const std::vector<std::wstring> list = LoadWeburl(test::Utf8ToWide(ini));
  ASSERT_EQ(99u, list.size());
  EXPECT_EQ(L"entry-99", list.back());
}

TEST(WeburlTest, OnlyEntriesOfFifteenCharactersOrMoreMatchAndCaseCounts) {
  const std::wstring fifteen = L"play.example/g1";  // 15 characters
  const std::wstring fourteen = L"play.example/g";  // 14 characters
  ASSERT_EQ(15u, fifteen.size());
  EXPECT_TRUE(IsWeburl({fifteen}, L"http://play.example/g1?server=3"));
  EXPECT_FALSE(IsWeburl({fourteen}, L"http://play.example/g1?server=3"));
  EXPECT_TRUE(IsWeburl({fourteen, fifteen}, L"http://play.example/g1"));
  EXPECT_FALSE(IsWeburl({fifteen}, L"http://PLAY.example/g1"));
  EXPECT_FALSE(IsWeburl({}, L"http://play.example/g1"));
  EXPECT_FALSE(IsWeburl({fifteen}, L""));
}

TEST(CommandLineTest, ArgumentIsWhatFollowsTheProgramName) {
  EXPECT_EQ(L"1_tamvelo_1_tab", CommandLineArgument(L"tamvelo-tab.exe 1_tamvelo_1_tab"));
  EXPECT_EQ(L"1_tamvelo_1_tag",
            CommandLineArgument(L"\"C:\\Program Files\\tv\\tamvelo-tab.exe\"  1_tamvelo_1_tag"));
  EXPECT_EQ(L"", CommandLineArgument(L"\"C:\\Program Files\\tv\\tamvelo-tab.exe\""));
  EXPECT_EQ(L"", CommandLineArgument(L"tamvelo-tab.exe \t "));
  EXPECT_EQ(L"", CommandLineArgument(L"\"unclosed quote"));
  EXPECT_EQ(L"", CommandLineArgument(nullptr));
}

}  // namespace
}  // namespace tamvelo::test
