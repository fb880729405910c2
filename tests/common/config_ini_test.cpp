#include "common/config_ini.h"

#include <gtest/gtest.h>

#include "common/ini.h"
#include "tests/support/test_support.h"

namespace tamvelo::config {
namespace {

using test::TempDir;
using test::WriteFile;

// The literal sections and keys state the file's layout independently of
// the constants.
TEST(ConfigIni, WritesTheStoredTexts) {
  TempDir dir;
  const std::string path = dir.File("config.ini");
  const struct {
    ExitDirect value;
    const char* stored;
  } exitCases[] = {{ExitDirect::Ask, "0"}, {ExitDirect::Quit, "1"}, {ExitDirect::Hide, "2"}};
  for (const auto& c : exitCases) {
    EXPECT_TRUE(WriteExitDirect(path, c.value));
    EXPECT_EQ(ini::ReadText(path, "Setting", "ExitDirect"), c.stored);
    EXPECT_EQ(ReadExitDirect(path), c.stored);
  }
  EXPECT_TRUE(WriteSkin(path, -1));
  EXPECT_EQ(ini::ReadText(path, "Setting", "Skin"), "-1");
  EXPECT_TRUE(WriteHotKey(path, kFullKeyName, "115-2"));
  EXPECT_EQ(ini::ReadText(path, "HotKey", "FullKey"), "115-2");
  EXPECT_TRUE(WriteLogin(path, "0"));
  EXPECT_EQ(ini::ReadText(path, "Login", "User1"), "0");
}

TEST(ConfigIni, ReadsAbsentMalformedAndLongValues) {
  TempDir dir;
  const std::string path = dir.File("config.ini");
  EXPECT_EQ(ReadExitDirect(path), "Error");
  EXPECT_EQ(ReadHotKey(path, kHideKeyName), "Error");
  EXPECT_EQ(ReadSkin(path), 0);
  const struct {
    const char* stored;
    int skin;
  } skinCases[] = {{"abc", 0}, {"", 0}, {"3x", 3}, {"-2", -2}, {"12", 12}};
  for (const auto& c : skinCases) {
    WriteFile(path, std::string("[Setting]\r\nSkin=") + c.stored + "\r\n");
    EXPECT_EQ(ReadSkin(path), c.skin) << c.stored;
  }
  // A hotkey is read into 20 characters, a login into the buffer given.
  WriteFile(path, "[HotKey]\r\nHideKey=" + std::string(30, '1') + "\r\n[Login]\r\nUser1=" +
                      std::string(30, 'x') + "\r\n");
  EXPECT_EQ(ReadHotKey(path, kHideKeyName), std::string(19, '1'));
  EXPECT_EQ(ReadLogin(path, 11), std::string(10, 'x'));
}

}  // namespace
}  // namespace tamvelo::config
