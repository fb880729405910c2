#include "tests/support/sample_data.h"

#include <algorithm>

namespace tamvelo::test {
namespace {

class BitWriter {
 public:
  void Put(uint32_t value, int bits) {
    for (int i = 0; i < bits; ++i) PutBit((value >> i) & 1);
  }
  // Huffman codes go most significant bit first.
  void PutCode(uint32_t code, int bits) {
    for (int i = bits - 1; i >= 0; --i) PutBit((code >> i) & 1);
  }
  std::string Finish() {
    if (count_) out_ += static_cast<char>(current_);
    return out_;
  }

 private:
  void PutBit(uint32_t bit) {
    current_ |= bit << count_;
    if (++count_ == 8) {
      out_ += static_cast<char>(current_);
      current_ = 0;
      count_ = 0;
    }
  }
  std::string out_;
  uint32_t current_ = 0;
  int count_ = 0;
};

void PutFixedSymbol(BitWriter& w, int symbol) {
  if (symbol < 144) w.PutCode(0x30 + symbol, 8);
  else if (symbol < 256) w.PutCode(0x190 + symbol - 144, 9);
  else if (symbol < 280) w.PutCode(symbol - 256, 7);
  else w.PutCode(0xC0 + symbol - 280, 8);
}

void PutLength(BitWriter& w, int length) {
  static const int base[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
  static const int extra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  int code = 28;
  while (base[code] > length) --code;
  PutFixedSymbol(w, 257 + code);
  w.Put(length - base[code], extra[code]);
}

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}

void Append32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

void AppendBig32(std::string& s, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) s += static_cast<char>((v >> shift) & 0xFF);
}

void AppendChunk(std::string& png, const char* type, const std::string& data) {
  AppendBig32(png, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  png += body;
  AppendBig32(png, Crc32(body));
}

}  // namespace

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

std::string DeflateFixed(const std::string& data) {
  BitWriter w;
  w.Put(1, 1);  // last block
  w.Put(1, 2);  // fixed Huffman
  size_t i = 0;
  while (i < data.size()) {
    PutFixedSymbol(w, static_cast<unsigned char>(data[i]));
    size_t run = 0;
    while (i + 1 + run < data.size() && data[i + 1 + run] == data[i] && run < 258) ++run;
    ++i;
    if (run >= 3) {
      PutLength(w, static_cast<int>(run));
      w.PutCode(0, 5);  // distance code 0: distance 1
      i += run;
    }
  }
  PutFixedSymbol(w, 256);
  return w.Finish();
}

std::string BuildZip(const std::vector<ZipItem>& items) {
  std::string zip, directory;
  for (const ZipItem& item : items) {
    const std::string stored = item.deflate ? DeflateFixed(item.data) : item.data;
    const uint32_t offset = static_cast<uint32_t>(zip.size());
    const uint16_t method = item.deflate ? 8 : 0;
    const uint32_t crc = Crc32(item.data);
    std::string common;
    Put16(common, 20);  // version needed
    Put16(common, item.flags);
    Put16(common, method);
    Put16(common, 0);  // time
    Put16(common, 0x21);  // date
    Append32(common, crc);
    Append32(common, static_cast<uint32_t>(stored.size()));
    Append32(common, static_cast<uint32_t>(item.data.size()));
    Put16(common, static_cast<uint32_t>(item.name.size()));
    Put16(common, 0);  // extra
    Append32(zip, 0x04034b50);
    zip += common + item.name + stored;
    Append32(directory, 0x02014b50);
    Put16(directory, 20);  // version made by
    directory += common;
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Append32(directory, 0);  // external attributes
    Append32(directory, offset);
    directory += item.name;
  }
  const uint32_t directoryOffset = static_cast<uint32_t>(zip.size());
  zip += directory;
  Append32(zip, 0x06054b50);
  Put16(zip, 0);
  Put16(zip, 0);
  Put16(zip, static_cast<uint32_t>(items.size()));
  Put16(zip, static_cast<uint32_t>(items.size()));
  Append32(zip, static_cast<uint32_t>(directory.size()));
  Append32(zip, directoryOffset);
  Put16(zip, 0);
  return zip;
}

size_t FindSignature(const std::string& bytes, uint32_t signature, size_t from) {
  std::string pattern;
  Append32(pattern, signature);
  return bytes.find(pattern, from);
}

void Put32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string EncodePng(int width, int height, const std::vector<uint32_t>& pixels) {
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // filter: none
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      raw += static_cast<char>((p >> 16) & 0xFF);
      raw += static_cast<char>((p >> 8) & 0xFF);
      raw += static_cast<char>(p & 0xFF);
      raw += static_cast<char>(p >> 24);
    }
  }
  std::string zlib = "\x78\x01";
  for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const size_t len = std::min<size_t>(65535, raw.size() - at);
    zlib += static_cast<char>(at + len >= raw.size() ? 1 : 0);
    Put16(zlib, static_cast<uint32_t>(len));
    Put16(zlib, static_cast<uint32_t>(~len & 0xFFFF));
    zlib += raw.substr(at, len);
  }
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  AppendBig32(zlib, (b << 16) | a);
  std::string header;
  AppendBig32(header, static_cast<uint32_t>(width));
  AppendBig32(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);
  std::string png = "\x89PNG\r\n\x1a\n";
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", zlib);
  AppendChunk(png, "IEND", "");
  return png;
}

}  // namespace tamvelo::test
