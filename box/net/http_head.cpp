#include "box/net/http_head.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace tamvelo::net {

namespace {

constexpr char kHeadEnd[] = "\r\n\r\n";
constexpr size_t kHeadEndBytes = sizeof kHeadEnd - 1;
constexpr int kLongestLengthDigits = 10;

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

}  // namespace

std::optional<size_t> BuildGetRequest(const GetRequest& request, char* buffer, size_t capacity) {
  std::memset(buffer, 0, capacity);
  if (!request.host || !request.path || request.path[0] != '/' || HasLineBreak(request.host) ||
      HasLineBreak(request.path) || HasLineBreak(request.cookie) || HasLineBreak(request.referer)) {
    return std::nullopt;
  }
  BoundedWriter head(buffer, capacity);
  head.Add("GET ");
  head.Add(request.path);
  head.Add(" HTTP/1.1\r\n");
  head.Add("Host:");
  head.Add(request.host);
  head.Add("\r\n");
  if (request.referer) {
    head.Add("Referer:");
    head.Add(request.referer);
    head.Add("\r\n");
  }
  head.Add("Accept:*/*\r\n");
  head.Add("User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n");
  head.Add("Connection:Keep-Alive\r\n");
  if (request.cookie) {
    head.Add("Set Cookie:0");
    head.Add(request.cookie);
    head.Add("\r\n");
  }
  if (request.rangeStart > 0) {
    head.Add("Range: bytes=");
    head.AddNumber(request.rangeStart);
    head.Add("-");
    if (request.rangeEnd > request.rangeStart) head.AddNumber(request.rangeEnd);
    head.Add("\r\n");
  }
  head.Add("\r\n");
  if (!head.fits()) {
    std::memset(buffer, 0, capacity);
    return std::nullopt;
  }
  return head.length();
}

void ResponseHead::Add(char byte) {
  if (!Open()) return;
  bytes_[size_++] = byte;
  complete_ = size_ >= static_cast<int>(kHeadEndBytes) &&
              std::memcmp(bytes_ + size_ - kHeadEndBytes, kHeadEnd, kHeadEndBytes) == 0;
}

std::string_view ResponseHead::Text() const {
  return std::string_view(bytes_, strnlen(bytes_, static_cast<size_t>(size_)));
}

int HeaderField(std::string_view head, const char* name, char* value, int valueSize) {
  if (!name || !*name) return -1;
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

int StatusCode(std::string_view head) {
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

std::optional<std::string_view> FieldValue(std::string_view head, std::string_view name) {
  const auto sameLetters = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
  };
  // Lines after the status line; the head may end without its blank line.
  for (size_t end = head.find("\r\n"); end != std::string_view::npos && end + 2 < head.size();) {
    const size_t start = end + 2;
    end = head.find("\r\n", start);
    const std::string_view line = head.substr(start, end == std::string_view::npos ? head.size() - start : end - start);
    if (line.empty()) break;  // the end of the head: what follows is the body
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || !sameLetters(line.substr(0, colon), name)) continue;
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    return value;
  }
  return std::nullopt;
}

long long AnnouncedLength(std::string_view head) {
  const std::optional<std::string_view> value = FieldValue(head, "Content-Length");
  if (!value || value->empty() || value->size() > static_cast<size_t>(kLongestLengthDigits)) return -1;
  long long length = 0;
  for (const char digit : *value) {
    if (digit < '0' || digit > '9') return -1;
    length = length * 10 + (digit - '0');
  }
  return length;
}

}  // namespace tamvelo::net
