// Message pumping and screenshots for the suites that drive real windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tamvelo::test {

// Serves the thread's messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void Pump(DWORD ms);

// Folder of the running test executable, ending in a backslash.
std::string ExecutableFolder();

// Writes a bottom-up 24- or 32-bit picture as a BMP file.
void WriteBmpFile(const std::string& path, const BITMAPINFOHEADER& header, const void* bits);

// A screenshot of a window's screen area as a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace tamvelo::test
