// Builders of binary test data: deflate streams, zip archives and PNG files,
// made independently of the code under test. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tamvelo::test {

// CRC-32 (zip, PNG), computed bit by bit.
uint32_t Crc32(const std::string& bytes);

// A raw deflate stream of one fixed-Huffman block: literals, plus
// distance-1 matches for runs of a repeated byte.
std::string DeflateFixed(const std::string& data);

struct ZipItem {
  std::string name;
  std::string data;
  bool deflate = false;
  uint16_t flags = 0;
};

// A plain zip archive; the central directory follows the entries.
std::string BuildZip(const std::vector<ZipItem>& items);

// Offset of the first 4-byte little-endian `signature` at or after `from`.
size_t FindSignature(const std::string& bytes, uint32_t signature, size_t from = 0);
void Put32(std::string& bytes, size_t at, uint32_t value);

// An RGBA PNG; pixels are 0xAARRGGBB, straight (not premultiplied) alpha.
std::string EncodePng(int width, int height, const std::vector<uint32_t>& pixels);

inline const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

}  // namespace tamvelo::test
