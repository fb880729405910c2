// The skin chooser "更换皮肤": six picture buttons, each applying its skin
// to every window at once and storing it; there is no cancel.
#pragma once

#include "box/shared/main_window_ops.h"
#include "box/windows/small_wnd.h"


class CSkinWnd : public CSmallWnd {
 public:
  CSkinWnd() : CSmallWnd("xml//SkinWnd.xml", "SkinWnd", ClickNames::AnyCase) {}
  void InitWindow() override;

  void SetMainWnd(tamvelo::MainWindowOps* mainWnd) { m_pMainWnd = mainWnd; }
  void Show() { ShowCentered(); }

 protected:
  bool OnClick(const DuiLib::CDuiString& name) override;

 private:
  tamvelo::MainWindowOps* m_pMainWnd = nullptr;
  DuiLib::CControlUI* m_pVersion = nullptr;  // "version": kept, not used
};
