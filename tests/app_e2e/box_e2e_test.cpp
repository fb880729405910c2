// The real program: a second start hands over, game tabs open, switch and
// close as real tab processes, and quitting leaves no process behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "common/protocol.h"
#include "tests/support/box_process.h"
#include "tests/support/skin_install.h"
#include "tests/support/test_support.h"
#include "tests/support/window_helpers.h"

namespace tamvelo::test {
namespace {

// Places in main.xml: the strip starts right of the logo (46 px) and the
// home tab (112 px) plus its own 2-px padding, 8 px down, 32 px high; each
// tab is 150 px wide while they fit, its close button 28..16 px from its
// right edge and 8..20 px from its top.
constexpr int kStripLeft = 160;
constexpr int kStripTop = 8;
constexpr int kTabWidth = 150;

POINT TabCentre(int index) { return {kStripLeft + index * kTabWidth + kTabWidth / 2 - 20, kStripTop + 16}; }
POINT CloseButtonCentre(int index) { return {kStripLeft + (index + 1) * kTabWidth - 22, kStripTop + 14}; }

void Click(HWND window, POINT at) {
  const LPARAM point = MAKELPARAM(at.x, at.y);
  PostMessageA(window, WM_MOUSEMOVE, 0, point);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(window, WM_LBUTTONUP, 0, point);
}

bool OpenTab(HWND window, const std::wstring& address) {
  COPYDATASTRUCT record = {protocol::CopyDataOpenTab, static_cast<DWORD>((address.size() + 1) * sizeof(wchar_t)),
                           const_cast<wchar_t*>(address.c_str())};
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record), SMTO_NORMAL, 30000,
                             &result) != 0;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

int VisibleCount(const std::vector<HWND>& windows) {
  return static_cast<int>(std::count_if(windows.begin(), windows.end(), [](HWND w) { return IsWindowVisible(w); }));
}

class BoxEndToEnd : public ::testing::Test {
 protected:
  DataFolderScope data_;
  SkinInstall skin_;
  QuietPortal portal_;
};

TEST_F(BoxEndToEnd, SecondStartHandsOverAndEndsWithZero) {
  BoxProcess first;
  ASSERT_TRUE(first.Start());
  const HWND main = first.WaitForMainWindow(20000);
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_HIDE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5000));

  BoxProcess second;
  ASSERT_TRUE(second.Start("--whatever \"with blanks\" 1_tamvelo_1_tag"));
  EXPECT_EQ(second.WaitForExit(20000), 0u);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 5000)) << "the running window comes back";
  EXPECT_EQ(FindWindowExA(nullptr, main, protocol::kMainWindowClass, nullptr), nullptr) << "one main window only";

  // The waiting tab process started with the window, and it goes with it.
  EXPECT_TRUE(WaitFor([&] { return ChildProcesses(first.id()).size() == 1; }, 10000))
      << ChildProcesses(first.id()).size() << " helper processes";
  PostMessageA(main, WM_QUIT, 0, 0);
  EXPECT_EQ(first.WaitForExit(20000), 0u);
  EXPECT_TRUE(WaitFor([&] { return ChildProcesses(first.id()).empty(); }, 10000));
}

TEST_F(BoxEndToEnd, TabsOpenSwitchAndCloseAsRealProcesses) {
  ASSERT_TRUE(portal_.listening()) << "port 80 on loopback is taken";
  BoxProcess box;
  ASSERT_TRUE(box.Start());
  const HWND main = box.WaitForMainWindow(20000);
  ASSERT_NE(main, nullptr);
  SetForegroundWindow(main);

  // Tab windows in the order the tabs were opened (left to right).
  std::vector<HWND> tabs;
  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(OpenTab(main, L"http://127.0.0.1/games/" + std::to_wstring(i) + L".html"));
    // The box answers at once; the tab's window joins when its process is up.
    ASSERT_TRUE(WaitFor([&] {
      for (HWND window : TabWindows(main)) {
        if (std::find(tabs.begin(), tabs.end(), window) == tabs.end()) tabs.push_back(window);
      }
      return tabs.size() == static_cast<size_t>(i);
    }, 15000));
  }
  EXPECT_TRUE(WaitFor([&] { return VisibleCount(tabs) == 1 && IsWindowVisible(tabs[2]); }, 5000))
      << "the newest tab is shown, and only it";

  // Switch to the first tab by clicking its button.
  Click(main, TabCentre(0));
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(tabs[0]) && !IsWindowVisible(tabs[2]); }, 5000));
  EXPECT_EQ(VisibleCount(tabs), 1);
  DWORD firstProcess = 0;
  GetWindowThreadProcessId(tabs[0], &firstProcess);

  // A picture of the window with three tabs, kept beside the test.
  Sleep(500);
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  const std::string picture = std::string(folder) + "\\main_window_three_tabs.bmp";
  EXPECT_TRUE(SaveWindowBitmap(main, picture));
  std::printf("screenshot: %s\n", picture.c_str());

  // Closing the shown first tab ends its process and shows the rightmost.
  Click(main, CloseButtonCentre(0));
  ASSERT_TRUE(WaitFor([&] { return TabWindows(main).size() == 2; }, 10000));
  HANDLE closed = OpenProcess(SYNCHRONIZE, FALSE, firstProcess);
  if (closed) {
    EXPECT_EQ(WaitForSingleObject(closed, 10000), WAIT_OBJECT_0);
    CloseHandle(closed);
  }
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(tabs[2]) && !IsWindowVisible(tabs[1]); }, 5000))
      << "the rightmost tab is shown, not the neighbour";

  // Quitting ends the box and, with its window, every tab process.
  PostMessageA(main, WM_QUIT, 0, 0);
  EXPECT_EQ(box.WaitForExit(20000), 0u);
  EXPECT_TRUE(WaitFor([&] { return ChildProcesses(box.id()).empty(); }, 15000)) << "a tab process stayed behind";
}

}  // namespace
}  // namespace tamvelo::test

namespace tamvelo::test {
namespace {

BOOL CALLBACK FindDialogOf(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (owner == found->first && std::string(className) == "#32770" && IsWindowVisible(window)) {
    found->second = window;
    return FALSE;
  }
  return TRUE;
}

// Without its skin the program says so once and ends with 0.
TEST(BoxWithoutSkin, TellsTheUserAndEndsWithZero) {
  DataFolderScope data;
  const std::string layouts = data.folder() + "xml";
  const std::string saved = layouts + ".away-" + std::to_string(GetCurrentProcessId());
  const bool hadLayouts = MoveFileA(layouts.c_str(), saved.c_str()) != FALSE;

  BoxProcess box;
  ASSERT_TRUE(box.Start());
  std::pair<DWORD, HWND> dialog(box.id(), nullptr);
  EXPECT_TRUE(WaitFor([&] { EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&dialog)); return dialog.second != nullptr; },
                      20000));
  ASSERT_NE(dialog.second, nullptr);
  wchar_t text[200] = {};
  GetDlgItemTextW(dialog.second, 0xFFFF, text, 200);  // the message box's text
  EXPECT_STREQ(text, L"tamvelo游戏盒子的程序文件不完整，无法启动。请重新安装后再试。");
  EXPECT_EQ(FindWindowA(protocol::kMainWindowClass, nullptr), nullptr);
  PostMessageA(dialog.second, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(box.WaitForExit(20000), 0u);
  if (hadLayouts) MoveFileA(saved.c_str(), layouts.c_str());
}

}  // namespace
}  // namespace tamvelo::test
