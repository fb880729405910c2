// The demo portal's served INI files, read the way the program reads them.
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "common/ini.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {
namespace {

// The repository's portal folder as Wine's Z: drive shows it.
std::string PortalFile(const char* relative) {
  std::string path = std::string("Z:") + TAMVELO_SOURCE_DIR + "/portal/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string Md5Hex(const std::string& bytes) {
  HCRYPTPROV provider = 0;
  HCRYPTHASH hash = 0;
  std::string hex;
  if (CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
      CryptCreateHash(provider, CALG_MD5, 0, 0, &hash) &&
      CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()),
                    static_cast<DWORD>(bytes.size()), 0)) {
    BYTE digest[16];
    DWORD size = sizeof digest;
    if (CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0)) {
      for (BYTE b : digest) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", b);
        hex += pair;
      }
    }
  }
  if (hash != 0) CryptDestroyHash(hash);
  if (provider != 0) CryptReleaseContext(provider, 0);
  return hex;
}

TEST(DemoPortalFiles, VersionFileAnnouncesNoUpdateAndTheServedParamDigest) {
  const std::string version = PortalFile("res/box/version.ini");
  const std::string param = PortalFile("res/box/param.ini");
  ASSERT_TRUE(test::FileExists(param)) << param;
  EXPECT_EQ(ini::ReadText(version, "PARAM", "md5"), Md5Hex(test::ReadFile(param)))
      << "run portal/make_version_ini.py after changing param.ini";
  const std::string mainVersion = ini::ReadText(version, "VERSION", "mainver");
  EXPECT_GE(mainVersion.size(), 3u);
  EXPECT_LE(static_cast<float>(std::atof(mainVersion.c_str())), 1.0f);
}

TEST(DemoPortalFiles, EveryListedAddressCanMatch) {
  const std::string param = PortalFile("res/box/param.ini");
  for (const char* section : {"Linktopay", "Otherurl", "Weburl"}) {
    SCOPED_TRACE(section);
    const auto list = ini::ReadNumberedList(param, section);
    EXPECT_FALSE(list.empty());
    EXPECT_EQ(static_cast<int>(list.size()), ini::ReadInt(param, section, "count"));
    // Shorter entries are kept by the readers but never match an address.
    for (const std::string& entry : list) EXPECT_GT(entry.size(), 14u) << entry;
  }
  EXPECT_EQ(ini::ReadNumberedListW(test::Utf8ToWide(param), L"Weburl").size(),
            ini::ReadNumberedList(param, "Weburl").size());
}

}  // namespace
}  // namespace tamvelo::test
