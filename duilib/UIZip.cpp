#include "duilib/UIZip.h"

#include <array>
#include <cstring>

#include "common/text_codec.h"
#include "duilib/UIString.h"

namespace DuiLib {
namespace {

// ---- inflate (RFC 1951) ----------------------------------------------------

constexpr int kMaxBits = 15;
constexpr int kMaxLitLenCodes = 286;
constexpr int kMaxDistCodes = 30;
constexpr int kFixedLitLenCodes = 288;

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// A canonical Huffman code: how many codes of each length, and the symbols
// ordered by code.
struct Huffman {
  std::array<uint16_t, kMaxBits + 1> count{};
  std::array<uint16_t, kFixedLitLenCodes> symbol{};

  // False for an over-subscribed set of lengths. Incomplete codes are
  // accepted; a code that is not in them fails when it is decoded.
  bool Build(const uint8_t* lengths, int n) {
    count.fill(0);
    for (int i = 0; i < n; ++i) ++count[lengths[i]];
    if (count[0] == n) return true;  // no codes: any use fails in Decode
    int left = 1;
    for (int len = 1; len <= kMaxBits; ++len) {
      left = (left << 1) - count[len];
      if (left < 0) return false;
    }
    std::array<uint16_t, kMaxBits + 2> offset{};
    for (int len = 1; len < kMaxBits; ++len) offset[len + 1] = offset[len] + count[len];
    for (int i = 0; i < n; ++i) {
      if (lengths[i]) symbol[offset[lengths[i]]++] = static_cast<uint16_t>(i);
    }
    return true;
  }
};

class Inflater {
 public:
  Inflater(const uint8_t* in, size_t size, std::vector<uint8_t>& out, size_t maxOut)
      : in_(in), size_(size), out_(out), maxOut_(maxOut) {}

  bool Run() {
    bool last = false;
    while (!last) {
      last = Bits(1) == 1;
      const int type = Bits(2);
      if (failed_) return false;
      bool ok;
      switch (type) {
        case 0: ok = Stored(); break;
        case 1: ok = Fixed(); break;
        case 2: ok = Dynamic(); break;
        default: ok = false; break;
      }
      if (!ok || failed_) return false;
    }
    return true;
  }

 private:
  int Bits(int need) {
    uint32_t value = bitBuffer_;
    while (bitCount_ < need) {
      if (pos_ >= size_) {
        failed_ = true;
        return 0;
      }
      value |= static_cast<uint32_t>(in_[pos_++]) << bitCount_;
      bitCount_ += 8;
    }
    bitBuffer_ = value >> need;
    bitCount_ -= need;
    return static_cast<int>(value & ((1u << need) - 1));
  }

  // One symbol, reading the code bit by bit (codes are stored bit-reversed).
  int Decode(const Huffman& h) {
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
      code |= Bits(1);
      if (failed_) return -1;
      const int count = h.count[len];
      if (code - count < first) return h.symbol[index + (code - first)];
      index += count;
      first = (first + count) << 1;
      code <<= 1;
    }
    return -1;
  }

  bool Put(uint8_t b) {
    if (out_.size() >= maxOut_) return false;
    out_.push_back(b);
    return true;
  }

  bool Stored() {
    bitBuffer_ = 0;
    bitCount_ = 0;
    if (size_ - pos_ < 4) return false;
    const unsigned len = in_[pos_] | (in_[pos_ + 1] << 8);
    const unsigned nlen = in_[pos_ + 2] | (in_[pos_ + 3] << 8);
    pos_ += 4;
    if (len != (~nlen & 0xFFFFu)) return false;
    if (size_ - pos_ < len || maxOut_ - out_.size() < len) return false;
    out_.insert(out_.end(), in_ + pos_, in_ + pos_ + len);
    pos_ += len;
    return true;
  }

