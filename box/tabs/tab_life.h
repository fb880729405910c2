// The life of one game tab as the strip sees it, from the start of its
// process to its end: starting, running (perhaps not answering), stopped.
// Messages about a process carry the launch id they were started with, so
// that news of an earlier process of the same tab, or of a tab that is gone,
// changes nothing. No windows and no clock: the caller passes the time.
#pragma once

#include <cstdint>

#include "box/shared/tab_view.h"

namespace tamvelo::tabs {

enum class TabStage { Starting, Running, Stopped };

// Why a tab stopped; each reason has its own line on the stopped page.
enum class StopReason {
  None,
  NotStarted,  // the tab program could not be started at all
  NotJoined,   // it did not join the main window, or take its record, in time
  Ended,       // its process ended (crashed, killed, or closed from the hung page)
};

// A fresh launch id for every process start; never 0.
std::uint32_t NextLaunchId();

// The explaining line of the stopped page.
const char* StoppedPageLine(StopReason why);

class TabLife {
 public:
  // The system calls a window hung after it has not taken a message for 5 s.
  static constexpr std::uint64_t kSilentBeforeMarkMs = 5000;
  // The box's page covers a selected game that has not answered for 15 s.
  static constexpr std::uint64_t kSilentBeforePageMs = 15000;

  // A new process for the tab: starting, whatever it was before.
  void Launch(std::uint32_t launchId);
  // News of the start of launchId; false when it is not the current start.
  bool Join(std::uint32_t launchId);
  bool FailStart(std::uint32_t launchId, StopReason why);
  // The running process ended; false when the tab was not running. A
  // process that ends while it starts is the start's outcome.
  bool End();

  // The periodic look at the tab's window: whether the system reports it as
  // hung at nowMs. True when that changed the tab's mark.
  bool Observe(bool reportedHung, std::uint64_t nowMs);
  // "等待" on the hung page: the page goes and the 15 s start again.
  void Wait(std::uint64_t nowMs);

  TabStage stage() const { return stage_; }
  StopReason reason() const { return reason_; }
  std::uint32_t launchId() const { return launchId_; }
  // Running, but its window does not answer: the button shows it.
  bool hung() const { return stage_ == TabStage::Running && hung_; }
  // What the body shows while this tab is selected: the hung page once the
  // game has been silent for hungPageMs.
  TabView View(std::uint64_t nowMs, std::uint64_t hungPageMs = kSilentBeforePageMs) const;

 private:
  TabStage stage_ = TabStage::Starting;
  StopReason reason_ = StopReason::None;
  std::uint32_t launchId_ = 0;
  bool hung_ = false;
  std::uint64_t silentSince_ = 0;  // when the window last answered, as far as known
};

}  // namespace tamvelo::tabs
