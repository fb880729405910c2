// An HTTP peer of the test's own on 127.0.0.1, on a given port or one from
// bind(0): a
// thread accepts up to a given number of connections, reads each request
// head and lets a handler answer on the socket. It stops by itself after
// its connections or a deadline, and at destruction.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tamvelo::test {

class LoopbackServer {
 public:
  // Called on the server thread with the accepted socket and the request
  // head as received; the socket is closed after it returns.
  using Handler = std::function<void(SOCKET peer, const std::string& request)>;

  // Throws std::runtime_error when it cannot listen (a given port in use).
  explicit LoopbackServer(Handler handler, int connections = 1, unsigned short port = 0);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  unsigned short port() const { return port_; }
  std::string BaseUrl() const;  // "http://127.0.0.1:<port>"
  // The request heads so far: each is recorded before it is answered.
  std::vector<std::string> Requests();

 private:
  void Serve(int connections);

  Handler handler_;
  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// Sends all bytes (false when the peer went away).
bool SendAll(SOCKET peer, const std::string& bytes);

// Handlers: answer with fixed bytes; answer with fixed bytes, wait, then
// send the rest; answer a GET by path with 200 and a Content-Length, or 404.
LoopbackServer::Handler Reply(std::string bytes);
LoopbackServer::Handler ReplyThenStall(std::string bytes, DWORD stallMs, std::string rest = "");
LoopbackServer::Handler ServeFiles(std::vector<std::pair<std::string, std::string>> files);

std::string OkResponse(const std::string& body);

// A port on 127.0.0.1 that nothing listens on (bound, then released).
unsigned short ClosedPort();

// Listens on 127.0.0.1 but never accepts, with its one place of backlog
// taken: the system neither refuses nor completes the next connection, as
// with a host that drops packets.
class FullBacklogListener {
 public:
  FullBacklogListener();
  ~FullBacklogListener();
  FullBacklogListener(const FullBacklogListener&) = delete;
  FullBacklogListener& operator=(const FullBacklogListener&) = delete;
  std::string BaseUrl() const;  // "http://127.0.0.1:<port>"

 private:
  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::vector<SOCKET> waiting_;
};

// The path of a request head's "GET <path> HTTP/1.1" line.
std::string RequestPath(const std::string& request);

}  // namespace tamvelo::test
