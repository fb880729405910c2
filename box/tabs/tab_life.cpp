#include "box/tabs/tab_life.h"

#include <algorithm>
#include <atomic>

namespace tamvelo::tabs {

std::uint32_t NextLaunchId() {
  static std::atomic<std::uint32_t> last{0};
  std::uint32_t id = ++last;
  while (id == 0) id = ++last;
  return id;
}

const char* StoppedPageLine(StopReason why) {
  switch (why) {
    case StopReason::NotStarted: return "游戏无法启动，可以重新打开本游戏";
    case StopReason::NotJoined: return "游戏长时间没有打开，已经结束，可以重新打开本游戏";
    case StopReason::None:
    case StopReason::Ended: break;
  }
  return "游戏进程已经结束，可以重新打开本游戏";
}

void TabLife::Launch(std::uint32_t launchId) {
  stage_ = TabStage::Starting;
  reason_ = StopReason::None;
  launchId_ = launchId;
  hung_ = false;
}

bool TabLife::Join(std::uint32_t launchId) {
  if (stage_ != TabStage::Starting || launchId != launchId_) return false;
  stage_ = TabStage::Running;
  return true;
}

bool TabLife::FailStart(std::uint32_t launchId, StopReason why) {
  if (stage_ != TabStage::Starting || launchId != launchId_) return false;
  stage_ = TabStage::Stopped;
  reason_ = why;
  return true;
}

bool TabLife::End() {
  if (stage_ != TabStage::Running) return false;
  stage_ = TabStage::Stopped;
  reason_ = StopReason::Ended;
  hung_ = false;
  return true;
}

bool TabLife::Observe(bool reportedHung, std::uint64_t nowMs) {
  if (stage_ != TabStage::Running || reportedHung == hung_) return false;
  hung_ = reportedHung;
  // The system says so only after it has been silent for a while already.
  if (hung_) silentSince_ = nowMs >= kSilentBeforeMarkMs ? nowMs - kSilentBeforeMarkMs : 0;
  return true;
}

void TabLife::Wait(std::uint64_t nowMs) { silentSince_ = std::max(silentSince_, nowMs); }

TabView TabLife::View(std::uint64_t nowMs, std::uint64_t hungPageMs) const {
  switch (stage_) {
    case TabStage::Starting: return TabView::Starting;
    case TabStage::Stopped: return TabView::Stopped;
    case TabStage::Running: break;
  }
  return hung_ && nowMs >= silentSince_ + hungPageMs ? TabView::Hung : TabView::Game;
}

}  // namespace tamvelo::tabs
