// The main program's records to a host window and the cookie calls they
// cause, without the window.
#include "tab/host_records.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "common/protocol_records.h"
#include "common/text_codec.h"
#include "tab/cookie_text.h"
#include "tests/support/text_literals.h"

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

// A record as the host window receives it.
struct Record {
  protocol::RecordKind kind;
  const void* data;
  size_t byteCount;
};

void Handle(const Record& record, const RecordActions& actions) {
  HandleHostRecord(record.kind, record.data, record.byteCount, actions);
}

TEST(HostRecordTest, CookiesAreSetOneByOneInOrderBeforeNavigation) {
  Recorder recorder;
  const std::string text = "a=1; b=2; c=3||http://127.0.0.1/game?id=7";
  Handle({1, text.c_str(), text.size() + 1}, recorder.Actions());
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

// Empty or blank pieces around the ';' hold no cookie: the platform would
// refuse them, and each refusal is tried twice.
TEST(HostRecordTest, EmptyOrBlankPiecesBetweenSemicolonsCauseNoCall) {
  std::vector<std::string> calls;
  const CookieSetter record = [&](const char* text) {
    calls.push_back(text);
    return false;
  };
  SetCookieText(";", record);
  SetCookieText("; \x9f}(p", record);
  SetCookieText("a=1;;  ; b=2", record);
  SetCookieText(" ; ;", record);
  EXPECT_EQ((std::vector<std::string>{" \x9f}(p", " \x9f}(p", "a=1", "a=1", " b=2", " b=2"}), calls);
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
  Handle({2, address.c_str(), address.size() + 1}, recorder.Actions());
  EXPECT_EQ(std::vector<std::wstring>{L"navigate:http://127.0.0.1/游戏?a=1||b"}, recorder.log);
}

TEST(HostRecordTest, MalformedRecordsDoNothingOrStayWithinTheirBytes) {
  Recorder recorder;
  const std::string noSeparator = "a=1; b=2|http://127.0.0.1/";
  const Record cases[] = {
      {1, noSeparator.c_str(), noSeparator.size() + 1},
      {2, "http://x/", 0},           // no bytes
      {2, nullptr, 40},              // no data
      {0, "http://127.0.0.1/", 18},  // kinds the host window does not know
      {3, "http://127.0.0.1/", 18},
      {1, "||", 3},                  // nothing on either side
  };
  for (const Record& record : cases) Handle(record, recorder.Actions());
  EXPECT_TRUE(recorder.log.empty());

  // No terminator: the text ends with cbData.
  const char unterminated[] = {'h', 't', 't', 'p', ':', '/', '/', 'a', '/', 'X', 'Y'};
  Handle({2, unterminated, 9}, recorder.Actions());
  // A huge cbData over a small buffer: reading stops at the terminator.
  const char small[] = "http://b/";
  Handle({2, small, 0x7FFFFFFF}, recorder.Actions());
  EXPECT_EQ((std::vector<std::wstring>{L"navigate:http://a/", L"navigate:http://b/"}),
            recorder.log);
}

}  // namespace
}  // namespace tamvelo::test
