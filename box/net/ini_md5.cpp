#include "box/net/ini_md5.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "box/net/announced_values.h"
#include "box/net/file_md5.h"
#include "box/shared/process_values.h"
#include "common/ini.h"

namespace tamvelo::net {
namespace {

// Zero-filled, the text cut to fit with its terminator.
void CopyToBuffer(const std::string& text, char* buffer, size_t bufferBytes) {
  std::memset(buffer, 0, bufferBytes);
  std::memcpy(buffer, text.data(), std::min(text.size(), bufferBytes - 1));
}

}  // namespace

bool IniMd5Differs(char* fileDigest, char* announced, const char* section, const char* filePath) {
  std::memset(fileDigest, 0, kFileDigestBufferBytes);
  FileMd5Hex(filePath, fileDigest);
  const std::string value =
      ini::ReadText(app::MainProgramValues().versionIniPath, section, "md5", kAnnouncedDigestBufferBytes);
  const DigestComparison comparison = CompareAnnouncedDigest(fileDigest, value);
  CopyToBuffer(comparison.fileDigest, fileDigest, kFileDigestBufferBytes);
  CopyToBuffer(comparison.announced, announced, kAnnouncedDigestBufferBytes);
  return comparison.differs;
}

}  // namespace tamvelo::net
