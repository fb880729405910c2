#include "box/tabs/tab_process.h"

#include <gtest/gtest.h>
#include <wininet.h>

#include <optional>

#include "common/portal_settings.h"
#include "common/protocol.h"

namespace tamvelo::test {
using namespace tabs;  // the code under test
namespace {

namespace protocol = tamvelo::protocol;

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

struct ReceivedRecord {
  ULONG_PTR kind = 0;
  DWORD byteCount = 0;
  std::optional<std::string> text;
  int count = 0;
};
ReceivedRecord received;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    received.kind = record->dwData;
    received.byteCount = record->cbData;
    received.text = protocol::ReadRecordText(record);
    ++received.count;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Register(const char* name, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpszClassName = name;
  wc.lpfnWndProc = proc;
  RegisterClassA(&wc);
}

class TabWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Register("TamveloTestMain", PlainProc);
    Register(protocol::kTabWindowClass, PlainProc);
    Register(protocol::kHostWindowClass, HostProc);
    Register("Tamvelo_Box_Tab_", PlainProc);
    main_ = CreateWindowA("TamveloTestMain", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                          nullptr, nullptr);
    ASSERT_NE(main_, nullptr);
  }
  void TearDown() override { DestroyWindow(main_); }
  HWND Child(const char* className, HWND parent) {
    return CreateWindowA(className, "", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
  }
  HWND main_ = nullptr;
};

TEST_F(TabWindowsTest, FindsBothWindowsOfTheProcessAtAnyDepth) {
  HWND holder = Child("TamveloTestMain", main_);
  Child("Tamvelo_Box_Tab_", main_);  // a longer class name is not the tab window
  HWND tab = Child(protocol::kTabWindowClass, holder);
  HWND host = Child(protocol::kHostWindowClass, main_);

  TabProcess mine;
  mine.processId = GetCurrentProcessId();
  FindTabWindows(main_, mine);
  EXPECT_EQ(mine.tabWindow, tab);
  EXPECT_EQ(mine.hostWindow, host);

  // Windows of the right classes owned by another process are not taken.
  TabProcess other;
  other.processId = GetCurrentProcessId() + 4;
  FindTabWindows(main_, other);
  EXPECT_EQ(other.tabWindow, nullptr);
  EXPECT_EQ(other.hostWindow, nullptr);
}

TEST_F(TabWindowsTest, GameRecordWithAndWithoutCookies) {
  HWND host = Child(protocol::kHostWindowClass, main_);
  const std::string address = "http://127.0.0.1/game/1.html";
  const auto SendGameRecord = [](HWND to, const PortalCookie& cookie, const std::string& game) {
    return protocol::SendRecord(to, protocol::MakeGameRecord(cookie.text, cookie.querySize, game).Get());
  };

  received = {};
  EXPECT_TRUE(SendGameRecord(host, PortalCookie{}, address));
  EXPECT_EQ(received.kind, protocol::CopyDataUrl);
  EXPECT_EQ(received.byteCount, address.size() + 2);
  EXPECT_EQ(received.text, address);

  received = {};
  PortalCookie cookie{"sid=42; user=abc", 17};
  SendGameRecord(host, cookie, address);
  EXPECT_EQ(received.kind, protocol::CopyDataCookiesAndUrl);
  EXPECT_EQ(received.byteCount, 17 + address.size() + 2);
  EXPECT_EQ(received.text, "sid=42; user=abc||" + address);

  received = {};
  EXPECT_FALSE(SendGameRecord(nullptr, cookie, address));
  EXPECT_EQ(received.count, 0);
}

TEST(PortalCookie, ReadsWhatThePortalSet) {
  // Session cookies live only in this process: the jar starts empty.
  PortalCookie none = ReadPortalCookie();
  EXPECT_EQ(none.querySize, 0u);
  EXPECT_EQ(none.text, "");

  ASSERT_TRUE(InternetSetCookieA(kPortalRootUrl, nullptr, "sid=42"));
  ASSERT_TRUE(InternetSetCookieA(kPortalRootUrl, nullptr, "user=abc"));
  PortalCookie cookie = ReadPortalCookie();
  EXPECT_EQ(cookie.text, "sid=42; user=abc");
  EXPECT_EQ(cookie.querySize, cookie.text.size() + 1);
}

}  // namespace
}  // namespace tamvelo::test
