// The box's own page in place of the home page while the portal cannot be
// reached ("page_offline" of main.xml, drawn by the toolkit): it gives the
// reason, counts down to the next try and tries the portal on a thread of
// its own (box/net/offline_retry.h has the rules). When the portal answers,
// the home page comes back and its browser loads the address again.
#pragma once

#include <windows.h>

#include <string>

#include "box/net/offline_retry.h"
#include "box/web/offline_page_host.h"
#include "duilib/UIlib.h"

class CTabbrowserUI;

namespace tamvelo::mainwnd {

// Posted to the main window by a try's thread: wParam the try's serial
// number, lParam its answer.
inline constexpr UINT kMsgPortalTried = WM_APP + 20;

class OfflinePage final : public web::OfflinePageHost, public DuiLib::IMessageFilterUI {
 public:
  // Finds the page in the main window's skin and takes its events. A
  // failure reported before shows now: the home browser's first navigation
  // runs while the skin is being built.
  void Attach(DuiLib::CPaintManagerUI& pm, CTabbrowserUI* homeBrowser, DuiLib::COptionUI* homeTab);

  void ShowOfflinePage(const std::string& address, const net::Failure& failure) override;
  // The answers of the tries.
  LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

 private:
  bool OnTick(void* event);
  bool OnPageSelected(void* notify);
  bool OnRetryClicked(void* notify);
  // After every change: the page in its place, a due try started, the texts
  // and the next tick.
  void Update();
  void PutInPlace();
  bool InView() const;
  void StartTry(ULONGLONG now);

  net::OfflineRetry rules_;
  std::string address_;
  WPARAM serial_ = 0;  // of the try that runs, so that a stray answer is known
  bool updating_ = false;
  DuiLib::CPaintManagerUI* pm_ = nullptr;
  CTabbrowserUI* homeBrowser_ = nullptr;
  DuiLib::COptionUI* homeTab_ = nullptr;
  DuiLib::CTabLayoutUI* pages_ = nullptr;
  DuiLib::CControlUI* homePage_ = nullptr;
  DuiLib::CControlUI* page_ = nullptr;
  DuiLib::CControlUI* reason_ = nullptr;
  DuiLib::CControlUI* countdown_ = nullptr;
};

}  // namespace tamvelo::mainwnd
