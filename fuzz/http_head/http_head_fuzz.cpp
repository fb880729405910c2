// The first byte chooses what the rest is: a response head as the socket
// receives it, an address to split, the pieces of a request to build, or an
// authority and path whose address is split and built into a request.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "box/net/http_address.h"
#include "box/net/http_head.h"

namespace {

using namespace tamvelo::net;

void Check(bool condition) {
  if (!condition) std::abort();
}

// The response head: the reader's stopping rules, then what the client
// looks up in it.
void FuzzResponseHead(const uint8_t* data, size_t size) {
  ResponseHead head;
  size_t taken = 0;
  while (taken < size && head.Open()) head.Add(static_cast<char>(data[taken++]));
  const std::string_view received(reinterpret_cast<const char*>(data), taken);
  const size_t firstEnd = received.find("\r\n\r\n");
  Check(head.Size() == static_cast<int>(taken) && head.Size() <= kHttpBufferBytes);
  Check(head.Complete() == (firstEnd != std::string_view::npos));
  // It stops right after the first blank line, at the buffer size, or when
  // the bytes run out.
  if (head.Complete()) Check(firstEnd + 4 == taken);
  else Check(taken == size || taken == static_cast<size_t>(kHttpBufferBytes));
  Check(std::memcmp(head.CString(), data, taken) == 0 && head.CString()[taken] == '\0');
  const std::string_view text = head.Text();
  Check(text == received.substr(0, received.find('\0')));

  for (const char* name : {"Content-Length", "Content-Range", "Location", "Transfer-Encoding",
                           "HTTP/1.1", ":", "\r\n"}) {
    const int whole = HeaderField(text, name, nullptr, 0);
    Check(whole >= -1 && whole <= static_cast<int>(text.size()));
    std::string full;
    if (whole >= 0) {
      const size_t at = text.find(name);
      Check(at != std::string_view::npos);
      full = std::string(text.substr(std::min(at + std::strlen(name) + 2, text.size()), whole));
      Check(full.find("\r\n") == std::string::npos);
    }
    for (int valueSize : {1, 2, 30, kHttpBufferBytes + 1}) {
      // Exactly valueSize bytes: a write past them is caught.
      std::vector<char> value(static_cast<size_t>(valueSize), '\x7f');
      Check(HeaderField(text, name, value.data(), valueSize) == whole);
      if (whole < 0) {
        Check(value[0] == '\x7f');
        continue;
      }
      const size_t copied = std::min(full.size(), static_cast<size_t>(valueSize) - 1);
      Check(std::memcmp(value.data(), full.data(), copied) == 0 && value[copied] == '\0');
    }
  }

  const int status = StatusCode(text);
  Check(status >= -1 && status <= 999);
  if (status >= 0) {
    Check(text.substr(0, 5) == "HTTP/");
    const size_t blank = text.find(' ');
    const std::string digits = std::to_string(1000 + status).substr(1);
    Check(text.substr(blank + 1, 3) == digits);
  }

  const long long length = AnnouncedLength(text);
  Check(length >= -1 && length <= 9999999999LL);
  // The same rule by other means: the first head line, after the status
  // line and before the blank one, whose whole name is the field's in any
  // case. A longer name or a value that mentions it never counts.
  long long expected = -1;
  std::vector<std::string> lines;
  for (size_t from = 0;;) {
    const size_t end = text.find("\r\n", from);
    lines.emplace_back(text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
    if (end == std::string_view::npos) break;
    from = end + 2;
  }
  for (size_t i = 1; i < lines.size() && !lines[i].empty(); ++i) {
    std::string name = lines[i].substr(0, lines[i].find(':'));
    if (name.size() == lines[i].size()) continue;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name != "content-length") continue;
    std::string digits = lines[i].substr(name.size() + 1);
    digits.erase(0, digits.find_first_not_of(" \t"));
    digits.erase(digits.find_last_not_of(" \t") + 1);
    if (!digits.empty() && digits.size() <= 10 && digits.find_first_not_of("0123456789") == std::string::npos) {
      expected = std::stoll(digits);
    }
    break;
  }
  Check(length == expected);
}

// Splits text at the byte 0x01 into at most count pieces.
std::vector<std::string> Pieces(std::string_view text, size_t count) {
  std::vector<std::string> pieces;
  while (pieces.size() + 1 < count) {
    const size_t cut = text.find('\x01');
    if (cut == std::string_view::npos) break;
    pieces.emplace_back(text.substr(0, cut));
    text.remove_prefix(cut + 1);
  }
  pieces.emplace_back(text);
  return pieces;
}

void FuzzAddress(const std::string& address) {
  const auto parts = SplitHttpAddress(address.c_str());
  if (!parts) return;
  const std::string given = address.c_str();  // what the split saw
  Check(given.compare(0, 7, "http://") == 0);
  Check(given.substr(7) == parts->authority + parts->path);
  Check(!parts->path.empty() && parts->path[0] == '/');
  Check(parts->authority.find('/') == std::string::npos);
  Check(!parts->hostName.empty() && parts->authority.compare(0, parts->hostName.size(), parts->hostName) == 0);
  Check(parts->port != 0);
  if (parts->hostName.size() == parts->authority.size()) Check(parts->port == kHttpPort);
  else Check(parts->authority[parts->hostName.size()] == ':');
}

// A built request: within its buffer, terminated, and its only CR and LF
// are the line ends that the builder writes.
struct BuiltRequest {
  std::string head;
  bool built = false;
};

BuiltRequest Build(const GetRequest& request, size_t capacity) {
  std::vector<char> buffer(capacity, '\x7f');
  const auto length = BuildGetRequest(request, buffer.data(), buffer.size());
  BuiltRequest result;
  if (!length) {
    Check(std::all_of(buffer.begin(), buffer.end(), [](char c) { return c == '\0'; }));
    return result;
  }
  Check(*length < capacity && buffer[*length] == '\0');
  result.head.assign(buffer.data(), *length);
  Check(result.head.find('\0') == std::string::npos);
  size_t lineEnds = 0;
  for (size_t i = 0; i < result.head.size(); ++i) {
    if (result.head[i] == '\r') Check(i + 1 < result.head.size() && result.head[i + 1] == '\n');
    if (result.head[i] == '\n') {
      Check(i > 0 && result.head[i - 1] == '\r');
      ++lineEnds;
    }
  }
  // Request line, Host, Accept, User-Agent, Connection, the blank line and
  // the optional Referer, cookie and Range lines.
  const size_t expected = 6 + (request.referer ? 1 : 0) + (request.cookie ? 1 : 0) +
                          (request.rangeStart > 0 ? 1 : 0);
  Check(lineEnds == expected);
  Check(result.head.size() >= 4 && result.head.compare(result.head.size() - 4, 4, "\r\n\r\n") == 0);
  Check(result.head.find("\r\n\r\n") == result.head.size() - 4);
  result.built = true;
  return result;
}

long NumberFrom(std::string_view bytes) {
  unsigned long number = 0;
  for (size_t i = 0; i < bytes.size() && i < sizeof number; ++i) {
    number = (number << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return static_cast<long>(number);
}

void FuzzRequest(const uint8_t* data, size_t size) {
  if (size < 2) return;
  const size_t capacity = 1 + (size_t{data[0]} << 3 | (data[1] & 7));  // 1 to 2,048 bytes
  const std::vector<std::string> pieces =
      Pieces(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2), 6);
  const auto piece = [&](size_t i) -> const std::string* { return i < pieces.size() ? &pieces[i] : nullptr; };
  GetRequest request;
  request.host = pieces[0].c_str();
  request.path = piece(1) ? piece(1)->c_str() : "/";
  request.cookie = piece(2) && !piece(2)->empty() ? piece(2)->c_str() : nullptr;
  request.referer = piece(3) && !piece(3)->empty() ? piece(3)->c_str() : nullptr;
  request.rangeStart = piece(4) ? NumberFrom(*piece(4)) : 0;
  request.rangeEnd = piece(5) ? NumberFrom(*piece(5)) : 0;
  const BuiltRequest built = Build(request, capacity);
  const bool unsafe = std::strpbrk(request.host, "\r\n") || std::strpbrk(request.path, "\r\n") ||
                      (request.cookie && std::strpbrk(request.cookie, "\r\n")) ||
                      (request.referer && std::strpbrk(request.referer, "\r\n"));
  if (unsafe || request.path[0] != '/') {
    Check(!built.built);
    return;
  }
  // Only the size refuses a safe request, and the buffer's size changes
  // nothing else: a large buffer takes it, with the same bytes.
  const BuiltRequest roomy = Build(request, 4 * kHttpBufferBytes + size);
  Check(roomy.built);
  if (built.built) Check(built.head == roomy.head);
  else Check(roomy.head.size() + 1 > capacity);
}

// "http://" + authority + path, split, built into a request: the request
// line and Host field give back what the split found.
void FuzzRoundTrip(const uint8_t* data, size_t size) {
  const std::vector<std::string> pieces = Pieces(std::string_view(reinterpret_cast<const char*>(data), size), 2);
  if (pieces.size() < 2) return;
  const std::string address = "http://" + pieces[0] + pieces[1];
  FuzzAddress(address);
  const auto parts = SplitHttpAddress(address.c_str());
  if (!parts) return;
  if (address.find('\0') == std::string::npos && pieces[0].find('/') == std::string::npos &&
      !pieces[1].empty() && pieces[1][0] == '/') {
    Check(parts->authority == pieces[0] && parts->path == pieces[1]);
  }
  GetRequest request;
  request.host = parts->authority.c_str();
  request.path = parts->path.c_str();
  const BuiltRequest built = Build(request, kHttpBufferBytes);
  if (!built.built) return;
  const std::string requestLine = "GET " + parts->path + " HTTP/1.1\r\n";
  const std::string hostLine = "Host:" + parts->authority + "\r\n";
  Check(built.head.compare(0, requestLine.size(), requestLine) == 0);
  Check(built.head.compare(requestLine.size(), hostLine.size(), hostLine) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t* rest = data + 1;
  const size_t restSize = size - 1;
  switch (data[0] % 4) {
    case 0:
      FuzzResponseHead(rest, restSize);
      break;
    case 1:
      FuzzAddress(std::string(reinterpret_cast<const char*>(rest), restSize));
      break;
    case 2:
      FuzzRequest(rest, restSize);
      break;
    default:
      FuzzRoundTrip(rest, restSize);
      break;
  }
  return 0;
}
