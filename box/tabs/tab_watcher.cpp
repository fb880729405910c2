#include "box/tabs/tab_watcher.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <utility>

#include "box/tabs/tab_ending.h"
#include "box/tabs/tab_process.h"

namespace tamvelo::tabs {

struct TabWatcher::Shared {
  std::mutex lock;
  std::condition_variable idle;
  HWND notify = nullptr;
  TabTimes times;
  std::map<std::uint32_t, StartOutcome> outcomes;
  std::set<std::uint32_t> cancelled;
  int running = 0;
  bool notifyWhenIdle = false;

  // Outcomes nobody took: their processes have no other owner.
  ~Shared() {
    for (auto& entry : outcomes) entry.second.process.Close();
  }
  bool IsCancelled(std::uint32_t launchId) {
    std::lock_guard<std::mutex> hold(lock);
    return cancelled.count(launchId) != 0;
  }
  void Post(UINT message, WPARAM wParam) {
    if (notify != nullptr) PostMessageA(notify, message, wParam, 0);
  }
  // The last step of every job, under the lock.
  void JobDone() {
    if (--running == 0 && notifyWhenIdle) {
      notifyWhenIdle = false;
      Post(kMsgTabsEnded, 0);
    }
    idle.notify_all();
  }
};

namespace {

// Polls in short slices so that a cancelled start stops at once. Some
// systems report a process that already ended as idle, which is no tab.
bool WaitUntilIdle(HANDLE process, DWORD limitMs, TabWatcher::Shared& shared, std::uint32_t launchId) {
  constexpr DWORD kSliceMs = 50;
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  for (;;) {
    // On this job's own thread, never the user interface's.
    const DWORD result = WaitForInputIdle(process, kSliceMs);
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    if (result == 0) return !ended;
    if (result != WAIT_TIMEOUT || ended || GetTickCount64() >= deadline) return false;
    if (shared.IsCancelled(launchId)) return false;
  }
}

// Idle, windows found, record taken: the failure, or None.
StopReason JoinMainWindow(TabWatcher::Shared& shared, std::uint32_t launchId, TabProcess& process,
                          HWND mainWindow, const std::string& address, const TabTimes& times) {
  if (!WaitUntilIdle(process.processHandle, times.startLimitMs, shared, launchId)) {
    const bool ended = WaitForSingleObject(process.processHandle, 0) == WAIT_OBJECT_0;
    return ended ? StopReason::NotStarted : StopReason::NotJoined;
  }
  FindTabWindows(mainWindow, process);
  // Windows that were not found leave a tab without a page, as before.
  if (process.hostWindow == nullptr || shared.IsCancelled(launchId)) return StopReason::None;
  const PortalCookie cookie = ReadPortalCookie();
  const protocol::CopyDataRecord record = protocol::MakeGameRecord(cookie.text, cookie.querySize, address);
  return protocol::SendRecord(process.hostWindow, record.Get(), times.recordLimitMs) ? StopReason::None
                                                                                     : StopReason::NotJoined;
}

void RunStart(std::shared_ptr<TabWatcher::Shared> shared, std::uint32_t launchId, std::string commandLine,
              HWND mainWindow, std::string address, TabTimes times) {
  StartOutcome outcome;
  TabProcess process;
  if (!StartTabProcess(commandLine, process)) {
    outcome.failure = StopReason::NotStarted;
  } else {
    outcome.failure = JoinMainWindow(*shared, launchId, process, mainWindow, address, times);
    outcome.process.processId = process.processId;
    if (outcome.failure == StopReason::None) {
      outcome.process = process;
    } else {
      // A tab that cannot be used is not left running.
      EndTabProcess(nullptr, process.processHandle, 0, 0);
      process.Close();
    }
  }
  bool cancelled = false;
  {
    std::lock_guard<std::mutex> hold(shared->lock);
    cancelled = shared->cancelled.erase(launchId) != 0;
    if (!cancelled) {
      shared->outcomes[launchId] = outcome;
      shared->Post(kMsgTabStartDone, launchId);
    }
  }
  // Its tab closed meanwhile: the process this job started goes too.
  if (cancelled && outcome.process.processHandle != nullptr) {
    EndTabProcess(outcome.process.hostWindow, outcome.process.processHandle, times.answerMs, times.graceMs);
    outcome.process.Close();
  }
  std::lock_guard<std::mutex> hold(shared->lock);
  shared->JobDone();
}

void RunEnd(std::shared_ptr<TabWatcher::Shared> shared, HWND window, HANDLE process, TabTimes times) {
  EndTabProcess(window, process, times.answerMs, times.graceMs);
  if (process != nullptr) CloseHandle(process);
  std::lock_guard<std::mutex> hold(shared->lock);
  shared->JobDone();
}

}  // namespace

TabWatcher::TabWatcher() : shared_(std::make_shared<Shared>()) {}

TabWatcher::~TabWatcher() {
  std::lock_guard<std::mutex> hold(shared_->lock);
  shared_->notify = nullptr;
}

void TabWatcher::SetNotifyWindow(HWND window) {
  std::lock_guard<std::mutex> hold(shared_->lock);
  shared_->notify = window;
}

void TabWatcher::SetTimes(const TabTimes& times) {
  std::lock_guard<std::mutex> hold(shared_->lock);
  shared_->times = times;
}

TabTimes TabWatcher::times() const {
  std::lock_guard<std::mutex> hold(shared_->lock);
  return shared_->times;
}

void TabWatcher::Start(std::uint32_t launchId, const std::string& commandLine, HWND mainWindow,
                       const std::string& address) {
  const TabTimes limits = times();
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    ++shared_->running;
  }
  try {
    std::thread(RunStart, shared_, launchId, commandLine, mainWindow, address, limits).detach();
  } catch (const std::system_error&) {
    // No thread to start it with: the tab cannot be used.
    std::lock_guard<std::mutex> hold(shared_->lock);
    shared_->outcomes[launchId] = StartOutcome{StopReason::NotStarted, {}};
    shared_->Post(kMsgTabStartDone, launchId);
    shared_->JobDone();
  }
}

