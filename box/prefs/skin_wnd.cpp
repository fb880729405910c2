#include "box/prefs/skin_wnd.h"

#include <cstring>

#include "box/mainwnd/main_wnd.h"
#include "box/prefs/click_name.h"
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

void CSkinWnd::Notify(DuiLib::TNotifyUI& msg) {
  const DuiLib::CDuiString name = tamvelo::prefs::ClickedNameLower(msg);
  if (name == "closebtn" || name == "yesbtn") {
    HideWindow();
    return;
  }
  const int index = SkinIndexOfButton(name.GetData());
  if (index >= 0) {
    if (m_pMainWnd != nullptr) m_pMainWnd->ApplySkin(index);
    return;
  }
  WindowImplBase::Notify(msg);
}

void CSkinWnd::Show() { ShowCentered(); }
