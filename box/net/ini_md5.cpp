#include "box/net/ini_md5.h"

#include <cctype>
#include <cstring>
#include <string>

#include "box/net/file_md5.h"
#include "box/shared/process_values.h"
#include "common/ini.h"

namespace tamvelo::net {

namespace {

constexpr size_t kShortestValidDigest = 32;

void LowerCase(char* text) {
  for (; *text; ++text) *text = static_cast<char>(std::tolower(static_cast<unsigned char>(*text)));
}

}  // namespace

bool IniMd5Differs(char* fileDigest, char* announced, const char* section, const char* filePath) {
  std::memset(fileDigest, 0, kFileDigestBufferBytes);
  FileMd5Hex(filePath, fileDigest);
  LowerCase(fileDigest);

  std::memset(announced, 0, kAnnouncedDigestBufferBytes);
  const std::string value =
      ini::ReadText(app::MainProgramValues().versionIniPath, section, "md5", kAnnouncedDigestBufferBytes);
  std::memcpy(announced, value.c_str(), value.size());
  if (ini::IsAbsent(value) || value.size() < kShortestValidDigest) return false;

  const size_t first = value.find_first_not_of(' ');
  const size_t last = value.find_last_not_of(' ');
  const std::string trimmed =
      first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
  std::memset(announced, 0, kAnnouncedDigestBufferBytes);
  std::memcpy(announced, trimmed.c_str(), trimmed.size());
  LowerCase(announced);
  return std::strcmp(fileDigest, announced) != 0;
}

}  // namespace tamvelo::net
