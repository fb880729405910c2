// MD5 of a whole file as text.
#pragma once

namespace tamvelo::net {

inline constexpr int kMd5HexBufferBytes = 33;

// Fills out (33 bytes) with the 32 lower-case hexadecimal digits of the
// file's MD5 and returns it. The text stays empty when the file cannot be
// opened or read, or is empty.
char* FileMd5Hex(const char* path, char* out);

}  // namespace tamvelo::net
