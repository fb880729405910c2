// A skin file for CMarkup: the first byte says how it is handed over (bit 0
// clear: Load, text up to the first NUL; set: LoadFromMem, the bytes as they
// are, a UTF-16 BOM included).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/text_codec.h"
#include "duilib/UIMarkup.h"

namespace {

using DuiLib::CMarkup;
using DuiLib::CMarkupNode;

void Check(bool condition) {
  if (!condition) std::abort();
}

// The node's name pointer tells elements apart: each one has its own string.
bool Same(const CMarkupNode& a, const CMarkupNode& b) { return a.GetName() == b.GetName(); }

// What the copying getters must give: a terminated prefix of the text.
void CheckCopies(const CMarkupNode& node, const char* name, const char* value) {
  for (size_t max : {size_t{1}, size_t{2}, size_t{3}, size_t{16}}) {
    std::vector<char> buffer(max, 'x');
    Check(node.GetAttributeValue(name, buffer.data(), max));
    const size_t length = strnlen(buffer.data(), max);
    Check(length < max);
    Check(std::strncmp(buffer.data(), value, length) == 0);
    Check(length == std::strlen(value) || max - 1 - length <= 1);
  }
}

// Every getter of every node, iteratively; the nesting stays within kMaxDepth.
void CheckTree(const CMarkup& xml) {
  const CMarkupNode root = xml.GetRoot();
  Check(root.IsValid() && !root.GetParent().IsValid() && !root.HasSiblings());
  std::vector<std::pair<CMarkupNode, int>> pending{{root, 1}};
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    Check(depth <= CMarkup::kMaxDepth);
    Check(*node.GetName() != '\0');
    Check(node.GetValue() != nullptr);
    const int count = node.GetAttributeCount();
    Check(node.HasAttributes() == (count > 0));
    Check(*node.GetAttributeName(count) == '\0' && *node.GetAttributeValue(-1) == '\0');
    for (int i = 0; i < count; ++i) {
      const char* name = node.GetAttributeName(i);
      // Looking a name up finds its first attribute (names are unique in the
      // UTF-8 text; two may meet as "?" in the code page).
      int first = 0;
      while (std::strcmp(node.GetAttributeName(first), name) != 0) ++first;
      Check(first <= i && node.HasAttribute(name));
      Check(node.GetAttributeValue(name) == node.GetAttributeValue(first));
      CheckCopies(node, name, node.GetAttributeValue(i));
    }
    Check(node.HasChildren() == node.GetChild().IsValid());
    for (CMarkupNode child = node.GetChild(); child.IsValid(); child = child.GetSibling()) {
      Check(Same(child.GetParent(), node));
      const CMarkupNode first = node.GetChild(child.GetName());
      Check(first.IsValid() && std::strcmp(first.GetName(), child.GetName()) == 0);
      pending.emplace_back(child, depth + 1);
    }
  }
}

// ---- serialising, for the round trip -------------------------------------

std::string Utf8FromAnsi(const char* ansi) {
  return tamvelo::NarrowFromWide(tamvelo::WideFromNarrow(ansi), tamvelo::kUtf8CodePage);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

// A character the code page lacks came back as '?': such a name cannot be
// written again, and the round trip is skipped.
bool IsWritableName(const std::string& name) {
  if (name.empty() || !IsNameStart(name[0])) return false;
  for (unsigned char c : name) {
    if (!IsNameStart(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') return false;
  }
  return true;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

// Text loses its surrounding blanks when read, CDATA keeps them.
std::string ValueText(const std::string& value) {
  if (value.empty()) return value;
  if (!IsBlank(value.front()) && !IsBlank(value.back())) return Escaped(value);
  std::string out = "<![CDATA[";
  for (size_t at = 0; at < value.size(); ++at) {
    if (value.compare(at, 3, "]]>") == 0) {
      out += "]]]]><![CDATA[>";
      at += 2;
    } else {
      out += value[at];
    }
  }
  return out + "]]>";
}

// The tree as UTF-8, or false when a name cannot be written.
bool Serialise(const CMarkupNode& root, std::string& out) {
  // (node, whether its end tag is due)
  std::vector<std::pair<CMarkupNode, bool>> pending{{root, false}};
  while (!pending.empty()) {
    const auto [node, closing] = pending.back();
    pending.pop_back();
    const std::string name = Utf8FromAnsi(node.GetName());
    if (closing) {
      out += "</" + name + ">";
      continue;
    }
    if (!IsWritableName(name)) return false;
    out += "<" + name;
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
      const std::string attribute = Utf8FromAnsi(node.GetAttributeName(i));
      if (!IsWritableName(attribute)) return false;
      out += " " + attribute + "=\"" + Escaped(Utf8FromAnsi(node.GetAttributeValue(i))) + "\"";
    }
    out += ">" + ValueText(Utf8FromAnsi(node.GetValue()));
    pending.emplace_back(node, true);
    std::vector<CMarkupNode> children;
    for (CMarkupNode child = node.GetChild(); child.IsValid(); child = child.GetSibling()) children.push_back(child);
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.emplace_back(*it, false);
  }
  return true;
}

void CheckSameTree(const CMarkupNode& a, const CMarkupNode& b) {
  std::vector<std::pair<CMarkupNode, CMarkupNode>> pending{{a, b}};
  while (!pending.empty()) {
    const auto [x, y] = pending.back();
    pending.pop_back();
    Check(std::strcmp(x.GetName(), y.GetName()) == 0);
    Check(std::strcmp(x.GetValue(), y.GetValue()) == 0);
    Check(x.GetAttributeCount() == y.GetAttributeCount());
    for (int i = 0; i < x.GetAttributeCount(); ++i) {
      Check(std::strcmp(x.GetAttributeName(i), y.GetAttributeName(i)) == 0);
      Check(std::strcmp(x.GetAttributeValue(i), y.GetAttributeValue(i)) == 0);
    }
    CMarkupNode cx = x.GetChild(), cy = y.GetChild();
    for (; cx.IsValid() && cy.IsValid(); cx = cx.GetSibling(), cy = cy.GetSibling()) pending.emplace_back(cx, cy);
    Check(!cx.IsValid() && !cy.IsValid());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  CMarkup xml;
  bool loaded;
  if (data[0] & 1) {
    // Exactly the input's bytes, no terminator: a read past them is caught.
    const std::vector<uint8_t> bytes(data + 1, data + size);
    loaded = xml.LoadFromMem(bytes.data(), bytes.size());
  } else {
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    loaded = xml.Load(text.c_str());
  }

  char message[64], location[64], tiny[1];
  xml.GetLastErrorMessage(message, sizeof message);
  xml.GetLastErrorLocation(location, sizeof location);
  xml.GetLastErrorLocation(tiny, sizeof tiny);
  Check(tiny[0] == '\0');
  Check(loaded == xml.IsValid());
  if (!loaded) {
    Check(message[0] != '\0' && !xml.GetRoot().IsValid());
    return 0;
  }
  Check(message[0] == '\0' && location[0] == '\0');
  CheckTree(xml);

  std::string written;
  if (!Serialise(xml.GetRoot(), written)) return 0;
  CMarkup again;
  Check(again.Load(written.c_str()));
  CheckSameTree(xml.GetRoot(), again.GetRoot());
  return 0;
}
