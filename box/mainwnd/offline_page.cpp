#include "box/mainwnd/offline_page.h"

#include "box/net/portal_try.h"
#include "box/web/tabbrowser.h"

namespace tamvelo::mainwnd {

namespace {

constexpr UINT kTickTimerId = 1;
constexpr UINT kTickMs = 1000;

}  // namespace

void OfflinePage::Attach(DuiLib::CPaintManagerUI& pm, CTabbrowserUI* homeBrowser, DuiLib::COptionUI* homeTab) {
  auto* pages = static_cast<DuiLib::CTabLayoutUI*>(pm.FindControl("body_main_tablayout"));
  DuiLib::CControlUI* retry = pm.FindControl("offline_retry_btn");
  homePage_ = pm.FindControl("page_home");
  page_ = pm.FindControl("page_offline");
  reason_ = pm.FindControl("offline_reason");
  countdown_ = pm.FindControl("offline_countdown");
  if (pages == nullptr || retry == nullptr || homePage_ == nullptr || page_ == nullptr || reason_ == nullptr ||
      countdown_ == nullptr) {
    return;
  }
  pm_ = &pm;
  homeBrowser_ = homeBrowser;
  homeTab_ = homeTab;
  pages_ = pages;
  pages_->OnNotify += DuiLib::MakeDelegate(this, &OfflinePage::OnPageSelected);
  page_->OnEvent += DuiLib::MakeDelegate(this, &OfflinePage::OnTick);
  retry->OnNotify += DuiLib::MakeDelegate(this, &OfflinePage::OnRetryClicked);
  pm.AddMessageFilter(this);
  Update();
}

void OfflinePage::ShowOfflinePage(const std::string& address, const net::Failure& failure) {
  address_ = address;
  rules_.PageFailed(failure, GetTickCount64());
  Update();
}

LRESULT OfflinePage::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  if (uMsg != kMsgPortalTried) return 0;
  bHandled = true;
  if (wParam != serial_ || !rules_.trying()) return 0;
  rules_.TryEnded(net::ReadTryAnswer(lParam), GetTickCount64());
  Update();
  if (!rules_.shown() && homeBrowser_ != nullptr) homeBrowser_->Navigate2(address_.c_str());
  return 0;
}

bool OfflinePage::OnTick(void* event) {
  const auto* timer = static_cast<DuiLib::TEventUI*>(event);
  if (timer->Type == DuiLib::UIEVENT_TIMER && timer->wParam == kTickTimerId) Update();
  return true;
}

// Whatever selects the home page while the portal is away (the home tab, a
// game tab that closed, the tool bar) gets this page instead.
bool OfflinePage::OnPageSelected(void* notify) {
  if (static_cast<DuiLib::TNotifyUI*>(notify)->sType == DUI_MSGTYPE_TABSELECT) Update();
  return true;
}

bool OfflinePage::OnRetryClicked(void* notify) {
  if (static_cast<DuiLib::TNotifyUI*>(notify)->sType != DUI_MSGTYPE_CLICK) return true;
  if (rules_.RetryPressed()) StartTry(GetTickCount64());
  Update();
  return true;
}

void OfflinePage::Update() {
  if (pm_ == nullptr || updating_) return;
  updating_ = true;
  PutInPlace();
  const ULONGLONG now = GetTickCount64();
  rules_.SetInView(InView(), now);
  if (rules_.TakeDueTry(now)) StartTry(now);
  if (rules_.shown()) {
    reason_->SetText(net::ReasonText(rules_.failure()).c_str());
    countdown_->SetText(rules_.CountdownText(now).c_str());
    // The next tick comes when the countdown's second changes, so that the
    // line stays right and a due try starts on time.
    const std::optional<std::uint64_t> left = rules_.TimeToTry(now);
    pm_->SetTimer(page_, kTickTimerId, left && *left > 0 ? static_cast<UINT>((*left - 1) % kTickMs + 1) : kTickMs);
  } else {
    pm_->KillTimer(page_, kTickTimerId);
  }
  updating_ = false;
}

void OfflinePage::PutInPlace() {
  const int current = pages_->GetCurSel();
  if (rules_.shown() && current == pages_->GetItemIndex(homePage_)) {
    pages_->SelectItem(page_);
  } else if (!rules_.shown() && current == pages_->GetItemIndex(page_)) {
    pages_->SelectItem(homePage_);
  }
}

// The page shows in a visible, not minimised window, with the home tab
// chosen: not behind a game's window or another page.
bool OfflinePage::InView() const {
  const HWND window = pm_->GetPaintWindow();
  return IsWindowVisible(window) && !IsIconic(window) && (homeTab_ == nullptr || homeTab_->IsSelected()) &&
         pages_->GetCurSel() == pages_->GetItemIndex(page_);
}

void OfflinePage::StartTry(ULONGLONG now) {
  ++serial_;
  if (!net::StartPortalTry(pm_->GetPaintWindow(), kMsgPortalTried, serial_, address_)) {
    rules_.TryEnded(net::Failure{net::FailureKind::NoConnection, 0}, now);
  }
}

}  // namespace tamvelo::mainwnd
