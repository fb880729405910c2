#include "box/net/update_check.h"

#include <winsock2.h>  // before any windows.h

#include <gtest/gtest.h>

#include <process.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "box/net/file_md5.h"
#include "box/net/http_address.h"
#include "box/net/net_hooks.h"
#include "box/shared/process_values.h"
#include "common/portal_address.h"
#include "common/protocol.h"
#include "tests/support/loopback_server.h"
#include "tests/net/message_recorder.h"
#include "tests/support/test_support.h"
#include "tests/support/window_helpers.h"

namespace tamvelo::test {
using namespace net;  // the code under test
namespace {


constexpr char kOldParam[] = "[Weburl]\r\ncount=1\r\nstr1=http://old.example.test/\r\n";
constexpr char kNewParam[] = "[Weburl]\r\ncount=1\r\nstr1=http://new.example.test/\r\n";

// The process-wide values as the main window sets them, pointing into a
// private folder, with a hidden window of this thread as main window.
class UpdateCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = app::MainProgramValues();
    window_ = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    app::ProcessValues& process = app::MainProgramValues();
    process.programVersion = 1.0f;
    process.mainWindow = window_;
    std::snprintf(process.versionIniPath, MAX_PATH, "%s", versionIni_.c_str());
    std::snprintf(process.paramIniPath, MAX_PATH, "%s", paramIni_.c_str());
    WriteFile(paramIni_, kOldParam);
  }
  void TearDown() override {
    app::MainProgramValues() = saved_;
    DestroyWindow(window_);
  }

  // Serves version.ini with the given lines and param.ini with kNewParam,
  // runs the check and gives the paths requested.
  std::vector<std::string> Check(const std::string& versionIni) {
    LoopbackServer server(
        test::ServeFiles({{"/res/box/version.ini", versionIni}, {"/res/box/param.ini", kNewParam}}),
        2);
    RunUpdateCheck(server.BaseUrl());
    std::vector<std::string> paths;
    for (const auto& request : server.Requests()) paths.push_back(RequestPath(request));
    return paths;
  }
  static std::string MainVersion(const std::string& version) {
    return "[VERSION]\r\nmainver=" + version + "\r\n";
  }
  // The address posted with message 1125, or null when none was posted.
  const char* PostedAddress() {
    MSG message;
    if (!TakePosted(window_, protocol::kMsgOpenInNewWindow, &message)) return nullptr;
    EXPECT_EQ(message.lParam, 0);
    return reinterpret_cast<const char*>(message.wParam);
  }

  TempDir dir_;
  std::string versionIni_ = dir_.File("version.ini");
  std::string paramIni_ = dir_.File("param.ini");
  HWND window_ = nullptr;
  app::ProcessValues saved_;
};

