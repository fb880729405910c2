#include "tests/mainwnd/open_main_window.h"

#include <string>
#include <vector>

#include "common/ini.h"

namespace tamvelo::test {

namespace {

void WriteList(const std::string& path, const char* section, const std::vector<std::string>& entries) {
  ini::WriteInt(path, section, "count", static_cast<int>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i)
    ini::WriteText(path, section, ("str" + std::to_string(i + 1)).c_str(), entries[i]);
}

}  // namespace

void OpenMainWindowTest::SetUp() {
  MainWindowTest::SetUp();
  WriteList(ParamIni(), "Linktopay", {kLinktopay14, kLinktopay15});
  WriteList(ParamIni(), "Otherurl", {kOtherurl15, kLinktopay15});
  CreateMainWindow();
  Pump(300);
}

}  // namespace tamvelo::test
