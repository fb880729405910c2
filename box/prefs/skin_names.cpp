#include "box/prefs/skin_names.h"

namespace tamvelo::prefs {

namespace {
constexpr const char* kSkinFolders[kSkinCount] = {"Default", "Black", "Green", "Pink", "Purple", "Orange"};
constexpr int kMaxStoredIndex = 9;
}  // namespace

int ClampSkinIndex(int index) { return index < 0 || index > kMaxStoredIndex ? 0 : index; }

const char* SkinFolderName(int index) {
  return index >= 0 && index < kSkinCount ? kSkinFolders[index] : kSkinFolders[0];
}

std::string SkinBackgroundPath(const std::string& folder) { return "skin/" + folder + "/mainbg.png"; }

std::string TabNormalImage(const std::string& folder) {
  return "file = 'skin/" + folder +
         "/main_wnd_tab_item.png' source='0,0,43,32' corner='20,0,20,0' fade='255'";
}

std::string TabHotImage(const std::string& folder) {
  return "file='skin/" + folder + "/main_wnd_tab_item.png' source='43,0,86,32' corner='20,0,20,0'";
}

std::string TabSelectedImage(const std::string& folder) {
  return "file='skin/" + folder + "/main_wnd_tab_item.png' source='86,0,129,32' corner='20,0,20,0'";
}

}  // namespace tamvelo::prefs
