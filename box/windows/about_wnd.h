// The about box: the program's name and version.
#pragma once

#include "box/windows/small_wnd.h"

class CAboutWnd : public CSmallWnd {
 public:
  CAboutWnd() : CSmallWnd("xml//AboutWnd.xml", "AboutWnd", ClickNames::Exact) {}
  void InitWindow() override;

  // "版本号：v1.0" for version 1.0 in the "version" label.
  void SetVersion(float version);

  void Show() { ShowCentered(); }

 protected:
  bool OnClick(const DuiLib::CDuiString& name) override;

 private:
  DuiLib::CControlUI* m_pVersion = nullptr;  // "version"
};
