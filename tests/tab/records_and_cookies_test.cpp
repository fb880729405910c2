// The main program's records to a host window, the cookie calls they cause,
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
#include "tab/host_records.h"
#include "tab/tab_host.h"
#include "tab/weburl.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace tab;  // the code under test
namespace {

// What a record caused, in order: "cookie:<text>" and "navigate:<address>".
struct Recorder {
  std::vector<std::wstring> log;
  int failuresLeft = 0;
  RecordActions Actions() {
    return {[this](const char* text) {
              log.push_back(L"cookie:" + WideFromNarrow(text));
              if (failuresLeft == 0) return true;
              --failuresLeft;
              return false;
            },
            [this](const std::wstring& address) { log.push_back(L"navigate:" + address); }};
  }
};

COPYDATASTRUCT Record(ULONG_PTR kind, const void* data, DWORD byteCount) {
  return {kind, byteCount, const_cast<void*>(data)};
}

TEST(HostRecordTest, CookiesAreSetOneByOneInOrderBeforeNavigation) {
  Recorder recorder;
  const std::string text = "a=1; b=2; c=3||http://127.0.0.1/game?id=7";
  const COPYDATASTRUCT record = Record(1, text.c_str(), static_cast<DWORD>(text.size() + 1));
  HandleHostRecord(&record, recorder.Actions());
  EXPECT_EQ((std::vector<std::wstring>{L"cookie:a=1", L"cookie: b=2", L"cookie: c=3",
                                       L"navigate:http://127.0.0.1/game?id=7"}),
            recorder.log);
}

TEST(HostRecordTest, ARefusedCookieCallIsMadeOnceMoreThenTheSequenceGoesOn) {
  std::vector<std::string> calls;
  int refusals = 3;  // the first cookie twice, then the second once
  SetCookieText("a=1; b=2", [&](const char* text) {
    calls.push_back(text);
    return refusals-- <= 0;
  });
  EXPECT_EQ((std::vector<std::string>{"a=1", "a=1", " b=2", " b=2"}), calls);
}

TEST(HostRecordTest, TextsWithNothingToSetCauseNoCall) {
  std::vector<std::string> calls;
  const CookieSetter record = [&](const char* text) {
    calls.push_back(text);
    return true;
  };
  SetCookieText("", record);
  SetCookieText("  ", record);
  SetCookieText("a=1; ", record);
  EXPECT_EQ((std::vector<std::string>{"a=1"}), calls);
}

// Every cookie is read once, however many there are: the bytes handed to
// the platform stay within the text's own. Above the bound only the
// cookies wholly within it are set.
TEST(HostRecordTest, LongTextsAreSetCookieByCookieAndCutAfterTheLastWholeCookieInTheBound) {
  // The most whole cookies that fit in the bound, and a text three times as long.
  std::string within;
  int count = 0;
  for (;; ++count) {
    const std::string next = (count ? "; c" : "c") + std::to_string(count) + "=value";
    if (within.size() + next.size() > kLongestCookieText) break;
    within += next;
  }
  std::string longer = within;
  for (int i = count; longer.size() < 3 * kLongestCookieText; ++i) longer += "; c" + std::to_string(i) + "=value";
  const std::string lastWithin = " c" + std::to_string(count - 1) + "=value";
  struct Case {
    const char* name;
    std::string text;
    size_t calls;
    std::string last;
  };
  const Case cases[] = {
      {"at the bound", within, static_cast<size_t>(count), lastWithin},
      {"above the bound", longer, static_cast<size_t>(count), lastWithin},
      {"one cookie above the bound", "big=" + std::string(kLongestCookieText, 'v'), 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    size_t calls = 0;
    size_t bytes = 0;
    std::string last;
    SetCookieText(c.text, [&](const char* cookie) {
      ++calls;
      last = cookie;
      bytes += last.size();
      return true;
    });
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(last, c.last);
    EXPECT_LE(bytes, kLongestCookieText);
  }
}

TEST(HostRecordTest, AddressRecordNavigatesToTheWholeTextConvertedFromTheAnsiCodePage) {
  Recorder recorder;
  const std::string address = test::Utf8ToAnsi(u8"http://127.0.0.1/游戏?a=1||b");
  const COPYDATASTRUCT record = Record(2, address.c_str(), static_cast<DWORD>(address.size() + 1));
  HandleHostRecord(&record, recorder.Actions());
  EXPECT_EQ(std::vector<std::wstring>{L"navigate:http://127.0.0.1/游戏?a=1||b"}, recorder.log);
}

TEST(HostRecordTest, MalformedRecordsDoNothingOrStayWithinTheirBytes) {
  Recorder recorder;
  const std::string noSeparator = "a=1; b=2|http://127.0.0.1/";
  const COPYDATASTRUCT cases[] = {
      Record(1, noSeparator.c_str(), static_cast<DWORD>(noSeparator.size() + 1)),
      Record(2, "http://x/", 0),          // no bytes
      Record(2, nullptr, 40),             // no data
      Record(0, "http://127.0.0.1/", 18),  // kinds the host window does not know
      Record(3, "http://127.0.0.1/", 18),
      Record(1, "||", 3),                 // nothing on either side
  };
  for (const COPYDATASTRUCT& record : cases) HandleHostRecord(&record, recorder.Actions());
  HandleHostRecord(nullptr, recorder.Actions());
  EXPECT_TRUE(recorder.log.empty());

  // No terminator: the text ends with cbData.
  const char unterminated[] = {'h', 't', 't', 'p', ':', '/', '/', 'a', '/', 'X', 'Y'};
  COPYDATASTRUCT cut = Record(2, unterminated, 9);
  HandleHostRecord(&cut, recorder.Actions());
  // A huge cbData over a small buffer: reading stops at the terminator.
  const char small[] = "http://b/";
  COPYDATASTRUCT huge = Record(2, small, 0x7FFFFFFF);
  HandleHostRecord(&huge, recorder.Actions());
  EXPECT_EQ((std::vector<std::wstring>{L"navigate:http://a/", L"navigate:http://b/"}),
            recorder.log);
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
