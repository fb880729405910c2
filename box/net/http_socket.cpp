#include "box/net/http_socket.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "box/net/net_hooks.h"

namespace tamvelo::net {

namespace {

constexpr char kCaption[] = "错误";
constexpr char kHeadEnd[] = "\r\n\r\n";

bool HasLineBreak(const char* text) {
  return text && std::strpbrk(text, "\r\n") != nullptr;
}

// Appends pieces to a fixed buffer, remembering whether all of them fit
// with the terminating zero.
class BoundedWriter {
 public:
  BoundedWriter(char* buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) {}
  void Add(const char* text) {
    const size_t size = std::strlen(text);
    if (!fits_ || size >= capacity_ - length_) {
      fits_ = false;
      return;
    }
    std::memcpy(buffer_ + length_, text, size);
    length_ += size;
  }
  void AddNumber(long number) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%ld", number);
    Add(digits);
  }
  bool fits() const { return fits_; }
  size_t length() const { return length_; }

 private:
  char* buffer_;
  size_t capacity_;
  size_t length_ = 0;
  bool fits_ = true;
};

// The protocol database's number for "tcp", or IPPROTO_TCP when the
// database has no entry: the number is fixed anyway.
int TcpProtocolNumber() {
  const protoent* entry = getprotobyname("tcp");
  return entry ? entry->p_proto : IPPROTO_TCP;
}

}  // namespace

CHttpSocket::CHttpSocket() {
  std::memset(request_, 0, sizeof request_);
  std::memset(head_, 0, sizeof head_);
}

CHttpSocket::~CHttpSocket() {
  CloseSocket();
  for (; winsockStarts_ > 0; --winsockStarts_) WSACleanup();
}

bool CHttpSocket::OpenSocket() {
  if (connected_) return false;
  // A socket left by a failed connect is replaced, not leaked.
  if (socket_ != 0 && !CloseSocket()) return false;
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) == 0) ++winsockStarts_;
  const SOCKET created = socket(AF_INET, SOCK_STREAM, TcpProtocolNumber());
  if (created == INVALID_SOCKET) {
    ShowError("socket()函数执行失败!", kCaption);
    return false;
  }
  socket_ = created;
  return true;
}

bool CHttpSocket::Connect(const char* host, unsigned short port) {
  if (!host) return false;
  if (connected_) CloseSocket();
  const hostent* entry = gethostbyname(host);
  if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
      !entry->h_addr_list[0]) {
    ShowError("gethostbyname()函数执行失败!", kCaption);
    return false;
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  std::memcpy(&address.sin_addr, entry->h_addr_list[0], 4);
  if (connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
      SOCKET_ERROR) {
    ShowError("connect()函数执行失败!", kCaption);
    return false;
  }
  connected_ = TRUE;
  return true;
}

const char* CHttpSocket::BuildRequest(const char* host, const char* path, long* length,
                                      const char* cookie, const char* referer, long rangeStart,
                                      long rangeEnd) {
  std::memset(request_, 0, sizeof request_);
  if (length) *length = 0;
  if (!host || !path || path[0] != '/' || HasLineBreak(host) || HasLineBreak(path) ||
      HasLineBreak(cookie) || HasLineBreak(referer)) {
    return nullptr;
  }
  BoundedWriter head(request_, sizeof request_);
  head.Add("GET ");
  head.Add(path);
  head.Add(" HTTP/1.1\r\n");
  head.Add("Host:");
  head.Add(host);
  head.Add("\r\n");
  if (referer) {
    head.Add("Referer:");
    head.Add(referer);
    head.Add("\r\n");
  }
  head.Add("Accept:*/*\r\n");
  head.Add("User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n");
  head.Add("Connection:Keep-Alive\r\n");
  if (cookie) {
    head.Add("Set Cookie:0");
    head.Add(cookie);
    head.Add("\r\n");
  }
  if (rangeStart > 0) {
    head.Add("Range: bytes=");
    head.AddNumber(rangeStart);
    head.Add("-");
    if (rangeEnd > rangeStart) head.AddNumber(rangeEnd);
    head.Add("\r\n");
  }
  head.Add("\r\n");
  if (!head.fits()) {
    std::memset(request_, 0, sizeof request_);
    return nullptr;
  }
  if (length) *length = static_cast<long>(head.length());
  return request_;
}

