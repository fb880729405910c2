// The skin of the source tree installed into the data folder of the test
// prefix for the life of the object; what was there before comes back.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tamvelo::test {

class SkinInstall {
 public:
  SkinInstall();
  ~SkinInstall();
  SkinInstall(const SkinInstall&) = delete;
  SkinInstall& operator=(const SkinInstall&) = delete;

 private:
  struct Folder {
    std::string installed;  // data folder + "xml" / "skin"
    std::string saved;      // where an existing folder waits meanwhile
  };
  Folder folders_[2];
};

// Serves the thread's messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void Pump(DWORD ms);

// Folder of the running test executable, ending in a backslash.
std::string ExecutableFolder();

// A screenshot of a window's screen area as a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace tamvelo::test
