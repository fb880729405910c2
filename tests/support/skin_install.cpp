#include "tests/support/skin_install.h"

#include <windows.h>

#include "common/data_folder.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {

namespace {

// The source tree seen from Wine: drive Z: is the Unix root.
std::string SourcePath(const std::string& relative) {
  std::string path = std::string("Z:") + TAMVELO_SOURCE_DIR + "/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

void CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((from + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(from + "\\" + name, to + "\\" + name);
    else CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

}  // namespace

SkinInstall::SkinInstall() {
  const std::string data = DataFolder();
  CreateFolders(data);
  const char* names[] = {"xml", "skin"};
  for (int i = 0; i < 2; ++i) {
    Folder& folder = folders_[i];
    folder.installed = data + names[i];
    if (FileExists(folder.installed)) {
      folder.saved = folder.installed + ".saved-" + std::to_string(GetCurrentProcessId());
      MoveFileA(folder.installed.c_str(), folder.saved.c_str());
    }
    CopyTree(SourcePath(std::string("skin/") + names[i]), folder.installed);
  }
}

SkinInstall::~SkinInstall() {
  for (const Folder& folder : folders_) {
    RemoveTree(folder.installed);
    if (!folder.saved.empty()) MoveFileA(folder.saved.c_str(), folder.installed.c_str());
  }
}

}  // namespace tamvelo::test
