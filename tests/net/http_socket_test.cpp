#include "box/net/http_socket.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/loopback_server.h"
#include "tests/net/message_recorder.h"

namespace tamvelo::test {
using namespace net;  // the code under test
namespace {

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

// The head itself is tested in http_head_test.cpp; here the object's own
// buffer, its length and the refusal.
TEST(HttpRequest, BuildRequestGivesItsHeadAndLengthOrNothing) {
  CHttpSocket http;
  long length = -1;
  const char* head = http.BuildRequest("www.example.test", "/res/box/version.ini", &length,
                                       "uid=7", "http://www.example.test/page", 100, 200);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(length, static_cast<long>(std::strlen(head)));
  EXPECT_EQ(std::string(head).rfind("Range: bytes=100-200\r\n\r\n"),
            std::strlen(head) - std::strlen("Range: bytes=100-200\r\n\r\n"));

  const std::string tooLong = "/" + std::string(kHttpBufferBytes, 'p');
  EXPECT_EQ(http.BuildRequest("www.example.test", tooLong.c_str(), &length), nullptr);
  EXPECT_EQ(length, 0);
  length = -1;
  EXPECT_EQ(http.BuildRequest("h", "/a\r\nX-Injected: 1", &length), nullptr);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(http.BuildRequest(nullptr, "/a", &length), nullptr);
  EXPECT_EQ(http.BuildRequest("h", "no-slash", nullptr), nullptr);
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

// The lookup itself is tested in http_head_test.cpp: the object looks in
// the head it received.
TEST(HttpHeaderField, LooksInTheReceivedHead) {
  MessageRecorder messages;
  Exchange exchange(test::Reply("HTTP/1.0 404 Not Found\r\nContent-Length: 3\r\n\r\nabc"));
  char value[30];
  EXPECT_EQ(exchange.http.HeaderField("Content-Length", value, sizeof value), 1);
  EXPECT_STREQ(value, "3");
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
