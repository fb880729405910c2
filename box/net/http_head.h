// The text side of the HTTP client, free of sockets: the GET request head,
// the response head as it arrives byte by byte, its header fields, status
// code and announced body length.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tamvelo::net {

inline constexpr unsigned short kHttpPort = 80;
inline constexpr int kHttpBufferBytes = 1024;

// host and path are required, the path begins with "/"; cookie and referer
// may be null. A Range line is added only for rangeStart > 0, its end only
// when greater than the start.
struct GetRequest {
  const char* host = nullptr;
  const char* path = nullptr;
  const char* cookie = nullptr;
  const char* referer = nullptr;
  long rangeStart = 0;
  long rangeEnd = 0;
};

// Writes the request head and a terminating zero into buffer and gives the
// head's length. A head that would not fit capacity bytes with its zero, or
// whose pieces hold CR or LF, is refused: nullopt, and the buffer is all
// zeros.
std::optional<size_t> BuildGetRequest(const GetRequest& request, char* buffer, size_t capacity);

// The response head, fed one received byte at a time so that no body byte
// is taken early. It ends with CR LF CR LF or when kHttpBufferBytes bytes
// have arrived, whichever comes first; a head cut short by the peer keeps
// what arrived.
class ResponseHead {
 public:
  // Whether another byte belongs to the head.
  bool Open() const { return !complete_ && size_ < kHttpBufferBytes; }
  // Stores the byte; ignored once the head is over.
  void Add(char byte);

  // Ended with its blank line.
  bool Complete() const { return complete_; }
  // All bytes received, embedded zeros included.
  int Size() const { return size_; }
  // The bytes as a zero-terminated text (a full head keeps its zero).
  const char* CString() const { return bytes_; }
  // What the field lookups see: the text up to its first zero byte.
  std::string_view Text() const;

 private:
  char bytes_[kHttpBufferBytes + 1] = {};
  int size_ = 0;
  bool complete_ = false;
};

// Value of the first occurrence of name in head (case-sensitive substring,
// status line included): it starts 2 bytes after the name and ends before
// the next CR LF or with the head. Copies at most valueSize - 1 bytes plus a
// zero into value (when not null and valueSize > 0) and returns the value's
// whole length; -1 when name is null, empty or not found.
int HeaderField(std::string_view head, const char* name, char* value, int valueSize);

// The three-digit code of a status line "HTTP/<version> <code>[ <reason>]";
// -1 when the first line is not of that form.
int StatusCode(std::string_view head);

// The value of the first field named exactly `name`, in any letter case, on
// a line of its own after the status line, without the blanks around it;
// nothing when there is no such field. A name that merely contains `name`
// ("X-Original-Content-Length") or a value that mentions it does not count.
std::optional<std::string_view> FieldValue(std::string_view head, std::string_view name);

// Content-Length as FieldValue reads it: a plain decimal number of at most
// 10 digits; -1 when absent or malformed.
long long AnnouncedLength(std::string_view head);

}  // namespace tamvelo::net
