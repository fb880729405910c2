// Everything that waits on a tab process, off the user-interface thread:
// its start, the wait until it is idle for input, the search for its
// windows, the bounded send of its first record, and the end of a tab. Each job runs
// on a thread of its own and tells the main window by a posted message,
// which carries only a launch id: what a job found is taken from the
// watcher, so a message posted by anyone else finds nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "box/tabs/tab_life.h"
#include "box/tabs/tab_process.h"
#include "common/protocol.h"

namespace tamvelo::tabs {

// Posted to the main window; wParam is the launch id of the start.
inline constexpr UINT kMsgTabStartDone = WM_APP + 2;
// Posted once every ending asked for before NotifyWhenAllEnded is over.
inline constexpr UINT kMsgTabsEnded = WM_APP + 3;

// The bounds of the waits on a tab.
struct TabTimes {
  // Idle for input: a tab starts in well under a second, also on a loaded
  // machine with a cold browser control; 15 s leaves room for a slow disk.
  DWORD startLimitMs = 15000;
  // Its first record handled: setting cookies and asking for navigation.
  DWORD recordLimitMs = protocol::kRecordSendLimitMs;
  // The command to end handled; a healthy tab answers in milliseconds.
  DWORD answerMs = 2000;
  // Ending by itself after the command; its browser thread winds down in
  // well under a second.
  DWORD graceMs = 3000;
};

// What the start of a tab came to. A tab that joined comes with its
// process, whose handles whoever takes the outcome owns; one that did not
// comes with the process id alone (0: never started), its process ended.
struct StartOutcome {
  StopReason failure = StopReason::None;  // None: it joined and took its record
  TabProcess process;
};

class TabWatcher {
 public:
  TabWatcher();
  // Jobs still running go on with what they hold, and post to a window
  // that may be gone by then.
  ~TabWatcher();
  TabWatcher(const TabWatcher&) = delete;
  TabWatcher& operator=(const TabWatcher&) = delete;

  void SetNotifyWindow(HWND window);
  void SetTimes(const TabTimes& times);
  TabTimes times() const;

  // Starts a tab: the command line as a process (found by the system's
  // search order, which begins with this program's folder), then waits
  // until it is idle for input, finds its windows among mainWindow's
  // children and sends its host window its address with the portal's
  // cookies, each within its bound. A process that does not get there is
  // ended. The outcome waits under launchId for TakeOutcome, and
  // kMsgTabStartDone is posted.
  void Start(std::uint32_t launchId, const std::string& commandLine, HWND mainWindow, const std::string& address);
  // The start no longer matters (its tab closed, or the box quits): the job
  // sends no record and posts nothing, and ends the process it started.
  void CancelStart(std::uint32_t launchId);
  std::optional<StartOutcome> TakeOutcome(std::uint32_t launchId);

  // Ends a tab: the command through the window, then by force after the
  // grace time, each waited for. The process handle stays the caller's.
  void End(HWND commandWindow, HANDLE process);
  // Posts kMsgTabsEnded once every job so far is over, the ends and the
  // starts (at once when none runs).
  void NotifyWhenAllEnded();

  // For tests and benchmarks only, never the user interface: waits until
  // no job runs. False when some still run after limitMs.
  bool WaitUntilIdle(DWORD limitMs);

  // What the watcher and its jobs share; the jobs keep it alive.
  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace tamvelo::tabs
