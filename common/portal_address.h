// The portal's addresses, for both programs: every page path after the
// base URL of the build settings, and the addresses built from them.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "common/portal_settings.h"

namespace tamvelo {

// Pages of the main window's buttons and menus.
inline constexpr char kHomePagePath[] = "/box/index.html";  // the home browser
inline constexpr char kBoxPagePath[] = "/box";              // "home" button, [Otherurl] tabs
inline constexpr char kGamePagePath[] = "/box/game";
inline constexpr char kPaymentPagePath[] = "/box/pay.html";
inline constexpr char kServicePagePath[] = "/box/service.html";
inline constexpr char kLogoutPath[] = "/box/logout";
inline constexpr char kWebsitePath[] = "/?directopen";
inline constexpr char kAltAccountPagePath[] = "/box/xiaohao_1_box.html";

// Where the tab strip sends addresses of the param.ini list [Linktopay];
// those of [Otherurl] go to kBoxPagePath.
inline constexpr char kLinktopayPath[] = "/box/linktopay";

// A partner payment page (after the partner host) is shown as the portal's
// own payment page.
inline constexpr char kPartnerPayPath[] = "/api/h.phtml";
inline constexpr char kPortalPayPath[] = "/box/pay";

// Files of the update check.
inline constexpr char kVersionIniPath[] = "/res/box/version.ini";
inline constexpr char kParamIniPath[] = "/res/box/param.ini";
inline constexpr char kDownloadPagePath[] = "/page/gamebox.html?directopen";

inline std::string PortalAddress(const char* path) { return std::string(kPortalBaseUrl) + path; }

// Joined at compile time, so that the address is a constant of the
// program's image, valid for the whole run.
template <size_t A, size_t B>
constexpr std::array<char, A + B - 1> JoinAddress(const char (&base)[A], const char (&path)[B]) {
  std::array<char, A + B - 1> joined{};
  for (size_t i = 0; i + 1 < A; ++i) joined[i] = base[i];
  for (size_t i = 0; i < B; ++i) joined[A - 1 + i] = path[i];
  return joined;
}

// Sent with kMsgOpenInNewWindow (1125): the receiver may read it at any later time.
inline constexpr auto kDownloadPageAddress = JoinAddress(kPortalBaseUrl, kDownloadPagePath);

}  // namespace tamvelo
