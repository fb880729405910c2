#include "box/net/update_check.h"

#include <windows.h>

#include "box/net/announced_values.h"
#include "box/net/download.h"
#include "box/net/ini_md5.h"
#include "box/net/net_hooks.h"
#include "box/shared/process_values.h"
#include "common/ini.h"
#include "common/portal_address.h"
#include "common/protocol.h"

namespace tamvelo::net {

namespace {

constexpr char kPromptCaption[] = "tamvelo游戏盒软件升级";
constexpr char kPromptText[] = "检测到有新版本!\r\n请点击“确定”打开软件官网下载最新版本";
constexpr UINT kPromptFlags = MB_OKCANCEL | MB_ICONQUESTION | MB_TOPMOST;

}  // namespace

bool NewerVersionAnnounced(const char* versionIniPath, float programVersion) {
  return AnnouncesNewerVersion(ini::ReadText(versionIniPath, "VERSION", "mainver"), programVersion);
}

void RunUpdateCheck(const std::string& portalBaseUrl) {
  const app::ProcessValues& process = app::MainProgramValues();
  // A failed download keeps the previous file; the check goes on with it.
  DownloadFile((portalBaseUrl + kVersionIniPath).c_str(), process.versionIniPath);

  char fileDigest[kFileDigestBufferBytes];
  char announcedDigest[kAnnouncedDigestBufferBytes];
  if (IniMd5Differs(fileDigest, announcedDigest, "PARAM", process.paramIniPath)) {
    DownloadFile((portalBaseUrl + kParamIniPath).c_str(), process.paramIniPath);
  }

  if (!NewerVersionAnnounced(process.versionIniPath, process.programVersion)) return;
  if (Hooks().messageBox(nullptr, kPromptText, kPromptCaption, kPromptFlags) == IDOK) {
    PostMessageA(process.mainWindow, protocol::kMsgOpenInNewWindow,
                 reinterpret_cast<WPARAM>(kDownloadPageAddress.data()), 0);
  }
}

unsigned __stdcall UpdateCheckThread(void* /*mainWindow*/) {
  Sleep(Hooks().startDelayMs);
  RunUpdateCheck(kPortalBaseUrl);
  return 0;
}

}  // namespace tamvelo::net
