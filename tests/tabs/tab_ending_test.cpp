// Starting and ending tab processes that misbehave: none may keep the main
// window waiting for longer than its bound, none may be left running.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "box/tabs/tab_ending.h"
#include "box/tabs/tab_process.h"

namespace tamvelo::test {
using namespace tabs;  // the code under test
namespace {

std::string StandInPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1) + "stand-in-tab.exe";
}

// A stand-in started with its mode; the test keeps a handle of its own to
// watch it after the code under test closed the started handles.
struct StandIn {
  PROCESS_INFORMATION info{};
  HANDLE watch = nullptr;
  explicit StandIn(const std::string& mode) {
    std::string commandLine = "\"" + StandInPath() + "\" " + mode;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      ADD_FAILURE() << "stand-in did not start: " << GetLastError();
      return;
    }
    DuplicateHandle(GetCurrentProcess(), info.hProcess, GetCurrentProcess(), &watch, 0, FALSE, DUPLICATE_SAME_ACCESS);
  }
  ~StandIn() {
    if (watch && WaitForSingleObject(watch, 0) == WAIT_TIMEOUT) TerminateProcess(watch, 1);
    if (watch) CloseHandle(watch);
  }
  void CloseStarted() {
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    info.hThread = info.hProcess = nullptr;
  }
  bool EndsWithin(DWORD ms) const { return WaitForSingleObject(watch, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(watch, &code);
    return code;
  }
  // Its top-level window, once it exists.
  HWND Window() const {
    for (int i = 0; i < 100; ++i) {
      HWND found = nullptr;
      while ((found = FindWindowExA(nullptr, found, "TamveloStandInTab", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (owner == info.dwProcessId) return found;
      }
      Sleep(50);
    }
    return nullptr;
  }
};

ULONGLONG Since(ULONGLONG start) { return GetTickCount64() - start; }

TEST(TabStart, ANeverIdleProcessIsGivenUpAfterTheLimitAndEnded) {
  StandIn standIn("never-idle");
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(AwaitTabStart(standIn.info, 400));
  EXPECT_LT(Since(start), 3000u);
  EXPECT_TRUE(standIn.EndsWithin(3000));
  EXPECT_EQ(standIn.ExitCode(), kForcedExitCode);
}

TEST(TabStart, AnIdleProcessIsATabAndKeepsRunning) {
  StandIn standIn("obey");
  ASSERT_TRUE(AwaitTabStart(standIn.info, kTabStartLimitMs));
  EXPECT_FALSE(standIn.EndsWithin(0));
  ASSERT_NE(standIn.Window(), nullptr);
  EXPECT_TRUE(TellWindowToEnd(standIn.Window(), kTabAnswerMs));
  EXPECT_TRUE(standIn.EndsWithin(3000));
  EXPECT_EQ(standIn.ExitCode(), 0u);
  standIn.CloseStarted();
}

// The two ways a tab goes: told and obeying, or hung and ended by force
// after a bounded wait; at quit (all at once) and for one tab (later).
TEST(TabEnd, HungTabsAreEndedByForceWithinTheBoundAndObedientOnesEndThemselves) {
  struct Case {
    const char* mode;
    bool answers;
    DWORD exitCode;
  };
  const Case cases[] = {{"obey", true, 0}, {"hang", false, kForcedExitCode}};
  for (const Case& c : cases) {
    for (bool later : {false, true}) {
      SCOPED_TRACE(std::string(c.mode) + (later ? " later" : " at once"));
      StandIn standIn(c.mode);
      HWND window = standIn.Window();
      ASSERT_NE(window, nullptr);
      ULONGLONG start = GetTickCount64();
      EXPECT_EQ(TellWindowToEnd(window, 300), c.answers);
      EXPECT_LT(Since(start), 2000u);
      start = GetTickCount64();
      if (later) {
        EndProcessLater(standIn.info.hProcess, 300);
        standIn.CloseStarted();  // the helper keeps its own handle
        EXPECT_LT(Since(start), 200u);
      } else {
        EndProcessesWithin({standIn.info.hProcess}, 300);
        EXPECT_LT(Since(start), 2000u);
      }
      EXPECT_TRUE(standIn.EndsWithin(3000));
      EXPECT_EQ(standIn.ExitCode(), c.exitCode);
      if (!later) standIn.CloseStarted();
    }
  }
}

// At quit: the hung tab is ended at once, the obedient one ends itself;
// the hung one costs one bounded send, not the grace time on top.
TEST(TabEnd, EndTabsEndsHungTabsAtOnceAndLetsObedientOnesEnd) {
  StandIn obedient("obey");
  StandIn hung("hang");
  const std::vector<TabToEnd> tabs = {{obedient.Window(), obedient.info.hProcess},
                                      {hung.Window(), hung.info.hProcess},
                                      {nullptr, nullptr}};
  ASSERT_NE(tabs[0].window, nullptr);
  ASSERT_NE(tabs[1].window, nullptr);
  const ULONGLONG start = GetTickCount64();
  EndTabs(tabs, 300, 5000);
  EXPECT_LT(Since(start), 2500u);
  EXPECT_TRUE(obedient.EndsWithin(0));
  EXPECT_TRUE(hung.EndsWithin(1000));
  EXPECT_EQ(obedient.ExitCode(), 0u);
  EXPECT_EQ(hung.ExitCode(), kForcedExitCode);
  obedient.CloseStarted();
  hung.CloseStarted();
}

TEST(TabEnd, NothingToEndIsNoFault) {
  EXPECT_FALSE(TellWindowToEnd(nullptr, 100));
  EndProcessesWithin({nullptr}, 100);
  EndProcessLater(nullptr, 100);
}

}  // namespace
}  // namespace tamvelo::test
