#include "box/net/http_address.h"

#include <cstring>

#include "box/net/http_head.h"

namespace tamvelo::net {

namespace {

constexpr char kScheme[] = "http://";

std::optional<unsigned short> ParsePort(const std::string& digits) {
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  unsigned long port = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    port = port * 10 + static_cast<unsigned long>(c - '0');
  }
  if (port == 0 || port > 65535) return std::nullopt;
  return static_cast<unsigned short>(port);
}

}  // namespace

std::optional<HttpAddress> SplitHttpAddress(const char* address) {
  if (!address || std::strncmp(address, kScheme, sizeof kScheme - 1) != 0) return std::nullopt;
  const std::string rest = address + sizeof kScheme - 1;
  const size_t slash = rest.find('/');
  if (slash == std::string::npos || slash == 0) return std::nullopt;

  HttpAddress parts;
  parts.authority = rest.substr(0, slash);
  parts.path = rest.substr(slash);
  const size_t colon = parts.authority.find(':');
  parts.hostName = parts.authority.substr(0, colon);
  if (parts.hostName.empty()) return std::nullopt;
  if (colon == std::string::npos) {
    parts.port = kHttpPort;
  } else {
    const auto port = ParsePort(parts.authority.substr(colon + 1));
    if (!port) return std::nullopt;
    parts.port = *port;
  }
  return parts;
}

}  // namespace tamvelo::net
