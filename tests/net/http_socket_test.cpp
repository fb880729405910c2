#include "box/net/http_socket.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/net/loopback_server.h"
#include "tests/net/message_recorder.h"

namespace tamvelo::test {
using namespace net;  // the code under test
namespace {


constexpr char kCommonLines[] =
    "Accept:*/*\r\n"
    "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
    "Connection:Keep-Alive\r\n";

std::string Built(const char* cookie, const char* referer, long start, long end) {
  CHttpSocket http;
  long length = -1;
  const char* head = http.BuildRequest("www.example.test", "/res/box/version.ini", &length,
                                       cookie, referer, start, end);
  EXPECT_NE(head, nullptr);
  if (!head) return {};
  EXPECT_EQ(length, static_cast<long>(std::string(head).size()));
  return head;
}

// A client connected to a server of the test, with the request already sent.
struct Exchange {
  explicit Exchange(LoopbackServer::Handler handler) : server(std::move(handler)) {
    EXPECT_TRUE(http.OpenSocket());
    EXPECT_TRUE(http.Connect("127.0.0.1", server.port()));
    http.BuildRequest("127.0.0.1", "/x", nullptr);
    EXPECT_TRUE(http.SendRequest());
  }
  LoopbackServer server;
  CHttpSocket http;
};

TEST(HttpRequest, HeadIsBuiltByteForByte) {
  const std::string plain = std::string("GET /res/box/version.ini HTTP/1.1\r\n") +
                            "Host:www.example.test\r\n" + kCommonLines + "\r\n";
  EXPECT_EQ(Built(nullptr, nullptr, 0, 0), plain);

  EXPECT_EQ(Built("uid=7; k=v", "http://www.example.test/page", 0, 0),
            std::string("GET /res/box/version.ini HTTP/1.1\r\n") + "Host:www.example.test\r\n" +
                "Referer:http://www.example.test/page\r\n" + kCommonLines +
                "Set Cookie:0uid=7; k=v\r\n" + "\r\n");
}

TEST(HttpRequest, RangeLineFollowsStartAndEnd) {
  const std::string before = std::string("GET /res/box/version.ini HTTP/1.1\r\n") +
                             "Host:www.example.test\r\n" + kCommonLines;
  EXPECT_EQ(Built(nullptr, nullptr, 0, 100), before + "\r\n");
  EXPECT_EQ(Built(nullptr, nullptr, 100, 50), before + "Range: bytes=100-\r\n\r\n");
  EXPECT_EQ(Built(nullptr, nullptr, 100, 100), before + "Range: bytes=100-\r\n\r\n");
  EXPECT_EQ(Built(nullptr, nullptr, 100, 200), before + "Range: bytes=100-200\r\n\r\n");
}

TEST(HttpRequest, OversizedOrUnsafeRequestsAreRefused) {
  CHttpSocket http;
  long length = -1;
  // Everything but the path, measured on a built head.
  const size_t overhead = Built(nullptr, nullptr, 0, 0).size() - std::strlen("/res/box/version.ini");
  const std::string exact = "/" + std::string(1023 - overhead - 1, 'p');
  ASSERT_NE(http.BuildRequest("www.example.test", exact.c_str(), &length), nullptr);
  EXPECT_EQ(length, 1023);

  const std::string tooLong = exact + "p";
  EXPECT_EQ(http.BuildRequest("www.example.test", tooLong.c_str(), &length), nullptr);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(http.BuildRequest("h", "/a\r\nX-Injected: 1", &length), nullptr);
  EXPECT_EQ(http.BuildRequest("h\r\n", "/a", &length), nullptr);
  EXPECT_EQ(http.BuildRequest("h", "/a", &length, "c\n"), nullptr);
  EXPECT_EQ(http.BuildRequest("h", "no-slash", &length), nullptr);
  EXPECT_EQ(http.BuildRequest(nullptr, "/a", &length), nullptr);
  EXPECT_EQ(length, 0);
}

TEST(HttpRequest, SentBytesAreTheBuiltHead) {
  MessageRecorder messages;
  LoopbackServer server(test::Reply("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"));
  CHttpSocket http;
  long length = 0;
  const std::string head = http.BuildRequest("127.0.0.1", "/p?q=1", &length, "a=b", nullptr, 5);
  ASSERT_TRUE(http.OpenSocket());
  ASSERT_TRUE(http.Connect("127.0.0.1", server.port()));
  ASSERT_TRUE(http.SendRequest());
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0], head);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(HttpResponse, HeadStopsAtBlankLineAndLeavesTheBody) {
  MessageRecorder messages;
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 10\r\nX-Note: a\r\n\r\n";
  Exchange exchange(test::Reply(head + "0123456789"));
  int size = 0;
  EXPECT_EQ(std::string(exchange.http.ReadHeader(&size)), head);
  EXPECT_EQ(size, static_cast<int>(head.size()));
  EXPECT_TRUE(exchange.http.HeadComplete());
  EXPECT_EQ(exchange.http.StatusCode(), 200);

  std::string body;
  char buffer[64];
  for (int got; (got = exchange.http.Receive(buffer, sizeof buffer)) > 0;) body.append(buffer, got);
  EXPECT_EQ(body, "0123456789");
  // The peer's close also closed our side.
  EXPECT_EQ(exchange.http.Receive(buffer, sizeof buffer), 0);
}

TEST(HttpResponse, LongHeadIsCutAt1024Bytes) {
  MessageRecorder messages;
  const std::string filler = "X-Filler: " + std::string(1100, 'f') + "\r\n";
  Exchange exchange(test::Reply("HTTP/1.1 200 OK\r\n" + filler + "Content-Length: 4\r\n\r\nbody"));
  int size = 0;
  const char* head = exchange.http.ReadHeader(&size);
  EXPECT_EQ(size, 1024);
  EXPECT_EQ(std::strlen(head), 1024u);  // still a terminated text
  EXPECT_FALSE(exchange.http.HeadComplete());
  char value[30];
  EXPECT_EQ(exchange.http.HeaderField("Content-Length", value, sizeof value), -1);
  // The filler field is found and its value ends at the cut.
  EXPECT_EQ(exchange.http.HeaderField("X-Filler", value, sizeof value),
            1024 - static_cast<int>(std::string("HTTP/1.1 200 OK\r\nX-Filler: ").size()));
  EXPECT_EQ(std::string(value), std::string(29, 'f'));
}

TEST(HttpResponse, PeerClosingBeforeTheBlankLineKeepsWhatArrived) {
  MessageRecorder messages;
  Exchange exchange(test::Reply("HTTP/1.1 200 OK\r\nContent-Length: 12"));
  int size = 0;
  EXPECT_EQ(std::string(exchange.http.ReadHeader(&size)), "HTTP/1.1 200 OK\r\nContent-Length: 12");
  EXPECT_FALSE(exchange.http.HeadComplete());
  char value[30];
  EXPECT_EQ(exchange.http.HeaderField("Content-Length", value, sizeof value), 2);
  EXPECT_STREQ(value, "12");
  EXPECT_EQ(exchange.http.Receive(value, sizeof value), 0);
}

TEST(HttpHeaderField, CaseSensitiveFirstOccurrenceSkippingTwoBytes) {
  MessageRecorder messages;
  Exchange exchange(test::Reply(
      "HTTP/1.1 200 OK\r\n"
      "X-Old-Content-Length: 7\r\n"
      "content-length: 5\r\n"
      "Content-Length:100\r\n"
      "Server: tiny\r\n\r\n"));
  char value[30];
  // "Content-Length" first occurs inside "X-Old-Content-Length".
  EXPECT_EQ(exchange.http.HeaderField("Content-Length", value, sizeof value), 1);
  EXPECT_STREQ(value, "7");
  EXPECT_EQ(exchange.http.HeaderField("content-length", value, sizeof value), 1);
  EXPECT_STREQ(value, "5");
  // With the colon, the first occurrence is still the "X-Old-" field, whose
  // value is all in the two skipped bytes.
  EXPECT_EQ(exchange.http.HeaderField("Content-Length:", value, sizeof value), 0);
  EXPECT_STREQ(value, "");
  EXPECT_EQ(exchange.http.HeaderField("Server", value, 3), 4);
  EXPECT_STREQ(value, "ti");
  EXPECT_EQ(exchange.http.HeaderField("Etag", value, sizeof value), -1);
  EXPECT_EQ(exchange.http.HeaderField("", value, sizeof value), -1);
}

TEST(HttpHeaderField, NoBlankAfterColonLosesTheFirstDigit) {
  MessageRecorder messages;
  Exchange exchange(test::Reply("HTTP/1.1 200 OK\r\nContent-Length:100\r\n\r\n"));
  char value[30];
  EXPECT_EQ(exchange.http.HeaderField("Content-Length", value, sizeof value), 2);
  EXPECT_STREQ(value, "00");
  EXPECT_EQ(exchange.http.HeaderField("content-length", value, sizeof value), -1);
}

TEST(HttpHeaderField, StatusLineOnlyIsReadNotJudged) {
  MessageRecorder messages;
  Exchange exchange(test::Reply("HTTP/1.0 404 Not Found\r\nContent-Length: 3\r\n\r\nabc"));
  char value[30];
  EXPECT_EQ(exchange.http.HeaderField("Content-Length", value, sizeof value), 1);
  EXPECT_EQ(exchange.http.StatusCode(), 404);
  EXPECT_EQ(exchange.http.HeaderField("404", value, sizeof value), 8);
  EXPECT_STREQ(value, "ot Found");
}

TEST(HttpReceive, TimeOutGivesMinusOneAndCloses) {
  MessageRecorder messages;
  Exchange exchange(test::ReplyThenStall("HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nabc", 1500));
  ASSERT_TRUE(exchange.http.SetTimeout(200, kReceiveTimeout));
  char buffer[16];
  EXPECT_EQ(exchange.http.Receive(buffer, sizeof buffer), 3);
  EXPECT_EQ(exchange.http.Receive(buffer, sizeof buffer), -1);
  EXPECT_EQ(exchange.http.Receive(buffer, sizeof buffer), 0);  // closed now
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(HttpConnect, ClosedPortFailsCleanlyWithOneMessage) {
  MessageRecorder messages;
  CHttpSocket http;
  ASSERT_TRUE(http.OpenSocket());
  EXPECT_FALSE(http.Connect("127.0.0.1", test::ClosedPort()));
  const auto shown = messages.Messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].owner, nullptr);
  EXPECT_EQ(shown[0].text, "connect()函数执行失败!");
  EXPECT_EQ(shown[0].caption, "错误");
  EXPECT_EQ(shown[0].flags, static_cast<UINT>(MB_OK));

