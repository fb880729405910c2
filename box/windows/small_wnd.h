// What the small windows of the main program (about box, settings window,
// close prompt, alt-account window, skin chooser) have in common: a layout
// and a window class given at construction, a close button, a copy of the
// skin's folder name for their "main_bg" background, and a "shown" flag
// that survives hiding the main window, so that restoring the main window
// brings back exactly the windows the user had open.
#pragma once

#include "box/prefs/skin_names.h"
#include "duilib/UIlib.h"

class CSmallWnd : public DuiLib::WindowImplBase {
 public:
  // How the window compares the names of clicked controls.
  enum class ClickNames { Exact, AnyCase };

  CSmallWnd(LPCSTR layoutFile, LPCSTR windowClass, ClickNames clickNames)
      : m_sLayoutFile(layoutFile), m_pszWindowClass(windowClass), m_clickNames(clickNames) {}

  LPCSTR GetWindowClassName() const override { return m_pszWindowClass; }
  DuiLib::CDuiString GetSkinFile() override { return m_sLayoutFile; }

  // The skin folder name, copied before Create (cut to kSkinNameChars - 1).
  void SetSkinName(LPCSTR folder);
  LPCSTR GetSkinName() const { return m_szSkinName; }

  // The "main_bg" picture, for a skin change while the window exists.
  void SetBackgroundImage(LPCSTR path);

  bool IsShown() const { return m_bShown; }
  // Hides the window as its own close buttons do: no longer shown.
  void HideWindow();
  // Hiding and restoring with the main window: the flag stays as it is.
  void HideWithMainWindow();
  void ShowWithMainWindow();

  // A double click on the caption neither maximises nor restores; closing
  // (Alt+F4) hides the window as its close button does.
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  // "closebtn" hides the window; other clicks go to OnClick (names in lower
  // case for a window of AnyCase), and what it leaves to the toolkit.
  void Notify(DuiLib::TNotifyUI& msg) override;

 protected:
  // Finds "main_bg", shows the skin's background in it, clears "shown".
  void InitBackground();
  // When ShowCentered sets the "shown" flag: before centring, or after the
  // window is on screen, so that the messages of showing still see it unset.
  enum class MarkShown { First, Last };
  // Marks the window shown, centres it over its owner and activates it.
  void ShowCentered(MarkShown mark = MarkShown::First);
  // True when the click was the window's own.
  virtual bool OnClick(const DuiLib::CDuiString& /*name*/) { return false; }

  // Escape is swallowed before the focused control sees it; Return reaches it.
  LRESULT ResponseDefaultKeyEvent(WPARAM wParam) override;

 private:
  bool m_bShown = false;
  DuiLib::CControlUI* m_pBackground = nullptr;  // "main_bg"
  char m_szSkinName[tamvelo::prefs::kSkinNameChars] = {};
  DuiLib::CDuiString m_sLayoutFile;
  LPCSTR m_pszWindowClass;
  ClickNames m_clickNames;
};
