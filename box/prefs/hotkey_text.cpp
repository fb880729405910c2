#include "box/prefs/hotkey_text.h"

#include <cstdio>
#include <cstdlib>

#include "common/ini_values.h"

namespace tamvelo::prefs {

std::optional<HotKeyValue> ParseStoredHotKey(const std::string& text) {
  if (ini::IsAbsent(text)) return std::nullopt;
  const size_t dash = text.find('-');
  if (dash == std::string::npos) return std::nullopt;
  const std::uint16_t keyCode = static_cast<std::uint16_t>(std::atoi(text.substr(0, dash).c_str()));
  const std::uint16_t modifiers = static_cast<std::uint16_t>(std::atoi(text.c_str() + dash + 1));
  if (keyCode == 0) return std::nullopt;
  return HotKeyValue{keyCode, modifiers};
}

std::string StoredHotKeyText(HotKeyValue value) {
  char text[24];
  std::snprintf(text, sizeof text, "%d-%d", value.keyCode, value.modifiers);
  return text;
}

}  // namespace tamvelo::prefs
