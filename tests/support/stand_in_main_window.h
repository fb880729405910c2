// A window of the main program's class in the test process, standing in for
// tamvelo-box: it collects the copy-data records that tab processes send.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/window_helpers.h"

namespace tamvelo::test {

struct ReceivedRecord {
  ULONG_PTR kind;
  DWORD byteCount;
  std::wstring text;
};

class StandInMainWindow {
 public:
  StandInMainWindow(int width = 1020, int height = 690);
  ~StandInMainWindow();
  StandInMainWindow(const StandInMainWindow&) = delete;
  StandInMainWindow& operator=(const StandInMainWindow&) = delete;

  HWND window() const { return window_; }
  const std::vector<ReceivedRecord>& records() const { return records_; }
  void Destroy();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::vector<ReceivedRecord> records_;
};

// The child window of parent (any depth) owned by processId with exactly
// this class name; null when there is none.
HWND FindChildOf(HWND parent, DWORD processId, const wchar_t* className);

// A tab process started as the main program starts it, from the build's
// bin folder (beside the test executables). Ended on destruction if it
// still runs.
class TabProcessRun {
 public:
  // commandLine is passed as given, e.g. L"tamvelo-tab.exe 1_tamvelo_1_tab".
  explicit TabProcessRun(const std::wstring& commandLine);
  ~TabProcessRun();
  TabProcessRun(const TabProcessRun&) = delete;
  TabProcessRun& operator=(const TabProcessRun&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD processId() const { return info_.dwProcessId; }
  HANDLE process() const { return info_.hProcess; }
  // Exit code once the process ended within the time-out (messages are
  // served meanwhile), STILL_ACTIVE otherwise.
  DWORD WaitForExit(DWORD timeoutMs);
  bool Running() const;

 private:
  PROCESS_INFORMATION info_{};
};


}  // namespace tamvelo::test
