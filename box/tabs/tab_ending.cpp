#include "box/tabs/tab_ending.h"

#include <process.h>

namespace tamvelo::tabs {

namespace {

bool StillRunning(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

struct LateEnd {
  HANDLE process;
  DWORD graceMs;
};

unsigned __stdcall EndWhenLate(void* param) {
  LateEnd* job = static_cast<LateEnd*>(param);
  if (WaitForSingleObject(job->process, job->graceMs) == WAIT_TIMEOUT) {
    TerminateProcess(job->process, kForcedExitCode);
  }
  CloseHandle(job->process);
  delete job;
  return 0;
}

}  // namespace

HANDLE CopyProcessHandle(HANDLE process) {
  HANDLE own = nullptr;
  if (process == nullptr || !DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &own, 0,
                                             FALSE, DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  return own;
}

bool TellWindowToEnd(HWND window, DWORD timeoutMs) {
  if (window == nullptr) return false;
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(window, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, timeoutMs, &answer) != 0;
}

void EndProcessesWithin(const std::vector<HANDLE>& processes, DWORD graceMs) {
  const ULONGLONG deadline = GetTickCount64() + graceMs;
  for (HANDLE process : processes) {
    if (process == nullptr) continue;
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    if (WaitForSingleObject(process, left) == WAIT_TIMEOUT) TerminateProcess(process, kForcedExitCode);
  }
}

void EndTabs(const std::vector<TabToEnd>& tabs, DWORD answerMs, DWORD graceMs) {
  std::vector<HANDLE> answered;
  for (const TabToEnd& tab : tabs) {
    if (TellWindowToEnd(tab.window, answerMs)) {
      answered.push_back(tab.process);
    } else if (tab.process != nullptr) {
      TerminateProcess(tab.process, kForcedExitCode);
    }
  }
  EndProcessesWithin(answered, graceMs);
}

void EndProcessLater(HANDLE process, DWORD graceMs) {
  if (process == nullptr || !StillRunning(process)) return;
  const HANDLE own = CopyProcessHandle(process);
  if (own == nullptr) return;
  auto* job = new LateEnd{own, graceMs};
  const uintptr_t thread = _beginthreadex(nullptr, 0, EndWhenLate, job, 0, nullptr);
  if (thread == 0) {
    // No thread to wait with: better ended now than left running.
    TerminateProcess(own, kForcedExitCode);
    CloseHandle(own);
    delete job;
    return;
  }
  CloseHandle(reinterpret_cast<HANDLE>(thread));
}

}  // namespace tamvelo::tabs
