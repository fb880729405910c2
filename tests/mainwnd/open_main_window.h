// The main window suites: the window is open before each test, with the
// partner address lists of param.ini written before it reads them.
#pragma once

#include "tests/support/main_window_fixture.h"

namespace tamvelo::test {

inline constexpr char kLinktopay15[] = "pay.partner/buy";    // 15 bytes: matches
inline constexpr char kLinktopay14[] = "pay.partner/bu";     // 14 bytes: never matches
inline constexpr char kOtherurl15[] = "games.other/play";   // 16 bytes: matches

class OpenMainWindowTest : public MainWindowTest {
 protected:
  void SetUp() override;
};

}  // namespace tamvelo::test
