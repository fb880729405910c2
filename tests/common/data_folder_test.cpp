#include "common/data_folder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include "tests/support/test_support.h"

namespace tamvelo::test {
namespace {

// The folder every part of the product, the setup program and the users'
// files agree on; the wide form names the same folder.
TEST(DataFolder, IsTheApplicationDataFolderPlusTheProductFolder) {
  char appData[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE));
  EXPECT_EQ(DataFolder(), std::string(appData) + "\\tamvelo\\gamebox\\");
  EXPECT_EQ(DataFolderW(), test::Utf8ToWide(DataFolder()));
  EXPECT_EQ(DataFile(DataFolder(), kConfigIniName), DataFolder() + "config\\config.ini");
  EXPECT_EQ(DataFile(DataFolder(), kParamIniName), DataFolder() + "config\\param.ini");
  EXPECT_EQ(DataFile(DataFolder(), kVersionIniName), DataFolder() + "config\\version.ini");
  EXPECT_EQ(DataFileW(DataFolderW(), kParamIniNameW), test::Utf8ToWide(DataFolder() + "config\\param.ini"));
}

}  // namespace
}  // namespace tamvelo::test
