// Reading zip archives held in memory (a skin package): our own inflate and
// a central-directory reader. Nothing here trusts the bytes: every length and
// offset is checked before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace DuiLib {

// Decompresses a raw deflate stream (no zlib or gzip header). Output beyond
// maxOut bytes counts as corrupt, which bounds what a hostile stream can make
// us allocate. False for a corrupt or truncated stream; `out` then holds
// whatever was decoded before the fault.
bool InflateRaw(const uint8_t* in, size_t inSize, std::vector<uint8_t>& out, size_t maxOut = 256u << 20);

// CRC-32 as zip uses it (polynomial 0xEDB88320).
uint32_t Crc32(const uint8_t* data, size_t size);

class CZipArchive {
 public:
  // No skin file comes near this; the resource store takes no larger file
  // from the disk either.
  static constexpr size_t kMaxEntryBytes = 64u << 20;

  // Reads the end-of-central-directory record and the central directory.
  // The archive keeps pointers into `data`: the caller keeps it alive.
  // False (and an empty archive) when the directory is corrupt or truncated.
  bool Open(const uint8_t* data, size_t size);
  void Close();
  bool IsOpen() const { return data_ != nullptr; }

  // Names match without regard to ASCII case, with '/' and '\\' equivalent and
  // repeated separators as one: "xml//main.xml" finds "XML/Main.xml".
  bool Contains(const char* name) const;
  // Stored (0) and deflated (8) entries; the size and CRC-32 are verified and
  // encrypted entries refused. `out` is empty after a failure. An entry
  // larger than maxSize is refused: its size is only what the archive claims,
  // and that much is what inflating it may take.
  bool Extract(const char* name, std::vector<uint8_t>& out, size_t maxSize = kMaxEntryBytes) const;

  // Entry names as stored (ANSI code page), in directory order.
  std::vector<std::string> Names() const;

 private:
  struct Entry {
    std::string name;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    uint32_t localHeaderOffset = 0;
  };

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> index_;  // normalised name -> entry
};

// The key under which archive names are compared (see CZipArchive).
std::string NormaliseZipName(const char* name);

}  // namespace DuiLib
