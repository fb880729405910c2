// The real tamvelo-box.exe started from the test's own folder, and the
// tab processes it starts; whatever is still running at the end is ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tamvelo::test {

class BoxProcess {
 public:
  ~BoxProcess();
  // Starts "tamvelo-box.exe", or another program of the box's folder that
  // runs the box, with the given arguments; false when it fails.
  bool Start(const std::string& arguments = "", const std::string& program = "tamvelo-box.exe");
  // Waits for the main window of this process.
  HWND WaitForMainWindow(DWORD timeoutMs);
  // Exit code once the process ended within the time, else STILL_ACTIVE.
  DWORD WaitForExit(DWORD timeoutMs);
  DWORD id() const { return info_.dwProcessId; }
  HANDLE handle() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_ = {};
};

// Processes whose parent is the given one; only those of that program file
// (no folder) when one is named.
std::vector<DWORD> ChildProcesses(DWORD parentId, const char* exeName = nullptr);

// The tab windows (class "Tamvelo_Box_Tab") inside a main window, in the
// order the enumeration gives.
std::vector<HWND> TabWindows(HWND mainWindow);

// Answers every HTTP request on 127.0.0.1:80 with a small INI text, so
// that the box's update check finds its portal and stays quiet.
class QuietPortal {
 public:
  QuietPortal();
  ~QuietPortal();
  bool listening() const { return listener_ != ~static_cast<UINT_PTR>(0); }

 private:
  static DWORD WINAPI Serve(void* self);
  UINT_PTR listener_ = ~static_cast<UINT_PTR>(0);
  HANDLE thread_ = nullptr;
};

}  // namespace tamvelo::test
