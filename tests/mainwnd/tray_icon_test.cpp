// The tray icon's record: the full structure of the architecture the
// program is built for, and a window handle carried whole.
#include <gtest/gtest.h>

#include <cstring>

#include "box/mainwnd/tray_icon.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {

namespace {

// sizeof(NOTIFYICONDATAA) as the shell of each architecture expects it: a
// smaller figure would be read as an older, shorter record.
#ifdef _WIN64
constexpr DWORD kFullRecordBytes = 528;
#else
constexpr DWORD kFullRecordBytes = 508;
#endif

TEST(TrayIconRecord, IsTheFullStructureWithTheProgramsFields) {
  const HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
  const ULONG_PTR everyBit = ~ULONG_PTR{0} - 0x10;
  const NOTIFYICONDATAA record = tamvelo::mainwnd::MakeTrayIconRecord(reinterpret_cast<HWND>(everyBit), icon);

  EXPECT_EQ(record.cbSize, kFullRecordBytes);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(record.hWnd), everyBit);
  EXPECT_EQ(record.uID, 101u);
  EXPECT_EQ(record.uFlags, 0x17u);
  EXPECT_EQ(record.uCallbackMessage, 1124u);
  EXPECT_EQ(record.hIcon, icon);
  EXPECT_EQ(std::string(record.szTip), tamvelo::test::Utf8ToAnsi(u8"塔维洛游戏盒"));
  // No balloon: the information text and title stay empty.
  EXPECT_EQ(record.szInfo[0], '\0');
  EXPECT_EQ(record.szInfoTitle[0], '\0');
  EXPECT_EQ(record.dwInfoFlags, 0u);
}

}  // namespace

}  // namespace tamvelo::test
