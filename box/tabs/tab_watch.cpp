#include "box/tabs/tab_watch.h"

namespace tamvelo::tabs {

bool TabEndWatch::Start(HANDLE process, DWORD processId, HWND notify) {
  Stop();
  if (process == nullptr || notify == nullptr) return false;
  target_ = {notify, processId};
  if (!RegisterWaitForSingleObject(&wait_, process, OnEnded, &target_, INFINITE, WT_EXECUTEONLYONCE)) {
    wait_ = nullptr;
    return false;
  }
  return true;
}

void TabEndWatch::Stop() {
  if (wait_ == nullptr) return;
  // Waits for a callback that runs: target_ must outlive it.
  UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
  wait_ = nullptr;
}

void CALLBACK TabEndWatch::OnEnded(void* target, BOOLEAN timedOut) {
  if (timedOut) return;
  const Target& to = *static_cast<const Target*>(target);
  PostMessageA(to.notify, kMsgTabProcessEnded, to.processId, 0);
}

}  // namespace tamvelo::tabs