TEST_F(UpdateCheck, VersionsNotAboveOurOwnDoNotPrompt) {
  for (const char* version : {"1.0", "1.00", "1.00000001", "10", "2", "0.9", "abc", "Error"}) {
    MessageRecorder messages;
    Check(MainVersion(version));
    EXPECT_TRUE(messages.Messages().empty()) << version;
    EXPECT_EQ(PostedAddress(), nullptr) << version;
  }
  MessageRecorder messages;
  Check("[OTHER]\r\nmainver=9.9\r\n");
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(UpdateCheck, NewerVersionPromptsAndOkPostsTheDownloadPage) {
  for (const char* version : {"1.1", "10.0", " 1.5beta"}) {
    MessageRecorder messages(IDOK);
    Check(MainVersion(version));
    const auto shown = messages.Messages();
    ASSERT_EQ(shown.size(), 1u) << version;
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(shown[0].caption, "tamvelo游戏盒软件升级");
    EXPECT_EQ(shown[0].text, "检测到有新版本!\r\n请点击“确定”打开软件官网下载最新版本");
    EXPECT_EQ(shown[0].flags, 0x40021u);

    const char* posted = PostedAddress();
    ASSERT_NE(posted, nullptr) << version;
    // The same constant every time, so the receiver may read it later.
    EXPECT_EQ(posted, kDownloadPageAddress.data());
    EXPECT_STREQ(posted, (std::string(kPortalBaseUrl) + "/page/gamebox.html?directopen").c_str());
    EXPECT_EQ(PostedAddress(), nullptr);  // exactly one
  }
}

TEST_F(UpdateCheck, CancelPostsNothing) {
  MessageRecorder messages(IDCANCEL);
  Check(MainVersion("1.1"));
  EXPECT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(PostedAddress(), nullptr);
}

TEST_F(UpdateCheck, ParamIsFetchedOnlyWhenItsAnnouncedDigestDiffers) {
  MessageRecorder messages;
  char digest[kMd5HexBufferBytes];
  const std::string oldDigest = FileMd5Hex(paramIni_.c_str(), digest);
  std::string upper = oldDigest;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));

  EXPECT_EQ(Check("[PARAM]\r\nmd5=\" " + upper + " \"\r\n"),
            std::vector<std::string>{"/res/box/version.ini"});
  EXPECT_EQ(Check("[PARAM]\r\nmd5=" + oldDigest.substr(1) + "\r\n"),
            std::vector<std::string>{"/res/box/version.ini"});
  EXPECT_EQ(Check("[PARAM]\r\nmd5=Error\r\n"), std::vector<std::string>{"/res/box/version.ini"});
  EXPECT_EQ(ReadFile(paramIni_), kOldParam);

  EXPECT_EQ(Check("[PARAM]\r\nmd5=0123456789abcdef0123456789abcdef\r\n"),
            (std::vector<std::string>{"/res/box/version.ini", "/res/box/param.ini"}));
  EXPECT_EQ(ReadFile(paramIni_), kNewParam);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(UpdateCheck, UnreachablePortalKeepsBothFiles) {
  WriteFile(versionIni_, MainVersion("1.0") + "[PARAM]\r\nmd5=0123456789abcdef0123456789abcdef\r\n");
  MessageRecorder messages;
  RunUpdateCheck("http://127.0.0.1:" + std::to_string(test::ClosedPort()));
  // version.ini failed and was kept; param.ini then differs and fails too.
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"connect()函数执行失败!", "connect()函数执行失败!"}));
  EXPECT_EQ(ReadFile(paramIni_), kOldParam);
  EXPECT_EQ(PostedAddress(), nullptr);
}

// The thread as the main window starts it: after its start delay it checks
// the portal the program was built for and posts the download page. The test
// build's portal is 127.0.0.1 without a port, so the server takes port 80.
TEST_F(UpdateCheck, TheThreadWaitsThenChecksTheBuiltInPortal) {
  const std::optional<HttpAddress> portal = SplitHttpAddress((std::string(kPortalBaseUrl) + "/").c_str());
  ASSERT_TRUE(portal && portal->hostName == "127.0.0.1") << kPortalBaseUrl;
  std::unique_ptr<LoopbackServer> server;
  try {
    server = std::make_unique<LoopbackServer>(
        test::ServeFiles({{"/res/box/version.ini", MainVersion("1.1")}, {"/res/box/param.ini", kNewParam}}), 2,
        portal->port);
  } catch (const std::runtime_error&) {
    GTEST_SKIP() << "port " << portal->port << " of 127.0.0.1 is taken or not ours to use";
  }
  MessageRecorder messages(IDOK);
  Hooks().startDelayMs = NetHooks{}.startDelayMs;  // the product's own wait

  const ULONGLONG start = GetTickCount64();
  const auto thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, UpdateCheckThread, nullptr, 0, nullptr));
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, 20000), WAIT_OBJECT_0);
  const ULONGLONG took = GetTickCount64() - start;
  CloseHandle(thread);

  EXPECT_GE(took, 2000u - 20u) << "the check starts 2 s after the thread (less the tick's grain)";
  ASSERT_FALSE(server->Requests().empty());
  EXPECT_EQ(RequestPath(server->Requests().front()), "/res/box/version.ini");
  EXPECT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(PostedAddress(), kDownloadPageAddress.data());
}

}  // namespace
}  // namespace tamvelo::test
