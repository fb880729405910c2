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
  int ending = 0;
  bool notifyWhenEnded = false;

  bool IsCancelled(std::uint32_t launchId) {
    std::lock_guard<std::mutex> hold(lock);
    return cancelled.count(launchId) != 0;
  }
  void Post(UINT message, WPARAM wParam) {
    if (notify != nullptr) PostMessageA(notify, message, wParam, 0);
  }
  // The last step of every job, under the lock.
  void JobDone() {
    --running;
    idle.notify_all();
  }
  void EndingDone() {
    if (--ending == 0 && notifyWhenEnded) {
      notifyWhenEnded = false;
      Post(kMsgTabsEnded, 0);
    }
    JobDone();
  }
};

namespace {

// Polls in short slices so that a cancelled start stops at once. Some
// systems report a process that already ended as idle, which is no tab.
bool WaitUntilIdle(HANDLE process, DWORD limitMs, TabWatcher::Shared& shared, std::uint32_t launchId) {
  constexpr DWORD kSliceMs = 50;
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  for (;;) {
    const DWORD result = WaitForInputIdle(process, kSliceMs);
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    if (result == 0) return !ended;
    if (result != WAIT_TIMEOUT || ended || GetTickCount64() >= deadline) return false;
    if (shared.IsCancelled(launchId)) return false;
  }
}

StartOutcome WatchOneStart(TabWatcher::Shared& shared, std::uint32_t launchId, HANDLE process,
                           DWORD processId, HWND mainWindow, const protocol::CopyDataRecord& record,
                           const TabTimes& times) {
  StartOutcome outcome;
  if (!WaitUntilIdle(process, times.startLimitMs, shared, launchId)) {
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    outcome.failure = ended ? StopReason::NotStarted : StopReason::NotJoined;
    return outcome;
  }
  TabProcess found;
  found.processId = processId;
  FindTabWindows(mainWindow, found);
  outcome.tabWindow = found.tabWindow;
  outcome.hostWindow = found.hostWindow;
  // Windows that were not found leave a tab without a page, as before.
  if (found.hostWindow == nullptr || shared.IsCancelled(launchId)) return outcome;
  if (!protocol::SendRecord(found.hostWindow, record.Get(), times.recordLimitMs)) outcome.failure = StopReason::NotJoined;
  return outcome;
}

void RunStart(std::shared_ptr<TabWatcher::Shared> shared, std::uint32_t launchId, HANDLE process,
              DWORD processId, HWND mainWindow, protocol::CopyDataRecord record, TabTimes times) {
  StartOutcome outcome = WatchOneStart(*shared, launchId, process, processId, mainWindow, record, times);
  // A tab that cannot be used is not left running; one whose tab closed
  // meanwhile is the ending's business.
  const bool cancelled = shared->IsCancelled(launchId);
  if (outcome.failure != StopReason::None && !cancelled) {
    EndTabProcess(nullptr, process, 0, 0);
  }
  CloseHandle(process);
  std::lock_guard<std::mutex> hold(shared->lock);
  if (shared->cancelled.erase(launchId) == 0) {
    shared->outcomes[launchId] = outcome;
    shared->Post(kMsgTabStartDone, launchId);
  }
  shared->JobDone();
}

void RunEnd(std::shared_ptr<TabWatcher::Shared> shared, HWND window, HANDLE process, TabTimes times) {
  EndTabProcess(window, process, times.answerMs, times.graceMs);
  if (process != nullptr) CloseHandle(process);
  std::lock_guard<std::mutex> hold(shared->lock);
  shared->EndingDone();
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

void TabWatcher::WatchStart(std::uint32_t launchId, HANDLE process, DWORD processId, HWND mainWindow,
                            protocol::CopyDataRecord record) {
  HANDLE own = CopyProcessHandle(process);
  if (own == nullptr) return;
  const TabTimes limits = times();
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    ++shared_->running;
  }
  try {
    std::thread(RunStart, shared_, launchId, own, processId, mainWindow, std::move(record), limits).detach();
  } catch (const std::system_error&) {
    // No thread to wait with: the tab cannot be used, and is not left running.
    TerminateProcess(own, kForcedExitCode);
    CloseHandle(own);
    std::lock_guard<std::mutex> hold(shared_->lock);
    shared_->outcomes[launchId] = StartOutcome{StopReason::NotStarted};
    shared_->Post(kMsgTabStartDone, launchId);
    shared_->JobDone();
  }
}

void TabWatcher::CancelStart(std::uint32_t launchId) {
  std::lock_guard<std::mutex> hold(shared_->lock);
  // An outcome already waiting is dropped; otherwise the job sees the mark.
  if (shared_->outcomes.erase(launchId) == 0) shared_->cancelled.insert(launchId);
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
    ++shared_->ending;
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
    shared_->EndingDone();
  }
}

void TabWatcher::NotifyWhenAllEnded() {
  std::lock_guard<std::mutex> hold(shared_->lock);
  if (shared_->ending == 0) {
    shared_->Post(kMsgTabsEnded, 0);
  } else {
    shared_->notifyWhenEnded = true;
  }
}

bool TabWatcher::WaitUntilIdle(DWORD limitMs) {
  std::unique_lock<std::mutex> hold(shared_->lock);
  return shared_->idle.wait_for(hold, std::chrono::milliseconds(limitMs), [&] { return shared_->running == 0; });
}

}  // namespace tamvelo::tabs
