#include "box/app/browser_feature.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tamvelo::test {

namespace {

constexpr char kBrowserKey[] = "SOFTWARE\\Microsoft\\Internet Explorer";
constexpr char kEmulationKey[] =
    "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";
constexpr char kMitigationKey[] =
    "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_SCRIPTURL_MITIGATION";

// A registry tree held in memory: taken before a test, written back after
// it, so that the tests leave the prefix's registry as they found it.
struct KeySnapshot {
  struct Value {
    std::string name;
    DWORD type;
    std::string data;
  };
  std::vector<Value> values;
  std::vector<std::pair<std::string, KeySnapshot>> subkeys;

  static std::optional<KeySnapshot> Take(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    KeySnapshot snapshot;
    for (DWORD i = 0;; ++i) {
      char name[16384];
      DWORD nameSize = sizeof name, type = 0, size = 0;
      if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
      Value value{name, type, std::string(size, '\0')};
      nameSize = sizeof name;
      RegEnumValueA(key, i, name, &nameSize, nullptr, &type,
                    reinterpret_cast<BYTE*>(value.data.data()), &size);
      snapshot.values.push_back(value);
    }
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD nameSize = sizeof name;
      if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (auto child = Take(root, path + "\\" + name)) snapshot.subkeys.emplace_back(name, *child);
    }
    RegCloseKey(key);
    return snapshot;
  }

  void Restore(HKEY root, const std::string& path) const {
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return;
    for (const Value& v : values)
      RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                     static_cast<DWORD>(v.data.size()));
    RegCloseKey(key);
    for (const auto& [name, child] : subkeys) child.Restore(root, path + "\\" + name);
  }
};

class SavedKey {
 public:
  SavedKey(HKEY root, const char* path) : root_(root), path_(path), saved_(KeySnapshot::Take(root, path)) {}
  ~SavedKey() {
    RegDeleteTreeA(root_, path_);
    RegDeleteKeyA(root_, path_);
    if (saved_) saved_->Restore(root_, path_);
  }

 private:
  HKEY root_;
  const char* path_;
  std::optional<KeySnapshot> saved_;
};

class BrowserFeatureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Start from a browser key with no version values and no feature keys.
    for (auto [root, path] : {std::pair{HKEY_LOCAL_MACHINE, kBrowserKey},
                              std::pair{HKEY_CURRENT_USER, kEmulationKey},
                              std::pair{HKEY_CURRENT_USER, kMitigationKey}}) {
      RegDeleteTreeA(root, path);
      RegDeleteKeyA(root, path);
    }
  }

  static void SetBrowserValue(const char* name, DWORD type, const std::string& data) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
  }
  static void SetVersion(const char* name, const std::string& text) {
    SetBrowserValue(name, REG_SZ, text + '\0');
  }

  static std::optional<DWORD> Feature(const char* keyPath, const std::string& valueName) {
    DWORD value = 0, type = 0, size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, keyPath, valueName.c_str(), RRF_RT_ANY, &type, &value,
                     &size) != ERROR_SUCCESS)
      return std::nullopt;
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
    return value;
  }

  static std::string OwnExeName() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text = path;
    return text.substr(text.rfind('\\') + 1);
  }

  void ExpectWritten(DWORD emulation) {
    for (const std::string& name : {OwnExeName(), std::string("tamvelo-tab.exe")}) {
      EXPECT_EQ(Feature(kEmulationKey, name), std::optional<DWORD>(emulation)) << name;
      EXPECT_EQ(Feature(kMitigationKey, name), std::optional<DWORD>(1)) << name;
    }
  }
  void ExpectNothingWritten() {
    EXPECT_FALSE(Feature(kEmulationKey, OwnExeName()).has_value());
    EXPECT_FALSE(Feature(kEmulationKey, "tamvelo-tab.exe").has_value());
    EXPECT_FALSE(Feature(kMitigationKey, "tamvelo-tab.exe").has_value());
  }

 private:
  SavedKey browser_{HKEY_LOCAL_MACHINE, kBrowserKey};
  SavedKey emulation_{HKEY_CURRENT_USER, kEmulationKey};
  SavedKey mitigation_{HKEY_CURRENT_USER, kMitigationKey};
};

TEST_F(BrowserFeatureTest, ServiceVersionWinsOverVersion) {
  SetVersion("svcVersion", "11.0.9600.19036");
  SetVersion("Version", "9.11.9600.19036");
  EXPECT_EQ(GetBrowserMajorVersion(), 11);
  BrowserFeatureControl();
  ExpectWritten(11000);
}

TEST_F(BrowserFeatureTest, VersionAloneIsUsed) {
  SetVersion("Version", "8.0.6001.18702");
  EXPECT_EQ(GetBrowserMajorVersion(), 8);
  BrowserFeatureControl();
  ExpectWritten(8000);
}

TEST_F(BrowserFeatureTest, SixOrLowerWritesNothing) {
  SetVersion("Version", "6.0.2900.5512");
  EXPECT_EQ(GetBrowserMajorVersion(), 6);
  BrowserFeatureControl();
  ExpectNothingWritten();
}

TEST_F(BrowserFeatureTest, MissingKeyWritesNothing) {
  EXPECT_EQ(GetBrowserMajorVersion(), -1);
  BrowserFeatureControl();
  ExpectNothingWritten();
}

TEST_F(BrowserFeatureTest, TextWithoutLeadingDigitsWritesNothing) {
  SetVersion("svcVersion", "v11.0");
  EXPECT_EQ(GetBrowserMajorVersion(), 0);
  BrowserFeatureControl();
  ExpectNothingWritten();
}

TEST_F(BrowserFeatureTest, WrongTypeFallsBackToVersion) {
  SetBrowserValue("svcVersion", REG_DWORD, std::string("\x0b\x00\x00\x00", 4));
  SetVersion("Version", "9.11.9600.19036");
  EXPECT_EQ(GetBrowserMajorVersion(), 9);
  // Without a usable "Version" either, the answer is 0, not bytes of a number.
  SetBrowserValue("Version", REG_DWORD, std::string("\x39\x39\x00\x00", 4));
  EXPECT_EQ(GetBrowserMajorVersion(), 0);
  SetBrowserValue("Version", REG_EXPAND_SZ, std::string("10.0\0", 5));
  EXPECT_EQ(GetBrowserMajorVersion(), 10);
}

TEST_F(BrowserFeatureTest, TextWithoutTerminatorInTheBufferIsRefused) {
  SetVersion("svcVersion", std::string(300, '1'));
  SetVersion("Version", "7.0");
  EXPECT_EQ(GetBrowserMajorVersion(), 7);
}

TEST_F(BrowserFeatureTest, ExistingValuesAreOverwritten) {
  HKEY key;
  for (const char* path : {kEmulationKey, kMitigationKey}) {
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD old = 4242;
    RegSetValueExA(key, "tamvelo-tab.exe", 0, REG_DWORD, reinterpret_cast<BYTE*>(&old), 4);
    RegSetValueExA(key, OwnExeName().c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&old), 4);
    RegCloseKey(key);
  }
  SetVersion("svcVersion", "11.0.9600.16428");
  BrowserFeatureControl();
  ExpectWritten(11000);
}

}  // namespace

}  // namespace tamvelo::test
