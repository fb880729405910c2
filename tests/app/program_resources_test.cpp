// The version information and the manifest of both built programs, read
// back from the executables beside the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/product_version.h"

namespace tamvelo::test {

namespace {

std::string ProgramPath(const char* exeName) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of('\\') + 1);
  return folder + exeName;
}

// The text of the manifest resource (type 24, id 1), empty when missing.
std::string ManifestOf(const std::string& exe) {
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return {};
  std::string text;
  if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    const DWORD size = SizeofResource(module, found);
    if (HGLOBAL loaded = LoadResource(module, found))
      text.assign(static_cast<const char*>(LockResource(loaded)), size);
  }
  FreeLibrary(module);
  return text;
}

struct VersionInfo {
  bool found = false;
  VS_FIXEDFILEINFO fixed = {};
  std::string productVersion;
  std::string fileVersion;
  std::string originalName;
};

std::string StringValue(const std::string& block, const char* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::string query = "\\StringFileInfo\\080404b0\\" + std::string(name);
  if (!VerQueryValueA(block.data(), query.c_str(), &value, &length) || length == 0) return {};
  return std::string(static_cast<const char*>(value));
}

VersionInfo VersionOf(const std::string& exe) {
  VersionInfo info;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
  if (size == 0) return info;
  std::string block(size, '\0');
  if (!GetFileVersionInfoA(exe.c_str(), 0, size, block.data())) return info;
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO))
    return info;
  info.found = true;
  info.fixed = *static_cast<VS_FIXEDFILEINFO*>(fixed);
  info.productVersion = StringValue(block, "ProductVersion");
  info.fileVersion = StringValue(block, "FileVersion");
  info.originalName = StringValue(block, "OriginalFilename");
  return info;
}

const char* const kPrograms[] = {"tamvelo-box.exe", "tamvelo-tab.exe"};

TEST(ProgramResources, VersionInformationComesFromTheOneProductVersion) {
  for (const char* program : kPrograms) {
    SCOPED_TRACE(program);
    const VersionInfo info = VersionOf(ProgramPath(program));
    ASSERT_TRUE(info.found);
    EXPECT_EQ(info.fixed.dwFileVersionMS,
              static_cast<DWORD>(MAKELONG(TAMVELO_VERSION_MINOR, TAMVELO_VERSION_MAJOR)));
    EXPECT_EQ(info.fixed.dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, TAMVELO_VERSION_PATCH)));
    EXPECT_EQ(info.fixed.dwProductVersionMS, info.fixed.dwFileVersionMS);
    EXPECT_EQ(info.productVersion, TAMVELO_VERSION_TEXT);
    EXPECT_EQ(info.fileVersion, TAMVELO_VERSION_TEXT);
    EXPECT_EQ(info.originalName, program);
  }
}

TEST(ProgramResources, ManifestAsksForNoElevationCommonControlsPerMonitorDpiAndNamesWindows7To11) {
  const struct {
    const char* text;
    bool present;
  } kExpectations[] = {
      {"level=\"asInvoker\"", true},
      {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", true},  // Windows 7
      {"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", true},  // Windows 8
      {"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", true},  // Windows 8.1
      {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", true},  // Windows 10 and 11
      {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", true},
      // The main program relies on the system code page (936), not UTF-8.
      {"<activeCodePage", false},
      // Per-monitor awareness, the same in both programs: the tab windows are
      // children of the main window across processes.
      {">PerMonitorV2, PerMonitor</dpiAwareness>", true},
      {">true/pm</dpiAware>", true},
  };
  std::string first;
  for (const char* program : kPrograms) {
    SCOPED_TRACE(program);
    const std::string manifest = ManifestOf(ProgramPath(program));
    ASSERT_FALSE(manifest.empty());
    for (const auto& expectation : kExpectations) {
      SCOPED_TRACE(expectation.text);
      EXPECT_EQ(manifest.find(expectation.text) != std::string::npos, expectation.present);
    }
    if (first.empty()) first = manifest;
    EXPECT_EQ(manifest, first) << "both programs embed the same manifest";
  }
}

}  // namespace

}  // namespace tamvelo::test
