// Opening and closing game tabs, and the param.ini lists that send some
// addresses to the portal's own pages.
#include <memory>
#include <optional>
#include <string>

#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_text.h"
#include "box/tabs/tab_window_async.h"
#include "common/portal_address.h"

namespace tabs = tamvelo::tabs;

namespace {

constexpr char kDefaultSkinFolder[] = "Default";

}  // namespace

void TabRecord::CloseHandles() {
  endWatch.Stop();
  Close();
}

void TabRecord::Adopt(const tabs::TabProcess& process) {
  CloseHandles();
  static_cast<tabs::TabProcess&>(*this) = process;
}

void CScrollTabUI::LoadLinktopay() {
  if (m_pParamIniPath) m_linktopay.Load(m_pParamIniPath, "Linktopay");
}

void CScrollTabUI::LoadOtherurl() {
  if (m_pParamIniPath) m_otherurl.Load(m_pParamIniPath, "Otherurl");
}

bool CScrollTabUI::IsLinktopayUrl(LPCSTR address) const {
  return address != nullptr && m_linktopay.Matches(address);
}

bool CScrollTabUI::IsOtherUrl(LPCSTR address) const {
  return address != nullptr && m_otherurl.Matches(address);
}

std::string CScrollTabUI::ChooseTabAddress(LPCSTR address) const {
  if (address == nullptr) return std::string();
  if (IsLinktopayUrl(address)) return tamvelo::PortalAddress(tamvelo::kLinktopayPath);
  if (IsOtherUrl(address)) return tamvelo::PortalAddress(tamvelo::kBoxPagePath);
  return address;
}

CScrollOptionUI* CScrollTabUI::OpenGameTab(LPCSTR title, bool relayout, LPCSTR address) {
  // Quitting: a tab opened now would outlive the box.
  if (address == nullptr || m_bRefusingNewTabs) return nullptr;
  if (title == nullptr) title = address;

  auto* button = new CScrollOptionUI;
  button->ApplyAttributeList("float=\"true\" width=\"200\" height=\"32\" ");
  button->SetOwnerStrip(this);
  const char* skin = m_pOwner ? m_pOwner->GetSkinName() : nullptr;
  button->SetSkinFolder(skin && *skin ? skin : kDefaultSkinFolder);
  if (!Add(button)) {
    delete button;
    return nullptr;
  }

  auto record = std::make_unique<TabRecord>();
  record->button = button;
  record->address = ChooseTabAddress(address);
  record->plainText = record->plainToolTip = tabs::CutButtonText(title);
  TabRecord& added = *record;
  m_tabs.push_back(std::move(record));
  LaunchTab(added);
  if (relayout) LayoutTabs();
  SelectTab(button);
  return button;
}

HWND CScrollTabUI::MainWindow() const { return GetManager() ? GetManager()->GetPaintWindow() : nullptr; }

void CScrollTabUI::LaunchTab(TabRecord& record) {
  const std::uint32_t launchId = tabs::NextLaunchId();
  record.life.Launch(launchId);
  record.Adopt(tabs::TabProcess{});
  HWND mainWindow = MainWindow();
  if (mainWindow == nullptr) {
    record.life.FailStart(launchId, tabs::StopReason::NotStarted);
  } else {
    // Even starting the process takes a while on some systems: the watcher
    // does it.
    m_watcher.SetNotifyWindow(mainWindow);
    m_watcher.Start(launchId, tabs::GameTabCommandLine(), mainWindow, record.address);
    WatchTabHealth();
  }
  ShowButtonText(record);
}

TabRecord* CScrollTabUI::FindLaunch(std::uint32_t launchId) const {
  for (const auto& record : m_tabs) {
    if (record->life.launchId() == launchId) return record.get();
  }
  return nullptr;
}

void CScrollTabUI::OnTabStartDone(std::uint32_t launchId) {
  std::optional<tabs::StartOutcome> outcome = m_watcher.TakeOutcome(launchId);
  if (!outcome) return;
  TabRecord* record = FindLaunch(launchId);
  if (outcome->failure != tabs::StopReason::None) {
    // The watcher has ended the process; its id stays for reference.
    if (record != nullptr && record->life.FailStart(launchId, outcome->failure)) {
      record->processId = outcome->process.processId;
    }
  } else if (record != nullptr && record->life.Join(launchId)) {
    record->Adopt(outcome->process);
    record->endWatch.Start(record->processHandle, record->processId, MainWindow());
    // The tab shows its window itself as it joins: only the selected one
    // keeps it.
    tabs::ShowTabWindow(record->tabWindow, IsCurrent(*record));
  } else {
    // Nobody wants it any more: ended like a closed tab.
    m_watcher.End(outcome->process.hostWindow, outcome->process.processHandle);
    outcome->process.Close();
  }
  if (record == nullptr) return;
  ShowButtonText(*record);
  if (IsCurrent(*record)) ShowCurrentView();
}

bool CScrollTabUI::ReopenTab(int index) {
  if (m_bRefusingNewTabs || index < 0 || index >= static_cast<int>(m_tabs.size()) || !m_tabs[index]->ended()) return false;
  TabRecord& record = *m_tabs[index];
  LaunchTab(record);
  if (IsCurrent(record)) ShowCurrentView();
  return true;
}

void CScrollTabUI::EndTabProcess(TabRecord& record) {
  // A starting tab's process is the watcher's until it joins: its job ends it.
  if (record.life.stage() == tabs::TabStage::Starting) m_watcher.CancelStart(record.life.launchId());
  if (record.processHandle != nullptr) m_watcher.End(record.hostWindow, record.processHandle);
  record.CloseHandles();
}

void CScrollTabUI::CloseTab(int index) {
  if (index < 0 || index >= static_cast<int>(m_tabs.size())) return;
  std::unique_ptr<TabRecord> record = std::move(m_tabs[index]);
  const bool wasCurrent = index == m_nCurrentTab;
  m_tabs.erase(m_tabs.begin() + index);
  if (index < m_nCurrentTab) --m_nCurrentTab;
  if (wasCurrent) m_nCurrentTab = -1;
  Remove(record->button);
  // The window goes with its process; hidden now, it cannot linger.
  tabs::ShowTabWindow(record->tabWindow, false);
  EndTabProcess(*record);
  record.reset();

  if (m_tabs.empty()) {
    m_nCurrentTab = -1;
    if (m_pOwner) {
      m_pOwner->SelectHomeTab();
      m_pOwner->SetFullScreenAvailable(false);
    }
    return;
  }
  // Only when the closed tab was the shown one does another take its place;
  // with the home page shown, it stays.
  if (wasCurrent) SelectTab(m_tabs.back()->button);
  LayoutTabs();
}

int CScrollTabUI::CloseTabOf(CScrollOptionUI* button) {
  const int index = FindTab(button);
  if (index < 0) return -1;
  CloseTab(index);
  return 0;
}

void CScrollTabUI::EndAllTabs() {
  // A tab asking for a new tab while the others end would start a process
  // that outlives quitting.
  m_bRefusingNewTabs = true;
  if (HWND mainWindow = MainWindow()) m_watcher.SetNotifyWindow(mainWindow);
  for (const auto& record : m_tabs) EndTabProcess(*record);
  m_watcher.NotifyWhenAllEnded();
}