  // Not connected: nothing is sent, no head, no body, and no more messages.
  http.BuildRequest("127.0.0.1", "/", nullptr);
  EXPECT_FALSE(http.SendRequest());
  char value[8];
  EXPECT_EQ(http.HeaderField("Content-Length", value, sizeof value), -1);
  EXPECT_EQ(http.Receive(value, sizeof value), 0);
  EXPECT_EQ(http.StatusCode(), -1);
  EXPECT_EQ(messages.Messages().size(), 1u);
  EXPECT_FALSE(http.Connect(nullptr, 80));
}

TEST(HttpConnect, ReopenAfterAFailedConnectThenSucceed) {
  MessageRecorder messages;
  LoopbackServer server(test::Reply("HTTP/1.1 204 No Content\r\n\r\n"));
  CHttpSocket http;
  ASSERT_TRUE(http.OpenSocket());
  EXPECT_FALSE(http.Connect("127.0.0.1", test::ClosedPort()));
  ASSERT_TRUE(http.OpenSocket());
  ASSERT_TRUE(http.Connect("127.0.0.1", server.port()));
  EXPECT_FALSE(http.OpenSocket());  // already connected
  http.BuildRequest("127.0.0.1", "/", nullptr);
  ASSERT_TRUE(http.SendRequest());
  EXPECT_EQ(http.StatusCode(), 204);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"connect()函数执行失败!"});
}

TEST(HttpSocketErrors, CallsWithoutASocketReportThemselves) {
  MessageRecorder messages;
  CHttpSocket http;
  EXPECT_FALSE(http.SetTimeout(1000, kSendTimeout));
  EXPECT_TRUE(http.CloseSocket());  // nothing to close is fine
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"setsockopt()函数执行失败!"});
}

}  // namespace
}  // namespace tamvelo::test