  bool Codes(const Huffman& litLen, const Huffman& dist) {
    for (;;) {
      const int symbol = Decode(litLen);
      if (symbol < 0) return false;
      if (symbol < 256) {
        if (!Put(static_cast<uint8_t>(symbol))) return false;
        continue;
      }
      if (symbol == 256) return true;
      const int lengthCode = symbol - 257;
      if (lengthCode >= 29) return false;
      const size_t length = kLengthBase[lengthCode] + Bits(kLengthExtra[lengthCode]);
      const int distCode = Decode(dist);
      if (distCode < 0 || distCode >= 30) return false;
      const size_t distance = kDistBase[distCode] + Bits(kDistExtra[distCode]);
      if (failed_ || distance > out_.size()) return false;
      if (maxOut_ - out_.size() < length) return false;
      // Byte by byte: the source may overlap what is being written.
      const size_t from = out_.size() - distance;
      for (size_t i = 0; i < length; ++i) out_.push_back(out_[from + i]);
    }
  }

  bool Fixed() {
    static const std::pair<Huffman, Huffman> codes = [] {
      uint8_t lengths[kFixedLitLenCodes];
      int i = 0;
      for (; i < 144; ++i) lengths[i] = 8;
      for (; i < 256; ++i) lengths[i] = 9;
      for (; i < 280; ++i) lengths[i] = 7;
      for (; i < kFixedLitLenCodes; ++i) lengths[i] = 8;
      std::pair<Huffman, Huffman> built;
      built.first.Build(lengths, kFixedLitLenCodes);
      uint8_t distLengths[kMaxDistCodes];
      std::memset(distLengths, 5, sizeof distLengths);
      built.second.Build(distLengths, kMaxDistCodes);
      return built;
    }();
    return Codes(codes.first, codes.second);
  }

  bool Dynamic() {
    const int nLen = Bits(5) + 257;
    const int nDist = Bits(5) + 1;
    const int nCode = Bits(4) + 4;
    if (failed_ || nLen > kMaxLitLenCodes || nDist > kMaxDistCodes) return false;
    uint8_t lengths[kMaxLitLenCodes + kMaxDistCodes] = {};
    for (int i = 0; i < nCode; ++i) lengths[kCodeLengthOrder[i]] = static_cast<uint8_t>(Bits(3));
    Huffman lengthCode;
    if (failed_ || !lengthCode.Build(lengths, 19)) return false;
    std::memset(lengths, 0, 19);
    int i = 0;
    while (i < nLen + nDist) {
      int symbol = Decode(lengthCode);
      if (symbol < 0) return false;
      if (symbol < 16) {
        lengths[i++] = static_cast<uint8_t>(symbol);
        continue;
      }
      uint8_t repeated = 0;
      int times;
      if (symbol == 16) {
        if (i == 0) return false;
        repeated = lengths[i - 1];
        times = 3 + Bits(2);
      } else if (symbol == 17) {
        times = 3 + Bits(3);
      } else {
        times = 11 + Bits(7);
      }
      if (failed_ || i + times > nLen + nDist) return false;
      while (times--) lengths[i++] = repeated;
    }
    if (lengths[256] == 0) return false;  // no end-of-block code
    Huffman litLen, dist;
    if (!litLen.Build(lengths, nLen) || !dist.Build(lengths + nLen, nDist)) return false;
    return Codes(litLen, dist);
  }

