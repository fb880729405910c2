// One try of the portal against servers of the test's own: what each kind
// of answer, or its absence, counts as. A try shows no message box.
#include <winsock2.h>  // before any windows.h

#include "box/net/portal_try.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/net/message_recorder.h"
#include "tests/support/loopback_server.h"

namespace tamvelo::test {
using namespace net;  // the code under test
namespace {

constexpr DWORD kShortLimitMs = 300;
const Failure kNoConnection{FailureKind::NoConnection, 0};
const Failure kTimedOut{FailureKind::TimedOut, 0};

TEST(PortalTry, EachAnswerCountsAsItsKind) {
  const std::string fillerField = "X-Filler: " + std::string(1100, 'f') + "\r\n";
  struct Row {
    const char* what;
    std::string reply;
    std::optional<Failure> failure;
  } rows[] = {
      {"200", OkResponse("<html></html>"), std::nullopt},
      {"204 without a body", "HTTP/1.1 204 No Content\r\n\r\n", std::nullopt},
      {"200 with a head past the buffer", "HTTP/1.1 200 OK\r\n" + fillerField + "\r\n", std::nullopt},
      {"503", "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n", Failure{FailureKind::HttpStatus, 503}},
      {"404", "HTTP/1.0 404 Not Found\r\n\r\n", Failure{FailureKind::HttpStatus, 404}},
      {"a redirect", "HTTP/1.1 302 Found\r\nLocation: http://login.wifi/\r\n\r\n", Failure{FailureKind::HttpStatus, 302}},
      {"closed without a word", "", kNoConnection},
      {"no HTTP", "SSH-2.0-OpenSSH_9.2\r\n", kNoConnection},
      {"a broken status line", "HTTP/1.1 2x0 OK\r\n\r\n", kNoConnection},
  };
  MessageRecorder messages;
  for (const Row& row : rows) {
    LoopbackServer server(Reply(row.reply));
    EXPECT_EQ(TryPortal(server.BaseUrl() + "/box/index.html?a=1#part", kShortLimitMs * 10), row.failure) << row.what;
    ASSERT_EQ(server.Requests().size(), 1u) << row.what;
    EXPECT_EQ(RequestPath(server.Requests()[0]), "/box/index.html?a=1") << row.what;
  }
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(PortalTry, WhatNeverAnswersCountsAsItsKind) {
  MessageRecorder messages;
  EXPECT_EQ(TryPortal("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/", kShortLimitMs), kNoConnection);

  // Accepts, then says nothing for longer than the try may take.
  LoopbackServer silent(ReplyThenStall("", 1500));
  EXPECT_EQ(TryPortal(silent.BaseUrl() + "/", kShortLimitMs), kTimedOut);
  LoopbackServer slow(ReplyThenStall("HTTP/1.1 20", 1500, "0 OK\r\n\r\n"));
  EXPECT_EQ(TryPortal(slow.BaseUrl() + "/", kShortLimitMs), kTimedOut);

  {
    FullBacklogListener dropping;
    EXPECT_EQ(TryPortal(dropping.BaseUrl() + "/", kShortLimitMs), kTimedOut);
  }

  for (const char* unfetchable : {"https://127.0.0.1/", "http://127.0.0.1", "",
                                  "http://127.0.0.1:80/a\r\nX-Injected: 1"}) {
    EXPECT_EQ(TryPortal(unfetchable, kShortLimitMs), kNoConnection) << unfetchable;
  }
  EXPECT_TRUE(messages.Messages().empty());
}

// Anyone can post to the window: what no try sends reads as no connection.
TEST(PortalTry, ForeignAnswersReadAsNoConnection) {
  for (LPARAM forged : {LPARAM(9), LPARAM(0xFF), LPARAM(4 | (1000 << 8)), LPARAM(4 | (-5 * 256)), LPARAM(-1)}) {
    EXPECT_EQ(ReadTryAnswer(forged), kNoConnection) << forged;
  }
}

}  // namespace
}  // namespace tamvelo::test
