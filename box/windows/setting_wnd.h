// The "系统设置" window: what the main window's close button does
// ("ExitDirect") and the two global hotkeys. It owns the hotkey entries and
// registers them for the main window, so it exists before any hotkey does.
#pragma once

#include <vector>

#include "box/windows/hotkey_entry.h"
#include "box/windows/small_wnd.h"

class CFullscreenBtn;

class CSettingWnd : public CSmallWnd {
 public:
  // Indexes of the two fixed entries.
  static constexpr size_t kHideKey = 0;
  static constexpr size_t kFullKey = 1;

  CSettingWnd() : CSmallWnd("xml//SettingWnd.xml", "CloseHintDialog", ClickNames::Exact) {}
  ~CSettingWnd() override;

  void InitWindow() override;

  // Wiring by the main window.
  void SetConfigPath(LPCSTR path) { m_pszConfigPath = path; }
  void SetOwnerWindow(HWND owner) { m_hOwner = owner; }
  void SetFullscreenControl(DuiLib::CControlUI* control) { m_pFullscreenCtrl = control; }
  void SetFullscreenWnd(CFullscreenBtn* window) { m_pFullscreenWnd = window; }

  // Shows the stored choices and opens the window over the main window.
  void Show();

  // Hotkeys.
  void RegisterHotKeysAtStart();
  void LoadHotKey(size_t index, bool registerIt);
  void SaveHotKey(size_t index, bool reRegister);
  void RegisterHotKeyEntry(size_t index);
  void UnregisterHotKeys();
  void FormatFullKeyText();

  // WM_HOTKEY id of an entry; -1 when the entry does not exist.
  int GetHotKeyId(size_t index) const;
  const HotKeyEntry* GetHotKeyEntry(size_t index) const;
  // Display text of the full-screen key, such as "F11" or "Ctrl+F4".
  LPCSTR GetFullKeyText() const { return m_szFullKeyText; }

 protected:
  bool OnClick(const DuiLib::CDuiString& name) override;

 private:
  void OnConfirm();
  void SelectStoredCloseAction();
  void SaveCloseAction();
  DuiLib::CControlUI* Find(LPCSTR name) const { return m_pm.FindControl(name); }

  DuiLib::CControlUI* m_pYesBtn = nullptr;           // "yesbtn"
  DuiLib::COptionUI* m_pExitOption = nullptr;        // "ExitDirectbtn"
  DuiLib::COptionUI* m_pTrayOption = nullptr;        // "MoveInTraybtn"
  DuiLib::COptionUI* m_pAskOption = nullptr;         // "AskForMebtn"
  DuiLib::CHotKeyUI* m_pHideKeyCtrl = nullptr;       // "HideKey"
  DuiLib::CHotKeyUI* m_pMulKeyCtrl = nullptr;        // "MulKey": kept, no entry
  DuiLib::CHotKeyUI* m_pFullKeyCtrl = nullptr;       // "FullKey"
  HWND m_hOwner = nullptr;
  LPCSTR m_pszConfigPath = nullptr;
  std::vector<HotKeyEntry*> m_hotKeys;               // owned
  char m_szFullKeyText[tamvelo::prefs::kHotKeyTextChars] = {};
  CFullscreenBtn* m_pFullscreenWnd = nullptr;
  DuiLib::CControlUI* m_pFullscreenCtrl = nullptr;   // the main window's "fullscreen"
};
