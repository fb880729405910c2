#include "box/net/file_md5.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "box/net/md5.h"

namespace tamvelo::net {

namespace {

constexpr size_t kChunkBytes = 2048;
// The run-time library reads ahead this much, so a 2,048-byte read is
// mostly a copy rather than a call into the system.
constexpr size_t kReadAheadBytes = 256 * 1024;

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

char* FileMd5Hex(const char* path, char* out) {
  std::memset(out, 0, kMd5HexBufferBytes);
  std::unique_ptr<FILE, FileCloser> file(path ? std::fopen(path, "rb") : nullptr);
  if (!file) return out;
  std::setvbuf(file.get(), nullptr, _IOFBF, kReadAheadBytes);
  Md5 md5;
  unsigned char chunk[kChunkBytes];
  size_t total = 0;
  for (;;) {
    const size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    md5.Update(chunk, got);
    total += got;
    if (got < sizeof chunk) break;
  }
  if (total == 0 || std::ferror(file.get())) return out;
  uint8_t digest[Md5::kDigestBytes];
  md5.Final(digest);
  DigestToHex(digest, out);
  return out;
}

}  // namespace tamvelo::net
