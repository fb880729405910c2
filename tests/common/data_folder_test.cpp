#include "common/data_folder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include "tests/support/test_support.h"

namespace tamvelo {
namespace {

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

TEST(DataFolder, ScopeRestoresTheUsersFiles) {
  std::string config;
  {
    test::DataFolderScope outer;
    config = outer.ConfigIni();
    test::WriteFile(config, "[Setting]\r\nSkin=4\r\n");
    {
      test::DataFolderScope inner;
      EXPECT_FALSE(test::FileExists(config));
      test::WriteFile(config, "[Setting]\r\nSkin=1\r\n");
    }
    EXPECT_EQ(test::ReadFile(config), "[Setting]\r\nSkin=4\r\n");
  }
  EXPECT_FALSE(test::FileExists(config));
}

}  // namespace
}  // namespace tamvelo
