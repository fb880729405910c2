#include "box/prefs/hotkey_keys.h"

#include <gtest/gtest.h>

namespace tamvelo::test {
using namespace prefs;  // the code under test
namespace {

TEST(RegisterModifiers, ConvertsTheControlEncoding) {
  EXPECT_EQ(ToRegisterModifiers(0), 0u);
  EXPECT_EQ(ToRegisterModifiers(kHotKeyAlt), static_cast<UINT>(MOD_ALT));
  EXPECT_EQ(ToRegisterModifiers(kHotKeyShift), static_cast<UINT>(MOD_SHIFT));
  EXPECT_EQ(ToRegisterModifiers(kHotKeyCtrl), static_cast<UINT>(MOD_CONTROL));
  EXPECT_EQ(ToRegisterModifiers(kHotKeyAlt | kHotKeyShift), static_cast<UINT>(MOD_ALT | MOD_SHIFT));
  EXPECT_EQ(ToRegisterModifiers(kHotKeyCtrl | kHotKeyShift | kHotKeyAlt),
            static_cast<UINT>(MOD_ALT | MOD_SHIFT | MOD_CONTROL));
  EXPECT_EQ(ToRegisterModifiers(kHotKeyExtended | kHotKeyCtrl), static_cast<UINT>(MOD_CONTROL));
  EXPECT_EQ(ToRegisterModifiers(0x30), 0x30u);  // unknown bits pass unchanged
}

TEST(HotKeyText, NameWithOneModifierOnly) {
  EXPECT_EQ(HotKeyDisplayText(kDefaultFullKey), "F11");
  EXPECT_EQ(HotKeyDisplayText({115, kHotKeyCtrl}), "Ctrl+F4");
  EXPECT_EQ(HotKeyDisplayText({68, kHotKeyAlt}), "Alt+D");
  EXPECT_EQ(HotKeyDisplayText({68, kHotKeyShift}), "Shift+D");
  EXPECT_EQ(HotKeyDisplayText({115, kHotKeyCtrl | kHotKeyShift}), "F4");  // two modifiers: name alone
  EXPECT_EQ(HotKeyDisplayText({115, kHotKeyCtrl | kHotKeyExtended}), "F4");
}

TEST(HotKeyIds, ComeFromGlobalAtomsInTheHotkeyRange) {
  const int hide = HotKeyIdFromAtom("HideHotKey");
  const int full = HotKeyIdFromAtom("FullHotKey");
  EXPECT_GE(hide, 0);
  EXPECT_LE(hide, 0x3FFF);
  EXPECT_NE(hide, full);
  EXPECT_EQ(HotKeyIdFromAtom("HideHotKey"), hide);
  HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  EXPECT_TRUE(RegisterHotKey(window, hide, ToRegisterModifiers(kHotKeyAlt), 'D'));
  EXPECT_TRUE(UnregisterHotKey(window, hide));
  DestroyWindow(window);
}

}  // namespace
}  // namespace tamvelo::test
