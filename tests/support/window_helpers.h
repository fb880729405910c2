// Message pumping and screenshots for the suites that drive real windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tamvelo::test {

// Sees a message before it is dispatched; true when it handled it (the
// toolkit's CPaintManagerUI::TranslateMessage takes its windows' keys).
using MessageFilter = bool (*)(MSG*);

// The suites' one message loop: handles every queued message of this
// thread. A quit message is not dispatched but noted for TakeQuit; returns
// whether one was among them.
bool PumpQueued(MessageFilter filter = nullptr);
// Whether a quit message arrived since the last call, handling what is
// queued first.
bool TakeQuit(MessageFilter filter = nullptr);
// The message of that kind for that window (null: any) posted to this
// thread, taken from the queue; false when there is none.
bool TakePosted(HWND window, UINT message, MSG* taken);

// Serves the thread's messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void Pump(DWORD ms);

// Sends a copy-data record as a tab process or a second start would; -1
// when the receiver did not answer within 5 s.
LRESULT SendCopyData(HWND to, ULONG_PTR kind, const void* data, DWORD byteCount);
// A tab's page title as its host window sends it.
LRESULT SendTitle(HWND to, HWND host, const std::wstring& title);

// A message-only window of this thread whose procedure finds `self` in the
// window's user data (GWLP_USERDATA).
HWND CreateMessageWindow(const char* className, WNDPROC procedure, void* self);

// Folder of the running test executable, ending in a backslash.
std::string ExecutableFolder();

// Writes a bottom-up 24- or 32-bit picture as a BMP file.
void WriteBmpFile(const std::string& path, const BITMAPINFOHEADER& header, const void* bits);

// A screenshot of a window's screen area as a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace tamvelo::test
