#include "box/windows/skin_wnd.h"

#include <cstring>

#include "box/prefs/skin_names.h"

namespace {

// "skinbtn1" ... "skinbtn6" choose skins 0 ... 5; -1 for any other name.
int SkinIndexOfButton(const char* name) {
  constexpr char kPrefix[] = "skinbtn";
  constexpr size_t kPrefixLength = sizeof kPrefix - 1;
  if (std::strncmp(name, kPrefix, kPrefixLength) != 0) return -1;
  const char* digit = name + kPrefixLength;
  if (digit[0] < '1' || digit[0] > '0' + tamvelo::prefs::kSkinCount || digit[1] != '\0') return -1;
  return digit[0] - '1';
}

}  // namespace

void CSkinWnd::InitWindow() {
  m_pVersion = m_pm.FindControl("version");
  InitBackground();
}

bool CSkinWnd::OnClick(const DuiLib::CDuiString& name) {
  if (name == "yesbtn") {
    HideWindow();
    return true;
  }
  const int index = SkinIndexOfButton(name.GetData());
  if (index < 0) return false;
  if (m_pMainWnd != nullptr) m_pMainWnd->ApplySkin(index);
  return true;
}
