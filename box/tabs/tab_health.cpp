// The strip's watch over its tabs' processes: a tab whose process ended or
// whose window stopped answering shows it on its button. The check asks the
// system whether the window's thread is hung, which sends nothing and so
// never waits on the tab.
#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_text.h"
#include "box/tabs/tab_watch.h"

namespace tabs = tamvelo::tabs;

namespace {

constexpr UINT kHealthTimerId = 0x7A11;
constexpr UINT kHealthCheckMs = 1000;
constexpr char kHungMark[] = "(无响应)";
constexpr char kHungToolTip[] = "游戏无响应";

void ShowMark(TabRecord& record, const char* mark, const char* toolTip) {
  DuiLib::COptionUI* button = record.button->GetTabButton();
  if (!record.hung && !record.ended) {
    record.plainText = button->GetText().GetData();
    record.plainToolTip = button->GetToolTip().GetData();
  }
  button->SetText(tabs::MarkButtonText(mark, record.plainText).c_str());
  button->SetToolTip(toolTip);
}

// Back to the plain text, unless a page title replaced the mark meanwhile.
void ShowPlain(TabRecord& record) {
  DuiLib::COptionUI* button = record.button->GetTabButton();
  if (!(button->GetText() == tabs::MarkButtonText(kHungMark, record.plainText).c_str())) return;
  button->SetText(record.plainText.c_str());
  button->SetToolTip(record.plainToolTip.c_str());
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

void CScrollTabUI::MarkTabEnded(DWORD processId) {
  for (size_t i = 0; i < m_tabs.size(); ++i) {
    TabRecord* record = m_tabs[i].get();
    if (record->processId != processId || record->ended) continue;
    // Anyone can post the message: only a process that did end counts.
    if (WaitForSingleObject(record->processHandle, 0) != WAIT_OBJECT_0) return;
    ShowMark(*record, tabs::kEndedMark, tabs::kEndedToolTip);
    record->ended = true;
    // The shown game's window went with its process.
    if (static_cast<int>(i) == m_nCurrentTab && m_pOwner) {
      if (m_pOwner->IsFullScreen()) m_pOwner->ExitFullScreen();
      m_pOwner->ShowStoppedPage(true);
      m_pOwner->SetFullScreenAvailable(false);
    }
    return;
  }
}

void CScrollTabUI::ClearMarks(TabRecord& record) {
  if (!record.ended && !record.hung) return;
  DuiLib::COptionUI* button = record.button->GetTabButton();
  button->SetText(record.plainText.c_str());
  button->SetToolTip(record.plainToolTip.c_str());
  record.ended = record.hung = false;
}

void CScrollTabUI::CheckHungTabs() {
  for (const auto& record : m_tabs) {
    if (record->ended) continue;
    const bool hung = record->tabWindow != nullptr && IsHungAppWindow(record->tabWindow);
    if (hung == record->hung) continue;
    if (hung) {
      ShowMark(*record, kHungMark, kHungToolTip);
    } else {
      ShowPlain(*record);
    }
    record->hung = hung;
  }
}
