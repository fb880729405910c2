// Portal addresses used by the update check, joined at compile time so that
// each is a constant of the program's image, valid for the whole run.
#pragma once

#include <array>
#include <cstddef>

#include "common/portal_settings.h"

namespace tamvelo::net {

template <size_t A, size_t B>
constexpr std::array<char, A + B - 1> JoinAddress(const char (&base)[A], const char (&path)[B]) {
  std::array<char, A + B - 1> joined{};
  for (size_t i = 0; i + 1 < A; ++i) joined[i] = base[i];
  for (size_t i = 0; i < B; ++i) joined[A - 1 + i] = path[i];
  return joined;
}

inline constexpr char kVersionIniPath[] = "/res/box/version.ini";
inline constexpr char kParamIniPath[] = "/res/box/param.ini";
inline constexpr char kDownloadPagePath[] = "/page/gamebox.html?directopen";

// Sent with message 1125: the receiver may read it at any later time.
inline constexpr auto kDownloadPageAddress = JoinAddress(kPortalBaseUrl, kDownloadPagePath);

}  // namespace tamvelo::net
