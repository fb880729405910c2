#include "duilib/UIMarkup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "tests/support/text_literals.h"

namespace tamvelo::test {
using namespace DuiLib;  // the code under test
namespace {

std::string ErrorOf(const CMarkup& xml) {
  char message[200], location[200];
  xml.GetLastErrorMessage(message, sizeof message);
  xml.GetLastErrorLocation(location, sizeof location);
  return std::string(message) + " @ " + location;
}

const char kSkin[] =
    u8"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\r\n"
    u8"<!-- main window -->\r\n"
    u8"<Window size=\"1020,690\" caption='0,0,0,70' >\r\n"
    u8"  <Font id=\"0\" name=\"微软雅黑\" size=\"12\"/>\r\n"
    u8"  <VerticalLayout bkimage=\"file = 'skin/Default/mainbg.png' corner='2,2,2,2'\">\r\n"
    u8"    <!-- <Button name=\"commented\"/> -->\r\n"
    u8"    <Label name=\"title\" text=\"塔维洛 &amp; &lt;游戏盒&gt; &quot;1&quot; &apos;2&apos;\" />\r\n"
    u8"    <Text>  a &#20013;&#x6587; b  <![CDATA[<raw & kept>]]></Text>\r\n"
    u8"  </VerticalLayout>\r\n"
    u8"</Window>\r\n";

TEST(Markup, ReadsASkinTree) {
  CMarkup xml;
  ASSERT_TRUE(xml.Load(kSkin)) << ErrorOf(xml);
  ASSERT_TRUE(xml.IsValid());
  CMarkupNode root = xml.GetRoot();
  EXPECT_STREQ(root.GetName(), "Window");
  EXPECT_FALSE(root.GetParent().IsValid());
  EXPECT_FALSE(root.HasSiblings());
  EXPECT_EQ(root.GetAttributeCount(), 2);
  EXPECT_STREQ(root.GetAttributeName(1), "caption");
  EXPECT_STREQ(root.GetAttributeValue("caption"), "0,0,0,70");
  EXPECT_STREQ(root.GetAttributeValue(0), "1020,690");

  CMarkupNode font = root.GetChild();
  EXPECT_STREQ(font.GetName(), "Font");
  EXPECT_FALSE(font.HasChildren());
  EXPECT_EQ(font.GetAttributeValue("name"), Utf8ToAnsi(u8"微软雅黑"));  // now code page 936
  CMarkupNode layout = font.GetSibling();
  EXPECT_STREQ(layout.GetAttributeValue("bkimage"), "file = 'skin/Default/mainbg.png' corner='2,2,2,2'");
  EXPECT_FALSE(layout.HasSiblings());

  // The commented-out button is not a child.
  CMarkupNode label = layout.GetChild();
  EXPECT_STREQ(label.GetName(), "Label");
  EXPECT_EQ(label.GetAttributeValue("text"), Utf8ToAnsi(u8"塔维洛 & <游戏盒> \"1\" '2'"));
  EXPECT_EQ(label.GetParent().GetName(), std::string("VerticalLayout"));

  CMarkupNode text = layout.GetChild("Text");
  ASSERT_TRUE(text.IsValid());
  EXPECT_EQ(text.GetValue(), Utf8ToAnsi(u8"a 中文 b<raw & kept>"));
  EXPECT_FALSE(layout.GetChild("Button").IsValid());
}

TEST(Markup, AbsentThingsReadAsEmpty) {
  CMarkup xml("<a x=''><b/></a>");
  CMarkupNode a = xml.GetRoot();
  EXPECT_TRUE(a.HasAttribute("x"));
  EXPECT_STREQ(a.GetAttributeValue("x"), "");
  EXPECT_FALSE(a.HasAttribute("y"));
  EXPECT_STREQ(a.GetAttributeValue("y"), "");
  EXPECT_STREQ(a.GetAttributeValue(nullptr), "");
  EXPECT_STREQ(a.GetAttributeName(5), "");
  EXPECT_STREQ(a.GetAttributeValue(-1), "");
  char buffer[8] = "junk";
  EXPECT_FALSE(a.GetAttributeValue("y", buffer, sizeof buffer));
  CMarkupNode none = a.GetChild().GetChild();
  EXPECT_FALSE(none.IsValid());
  EXPECT_STREQ(none.GetName(), "");
  EXPECT_EQ(none.GetAttributeCount(), 0);
  EXPECT_FALSE(none.GetSibling().GetParent().IsValid());
}

TEST(Markup, AttributeCopyIsCutOnACharacterBoundary) {
  CMarkup xml(u8"<a v=\"中文x\"/>");
  char buffer[4];
  ASSERT_TRUE(xml.GetRoot().GetAttributeValue("v", buffer, sizeof buffer));
  EXPECT_EQ(buffer, Utf8ToAnsi(u8"中"));  // 2 bytes; the next character would not fit whole
  char big[16];
  ASSERT_TRUE(xml.GetRoot().GetAttributeValue("v", big, sizeof big));
  EXPECT_EQ(big, Utf8ToAnsi(u8"中文x"));
}

TEST(Markup, MalformedInputIsRejectedWithAMessageAndNoTree) {
  const char* const cases[] = {
      "",
      "  \r\n ",
      "<!-- only a comment -->",
      "<a>",
      "<a><b></a></b>",
      "<a></b>",
      "<a b=1/>",
      "<a b='1/>",
      "<a b=\"1' />",
      "<a b='1'c='2'/>",
      "<a b='1' b='2'/>",
      "<a b/>",
      "<a b='<'/>",
      "<a>&bogus;</a>",
      "<a>& loose</a>",
      "<a>&#xD800;</a>",
      "<a>&#0;</a>",
      "<a>&#x110000;</a>",
      "<a>&#12a;</a>",
      "<a/><b/>",
      "text<a/>",
      "<a/>text",
      "<a><!-- never closed</a>",
      "<a><![CDATA[never closed</a>",
      "<?xml version='1.0'",
      "<a></a",
      "<1a/>",
      "< a/>",
      "<!DOCTYPE a [<!ENTITY x 'y'>]><a/>",
      "<a><!ELEMENT b></a>",
      "\xff\xfe\x00\x01garbage",
      "<a>\xc3\x28</a>",    // broken UTF-8
      "<a>\xe0\x80\xaf</a>",  // overlong UTF-8
      "<a>\xd6\xd0</a>",    // code page 936 bytes are not UTF-8
  };
  for (const char* text : cases) {
    CMarkup xml;
    EXPECT_FALSE(xml.Load(text)) << "accepted: " << text;
    EXPECT_FALSE(xml.IsValid()) << text;
    EXPECT_FALSE(xml.GetRoot().IsValid()) << text;
    char message[100];
    xml.GetLastErrorMessage(message, sizeof message);
    EXPECT_STRNE(message, "") << text;
  }
}

TEST(Markup, ErrorNamesLineColumnAndText) {
  CMarkup xml;
  ASSERT_FALSE(xml.Load("<Window>\n  <Button>\n    </Label>\n</Window>"));
  char message[100], location[100];
  xml.GetLastErrorMessage(message, sizeof message);
  xml.GetLastErrorLocation(location, sizeof location);
  EXPECT_STREQ(message, "end tag </Label> does not match <Button>");
  EXPECT_STREQ(location, "line 3, column 5: </Label>");
  // An unclosed element is reported where it starts.
  ASSERT_FALSE(xml.Load("<a>\n<b x='1'>\n"));
  xml.GetLastErrorMessage(message, sizeof message);
  xml.GetLastErrorLocation(location, sizeof location);
  EXPECT_STREQ(message, "element <b> is not closed");
  EXPECT_STREQ(location, "line 2, column 1: <b x='1'>");
  // Small buffers get a terminated prefix.
  char tiny[5];
  xml.GetLastErrorMessage(tiny, sizeof tiny);
  EXPECT_STREQ(tiny, "elem");
}

TEST(Markup, AFailedLoadDropsThePreviousTree) {
  CMarkup xml("<a><b/></a>");
  ASSERT_TRUE(xml.IsValid());
  EXPECT_FALSE(xml.Load("<a><b></a>"));
  EXPECT_FALSE(xml.IsValid());
  EXPECT_TRUE(xml.Load("<c/>"));
  EXPECT_STREQ(xml.GetRoot().GetName(), "c");
  char message[10] = "x";
  xml.GetLastErrorMessage(message, sizeof message);
  EXPECT_STREQ(message, "");
  xml.Release();
  EXPECT_FALSE(xml.IsValid());
}

TEST(Markup, NestingDepthIsLimited) {
  auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<n>";
    for (int i = 0; i < depth; ++i) text += "</n>";
    return text;
  };
  CMarkup xml;
  EXPECT_TRUE(xml.Load(nested(CMarkup::kMaxDepth).c_str())) << ErrorOf(xml);
  EXPECT_FALSE(xml.Load(nested(CMarkup::kMaxDepth + 1).c_str()));
  EXPECT_FALSE(xml.Load(nested(200000).c_str()));
  char message[100];
  xml.GetLastErrorMessage(message, sizeof message);
  EXPECT_STREQ(message, "elements are nested too deeply");
}

TEST(Markup, LoadFromMemoryTakesUtf16AndRefusesNulBytes) {
  // Little-endian UTF-16, as on both platforms' processors.
  const char16_t wide[] = u"\xFEFF<a t=\"\x4E2D\"/>";
  CMarkup xml;
  ASSERT_TRUE(xml.LoadFromMem(reinterpret_cast<const uint8_t*>(wide), sizeof wide - sizeof(char16_t)))
      << ErrorOf(xml);
  EXPECT_EQ(xml.GetRoot().GetAttributeValue("t"), Utf8ToAnsi(u8"中"));
  const char withNul[] = "<a>\0</a>";
  EXPECT_FALSE(xml.LoadFromMem(reinterpret_cast<const uint8_t*>(withNul), sizeof withNul - 1));
  EXPECT_FALSE(xml.LoadFromMem(nullptr, 10));
  // Odd UTF-16 length: the last byte is dropped, the rest still parses.
  const uint8_t odd[] = {0xFF, 0xFE, '<', 0, 'a', 0, '/', 0, '>', 0, 'x'};
  EXPECT_TRUE(xml.LoadFromMem(odd, sizeof odd));
}

TEST(Markup, RandomDamageNeverCrashes) {
  std::mt19937 random(1234);
  const std::string sample = kSkin;
  for (int round = 0; round < 3000; ++round) {
    std::string text = sample;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < edits; ++i) {
      const size_t at = random() % text.size();
      switch (random() % 3) {
        case 0: text[at] = static_cast<char>(1 + random() % 255); break;
        case 1: text.erase(at, 1 + random() % 8); break;
        default: text.resize(at); break;
      }
      if (text.empty()) text = "<";
    }
    CMarkup xml;
    if (xml.Load(text.c_str())) {
      EXPECT_TRUE(xml.GetRoot().IsValid());
    } else {
      EXPECT_FALSE(xml.GetRoot().IsValid());
    }
  }
}

}  // namespace
}  // namespace tamvelo::test