  const uint8_t* in_;
  size_t size_;
  size_t pos_ = 0;
  uint32_t bitBuffer_ = 0;
  int bitCount_ = 0;
  bool failed_ = false;
  std::vector<uint8_t>& out_;
  size_t maxOut_;
};

// ---- zip records ----------------------------------------------------------

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kDirectorySignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kDirectoryHeaderSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagUtf8 = 0x0800;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

bool InflateRaw(const uint8_t* in, size_t inSize, std::vector<uint8_t>& out, size_t maxOut) {
  out.clear();
  if (!in && inSize) return false;
  return Inflater(in, inSize, out, maxOut).Run();
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string NormaliseZipName(const char* name) {
  std::string key;
  if (!name) return key;
  // Separators are looked at only outside double-byte characters: 0x5C ('\\')
  // is a valid trail byte in code page 936.
  for (const char* p = name; *p; ++p) {
    if (tamvelo::IsLeadByte(static_cast<unsigned char>(*p)) && p[1]) {
      key += *p++;
      key += *p;
    } else if (*p == '/' || *p == '\\') {
      if (!key.empty() && key.back() != '/') key += '/';
    } else {
      key += *p;
    }
  }
  LowerAsciiAnsi(key);
  return key;
}

void CZipArchive::Close() {
  data_ = nullptr;
  size_ = 0;
  entries_.clear();
  index_.clear();
}

bool CZipArchive::Open(const uint8_t* data, size_t size) {
  Close();
  if (!data || size < kEndSize) return false;
  // The end record sits at the end, followed by a comment of up to 64 KiB.
  size_t end = size - kEndSize + 1;
  const size_t lowest = size > kEndSize + 0xFFFF ? size - kEndSize - 0xFFFF : 0;
  bool found = false;
  while (end-- > lowest) {
    if (Read32(data + end) == kEndSignature && end + kEndSize + Read16(data + end + 20) <= size) {
      found = true;
      break;
    }
  }
  if (!found) return false;
  const uint8_t* record = data + end;
  const uint16_t disk = Read16(record + 4);
  const uint16_t directoryDisk = Read16(record + 6);
  const uint16_t count = Read16(record + 10);
  const uint32_t directorySize = Read32(record + 12);
  const uint32_t directoryOffset = Read32(record + 16);
  if (disk != 0 || directoryDisk != 0 || Read16(record + 8) != count) return false;
  if (directoryOffset > end || directorySize > end - directoryOffset) return false;

  std::vector<Entry> entries;
  size_t pos = directoryOffset;
  const size_t directoryEnd = static_cast<size_t>(directoryOffset) + directorySize;
  for (uint16_t i = 0; i < count; ++i) {
    if (directoryEnd - pos < kDirectoryHeaderSize) return false;
    const uint8_t* h = data + pos;
    if (Read32(h) != kDirectorySignature) return false;
    const size_t nameLen = Read16(h + 28), extraLen = Read16(h + 30), commentLen = Read16(h + 32);
    const size_t total = kDirectoryHeaderSize + nameLen + extraLen + commentLen;
    if (directoryEnd - pos < total) return false;
    Entry e;
    e.flags = Read16(h + 8);
    e.method = Read16(h + 10);
    e.crc = Read32(h + 16);
    e.compressedSize = Read32(h + 20);
    e.size = Read32(h + 24);
    e.localHeaderOffset = Read32(h + 42);
    e.name.assign(reinterpret_cast<const char*>(h + kDirectoryHeaderSize), nameLen);
    if (e.name.find('\0') != std::string::npos) return false;
    if (e.flags & kFlagUtf8) e.name = Utf8ToAnsi(e.name);
    if (e.localHeaderOffset >= directoryOffset) return false;
    entries.push_back(std::move(e));
    pos += total;
  }
  data_ = data;
  size_ = size;
  entries_ = std::move(entries);
  for (size_t i = 0; i < entries_.size(); ++i) index_.emplace(NormaliseZipName(entries_[i].name.c_str()), i);
  return true;
}

bool CZipArchive::Contains(const char* name) const { return index_.count(NormaliseZipName(name)) != 0; }

std::vector<std::string> CZipArchive::Names() const {
  std::vector<std::string> names;
  for (const Entry& e : entries_) names.push_back(e.name);
  return names;
}

bool CZipArchive::Extract(const char* name, std::vector<uint8_t>& out, size_t maxSize) const {
  out.clear();
  const auto found = index_.find(NormaliseZipName(name));
  if (found == index_.end()) return false;
  const Entry& e = entries_[found->second];
  if (e.flags & kFlagEncrypted) return false;
  if (e.method != 0 && e.method != 8) return false;
  if (e.size > maxSize) return false;
  const size_t local = e.localHeaderOffset;
  if (size_ - local < kLocalHeaderSize || Read32(data_ + local) != kLocalSignature) return false;
  const uint64_t start = static_cast<uint64_t>(local) + kLocalHeaderSize + Read16(data_ + local + 26) +
                         Read16(data_ + local + 28);
  if (start > size_ || e.compressedSize > size_ - start) return false;
  const uint8_t* bytes = data_ + start;
  bool ok;
  if (e.method == 0) {
    ok = e.compressedSize == e.size;
    if (ok) out.assign(bytes, bytes + e.size);
  } else {
    ok = InflateRaw(bytes, e.compressedSize, out, e.size) && out.size() == e.size;
  }
  if (!ok || Crc32(out.data(), out.size()) != e.crc) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace DuiLib
