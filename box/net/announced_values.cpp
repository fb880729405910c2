#include "box/net/announced_values.h"

#include <cctype>
#include <cstdlib>

#include "common/ini_values.h"

namespace tamvelo::net {
namespace {

constexpr size_t kShortestValidDigest = 32;
constexpr size_t kShortestVersionText = 3;

std::string LowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

DigestComparison CompareAnnouncedDigest(const std::string& fileDigest, const std::string& announced) {
  DigestComparison result{LowerCase(fileDigest), announced, false};
  if (ini::IsAbsent(announced) || announced.size() < kShortestValidDigest) return result;
  result.announced = LowerCase(TrimBlanks(announced));
  result.differs = result.fileDigest != result.announced;
  return result;
}

bool AnnouncesNewerVersion(const std::string& mainver, float programVersion) {
  if (ini::IsAbsent(mainver) || mainver.size() < kShortestVersionText) return false;
  return static_cast<float>(std::atof(mainver.c_str())) > programVersion;
}

}  // namespace tamvelo::net
