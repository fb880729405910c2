#include "box/tabs/scroll_tab.h"

#include <cstdlib>
#include <cstring>

#include "box/tabs/tab_layout.h"

using DuiLib::CContainerUI;

namespace {

// A decimal attribute; text that is not a number keeps the old value, so a
// typo in the skin cannot leave the strip with zero-width tabs.
bool ParseWidth(LPCSTR text, int& out) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || value <= 0 || value > 10000) return false;
  out = static_cast<int>(value);
  return true;
}

// "#AARRGGBB" or "AARRGGBB": both spellings store the same colour.
bool ParseColor(LPCSTR text, DWORD& out) {
  if (*text == '#') ++text;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 16);
  if (end == text) return false;
  out = static_cast<DWORD>(value);
  return true;
}

}  // namespace

CScrollTabUI::CScrollTabUI() = default;

// The buttons belong to the control tree; the records, which close their
// process handles as they go, belong to the strip.
CScrollTabUI::~CScrollTabUI() = default;

void CScrollTabUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CContainerUI::SetPos(rc, bNeedInvalidate);
  LayoutTabs();
}

void CScrollTabUI::Init() {
  ApplyAttributeList("float=\"false\" ");
  CContainerUI::Init();
}

void CScrollTabUI::SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) {
  if (pstrName == nullptr || pstrValue == nullptr) return;
  if (_stricmp(pstrName, "TabWidth") == 0) ParseWidth(pstrValue, m_nTabWidth);
  else if (_stricmp(pstrName, "MinTabWidth") == 0) ParseWidth(pstrValue, m_nMinTabWidth);
  else if (_stricmp(pstrName, "TabSelColor") == 0) ParseColor(pstrValue, m_dwTabSelColor);
  else if (_stricmp(pstrName, "TabNorColor") == 0) ParseColor(pstrValue, m_dwTabNorColor);
  else CContainerUI::SetAttribute(pstrName, pstrValue);
}

void CScrollTabUI::LayoutTabs() {
  const int count = static_cast<int>(m_tabs.size());
  const RECT strip = GetPos();
  const std::optional<int> width =
      tamvelo::tabs::TabButtonWidth(strip.right - strip.left, count, m_nTabWidth, m_nMinTabWidth);
  // Too many tabs for the minimum width: the buttons keep the container's
  // own placement.
  if (!width) return;
  m_nCurTabWidth = *width;
  for (int i = 0; i < count; ++i) {
    const int left = strip.left + i * m_nCurTabWidth;
    m_tabs[i]->button->SetPos({left, strip.top, left + m_nCurTabWidth, strip.bottom}, true);
  }
}

int CScrollTabUI::FindTab(CScrollOptionUI* button) const {
  for (size_t i = 0; i < m_tabs.size(); ++i) {
    if (m_tabs[i]->button == button) return static_cast<int>(i);
  }
  return -1;
}

void CScrollTabUI::SelectTab(CScrollOptionUI* button) {
  const int index = FindTab(button);
  if (index < 0) return;
  const int old = m_nCurrentTab;
  m_nCurrentTab = index;
  // The option group also clears the home tab.
  button->GetTabButton()->Selected(true);
  // A tab whose process ended has no window: a page of the body offers to
  // reopen it instead.
  const bool ended = m_tabs[index]->ended;
  if (m_pOwner) m_pOwner->ShowStoppedPage(ended);
  // Showing and hiding another process's window waits for it, and records
  // handled meanwhile may open a tab, which then is current: the windows
  // are taken first, and the index is checked again after each call.
  HWND oldWindow = old >= 0 && old < static_cast<int>(m_tabs.size()) ? m_tabs[old]->tabWindow : nullptr;
  HWND window = ended ? nullptr : m_tabs[index]->tabWindow;
  if (oldWindow && oldWindow != window) ShowWindow(oldWindow, SW_HIDE);
  if (m_nCurrentTab != index) return;
  if (window) ShowWindow(window, SW_SHOWNORMAL);
  if (m_nCurrentTab != index) {
    if (window) ShowWindow(window, SW_HIDE);
    return;
  }
  if (m_pOwner) m_pOwner->SetFullScreenAvailable(!ended);
}
