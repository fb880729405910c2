#include "common/config_ini.h"

#include "common/ini.h"

namespace tamvelo::config {

std::string ExitDirectText(ExitDirect value) { return std::to_string(static_cast<int>(value)); }

std::string ReadExitDirect(const std::string& path) {
  return ini::ReadText(path, kSettingSection, kExitDirectKey);
}

bool WriteExitDirect(const std::string& path, ExitDirect value) {
  return ini::WriteText(path, kSettingSection, kExitDirectKey, ExitDirectText(value));
}

int ReadSkin(const std::string& path) { return ini::ReadInt(path, kSettingSection, kSkinKey); }

bool WriteSkin(const std::string& path, int index) {
  return ini::WriteInt(path, kSettingSection, kSkinKey, index);
}

std::string ReadHotKey(const std::string& path, const char* keyName) {
  return ini::ReadText(path, kHotKeySection, keyName, kHotKeyBufferChars);
}

bool WriteHotKey(const std::string& path, const char* keyName, const std::string& text) {
  return ini::WriteText(path, kHotKeySection, keyName, text);
}

std::string ReadLogin(const std::string& path, unsigned bufferChars) {
  return ini::ReadText(path, kLoginSection, kLoginKey, bufferChars);
}

bool WriteLogin(const std::string& path, const std::string& text) {
  return ini::WriteText(path, kLoginSection, kLoginKey, text);
}

}  // namespace tamvelo::config
