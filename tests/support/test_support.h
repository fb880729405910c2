// Helpers shared by the test suites: temporary folders and files on the
// Wine side, and the data folder of the test prefix.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/text_literals.h"

namespace tamvelo::test {

// A fresh folder under the temporary folder, removed with its content.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // Ends with a backslash.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Writes bytes exactly as given (no BOM, no newline translation).
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

// Deletes a folder tree; missing is fine.
void RemoveTree(const std::string& path);
// Creates a folder and any missing parents.
void CreateFolders(const std::string& path);

// Makes the real data folder (application data + "\tamvelo\gamebox\" with
// its "config\" folder) exist for the test, and on destruction restores
// what was there before: the INI files are saved and put back.
class DataFolderScope {
 public:
  DataFolderScope();
  ~DataFolderScope();
  DataFolderScope(const DataFolderScope&) = delete;
  DataFolderScope& operator=(const DataFolderScope&) = delete;
  const std::string& folder() const { return folder_; }
  std::string ConfigIni() const;
  std::string ParamIni() const;
  std::string VersionIni() const;

 private:
  std::string folder_;
  TempDir backup_;
};

}  // namespace tamvelo::test
