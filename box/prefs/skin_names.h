// The six colour skins: folder names and the image texts built from them.
#pragma once

#include <cstddef>
#include <string>

namespace tamvelo::prefs {

inline constexpr int kSkinCount = 6;
// The windows keep the skin folder name in this many characters, the
// terminating NUL included; the six folder names fit with room to spare.
inline constexpr size_t kSkinNameChars = 20;

// A stored index outside 0 to 9 reads as 0.
int ClampSkinIndex(int index);

// "Default", "Black", "Green", "Pink", "Purple", "Orange" for 0 to 5;
// "Default" for any other index.
const char* SkinFolderName(int index);

// "skin/<folder>/mainbg.png": the background of every window.
std::string SkinBackgroundPath(const std::string& folder);

// Image attribute texts of a tab button: the 43-pixel cells of
// "main_wnd_tab_item.png" with 20-pixel fixed edges.
std::string TabNormalImage(const std::string& folder);
std::string TabHotImage(const std::string& folder);
std::string TabSelectedImage(const std::string& folder);  // pushed and selected alike

}  // namespace tamvelo::prefs
