// The layout of config.ini (data folder + kConfigIniName), the file of the
// user's choices: its sections, keys, read buffers and stored value forms.
// Every reader and writer of the file goes through these functions; what a
// value means stays with the code that acts on it.
#pragma once

#include <string>

namespace tamvelo::config {

inline constexpr char kSettingSection[] = "Setting";
inline constexpr char kExitDirectKey[] = "ExitDirect";
inline constexpr char kSkinKey[] = "Skin";

inline constexpr char kHotKeySection[] = "HotKey";
inline constexpr char kHideKeyName[] = "HideKey";
inline constexpr char kFullKeyName[] = "FullKey";
// A stored hotkey is read into 20 characters.
inline constexpr unsigned kHotKeyBufferChars = 20;

inline constexpr char kLoginSection[] = "Login";
inline constexpr char kLoginKey[] = "User1";

// What the close button does, as the settings window and the close prompt
// store it.
enum class ExitDirect { Ask = 0, Quit = 1, Hide = 2 };

// The stored text of a value, its number written with "%d".
std::string ExitDirectText(ExitDirect value);

// "ExitDirect" as stored, "Error" when absent.
std::string ReadExitDirect(const std::string& path);
bool WriteExitDirect(const std::string& path, ExitDirect value);

// "Skin" as the platform reads an integer: 0 when absent or not a number,
// the leading digits of "3x". Written with "%d", whatever the index.
int ReadSkin(const std::string& path);
bool WriteSkin(const std::string& path, int index);

// "HideKey" or "FullKey" as stored, "Error" when absent.
std::string ReadHotKey(const std::string& path, const char* keyName);
bool WriteHotKey(const std::string& path, const char* keyName, const std::string& text);

// "User1" as stored, "Error" when absent, cut to bufferChars - 1.
std::string ReadLogin(const std::string& path, unsigned bufferChars);
bool WriteLogin(const std::string& path, const std::string& text);

}  // namespace tamvelo::config
