// MD5 message digest (RFC 1321), fed in pieces of any size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tamvelo::net {

class Md5 {
 public:
  static constexpr size_t kDigestBytes = 16;

  void Update(const void* data, size_t size);
  // Finishes the digest; the object is then spent.
  void Final(uint8_t digest[kDigestBytes]);

 private:
  void Transform(const uint8_t block[64]);

  uint32_t state_[4] = {0x67452301u, 0xefcdab89u, 0x98badcfeu, 0x10325476u};
  uint64_t bitCount_ = 0;
  uint8_t buffer_[64] = {};
  size_t buffered_ = 0;
};

// 32 lower-case hexadecimal digits of the bytes' digest.
std::string Md5Hex(const void* data, size_t size);
void DigestToHex(const uint8_t digest[Md5::kDigestBytes], char hex[2 * Md5::kDigestBytes + 1]);

}  // namespace tamvelo::net
