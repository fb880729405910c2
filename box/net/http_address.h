// The parts of an address "http://host[:port]/path" that a request needs.
#pragma once

#include <optional>
#include <string>

namespace tamvelo::net {

struct HttpAddress {
  std::string authority;  // "host" or "host:port", sent as the Host field
  std::string hostName;   // what is resolved
  unsigned short port = 0;
  std::string path;  // from the first "/" after the authority
};

// Without a port the port is 80 (the portal's case). Null for an address
// that does not start with "http://", has no host, no path, or a port
// outside 1 to 65535.
std::optional<HttpAddress> SplitHttpAddress(const char* address);

}  // namespace tamvelo::net