void TabWatcher::CancelStart(std::uint32_t launchId) {
  StartOutcome waiting;
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    auto found = shared_->outcomes.find(launchId);
    if (found == shared_->outcomes.end()) {
      shared_->cancelled.insert(launchId);  // the job sees the mark
      return;
    }
    waiting = found->second;
    shared_->outcomes.erase(found);
  }
  // Joined, but its news came too late: it is ended like a closed tab.
  if (waiting.process.processHandle != nullptr) End(waiting.process.hostWindow, waiting.process.processHandle);
  waiting.process.Close();
}

std::optional<StartOutcome> TabWatcher::TakeOutcome(std::uint32_t launchId) {
  std::lock_guard<std::mutex> hold(shared_->lock);
  auto found = shared_->outcomes.find(launchId);
  if (found == shared_->outcomes.end()) return std::nullopt;
  StartOutcome outcome = found->second;
  shared_->outcomes.erase(found);
  return outcome;
}

void TabWatcher::End(HWND commandWindow, HANDLE process) {
  HANDLE own = CopyProcessHandle(process);
  const TabTimes limits = times();
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    ++shared_->running;
  }
  try {
    std::thread(RunEnd, shared_, commandWindow, own, limits).detach();
  } catch (const std::system_error&) {
    // No thread to wait with: better ended now than left running.
    if (own != nullptr) {
      TerminateProcess(own, kForcedExitCode);
      CloseHandle(own);
    }
    std::lock_guard<std::mutex> hold(shared_->lock);
    shared_->JobDone();
  }
}

void TabWatcher::NotifyWhenAllEnded() {
  std::lock_guard<std::mutex> hold(shared_->lock);
  if (shared_->running == 0) {
    shared_->Post(kMsgTabsEnded, 0);
  } else {
    shared_->notifyWhenIdle = true;
  }
}

bool TabWatcher::WaitUntilIdle(DWORD limitMs) {
  std::unique_lock<std::mutex> hold(shared_->lock);
  return shared_->idle.wait_for(hold, std::chrono::milliseconds(limitMs), [&] { return shared_->running == 0; });
}

}  // namespace tamvelo::tabs
