#include "tests/support/loopback_server.h"

#include <chrono>
#include <stdexcept>

namespace tamvelo::test {

namespace {

constexpr auto kDeadline = std::chrono::seconds(20);
constexpr long kPollMicroseconds = 50 * 1000;
constexpr DWORD kReadTimeoutMs = 5000;
constexpr size_t kRequestLimit = 16 * 1024;

sockaddr_in Loopback(unsigned short port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

std::string LoopbackBaseUrl(unsigned short port) { return "http://127.0.0.1:" + std::to_string(port); }

struct WinsockUser {
  WinsockUser() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockUser() { WSACleanup(); }
};

void EnsureWinsock() { static WinsockUser user; }

std::string ReadRequestHead(SOCKET peer) {
  DWORD timeout = kReadTimeoutMs;
  setsockopt(peer, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
             sizeof timeout);
  std::string request;
  char buffer[512];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kRequestLimit) {
    const int got = recv(peer, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    request.append(buffer, static_cast<size_t>(got));
  }
  return request;
}

}  // namespace

LoopbackServer::LoopbackServer(Handler handler, int connections, unsigned short port)
    : handler_(std::move(handler)) {
  EnsureWinsock();
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = Loopback(port);
  int size = sizeof address;
  if (listener_ == INVALID_SOCKET ||
      bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 4) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    throw std::runtime_error("loopback server: cannot listen");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this, connections] { Serve(connections); });
}

LoopbackServer::~LoopbackServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  closesocket(listener_);
}

std::string LoopbackServer::BaseUrl() const { return LoopbackBaseUrl(port_); }

std::vector<std::string> LoopbackServer::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LoopbackServer::Serve(int connections) {
  const auto deadline = std::chrono::steady_clock::now() + kDeadline;
  for (int served = 0; served < connections && !stop_;) {
    if (std::chrono::steady_clock::now() > deadline) return;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_, &readable);
    timeval poll{0, kPollMicroseconds};
    if (select(0, &readable, nullptr, nullptr, &poll) <= 0) continue;
    const SOCKET peer = accept(listener_, nullptr, nullptr);
    if (peer == INVALID_SOCKET) continue;
    ++served;
    const std::string request = ReadRequestHead(peer);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
    }
    handler_(peer, request);
    shutdown(peer, SD_SEND);
    closesocket(peer);
  }
}

bool SendAll(SOCKET peer, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const int chunk = static_cast<int>(std::min<size_t>(bytes.size() - sent, 1 << 20));
    const int done = send(peer, bytes.data() + sent, chunk, 0);
    if (done <= 0) return false;
    sent += static_cast<size_t>(done);
  }
  return true;
}

LoopbackServer::Handler Reply(std::string bytes) {
  return [bytes = std::move(bytes)](SOCKET peer, const std::string&) { SendAll(peer, bytes); };
}

LoopbackServer::Handler ReplyThenStall(std::string bytes, DWORD stallMs, std::string rest) {
  return [bytes = std::move(bytes), stallMs, rest = std::move(rest)](SOCKET peer,
                                                                      const std::string&) {
    SendAll(peer, bytes);
    Sleep(stallMs);
    SendAll(peer, rest);
  };
}

std::string OkResponse(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

LoopbackServer::Handler ServeFiles(std::vector<std::pair<std::string, std::string>> files) {
  return [files = std::move(files)](SOCKET peer, const std::string& request) {
    const std::string path = RequestPath(request);
    for (const auto& [name, body] : files) {
      if (name == path) {
        SendAll(peer, OkResponse(body));
        return;
      }
    }
    SendAll(peer, "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
  };
}

unsigned short ClosedPort() {
  EnsureWinsock();
  const SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = Loopback(0);
  int size = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  closesocket(probe);
  return ntohs(address.sin_port);
}

FullBacklogListener::FullBacklogListener() {
  EnsureWinsock();
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = Loopback(0);
  int size = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 0) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    closesocket(listener_);
    throw std::runtime_error("FullBacklogListener: cannot listen");
  }
  port_ = ntohs(address.sin_port);
  // More connections than the smallest backlog holds, left pending.
  for (int i = 0; i < 3; ++i) {
    waiting_.push_back(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    u_long nonBlocking = 1;
    ioctlsocket(waiting_.back(), FIONBIO, &nonBlocking);
    connect(waiting_.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
  }
  Sleep(100);
}

FullBacklogListener::~FullBacklogListener() {
  for (SOCKET s : waiting_) closesocket(s);
  closesocket(listener_);
}

std::string FullBacklogListener::BaseUrl() const { return LoopbackBaseUrl(port_); }

std::string RequestPath(const std::string& request) {
  const size_t start = request.find(' ');
  const size_t end = request.find(' ', start + 1);
  if (start == std::string::npos || end == std::string::npos) return {};
  return request.substr(start + 1, end - start - 1);
}

}  // namespace tamvelo::test
