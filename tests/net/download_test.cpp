#include "box/net/download.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/loopback_server.h"
#include "tests/net/message_recorder.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace net;  // the code under test
namespace {


constexpr char kOldContent[] = "[VERSION]\r\nmainver=1.0\r\n";
constexpr char kNewContent[] = "[VERSION]\r\nmainver=1.1\r\n";
constexpr DWORD kShortTimeoutMs = 300;

// Nothing but the destination may be left in the folder: no temporary file.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

class Download : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(target_, kOldContent); }
  bool Fetch(const LoopbackServer& server, const std::string& path = "/res/box/version.ini") {
    return DownloadFile((server.BaseUrl() + path).c_str(), target_.c_str());
  }
  void ExpectOldFileKept() {
    EXPECT_EQ(ReadFile(target_), kOldContent);
    EXPECT_EQ(FilesIn(dir_.path()), std::vector<std::string>{"version.ini"});
  }

  MessageRecorder messages_{IDOK, kShortTimeoutMs};
  TempDir dir_;
  std::string target_ = dir_.File("version.ini");
};

TEST_F(Download, GoodResponseReplacesTheFile) {
  LoopbackServer server(test::ServeFiles({{"/res/box/version.ini", kNewContent}}));
  EXPECT_TRUE(Fetch(server));
  EXPECT_EQ(ReadFile(target_), kNewContent);
  EXPECT_EQ(FilesIn(dir_.path()), std::vector<std::string>{"version.ini"});
  EXPECT_TRUE(messages_.Messages().empty());

  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0], "GET /res/box/version.ini HTTP/1.1\r\nHost:127.0.0.1:" +
                             std::to_string(server.port()) +
                             "\r\nAccept:*/*\r\n"
                             "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                             "Connection:Keep-Alive\r\n\r\n");
}

TEST_F(Download, BodyLargerThanTheBuffersArrivesWhole) {
  std::string body;
  for (int i = 0; i < 300000; ++i) body += static_cast<char>(i % 251);
  LoopbackServer server(test::Reply(test::OkResponse(body)));
  EXPECT_TRUE(Fetch(server));
  EXPECT_EQ(ReadFile(target_), body);
}

TEST_F(Download, BytesBeyondTheLengthAreNotWritten) {
  LoopbackServer server(test::Reply(test::OkResponse(kNewContent) + "TRAILING GARBAGE"));
  EXPECT_TRUE(Fetch(server));
  EXPECT_EQ(ReadFile(target_), kNewContent);
}

TEST_F(Download, EmptyBodyWithZeroLengthIsAnEmptyFile) {
  LoopbackServer server(test::Reply("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"));
  EXPECT_TRUE(Fetch(server));
  EXPECT_EQ(ReadFile(target_), "");
}

TEST_F(Download, RefusedResponsesKeepTheOldFileSilently) {
  const std::string refused[] = {
      "HTTP/1.1 200 OK\r\n\r\n" + std::string(kNewContent),  // no length
      "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
      "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\nabc",
      "HTTP/1.1 200 OK\r\nContent-Length: 12abc\r\n\r\nabc",
      "garbage without a status line\r\nContent-Length: 3\r\n\r\nabc",
      "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n",  // head never ends
  };
  for (const std::string& response : refused) {
    LoopbackServer server(test::Reply(response));
    EXPECT_FALSE(Fetch(server)) << response;
    ExpectOldFileKept();
  }
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(Download, ServerClosingEarlyKeepsTheOldFile) {
  LoopbackServer server(test::Reply("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\nonly this"));
  EXPECT_FALSE(Fetch(server));
  ExpectOldFileKept();
  const auto shown = messages_.Messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "服务器已经关闭连接.");
  EXPECT_EQ(shown[0].caption, "错误！");
  EXPECT_EQ(shown[0].flags, static_cast<UINT>(MB_OK));
  EXPECT_EQ(shown[0].owner, nullptr);
}

TEST_F(Download, StalledBodyTimesOutAndKeepsTheOldFile) {
  LoopbackServer server(test::ReplyThenStall(
      "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789", 5 * kShortTimeoutMs,
      std::string(90, 'x')));
  EXPECT_FALSE(Fetch(server));
  ExpectOldFileKept();
  EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"接收数据超时."});
}

