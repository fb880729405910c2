#include "box/app/browser_feature.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/protocol.h"

namespace {

constexpr char kBrowserKey[] = "SOFTWARE\\Microsoft\\Internet Explorer";
constexpr char kFeatureRoot[] = "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\";
// Room for the program's path, and so for the file name cut from it.
constexpr size_t kModulePathChars = 520;
// Room for the browser's version text ("11.0.9600.16384" and the like).
constexpr DWORD kVersionTextBytes = 256;

// A string value that ends with its NUL inside the buffer.
bool ReadVersionText(HKEY key, const char* name, char* buffer, DWORD bufferSize) {
  DWORD type = 0;
  DWORD size = bufferSize;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS)
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  return size > 0 && std::memchr(buffer, '\0', size) != nullptr;
}

// File name of the running executable: the text after the last backslash.
void ExecutableFileName(char* name, size_t nameSize) {
  char path[kModulePathChars] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  const char* slash = std::strrchr(path, '\\');
  const char* base = slash ? slash + 1 : path;
  lstrcpynA(name, base, static_cast<int>(nameSize));
}

void WriteFeature(const char* feature, DWORD value, const char* exeName) {
  char keyPath[256];
  lstrcpynA(keyPath, kFeatureRoot, sizeof keyPath);
  lstrcatA(keyPath, feature);
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
  RegSetValueExA(key, exeName, 0, REG_DWORD, bytes, sizeof value);
  RegSetValueExA(key, tamvelo::protocol::kTabExeName, 0, REG_DWORD, bytes, sizeof value);
  RegCloseKey(key);
}

}  // namespace

int GetBrowserMajorVersion() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return -1;
  char version[kVersionTextBytes] = {};
  // The last byte stays NUL whatever the read leaves. A failed read may
  // leave bytes of another type behind: start clean.
  constexpr DWORD kReadBytes = kVersionTextBytes - 1;
  if (!ReadVersionText(key, "svcVersion", version, kReadBytes)) {
    std::memset(version, 0, sizeof version);
    if (!ReadVersionText(key, "Version", version, kReadBytes)) std::memset(version, 0, sizeof version);
  }
  RegCloseKey(key);
  return std::atoi(version);
}

void BrowserFeatureControl() {
  const int major = GetBrowserMajorVersion();
  if (major <= 6) return;
  char exeName[kModulePathChars];
  ExecutableFileName(exeName, sizeof exeName);
  WriteFeature("FEATURE_BROWSER_EMULATION", static_cast<DWORD>(major * 1000), exeName);
  WriteFeature("FEATURE_SCRIPTURL_MITIGATION", 1, exeName);
}
