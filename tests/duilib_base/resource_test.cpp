#include "duilib/UIResource.h"

#include <gtest/gtest.h>

#include <string>

#include "duilib/UIMarkup.h"
#include "tests/duilib_base/skin_state.h"
#include "tests/support/sample_data.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace DuiLib;  // the code under test
namespace {

using tamvelo::test::BuildZip;
using tamvelo::test::Bytes;
using tamvelo::test::TempDir;
using tamvelo::test::WriteFile;

std::string Load(const char* name) {
  std::vector<BYTE> out;
  if (!CResourceStore::LoadBytes(name, out)) return "<missing>";
  return std::string(out.begin(), out.end());
}

class ResourceStore : public tamvelo::test::SkinStateTest {};

TEST_F(ResourceStore, PathGetsATrailingBackslash) {
  CResourceStore::SetResourcePath("C:\\data\\tamvelo\\gamebox\\");
  EXPECT_STREQ(CResourceStore::GetResourcePath(), "C:\\data\\tamvelo\\gamebox\\");
  CResourceStore::SetResourcePath("C:\\data");
  EXPECT_STREQ(CResourceStore::GetResourcePath(), "C:\\data\\");
  CResourceStore::SetResourcePath(nullptr);
  EXPECT_STREQ(CResourceStore::GetResourcePath(), "");
  CResourceStore::SetResourceType(UILIB_ZIPRESOURCE);
  EXPECT_EQ(CResourceStore::GetResourceType(), 4);
}

TEST_F(ResourceStore, ReadsFilesUnderTheResourcePath) {
  TempDir dir;
  CreateDirectoryA(dir.File("xml").c_str(), nullptr);
  WriteFile(dir.File("xml\\main.xml"), "<Window/>");
  WriteFile(dir.File("top.txt"), "top");
  CResourceStore::SetResourcePath(dir.path().c_str());
  EXPECT_EQ(Load("xml//main.xml"), "<Window/>");
  EXPECT_EQ(Load("xml\\main.xml"), "<Window/>");
  EXPECT_EQ(Load("top.txt"), "top");
  EXPECT_EQ(Load("xml//none.xml"), "<missing>");
  EXPECT_EQ(Load(""), "<missing>");
  EXPECT_EQ(Load(nullptr), "<missing>");
  EXPECT_EQ(Load("xml"), "<missing>");  // a folder is not a file
  // An absolute path is read as it is.
  CResourceStore::SetResourcePath("C:\\nowhere\\");
  EXPECT_EQ(Load(dir.File("top.txt").c_str()), "top");

  CMarkup xml;
  CResourceStore::SetResourcePath(dir.path().c_str());
  ASSERT_TRUE(xml.LoadFromFile("xml//main.xml"));
  EXPECT_STREQ(xml.GetRoot().GetName(), "Window");
  EXPECT_FALSE(xml.LoadFromFile("xml//none.xml"));
  char message[100];
  xml.GetLastErrorMessage(message, sizeof message);
  EXPECT_STREQ(message, "cannot read xml//none.xml");
}

TEST_F(ResourceStore, AnArchiveReplacesTheFolder) {
  TempDir dir;
  WriteFile(dir.File("only-on-disk.txt"), "disk");
  CResourceStore::SetResourcePath(dir.path().c_str());
  const std::string zip = BuildZip({{"xml/main.xml", "<Window/>", true}, {"skin/a.txt", "A", false}});
  ASSERT_TRUE(CResourceStore::SetResourceZip(zip.data(), static_cast<unsigned>(zip.size()), nullptr));
  EXPECT_TRUE(CResourceStore::HasZip());
  EXPECT_EQ(Load("xml//main.xml"), "<Window/>");
  EXPECT_EQ(Load("skin\\a.txt"), "A");
  EXPECT_EQ(Load("only-on-disk.txt"), "<missing>");
  EXPECT_EQ(Load(dir.File("only-on-disk.txt").c_str()), "disk");
  // The resource path is kept for the configuration files.
  EXPECT_EQ(std::string(CResourceStore::GetResourcePath()), dir.path());

  // A corrupt archive is refused and the folder is used again.
  const std::string broken = zip.substr(0, zip.size() - 10);
  EXPECT_FALSE(CResourceStore::SetResourceZip(broken.data(), static_cast<unsigned>(broken.size()), "pw"));
  EXPECT_FALSE(CResourceStore::HasZip());
  EXPECT_EQ(Load("only-on-disk.txt"), "disk");
  EXPECT_FALSE(CResourceStore::SetResourceZip(nullptr, 0, nullptr));
}

TEST_F(ResourceStore, ChangesAreCounted) {
  const unsigned before = CResourceStore::GetGeneration();
  CResourceStore::SetResourcePath("C:\\x\\");
  EXPECT_NE(CResourceStore::GetGeneration(), before);
  const unsigned afterPath = CResourceStore::GetGeneration();
  CResourceManager::GetInstance()->ResetResourceMap();
  EXPECT_NE(CResourceStore::GetGeneration(), afterPath);
}

class ResourceMap : public tamvelo::test::SkinStateTest {};

const char kResXml[] =
    u8"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    u8"<Res>\n"
    u8"  <Image name=\"logo\" value=\"skin/Default/logo.png\"/>\n"
    u8"  <Xml name=\"main\" value=\"xml/main.xml\"/>\n"
    u8"  <Text id=\"title\" value=\"塔维洛游戏盒\"/>\n"
    u8"  <Image name=\"nameless-value\"/>\n"
    u8"  <Sound name=\"ignored\" value=\"x.wav\"/>\n"
    u8"  <Image name=\"logo2\" value=\"skin/old.png\"/>\n"
    u8"  <Image name=\"logo2\" value=\"skin/new.png\"/>\n"
    u8"</Res>\n";

TEST_F(ResourceMap, LoadsTheMapFromTheArchive) {
  const std::string zip = BuildZip({{"res.xml", kResXml, true}});
  ASSERT_TRUE(CResourceStore::SetResourceZip(zip.data(), static_cast<unsigned>(zip.size()), nullptr));
  CResourceManager* map = CResourceManager::GetInstance();
  ASSERT_TRUE(map->LoadResource("res.xml"));
  EXPECT_STREQ(map->GetImagePath("logo"), "skin/Default/logo.png");
  EXPECT_STREQ(map->GetImagePath("logo2"), "skin/new.png");
  EXPECT_STREQ(map->GetXmlPath("main"), "xml/main.xml");
  EXPECT_STREQ(map->GetText("title"), "塔维洛游戏盒");
  EXPECT_EQ(map->GetImagePath("nameless-value"), nullptr);
  EXPECT_EQ(map->GetImagePath("ignored"), nullptr);
  EXPECT_EQ(map->GetImagePath("main"), nullptr);  // kinds are kept apart
  EXPECT_EQ(map->GetText(nullptr), nullptr);
  map->ResetResourceMap();
  EXPECT_EQ(map->GetImagePath("logo"), nullptr);
}

TEST_F(ResourceMap, BadMapsLeaveTheMapAsItWas) {
  CResourceManager* map = CResourceManager::GetInstance();
  ASSERT_TRUE(map->LoadResource("<Res><Image name='a' value='a.png'/></Res>"));
  EXPECT_FALSE(map->LoadResource("<Res><Image name='b' value='b.png'/>"));
  EXPECT_FALSE(map->LoadResource("<Other><Image name='b' value='b.png'/></Other>"));
  EXPECT_FALSE(map->LoadResource("no-such-res.xml"));
  EXPECT_FALSE(map->LoadResource(nullptr));
  EXPECT_STREQ(map->GetImagePath("a"), "a.png");
  EXPECT_EQ(map->GetImagePath("b"), nullptr);
  // A second map adds to the first.
  ASSERT_TRUE(map->LoadResource(" <res><Image name='b' value='b.png'/></res>"));
  EXPECT_STREQ(map->GetImagePath("a"), "a.png");
  EXPECT_STREQ(map->GetImagePath("b"), "b.png");
}

}  // namespace
}  // namespace tamvelo::test
