#include "box/tabs/scroll_tab.h"

#include <cstdlib>
#include <cstring>

#include "box/tabs/tab_layout.h"
#include "box/tabs/tab_window_async.h"

using DuiLib::CContainerUI;
namespace tabs = tamvelo::tabs;

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

// In logical pixels, like the skin's widths; the edges are scaled one by
// one, so neighbouring buttons meet without a gap at every scale.
void CScrollTabUI::LayoutTabs() {
  const int count = static_cast<int>(m_tabs.size());
  const RECT strip = GetPos();
  const int logicalStrip = m_pManager != nullptr ? m_pManager->GetDPIObj()->ScaleBack(strip.right - strip.left)
                                                 : strip.right - strip.left;
  const std::optional<int> width = tabs::TabButtonWidth(logicalStrip, count, m_nTabWidth, m_nMinTabWidth);
  // Too many tabs for the minimum width: the buttons keep the container's
  // own placement.
  if (!width) return;
  m_nCurTabWidth = *width;
  for (int i = 0; i < count; ++i) {
    const int left = strip.left + Scale(i * m_nCurTabWidth);
    const int right = strip.left + Scale((i + 1) * m_nCurTabWidth);
    m_tabs[i]->button->SetPos({left, strip.top, right, strip.bottom}, true);
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
  const TabRecord& record = *m_tabs[index];
  if (old >= 0 && old < static_cast<int>(m_tabs.size()) && old != index) {
    tabs::ShowTabWindow(m_tabs[old]->tabWindow, false);
  }
  // Only a tab that joined has its window in place; a starting or stopped
  // one shows a page of the body instead.
  if (record.life.stage() == tabs::TabStage::Running) tabs::ShowTabWindow(record.tabWindow, true);
  ShowCurrentView();
}

bool CScrollTabUI::IsCurrent(const TabRecord& record) const {
  return m_nCurrentTab >= 0 && m_nCurrentTab < static_cast<int>(m_tabs.size()) &&
         m_tabs[m_nCurrentTab].get() == &record;
}

void CScrollTabUI::ShowCurrentView() {
  if (m_pOwner == nullptr || m_nCurrentTab < 0 || m_nCurrentTab >= static_cast<int>(m_tabs.size())) return;
  const tabs::TabLife& life = m_tabs[m_nCurrentTab]->life;
  const tamvelo::TabView view = life.View(GetTickCount64(), m_hungPageMs);
  const bool running = life.stage() == tabs::TabStage::Running;
  // The game's window went with its process.
  if (!running && m_pOwner->IsFullScreen()) m_pOwner->ExitFullScreen();
  m_pOwner->ShowTabView(view, tabs::StoppedPageLine(life.reason()));
  m_pOwner->SetFullScreenAvailable(running);
}
