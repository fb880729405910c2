// The per-user data folder: application-data folder + "\tamvelo\gamebox\".
// It holds the skin ("xml//", "skin/") and the INI files under "config\".
#pragma once

#include <string>

namespace tamvelo {

inline constexpr char kDataSubfolder[] = "\\tamvelo\\gamebox\\";
inline constexpr wchar_t kDataSubfolderW[] = L"\\tamvelo\\gamebox\\";

// File names relative to the data folder.
inline constexpr char kConfigIniName[] = "config\\config.ini";
inline constexpr char kParamIniName[] = "config\\param.ini";
inline constexpr char kVersionIniName[] = "config\\version.ini";
inline constexpr wchar_t kParamIniNameW[] = L"config\\param.ini";

// Ends with a backslash. The folder is not created. When the
// application-data folder cannot be found the result is the bare subfolder,
// which then lies on the current drive.
std::string DataFolder();
std::wstring DataFolderW();

// The data folder (as given, ending in a backslash) joined with a file name.
std::string DataFile(const std::string& dataFolder, const char* name);
std::wstring DataFileW(const std::wstring& dataFolder, const wchar_t* name);

}  // namespace tamvelo
