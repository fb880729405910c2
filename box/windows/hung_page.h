// The page that covers a selected game whose window stopped answering:
// "游戏无响应", a line, and the buttons "等待" and "关闭游戏". The game's
// window belongs to a hung thread and paints nothing, so the page is a
// child window of the main window on the box's own thread, placed above
// the game's window rather than drawn in the body beneath it.
#pragma once

#include "duilib/UIlib.h"

class CScrollTabUI;

class CHungPageWnd : public DuiLib::WindowImplBase {
 public:
  static constexpr char kWindowClass[] = "TamveloHungPage";

  LPCSTR GetWindowClassName() const override { return kWindowClass; }
  DuiLib::CDuiString GetSkinFile() override { return "xml//HungPage.xml"; }
  void Notify(DuiLib::TNotifyUI& msg) override;
  // The page lives as long as its window, which goes with the main window.
  void OnFinalMessage(HWND hWnd) override;

  // Created once as a hidden child of the main window. On failure the
  // object is gone too.
  bool CreateIn(HWND mainWindow);
  void SetTabBar(CScrollTabUI* tabBar) { m_pTabBar = tabBar; }
  // Shown over place (client coordinates of the main window), above every
  // sibling, without taking the activation; or hidden.
  void ShowOver(const RECT& place);
  void Hide();
  bool IsShown() const;

 private:
  CScrollTabUI* m_pTabBar = nullptr;
};
