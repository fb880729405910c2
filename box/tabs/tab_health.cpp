// The strip's watch over its tabs' lives: the button shows that a tab is
// opening, has stopped or does not answer, and the selected tab's body
// follows. The check of a window asks the system whether the window's
// thread is hung, which sends nothing and so never waits on the tab.
#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_text.h"
#include "box/tabs/tab_watch.h"

namespace tabs = tamvelo::tabs;

namespace {

constexpr UINT kHealthTimerId = 0x7A11;
constexpr UINT kHealthCheckMs = 1000;
constexpr char kStartingText[] = "正在打开…";
constexpr char kHungMark[] = "(无响应)";
constexpr char kHungToolTip[] = "游戏无响应";

void SetButton(TabRecord& record, const std::string& text, const std::string& toolTip) {
  DuiLib::COptionUI* button = record.button->GetTabButton();
  button->SetText(text.c_str());
  button->SetToolTip(toolTip.c_str());
}

}  // namespace

void CScrollTabUI::WatchTabHealth() {
  if (GetManager()) GetManager()->SetTimer(this, kHealthTimerId, kHealthCheckMs);
}

void CScrollTabUI::DoEvent(DuiLib::TEventUI& event) {
  if (event.Type == DuiLib::UIEVENT_TIMER && event.wParam == kHealthTimerId) {
    CheckHungTabs();
    return;
  }
  CContainerUI::DoEvent(event);
}

void CScrollTabUI::ShowButtonText(TabRecord& record) {
  switch (record.life.stage()) {
    case tabs::TabStage::Starting:
      SetButton(record, kStartingText, record.plainToolTip);
      return;
    case tabs::TabStage::Stopped:
      SetButton(record, tabs::MarkButtonText(tabs::kEndedMark, record.plainText), tabs::kEndedToolTip);
      return;
    case tabs::TabStage::Running:
      break;
  }
  if (record.life.hung()) {
    SetButton(record, tabs::MarkButtonText(kHungMark, record.plainText), kHungToolTip);
  } else {
    SetButton(record, record.plainText, record.plainToolTip);
  }
}

bool CScrollTabUI::SetTabTitle(HWND hostWindow, const std::string& text, const std::string& toolTip) {
  for (const auto& record : m_tabs) {
    if (record->hostWindow != hostWindow || hostWindow == nullptr) continue;
    record->plainText = text;
    record->plainToolTip = toolTip;
    ShowButtonText(*record);
    return true;
  }
  return false;
}

void CScrollTabUI::MarkTabEnded(DWORD processId) {
  for (const auto& record : m_tabs) {
    if (record->processId != processId || record->processHandle == nullptr) continue;
    // Anyone can post the message: only a process that did end counts.
    if (WaitForSingleObject(record->processHandle, 0) != WAIT_OBJECT_0 || !record->life.End()) return;
    ShowButtonText(*record);
    if (IsCurrent(*record)) ShowCurrentView();
    return;
  }
}

void CScrollTabUI::CheckHungTabs() {
  const ULONGLONG now = GetTickCount64();
  for (const auto& record : m_tabs) {
    const bool reported = record->tabWindow != nullptr && IsHungAppWindow(record->tabWindow);
    if (record->life.Observe(reported, now)) ShowButtonText(*record);
  }
  // The hung page comes and goes with the time, not only with the marks.
  ShowCurrentView();
}

void CScrollTabUI::WaitForHungTab() {
  if (m_nCurrentTab < 0 || m_nCurrentTab >= static_cast<int>(m_tabs.size())) return;
  m_tabs[m_nCurrentTab]->life.Wait(GetTickCount64());
  ShowCurrentView();
}

void CScrollTabUI::CloseHungTab() {
  if (m_nCurrentTab < 0 || m_nCurrentTab >= static_cast<int>(m_tabs.size())) return;
  TabRecord& record = *m_tabs[m_nCurrentTab];
  if (record.life.stage() != tabs::TabStage::Running) return;
  // A hung tab cannot take the command: it is ended by force, and the tab
  // stays with the page that reopens it.
  m_watcher.End(nullptr, record.processHandle);
  record.life.End();
  ShowButtonText(record);
  ShowCurrentView();
}
