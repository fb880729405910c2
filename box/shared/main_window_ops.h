// The operations that the tab strip, the small windows, the menus and the
// page browser call on the main window: they hold this, not CMainWnd, so
// that their libraries sit below the main window's and link one way.
#pragma once

#include <windows.h>

#include "box/shared/tab_view.h"

class CTabbrowserUI;

namespace tamvelo {

class MainWindowOps {
 public:
  // Pages and windows.
  virtual void SelectHomeTab() = 0;
  // The body for the selected game tab; stoppedLine explains the stopped page.
  virtual void ShowTabView(TabView view, LPCSTR stoppedLine) = 0;
  virtual void OpenInNewWindow(LPCSTR address) = 0;
  virtual void ShowAboutWindow() = 0;
  virtual void ShowAltAccountWindow() = 0;
  virtual void ShowSettingsWindow() = 0;
  virtual CTabbrowserUI* GetHomeBrowser() const = 0;
  virtual void SetLoginButton(LPCSTR text, bool loggedIn) = 0;

  // Hiding, coming back and quitting.
  virtual void HideMainWindow() = 0;
  virtual void RestoreMainWindow() = 0;
  virtual void QuitApplication() = 0;

  // Full screen.
  virtual bool IsFullScreen() const = 0;
  virtual void ExitFullScreen() = 0;
  virtual void SetFullScreenAvailable(bool available) = 0;

  // Skins.
  virtual LPCSTR GetSkinName() const = 0;
  virtual void ApplySkin(int index) = 0;

 protected:
  // Never deleted through this interface: the main window owns itself.
  ~MainWindowOps() = default;
};

}  // namespace tamvelo
