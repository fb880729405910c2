// The jobs that wait on tab processes: a start that never gets there, one
// that ends at once and one that joins; ending obedient and hung tabs. None
// may leave a process running, and the caller never waits: what a job
// found comes back by a posted message.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "box/tabs/tab_ending.h"
#include "box/tabs/tab_watcher.h"
#include "common/protocol.h"
#include "tests/support/box_process.h"
#include "tests/support/window_helpers.h"

namespace tamvelo::test {
using namespace tabs;  // the code under test
namespace {

// A message-only window that keeps what is posted to it.
class Mailbox {
 public:
  Mailbox() : window_(CreateMessageWindow("TamveloTestMailbox", Proc, this)) {}
  ~Mailbox() { DestroyWindow(window_); }
  HWND window() const { return window_; }
  // The wParam of the first `message` that came within the time, taken out.
  std::optional<WPARAM> Take(UINT message, DWORD timeoutMs) {
    std::optional<WPARAM> found;
    PumpUntil([&] {
      for (auto it = log_.begin(); it != log_.end(); ++it) {
        if (it->first != message) continue;
        found = it->second;
        log_.erase(it);
        return true;
      }
      return false;
    }, timeoutMs);
    return found;
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Mailbox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message >= WM_APP) self->log_.push_back({message, wParam});
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
  std::vector<std::pair<UINT, WPARAM>> log_;
};

// A program of the bin folder started with its arguments; the test keeps
// its own handle and ends what is still running at the end.
struct Started {
  PROCESS_INFORMATION info{};
  Started(const char* program, const std::string& arguments) {
    std::string commandLine = "\"" + ExecutableFolder() + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      ADD_FAILURE() << program << " did not start: " << GetLastError();
    }
  }
  ~Started() {
    if (info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
    if (info.hProcess) CloseHandle(info.hProcess);
    if (info.hThread) CloseHandle(info.hThread);
  }
  bool EndsWithin(DWORD ms) const { return WaitForSingleObject(info.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
  // Its top-level stand-in window, once it exists.
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

class Watcher : public ::testing::Test {
 protected:
  void SetUp() override {
    watcher_.SetNotifyWindow(mailbox_.window());
    TabTimes quick;
    quick.startLimitMs = 1500;
    quick.recordLimitMs = 1000;
    quick.answerMs = 300;
    quick.graceMs = 3000;
    watcher_.SetTimes(quick);
  }
  void TearDown() override { EXPECT_TRUE(watcher_.WaitUntilIdle(10000)); }
  std::optional<WPARAM> Posted(UINT message, DWORD timeoutMs) { return mailbox_.Take(message, timeoutMs); }
  // The mailbox stands in for the main window too: nothing joins it.
  void Start(std::uint32_t id, const char* program, const char* arguments) {
    // A bare file name, found first in the program's own folder, as the box
    // names its tab program.
    watcher_.Start(id, std::string(program) + " " + arguments, mailbox_.window(), "http://127.0.0.1/game/1.html");
  }

  Mailbox mailbox_;
  TabWatcher watcher_;
};

// A start's outcome comes by message, under its launch id; nobody else's id
// finds anything. A process that cannot be a tab is not left running.
TEST_F(Watcher, EachStartEndsInOneOutcomeAndLeavesNoUselessProcess) {
  struct Case {
    const char* program;
    const char* arguments;
    StopReason failure;
  };
  const Case cases[] = {
      {"no-such-program.exe", "", StopReason::NotStarted},
      {"stand-in-tab.exe", "never-idle", StopReason::NotJoined},
      // No main window: the tab program ends at once, which is no tab even
      // where the system reports an ended process as idle.
      {"tamvelo-tab.exe", "1_tamvelo_1_tab", StopReason::NotStarted},
      // Idle, but its windows are not inside the (here: message-only) main
      // window: a tab without a page, as the strip has always allowed.
      {"stand-in-tab.exe", "obey", StopReason::None},
  };
  std::uint32_t id = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.program) + " " + c.arguments);
    Start(++id, c.program, c.arguments);
    const std::optional<WPARAM> done = Posted(kMsgTabStartDone, 10000);
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(*done, id);
    EXPECT_FALSE(watcher_.TakeOutcome(id + 1000).has_value());
    std::optional<StartOutcome> outcome = watcher_.TakeOutcome(id);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(watcher_.TakeOutcome(id).has_value()) << "taken once";
    EXPECT_EQ(outcome->failure, c.failure);
    EXPECT_EQ(outcome->process.tabWindow, nullptr);
    TabProcess& process = outcome->process;
    if (c.failure != StopReason::None) {
      EXPECT_EQ(process.processHandle, nullptr) << "nothing left to own";
      HANDLE gone = OpenProcess(SYNCHRONIZE, FALSE, process.processId);
      if (gone != nullptr) {
        EXPECT_EQ(WaitForSingleObject(gone, 3000), WAIT_OBJECT_0);
        CloseHandle(gone);
      }
      continue;
    }
    ASSERT_NE(process.processHandle, nullptr);
    EXPECT_EQ(WaitForSingleObject(process.processHandle, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "keeps running";
    watcher_.End(nullptr, process.processHandle);
    EXPECT_EQ(WaitForSingleObject(process.processHandle, 5000), WAIT_OBJECT_0);
    process.Close();
  }
}

TEST_F(Watcher, ACancelledStartPostsNothingAndEndsWhatItStarted) {
  for (const char* mode : {"never-idle", "obey"}) {
    SCOPED_TRACE(mode);
    Start(7, "stand-in-tab.exe", mode);
    // Cancelled while it waits, or after it joined and before its news was
    // taken: either way the job ends its process.
    if (std::string(mode) == "obey") {
      ASSERT_TRUE(Posted(kMsgTabStartDone, 10000).has_value());
    }
    watcher_.CancelStart(7);
    EXPECT_TRUE(watcher_.WaitUntilIdle(10000));
    EXPECT_FALSE(Posted(kMsgTabStartDone, 200).has_value());
    EXPECT_FALSE(watcher_.TakeOutcome(7).has_value());
    EXPECT_TRUE(ChildProcesses(GetCurrentProcessId(), "stand-in-tab.exe").empty());
  }
}

// Told and obeying, or hung and ended by force after a bounded send; the
// forced end is waited for too, so that "ended" means gone.
TEST(TabEnd, ObedientTabsEndThemselvesAndHungOnesAreEndedByForceAndGone) {
  struct Case {
    const char* mode;
    bool withWindow;
    TabEnd how;
    DWORD exitCode;
  };
  const Case cases[] = {{"obey", true, TabEnd::ByItself, 0},
                        {"hang", true, TabEnd::ByForce, kForcedExitCode},
                        {"obey", false, TabEnd::ByForce, kForcedExitCode}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + (c.withWindow ? "" : " without its window"));
    Started process("stand-in-tab.exe", c.mode);
    HWND window = process.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(EndTabProcess(c.withWindow ? window : nullptr, process.info.hProcess, 300, 5000), c.how);
    EXPECT_TRUE(process.EndsWithin(0));
    EXPECT_EQ(process.ExitCode(), c.exitCode);
  }
  EXPECT_EQ(EndTabProcess(nullptr, nullptr, 100, 100), TabEnd::ByItself) << "nothing to end";
}

TEST_F(Watcher, TheEndOfAllEndingsIsPostedOnceAfterTheLast) {
  watcher_.NotifyWhenAllEnded();
  EXPECT_TRUE(Posted(kMsgTabsEnded, 1000).has_value()) << "none running: at once";

  Started obedient("stand-in-tab.exe", "obey");
  Started hung("stand-in-tab.exe", "hang");
  ASSERT_NE(obedient.Window(), nullptr);
  ASSERT_NE(hung.Window(), nullptr);
  watcher_.End(obedient.Window(), obedient.info.hProcess);
  watcher_.End(hung.Window(), hung.info.hProcess);
  watcher_.NotifyWhenAllEnded();
  ASSERT_TRUE(Posted(kMsgTabsEnded, 10000).has_value());
  EXPECT_TRUE(obedient.EndsWithin(0));
  EXPECT_TRUE(hung.EndsWithin(0));
  EXPECT_EQ(obedient.ExitCode(), 0u);
  EXPECT_EQ(hung.ExitCode(), kForcedExitCode);
  EXPECT_FALSE(Posted(kMsgTabsEnded, 200).has_value()) << "once";
}

}  // namespace
}  // namespace tamvelo::test
