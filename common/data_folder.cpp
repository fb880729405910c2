#include "common/data_folder.h"

#include <windows.h>
#include <shlobj.h>

namespace tamvelo {

std::string DataFolder() {
  char appData[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
  return std::string(appData) + kDataSubfolder;
}

std::wstring DataFolderW() {
  wchar_t appData[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
  return std::wstring(appData) + kDataSubfolderW;
}

std::string DataFile(const std::string& dataFolder, const char* name) {
  return dataFolder + name;
}

std::wstring DataFileW(const std::wstring& dataFolder, const wchar_t* name) {
  return dataFolder + name;
}

}  // namespace tamvelo