bool CHttpSocket::SendRequest(const char* data, long length) {
  if (!connected_) return false;
  if (!data) data = request_;
  if (length <= 0) {
    length = static_cast<long>(data == request_ ? strnlen(request_, sizeof request_)
                                                : std::strlen(data));
  }
  if (length == 0) return false;
  if (send(socket_, data, static_cast<int>(length), 0) == SOCKET_ERROR) {
    ShowError("send()函数执行失败!", kCaption);
    return false;
  }
  ReadHeader(nullptr);
  return true;
}

const char* CHttpSocket::ReadHeader(int* size) {
  if (!headReceived_ && connected_) {
    int count = 0;
    while (count < kHttpBufferBytes && !PastDeadline()) {
      if (recv(socket_, head_ + count, 1, 0) != 1) break;
      ++count;
      if (count >= 4 && std::memcmp(head_ + count - 4, kHeadEnd, 4) == 0) {
        headComplete_ = true;
        break;
      }
    }
    head_[count] = '\0';
    headSize_ = count;
    headReceived_ = TRUE;
  }
  if (size) *size = std::max(headSize_, 0);
  return head_;
}

int CHttpSocket::HeaderField(const char* name, char* value, int valueSize) {
  if (!headReceived_ || !name || !*name) return -1;
  // A head of full size has no terminating zero inside the buffer.
  const std::string_view head(head_, strnlen(head_, static_cast<size_t>(headSize_)));
  const size_t at = head.find(name);
  if (at == std::string_view::npos) return -1;
  const size_t start = std::min(at + std::strlen(name) + 2, head.size());
  const size_t end = std::min(head.find("\r\n", start), head.size());
  const size_t valueLength = end - start;
  if (value && valueSize > 0) {
    const size_t copied = std::min(valueLength, static_cast<size_t>(valueSize) - 1);
    std::memcpy(value, head.data() + start, copied);
    value[copied] = '\0';
  }
  return static_cast<int>(valueLength);
}

int CHttpSocket::Receive(char* buffer, int size) {
  if (!connected_ || !buffer || size <= 0) return 0;
  const int received = PastDeadline() ? SOCKET_ERROR : recv(socket_, buffer, size, 0);
  if (received > 0) return received;
  CloseSocket();
  return received == 0 ? 0 : -1;
}

bool CHttpSocket::SetTimeout(DWORD milliseconds, int kind) {
  const int option = kind == kReceiveTimeout ? SO_RCVTIMEO : SO_SNDTIMEO;
  if (setsockopt(socket_, SOL_SOCKET, option, reinterpret_cast<const char*>(&milliseconds),
                 sizeof milliseconds) == SOCKET_ERROR) {
    ShowError("setsockopt()函数执行失败!", kCaption);
    return false;
  }
  return true;
}

bool CHttpSocket::CloseSocket() {
  if (socket_ != 0 && closesocket(socket_) == SOCKET_ERROR) {
    ShowError("closesocket()函数执行失败!", kCaption);
    return false;
  }
  socket_ = 0;
  connected_ = FALSE;
  return true;
}

int CHttpSocket::StatusCode() const {
  if (!headReceived_) return -1;
  const std::string_view head(head_, strnlen(head_, static_cast<size_t>(headSize_)));
  const std::string_view line = head.substr(0, head.find("\r\n"));
  if (line.substr(0, 5) != "HTTP/") return -1;
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos || line.size() < blank + 4) return -1;
  const std::string_view code = line.substr(blank + 1, 3);
  if (!std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return -1;
  }
  if (line.size() > blank + 4 && line[blank + 4] != ' ') return -1;
  return (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
}

}  // namespace tamvelo::net
