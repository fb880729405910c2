// What crosses between tamvelo-box and tamvelo-tab: window classes, the tab
// program's command line, copy-data records and the tab geometry. Both
// programs build from these definitions only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/protocol_records.h"
#include "common/window_dpi.h"

namespace tamvelo::protocol {

// Window classes. The main program compares class names read into a
// 20-character buffer, so each is at most 19 characters.
inline constexpr char kMainWindowClass[] = "MainWnd_Tamvelo_Box";
inline constexpr char kHostWindowClass[] = "Tamvelo_Box_MainWnd";
inline constexpr char kTabWindowClass[] = "Tamvelo_Box_Tab";
inline constexpr wchar_t kMainWindowClassW[] = L"MainWnd_Tamvelo_Box";
inline constexpr wchar_t kHostWindowClassW[] = L"Tamvelo_Box_MainWnd";
inline constexpr wchar_t kTabWindowClassW[] = L"Tamvelo_Box_Tab";
inline constexpr int kClassNameBufferChars = 20;

// Command line of a tab process: kTabExeName, a blank, then a token.
inline constexpr char kTabExeName[] = "tamvelo-tab.exe";
inline constexpr char kTabModeToken[] = "1_tamvelo_1_tab";
inline constexpr char kWaitModeToken[] = "1_tamvelo_1_tag";
inline constexpr wchar_t kWaitModeTokenW[] = L"1_tamvelo_1_tag";
inline constexpr size_t kCommandLineBufferBytes = 50;

// "tamvelo-tab.exe " followed by the token.
std::string TabCommandLine(const char* token);

// True when the text after the first blank of a tab process's command line
// contains the waiting-mode token anywhere.
bool IsWaitModeCommandLine(const wchar_t* commandLine);

// Tab windows sit below the title bar, tab strip and tool bar: 70 pixels
// at 100 % display scale. Both programs scale it by the main window's DPI,
// the tab program where it places itself and the main program wherever it
// moves the tab windows, so that both agree at every scale.
inline constexpr int kTabTopOffset = 70;
inline int TabTopOffset(UINT mainWindowDpi) { return ScaleForDpi(kTabTopOffset, mainWindowDpi); }

// Every record between the programs is sent with a bound, and given up at
// once when the receiving thread is hung or ends: neither program's
// threads ever wait on the other for long.
inline constexpr UINT kRecordSendFlags = SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT;
inline constexpr UINT kRecordSendLimitMs = 5000;
// Sends a record within those bounds; true when the receiver took it.
bool SendRecord(HWND receiver, const COPYDATASTRUCT* record, UINT limitMs = kRecordSendLimitMs);

// Private messages of the main window.
inline constexpr UINT kMsgTrayIcon = WM_USER + 100;         // 1124
inline constexpr UINT kMsgOpenInNewWindow = WM_USER + 101;  // 1125

// A record ready to send: owns its bytes; Get() points into them.
class CopyDataRecord {
 public:
  CopyDataRecord(ULONG_PTR kind, std::vector<char> bytes, DWORD byteCount);
  const COPYDATASTRUCT* Get() const { return &data_; }
  ULONG_PTR kind() const { return data_.dwData; }
  DWORD byteCount() const { return data_.cbData; }
  const std::vector<char>& bytes() const { return bytes_; }

  CopyDataRecord(const CopyDataRecord&) = delete;
  CopyDataRecord& operator=(const CopyDataRecord&) = delete;
  CopyDataRecord(CopyDataRecord&& other) noexcept;
  CopyDataRecord& operator=(CopyDataRecord&& other) noexcept;

 private:
  void Bind();
  std::vector<char> bytes_;
  COPYDATASTRUCT data_{};
};

// The records of common/protocol_records.h, ready to send.
CopyDataRecord MakeGameRecord(const std::string& cookieText, DWORD cookieQuerySize,
                              const std::string& address);

// Tab process -> main window.
CopyDataRecord MakeOpenTabRecord(const std::wstring& address);
CopyDataRecord MakeTabTitleRecord(HWND hostWindow, const std::wstring& title);

// Second instance -> running main window: kind 1, cbData 1, no data pointer.
COPYDATASTRUCT MakeActivateRecord();

// Reading a received record within its cbData, as ReadRecordText and
// ReadRecordText16 of common/protocol_records.h do.
std::optional<std::string> ReadRecordText(const COPYDATASTRUCT* record);
std::optional<std::wstring> ReadRecordTextW(const COPYDATASTRUCT* record);

}  // namespace tamvelo::protocol