// Servers that hold the connection: silent before the head, trickling a
// byte at a time, or announcing a body no INI file has. Each ends within
// its bound and keeps the old file.
TEST_F(Download, HoldingServersAreLeftWithinTheBoundsAndKeepTheOldFile) {
  net::Hooks().downloadDeadlineMs = 4 * kShortTimeoutMs;
  const auto trickle = [](std::string bytes) {
    return [bytes](SOCKET peer, const std::string&) {
      for (char byte : bytes) {
        if (!test::SendAll(peer, std::string(1, byte))) return;
        Sleep(kShortTimeoutMs / 3);
      }
    };
  };
  struct Case {
    const char* name;
    LoopbackServer::Handler handler;
  };
  const Case cases[] = {
      {"silent before the head", test::ReplyThenStall("", 8 * kShortTimeoutMs, test::OkResponse(kNewContent))},
      {"trickled head", trickle(test::OkResponse(kNewContent))},
      {"length above 4 MiB", test::Reply("HTTP/1.1 200 OK\r\nContent-Length: 4194305\r\n\r\nx")},
      {"ten-digit length", test::Reply("HTTP/1.1 200 OK\r\nContent-Length: 9999999999\r\n\r\nx")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackServer server(c.handler);
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(Fetch(server));
    EXPECT_LT(GetTickCount64() - start, 10 * kShortTimeoutMs);
    ExpectOldFileKept();
  }
  // Refused like any other unusable response: silently.
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(Download, TrickledBodyEndsAtTheDeadline) {
  net::Hooks().downloadDeadlineMs = 4 * kShortTimeoutMs;
  LoopbackServer server([](SOCKET peer, const std::string&) {
    test::SendAll(peer, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
    for (int i = 0; i < 100 && test::SendAll(peer, "x"); ++i) Sleep(kShortTimeoutMs / 3);
  });
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(Fetch(server));
  EXPECT_LT(GetTickCount64() - start, 10 * kShortTimeoutMs);
  ExpectOldFileKept();
  EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"接收数据超时."});
}

// A download cut off by the program's end left its temporary file behind.
TEST_F(Download, StaleTemporaryFilesGoAtTheNextDownload) {
  WriteFile(dir_.File("tvd1A2B.tmp"), "half");
  WriteFile(dir_.File("tvdFFFF.tmp"), "");
  WriteFile(dir_.File("notes.tmp"), "not ours");
  LoopbackServer server(test::Reply(test::OkResponse(kNewContent)));
  EXPECT_TRUE(Fetch(server));
  EXPECT_EQ(ReadFile(target_), kNewContent);
  auto names = FilesIn(dir_.path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"notes.tmp", "version.ini"}));
}

// Each way of not reaching the portal shows the message of its step, once,
// and a host that drops packets is given up at the download's deadline.
TEST_F(Download, UnreachablePortalShowsTheMessageOfItsStepOnly) {
  net::Hooks().downloadDeadlineMs = 4 * kShortTimeoutMs;
  FullBacklogListener dropping;
  const struct {
    std::string address;
    const char* message;
  } rows[] = {
      {"http://127.0.0.1:" + std::to_string(test::ClosedPort()) + "/v.ini", "connect()函数执行失败!"},
      {dropping.BaseUrl() + "/v.ini", "connect()函数执行失败!"},
      {"http://portal.invalid/v.ini", "gethostbyname()函数执行失败!"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.address);
    messages_.Clear();
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(DownloadFile(row.address.c_str(), target_.c_str()));
    EXPECT_LT(GetTickCount64() - start, 10 * kShortTimeoutMs);
    ExpectOldFileKept();
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{row.message});
  }
}

TEST_F(Download, MissingLastFolderIsCreated) {
  LoopbackServer server(test::ServeFiles({{"/res/box/param.ini", "[Weburl]\r\ncount=0\r\n"}}));
  const std::string nested = dir_.File("config\\param.ini");
  EXPECT_TRUE(DownloadFile((server.BaseUrl() + "/res/box/param.ini").c_str(), nested.c_str()));
  EXPECT_EQ(ReadFile(nested), "[Weburl]\r\ncount=0\r\n");
}

TEST_F(Download, UnwritableDestinationKeepsItAndSaysSo) {
  // A folder in the destination's place cannot be replaced by a file.
  const std::string blocked = dir_.File("blocked");
  CreateDirectoryA(blocked.c_str(), nullptr);
  LoopbackServer server(test::ServeFiles({{"/f", "data"}}));
  EXPECT_FALSE(DownloadFile((server.BaseUrl() + "/f").c_str(), blocked.c_str()));
  EXPECT_EQ(GetFileAttributesA(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(FilesIn(dir_.path()), std::vector<std::string>{"version.ini"});
  EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"无法打开此文件!\n"});
}

TEST_F(Download, MalformedAddressesAreRefusedWithoutNetwork) {
  for (const char* address : {"http://127.0.0.1", "ftp://127.0.0.1/x", "http:///x",
                              "http://127.0.0.1:0/x", "http://127.0.0.1:70000/x",
                              "http://127.0.0.1:8a/x", "", static_cast<const char*>(nullptr)}) {
    EXPECT_FALSE(DownloadFile(address, target_.c_str())) << (address ? address : "(null)");
  }
  ExpectOldFileKept();
  EXPECT_TRUE(messages_.Messages().empty());
}

}  // namespace
}  // namespace tamvelo::test
