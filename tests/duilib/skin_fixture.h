// Helpers of the toolkit's window tests: a private skin folder set as the
// resource path, a real skinned window that records its notifications, and
// synthetic mouse and keyboard input.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "duilib/UIlib.h"
#include "tests/support/test_support.h"
#include "tests/support/toolkit_pump.h"

namespace tamvelo::test {

// A temporary folder made the toolkit's resource path (and file source) for
// the scope; the previous path and type come back afterwards.
class SkinFolder {
 public:
  SkinFolder();
  ~SkinFolder();
  SkinFolder(const SkinFolder&) = delete;
  SkinFolder& operator=(const SkinFolder&) = delete;
  // Writes a file under the folder ("xml\\main.xml"), creating folders.
  void Write(const std::string& name, const std::string& bytes) const;
  const std::string& path() const { return dir_.path(); }

 private:
  tamvelo::test::TempDir dir_;
  std::string oldPath_;
  int oldType_;
};

struct Notification {
  std::string type;
  std::string sender;
};

// A skinned window of the toolkit, created from a skin file of the folder.
class TestWindow : public DuiLib::WindowImplBase {
 public:
  explicit TestWindow(std::string skinFile) : skinFile_(std::move(skinFile)) {}

  // Creates (hidden unless visible) at 100,100 with the skin's size.
  HWND CreateTest(bool visible = true, DWORD style = WS_OVERLAPPEDWINDOW);
  DuiLib::CPaintManagerUI& pm() { return m_pm; }
  DuiLib::CControlUI* Find(const char* name) { return m_pm.FindControl(name); }
  template <class T>
  T* FindAs(const char* name) {
    return dynamic_cast<T*>(m_pm.FindControl(name));
  }
  int CountOf(const std::string& type, const std::string& sender = "") const;
  void Destroy();

  std::vector<Notification> notifications;
  std::function<DuiLib::CControlUI*(const char*)> createControl;
  std::function<void(DuiLib::TNotifyUI&)> onNotify;
  std::function<LRESULT(WPARAM)> defaultKey;
  int initWindowCalls = 0;
  bool finalMessage = false;

  LPCSTR GetWindowClassName() const override { return "DuiLibTestWindow"; }
  void Notify(DuiLib::TNotifyUI& msg) override;
  void InitWindow() override { ++initWindowCalls; }
  DuiLib::CControlUI* CreateControl(LPCSTR pstrClass) override;
  void OnFinalMessage(HWND hWnd) override;

 protected:
  DuiLib::CDuiString GetSkinFile() override { return skinFile_.c_str(); }
  LRESULT ResponseDefaultKeyEvent(WPARAM wParam) override;

 private:
  std::string skinFile_;
};

// Paints what is invalid now.
void Paint(HWND hWnd);

// Mouse input at client coordinates, as the system would send it.
void MouseMove(HWND hWnd, int x, int y);
void MouseDown(HWND hWnd, int x, int y);
void MouseUp(HWND hWnd, int x, int y);
void Click(HWND hWnd, int x, int y);
// A key press through the message loop's pre-translation, as a real key.
void Key(HWND hWnd, UINT vk, bool system = false);

// The colour of a client pixel after the window painted (0x00RRGGBB).
COLORREF PixelAt(HWND hWnd, int x, int y);

}  // namespace tamvelo::test
