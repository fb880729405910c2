#include "tests/support/test_support.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "common/data_folder.h"

namespace tamvelo::test {

TempDir::TempDir() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    path_ = std::string(base) + "tamvelo-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "\\";
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path) {
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

void CreateFolders(const std::string& path) {
  for (size_t i = 3; i < path.size(); ++i) {
    if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}

namespace {

const char* const kIniNames[] = {kConfigIniName, kParamIniName, kVersionIniName};

}  // namespace

DataFolderScope::DataFolderScope() : folder_(DataFolder()) {
  CreateFolders(folder_ + "config\\");
  int i = 0;
  for (const char* name : kIniNames) {
    const std::string saved = backup_.File(std::to_string(i++));
    if (FileExists(folder_ + name)) CopyFileA((folder_ + name).c_str(), saved.c_str(), FALSE);
    DeleteFileA((folder_ + name).c_str());
  }
}

DataFolderScope::~DataFolderScope() {
  int i = 0;
  for (const char* name : kIniNames) {
    const std::string saved = backup_.File(std::to_string(i++));
    DeleteFileA((folder_ + name).c_str());
    if (FileExists(saved)) MoveFileExA(saved.c_str(), (folder_ + name).c_str(), MOVEFILE_REPLACE_EXISTING);
  }
}

std::string DataFolderScope::ConfigIni() const { return folder_ + kConfigIniName; }
std::string DataFolderScope::ParamIni() const { return folder_ + kParamIniName; }
std::string DataFolderScope::VersionIni() const { return folder_ + kVersionIniName; }

}  // namespace tamvelo::test
