// A skin package: the bytes opened as a zip archive and every entry
// extracted, and the same bytes as a raw deflate stream.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "duilib/UIZip.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// An output limit of the direct inflate, and a larger one to compare with.
constexpr size_t kSmallLimit = 4096;
constexpr size_t kLargeLimit = 1 << 16;
// What the extraction of one input may write in all.
constexpr size_t kExtractBudget = 8u << 20;

uint32_t Read16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Read32(const uint8_t* p) { return Read16(p) | (Read16(p + 2) << 16); }

// The CRC-32 of zip, bit by bit: an oracle for the table-driven one.
uint32_t SlowCrc32(const std::vector<uint8_t>& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (uint8_t b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

struct DirectoryEntry {
  uint32_t crc;
  uint32_t size;
};

// The size and CRC of each central directory entry, in order, read here on
// its own from an archive that Open accepted (the same end record: the last
// one whose comment fits).
std::vector<DirectoryEntry> ReadDirectory(const std::vector<uint8_t>& zip) {
  size_t end = zip.size() - 22;
  while (!(Read32(&zip[end]) == 0x06054b50 && end + 22 + Read16(&zip[end + 20]) <= zip.size())) --end;
  std::vector<DirectoryEntry> entries;
  size_t at = Read32(&zip[end + 16]);
  for (uint32_t i = 0, count = Read16(&zip[end + 10]); i < count; ++i) {
    entries.push_back({Read32(&zip[at + 16]), Read32(&zip[at + 24])});
    at += 46 + Read16(&zip[at + 28]) + Read16(&zip[at + 30]) + Read16(&zip[at + 32]);
  }
  return entries;
}

void CheckArchive(const std::vector<uint8_t>& bytes) {
  DuiLib::CZipArchive zip;
  if (!zip.Open(bytes.data(), bytes.size())) {
    Check(!zip.IsOpen() && zip.Names().empty());
    return;
  }
  const std::vector<std::string> names = zip.Names();
  const std::vector<DirectoryEntry> directory = ReadDirectory(bytes);
  Check(names.size() == directory.size());
  // A name finds the first entry whose name matches it.
  std::unordered_map<std::string, size_t> first;
  for (size_t i = 0; i < names.size(); ++i) first.emplace(DuiLib::NormaliseZipName(names[i].c_str()), i);
  size_t budget = kExtractBudget;
  std::vector<uint8_t> out;
  for (const std::string& name : names) {
    Check(zip.Contains(name.c_str()));
    const DirectoryEntry& entry = directory[first.at(DuiLib::NormaliseZipName(name.c_str()))];
    const size_t limit = budget < DuiLib::CZipArchive::kMaxEntryBytes ? budget : DuiLib::CZipArchive::kMaxEntryBytes;
    const bool extracted = zip.Extract(name.c_str(), out, limit);
    // The claimed size is checked before anything is inflated.
    if (entry.size > limit) Check(!extracted);
    if (extracted) {
      Check(out.size() == entry.size && SlowCrc32(out) == entry.crc);
      budget -= entry.size;
    } else {
      Check(out.empty());
    }
  }
  Check(!zip.Extract("\x01 no such entry \x01", out) && out.empty());
}

void CheckInflate(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> small, large;
  const bool smallOk = DuiLib::InflateRaw(bytes.data(), bytes.size(), small, kSmallLimit);
  Check(small.size() <= kSmallLimit);
  const bool largeOk = DuiLib::InflateRaw(bytes.data(), bytes.size(), large, kLargeLimit);
  Check(large.size() <= kLargeLimit);
  // A larger limit changes nothing for a stream that fitted the smaller one,
  // and rescues only a stream that did not fit.
  if (smallOk) Check(largeOk && small == large);
  else if (largeOk) Check(large.size() > kSmallLimit);
  if (largeOk) Check(DuiLib::Crc32(large.data(), large.size()) == SlowCrc32(large));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exactly the input's bytes: a read past them is caught.
  const std::vector<uint8_t> bytes(data, data + size);
  CheckArchive(bytes);
  CheckInflate(bytes);
  return 0;
}
