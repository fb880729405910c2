// The tab host process: a hidden host window on the main thread that takes
// the main program's records, and a visible tab window with the browser on
// the browser thread, both children of the main program's main window.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "tab/browser_events.h"
#include "tab/tab_context.h"

namespace tamvelo::tab {

inline constexpr int kTitleChars = 100;
// How often waiting mode looks for the main window.
inline constexpr DWORD kWaitPollMs = 2000;

// Written during start-up: the names before the browser thread starts, the
// main thread's part before it signals joinedEvent, the browser thread's
// before it signals startupEvent. Read-only afterwards except tabWindow and
// pendingNavigation, which cross threads.
struct TabHostState {
  HINSTANCE instance = nullptr;
  bool waitingMode = false;
  wchar_t windowTitle[kTitleChars] = {};
  wchar_t hostClassName[kTitleChars] = {};
  wchar_t tabClassName[kTitleChars] = {};
  std::wstring paramIniPath;
  TabContext context;
  // Set by the main thread once its host window is a child of the main
  // window (joined true) or once it gave up (joined false).
  HANDLE joinedEvent = nullptr;
  bool joined = false;
  // Set by the browser thread once its tab window is placed too.
  HANDLE startupEvent = nullptr;
  HANDLE browserThread = nullptr;
  DWORD browserThreadId = 0;
  // The tab window while it holds a browser; null once it let it go.
  std::atomic<HWND> tabWindow{nullptr};
  // The latest address that the main thread handed the browser thread and
  // that it has not taken yet; owned by whoever takes it out.
  std::atomic<std::wstring*> pendingNavigation{nullptr};
  // One sink per process; it must outlive every browser it was advised to.
  CMyWebBrowser2Event eventSink{&context};
};

TabHostState& TabHost();

// The text after the program name (quoted or not) and the blanks after it.
std::wstring CommandLineArgument(const wchar_t* commandLine);

// The process entry: returns the exit code, 0 on every path. A command line
// without any argument ends at once (the main program always passes a
// token; a tab started by hand would otherwise sit in the main window
// unknown to it).
int TabHostMain(HINSTANCE instance, const wchar_t* commandLine);

// Start-up of the main thread, while the browser thread (already running in
// tab mode) builds the tab window and the browser; returns once both
// windows are children of the main window, with COM initialised on this
// thread. False ends the process.
bool TabHostInit();

// Builds the tab window with its browser, places it in the main window once
// the main thread has joined it, signals the start-up event and runs the
// thread's message loop; ends at once when the main thread gave up.
DWORD WINAPI BrowserThreadMain(void* unused);

// Ends the browser thread, which then lets its browser go, before the
// process ends; a thread still waiting for the main thread learns that it
// gave up. False when the thread did not end in time: then everything it
// may still touch is left in place, and the process must end without
// running its destructors.
bool StopBrowserThread(TabHostState& process);

// Registers a window class of this program (icons 107/108, arrow cursor).
bool RegisterTabProgramClass(const wchar_t* className, WNDPROC procedure);

// WM_PAINT of a window that shows nothing of its own.
LRESULT PaintNothing(HWND window);

}  // namespace tamvelo::tab
