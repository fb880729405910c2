// The HTTP client's text handling without sockets: the request head, the
// response head as it arrives, its fields, status and length, and the
// address split.
#include "box/net/http_head.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "box/net/http_address.h"

namespace tamvelo::test {
using namespace net;  // the code under test
namespace {

constexpr char kCommonLines[] =
    "Accept:*/*\r\n"
    "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
    "Connection:Keep-Alive\r\n";

// The request head of the usual host and path, or "(refused)".
std::string Built(GetRequest request, size_t capacity = kHttpBufferBytes) {
  if (!request.host) request.host = "www.example.test";
  if (!request.path) request.path = "/res/box/version.ini";
  std::string buffer(capacity, 'x');
  const std::optional<size_t> length = BuildGetRequest(request, buffer.data(), buffer.size());
  if (!length) {
    EXPECT_EQ(buffer, std::string(capacity, '\0')) << "a refused head leaves zeros";
    return "(refused)";
  }
  EXPECT_LT(*length, capacity);
  EXPECT_EQ(*length, std::strlen(buffer.c_str())) << "terminated right after the head";
  return buffer.substr(0, *length);
}

// The head as the socket's byte-by-byte reader keeps it.
ResponseHead Received(const std::string& bytes) {
  ResponseHead head;
  for (char byte : bytes) {
    if (!head.Open()) break;
    head.Add(byte);
  }
  return head;
}

TEST(HttpRequest, HeadIsBuiltByteForByte) {
  const std::string plain = std::string("GET /res/box/version.ini HTTP/1.1\r\n") +
                            "Host:www.example.test\r\n" + kCommonLines + "\r\n";
  EXPECT_EQ(Built({}), plain);

  GetRequest withCookie;
  withCookie.cookie = "uid=7; k=v";
  withCookie.referer = "http://www.example.test/page";
  EXPECT_EQ(Built(withCookie),
            std::string("GET /res/box/version.ini HTTP/1.1\r\n") + "Host:www.example.test\r\n" +
                "Referer:http://www.example.test/page\r\n" + kCommonLines +
                "Set Cookie:0uid=7; k=v\r\n" + "\r\n");
}

TEST(HttpRequest, RangeLineFollowsStartAndEnd) {
  const std::string before = std::string("GET /res/box/version.ini HTTP/1.1\r\n") +
                             "Host:www.example.test\r\n" + kCommonLines;
  const auto ranged = [](long start, long end) {
    GetRequest request;
    request.rangeStart = start;
    request.rangeEnd = end;
    return Built(request);
  };
  EXPECT_EQ(ranged(0, 100), before + "\r\n");
  EXPECT_EQ(ranged(-5, 100), before + "\r\n");
  EXPECT_EQ(ranged(100, 50), before + "Range: bytes=100-\r\n\r\n");
  EXPECT_EQ(ranged(100, 100), before + "Range: bytes=100-\r\n\r\n");
  EXPECT_EQ(ranged(100, 200), before + "Range: bytes=100-200\r\n\r\n");
}

TEST(HttpRequest, OversizedOrUnsafeRequestsAreRefused) {
  // Everything but the path, measured on a built head.
  const size_t overhead = Built({}).size() - std::strlen("/res/box/version.ini");
  const std::string exact = "/" + std::string(1023 - overhead - 1, 'p');
  GetRequest request;
  request.path = exact.c_str();
  EXPECT_EQ(Built(request).size(), 1023u);
  // The same head in a buffer one byte short has no room for its zero.
  EXPECT_EQ(Built(request, 1023), "(refused)");

  const std::string tooLong = exact + "p";
  request.path = tooLong.c_str();
  EXPECT_EQ(Built(request), "(refused)");

  const auto refused = [](const char* host, const char* path, const char* cookie,
                          const char* referer) {
    char buffer[kHttpBufferBytes];
    return !BuildGetRequest({host, path, cookie, referer, 0, 0}, buffer, sizeof buffer);
  };
  EXPECT_TRUE(refused("h", "/a\r\nX-Injected: 1", nullptr, nullptr));
  EXPECT_TRUE(refused("h\r\n", "/a", nullptr, nullptr));
  EXPECT_TRUE(refused("h", "/a", "c\n", nullptr));
  EXPECT_TRUE(refused("h", "/a", nullptr, "http://r/\r"));
  EXPECT_TRUE(refused("h", "no-slash", nullptr, nullptr));
  EXPECT_TRUE(refused("h", "", nullptr, nullptr));
  EXPECT_TRUE(refused(nullptr, "/a", nullptr, nullptr));
  EXPECT_TRUE(refused("h", nullptr, nullptr, nullptr));
  EXPECT_FALSE(refused("", "/", nullptr, nullptr));

  char none[1];
  EXPECT_FALSE(BuildGetRequest({"h", "/", nullptr, nullptr, 0, 0}, none, 0));
}

TEST(HttpResponseHead, EndsAtTheBlankLineOrAtTheBufferSize) {
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n";
  const ResponseHead complete = Received(head + "0123456789");
  EXPECT_TRUE(complete.Complete());
  EXPECT_FALSE(complete.Open());
  EXPECT_EQ(complete.Text(), head);
  EXPECT_EQ(complete.Size(), static_cast<int>(head.size()));

  // LF-only lines are no blank line: the head runs on to the cut.
  const ResponseHead bare = Received("HTTP/1.1 200 OK\nContent-Length: 4\n\nbody");
  EXPECT_FALSE(bare.Complete());
  EXPECT_TRUE(bare.Open());
  EXPECT_EQ(bare.Text(), "HTTP/1.1 200 OK\nContent-Length: 4\n\nbody");

  const std::string filler = "HTTP/1.1 200 OK\r\nX-Filler: " + std::string(1100, 'f');
  const ResponseHead full = Received(filler + "\r\n\r\n");
  EXPECT_FALSE(full.Complete());
  EXPECT_FALSE(full.Open());
  EXPECT_EQ(full.Size(), kHttpBufferBytes);
  EXPECT_EQ(std::strlen(full.CString()), 1024u);  // still a terminated text
  EXPECT_EQ(full.Text(), filler.substr(0, 1024));

  // A blank line that ends exactly at the buffer size still completes it.
  std::string exact = "HTTP/1.1 200 OK\r\nX-Filler: ";
  exact += std::string(1024 - exact.size() - 4, 'f') + "\r\n\r\n";
  const ResponseHead atTheSize = Received(exact + "body");
  EXPECT_TRUE(atTheSize.Complete());
  EXPECT_EQ(atTheSize.Text(), exact);
}

TEST(HttpResponseHead, AZeroByteEndsTheTextButNotTheCount) {
  const char received[] = "HTTP/1.1 200 OK\r\nX-A: 1\0Content-Length: 5\r\n\r\n";
  const ResponseHead head = Received(std::string(received, sizeof received - 1));
  EXPECT_TRUE(head.Complete());
  EXPECT_EQ(head.Size(), 45);
  EXPECT_EQ(head.Text(), "HTTP/1.1 200 OK\r\nX-A: 1");
  EXPECT_EQ(AnnouncedLength(head.Text()), -1);
}

TEST(HttpHeaderField, CaseSensitiveFirstOccurrenceSkippingTwoBytes) {
  const std::string head =
      "HTTP/1.1 200 OK\r\n"
      "X-Old-Content-Length: 7\r\n"
      "content-length: 5\r\n"
      "Content-Length:100\r\n"
      "Server: tiny\r\n\r\n";
  char value[30];
  // "Content-Length" first occurs inside "X-Old-Content-Length".
  EXPECT_EQ(HeaderField(head, "Content-Length", value, sizeof value), 1);
  EXPECT_STREQ(value, "7");
  EXPECT_EQ(HeaderField(head, "content-length", value, sizeof value), 1);
  EXPECT_STREQ(value, "5");
  // With the colon, the first occurrence is still the "X-Old-" field, whose
  // value is all in the two skipped bytes.
  EXPECT_EQ(HeaderField(head, "Content-Length:", value, sizeof value), 0);
  EXPECT_STREQ(value, "");
  EXPECT_EQ(HeaderField(head, "Server", value, 3), 4);
  EXPECT_STREQ(value, "ti");
  EXPECT_EQ(HeaderField(head, "Etag", value, sizeof value), -1);
  EXPECT_EQ(HeaderField(head, "", value, sizeof value), -1);
  EXPECT_EQ(HeaderField(head, nullptr, value, sizeof value), -1);
}

TEST(HttpHeaderField, NoBlankAfterColonLosesTheFirstDigit) {
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length:100\r\n\r\n";
  char value[30];
  EXPECT_EQ(HeaderField(head, "Content-Length", value, sizeof value), 2);
  EXPECT_STREQ(value, "00");
  EXPECT_EQ(HeaderField(head, "content-length", value, sizeof value), -1);
}

TEST(HttpHeaderField, SmallOrMissingBuffersGetWhatFitsAndTheWholeLength) {
  const std::string head = "HTTP/1.1 302 Found\r\nLocation: http://a.example/next\r\n\r\n";
  char one[1] = {'x'};
  EXPECT_EQ(HeaderField(head, "Location", one, 1), 21);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(HeaderField(head, "Location", nullptr, 30), 21);
  char untouched[2] = {'x', 'y'};
  EXPECT_EQ(HeaderField(head, "Location", untouched, 0), 21);
  EXPECT_EQ(untouched[0], 'x');
  // A name at the very end: the value is empty, not read past the head.
  EXPECT_EQ(HeaderField("HTTP/1.1 200 OK\r\nEtag", "Etag", untouched, 2), 0);
  EXPECT_EQ(HeaderField("HTTP/1.1 200 OK\r\nEtag:", "Etag", untouched, 2), 0);
  // A value cut by the end of the head ends there.
  char value[30];
  EXPECT_EQ(HeaderField("HTTP/1.1 200 OK\r\nContent-Length: 12", "Content-Length", value,
                        sizeof value),
            2);
  EXPECT_STREQ(value, "12");
}

TEST(HttpHeaderField, StatusLineOnlyIsReadNotJudged) {
  const std::string head = "HTTP/1.0 404 Not Found\r\nContent-Length: 3\r\n\r\nabc";
  char value[30];
  EXPECT_EQ(HeaderField(head, "Content-Length", value, sizeof value), 1);
  EXPECT_EQ(StatusCode(head), 404);
  EXPECT_EQ(HeaderField(head, "404", value, sizeof value), 8);
  EXPECT_STREQ(value, "ot Found");
}

TEST(HttpStatusCode, ThreeDigitsAfterTheVersion) {
  EXPECT_EQ(StatusCode("HTTP/1.1 200 OK\r\n\r\n"), 200);
  EXPECT_EQ(StatusCode("HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 0-9/20\r\n\r\n"), 206);
  EXPECT_EQ(StatusCode("HTTP/1.0 204\r\n\r\n"), 204);
  EXPECT_EQ(StatusCode("HTTP/1.1 302"), 302);
  for (const char* malformed : {"", "HTTP/1.1", "HTTP/1.1 20", "HTTP/1.1 20x OK", "HTTP/1.1 2000 OK",
                                "HTTP/1.1200 OK", "http/1.1 200 OK", "garbage\r\nHTTP/1.1 200 OK",
                                "HTTP/1.1  200 OK", "HTTP/1.1 200\tOK"}) {
    EXPECT_EQ(StatusCode(malformed), -1) << malformed;
  }
}

TEST(HttpAnnouncedLength, PlainDecimalOfAtMostTenDigits) {
  const auto length = [](const std::string& field) {
    return AnnouncedLength("HTTP/1.1 200 OK\r\n" + field + "\r\n\r\n");
  };
  EXPECT_EQ(length("Content-Length: 0"), 0);
  EXPECT_EQ(length("Content-Length: 4194304"), 4194304);
  EXPECT_EQ(length("Content-Length: 007"), 7);
  EXPECT_EQ(length("Content-Length: 9999999999"), 9999999999LL);
  // The field's name in any letter case, only the field of that very name.
  EXPECT_EQ(length("content-length: 5"), 5);
  EXPECT_EQ(length("CONTENT-LENGTH:5\t"), 5);
  EXPECT_EQ(length("Access-Control-Expose-Headers: Content-Length\r\nContent-Length: 7"), 7);
  EXPECT_EQ(length("X-Original-Content-Length: 10\r\nContent-Length: 20"), 20);
  for (const char* refused : {"Content-Length: 12345678901", "Content-Length: -5",
                              "Content-Length: 12abc", "Content-Length: 1 2",
                              "Content-Length: ", "Content-Length:", "X-Original-Content-Length: 10",
                              "Access-Control-Expose-Headers: Content-Length", "Content-Length : 5",
                              "Transfer-Encoding: chunked", "Content-Length: +5"}) {
    EXPECT_EQ(length(refused), -1) << refused;
  }
  EXPECT_EQ(AnnouncedLength(""), -1);
  EXPECT_EQ(AnnouncedLength("Content-Length: 5\r\n\r\n"), -1) << "the status line is no field";
  EXPECT_EQ(AnnouncedLength("HTTP/1.1 200 OK\r\n\r\nContent-Length: 5\r\n"), -1) << "nor the body";
}

TEST(HttpAddressSplit, HostPortAndPath) {
  const auto portal = SplitHttpAddress("http://www.example.test/res/box/version.ini");
  ASSERT_TRUE(portal);
  EXPECT_EQ(portal->authority, "www.example.test");
  EXPECT_EQ(portal->hostName, "www.example.test");
  EXPECT_EQ(portal->port, kHttpPort);
  EXPECT_EQ(portal->path, "/res/box/version.ini");

  const auto local = SplitHttpAddress("http://127.0.0.1:8610/?a=http://b/");
  ASSERT_TRUE(local);
  EXPECT_EQ(local->authority, "127.0.0.1:8610");
  EXPECT_EQ(local->hostName, "127.0.0.1");
  EXPECT_EQ(local->port, 8610);
  EXPECT_EQ(local->path, "/?a=http://b/");

  EXPECT_EQ(SplitHttpAddress("http://h:65535/")->port, 65535);
  EXPECT_EQ(SplitHttpAddress("http://h:00080/")->port, 80);
  for (const char* refused :
       {"http://127.0.0.1", "ftp://127.0.0.1/x", "http:///x", "http://:80/x", "http://h:/x",
        "http://127.0.0.1:0/x", "http://127.0.0.1:70000/x", "http://h:65536/", "http://h:000080/",
        "http://127.0.0.1:8a/x", "HTTP://h/", "", static_cast<const char*>(nullptr)}) {
    EXPECT_FALSE(SplitHttpAddress(refused)) << (refused ? refused : "(null)");
  }
}

}  // namespace
}  // namespace tamvelo::test
