// The alt-account window "小号多开": the portal's page for playing a second
// account, in a browser bound to the main window's tab strip, so that the
// games it opens become tabs.
#pragma once

#include "box/web/browser_owner.h"
#include "box/windows/small_wnd.h"

class CScrollTabUI;
class CTabbrowserUI;

class CMessageWnd : public CSmallWnd, public tamvelo::web::BrowserOwner {
 public:
  CMessageWnd() : CSmallWnd("xml//MessageWnd.xml", "DUIMainFrame", ClickNames::AnyCase) {}
  void InitWindow() override;
  // "Tabbrowser" (any case): the page's browser, bound to the strip and to
  // this window.
  DuiLib::CControlUI* CreateControl(LPCSTR pstrClass) override;

  void SetTabBar(CScrollTabUI* tabBar) { m_pTabBar = tabBar; }
  CTabbrowserUI* GetBrowser() const { return m_pBrowser; }

  // Opens the window and loads the alt-account page afresh.
  void Show();
  // Hides the window as its close button does (the page opened a game).
  void HideWindow() override { CSmallWnd::HideWindow(); }

 protected:
  bool OnClick(const DuiLib::CDuiString& name) override;

 private:
  CScrollTabUI* m_pTabBar = nullptr;
  CTabbrowserUI* m_pBrowser = nullptr;     // owned by the control tree
  DuiLib::CControlUI* m_pTitle = nullptr;  // "text1"
};
