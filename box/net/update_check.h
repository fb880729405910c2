// Once per start: refresh version.ini and, when its announced MD5 says so,
// param.ini from the portal, and offer the download page when the portal
// announces a newer program version.
#pragma once

#include <string>

namespace tamvelo::net {

// Thread entry for _beginthreadex, started by the main window with itself as
// argument (unused). Waits 2 s, then runs the check against the portal.
unsigned __stdcall UpdateCheckThread(void* mainWindow);

// The check itself against a portal base URL ("http://host[:port]"), using
// the process-wide paths, version and main window.
void RunUpdateCheck(const std::string& portalBaseUrl);

// Whether version.ini announces a "mainver" above the program version
// (see AnnouncesNewerVersion).
bool NewerVersionAnnounced(const char* versionIniPath, float programVersion);

}  // namespace tamvelo::net
