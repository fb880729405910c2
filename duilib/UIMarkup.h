// CMarkup: the toolkit's own XML parser for skin files.
//
// Input is UTF-8 (a BOM is skipped; LoadFromMem also takes UTF-16 with a
// BOM). Element names, attribute names and values and text are handed out in
// the ANSI code page. Supported: the XML declaration and other processing
// instructions (skipped), a DOCTYPE without internal subset (skipped),
// comments, CDATA, the five named entities and numeric character references,
// both quote styles, self-closing tags. Anything else that is not well formed
// makes Load fail with a message and a line/column, and leaves no tree.
//
// Values: an element's value is its text and CDATA concatenated; text pieces
// are trimmed of surrounding white space, CDATA is kept verbatim.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace DuiLib {

class CMarkup;

// A light handle into a loaded CMarkup; valid while the CMarkup keeps its tree.
// Every getter of an invalid node returns an invalid node, false, 0 or "".
class CMarkupNode {
 public:
  CMarkupNode() = default;

  bool IsValid() const;
  CMarkupNode GetParent() const;
  CMarkupNode GetSibling() const;
  CMarkupNode GetChild() const;
  // The first child element with this name (case-sensitive).
  CMarkupNode GetChild(const char* name) const;
  bool HasSiblings() const;
  bool HasChildren() const;

  const char* GetName() const;
  const char* GetValue() const;

  bool HasAttributes() const;
  bool HasAttribute(const char* name) const;
  int GetAttributeCount() const;
  // "" when the index is out of range.
  const char* GetAttributeName(int index) const;
  const char* GetAttributeValue(int index) const;
  // Never null: "" when the attribute is absent (use HasAttribute to tell an
  // empty value from a missing one).
  const char* GetAttributeValue(const char* name) const;
  // Copies the value, cut to max - 1 bytes (never in the middle of a
  // double-byte character), always terminated; false when absent.
  bool GetAttributeValue(const char* name, char* value, size_t max) const;

 private:
  friend class CMarkup;
  CMarkupNode(const CMarkup* owner, int index) : owner_(owner), index_(index) {}
  const CMarkup* owner_ = nullptr;
  int index_ = -1;
};

class CMarkup {
 public:
  // Nesting deeper than this is refused, so that hostile input cannot
  // exhaust memory or callers that walk the tree recursively.
  static constexpr int kMaxDepth = 256;

  explicit CMarkup(const char* text = nullptr);
  CMarkup(const CMarkup&) = delete;
  CMarkup& operator=(const CMarkup&) = delete;

  bool Load(const char* text);
  bool LoadFromMem(const uint8_t* data, size_t size);
  // The name is read through CResourceStore::LoadBytes (zip or resource path).
  // Windows only (UIMarkupFile.cpp): the parser itself needs no platform.
  bool LoadFromFile(const char* name);
  void Release();
  bool IsValid() const { return !elements_.empty(); }

  // Empty after a successful load. Both are always terminated (max > 0).
  void GetLastErrorMessage(char* msg, size_t max) const;
  void GetLastErrorLocation(char* source, size_t max) const;

  CMarkupNode GetRoot() const;

 private:
  friend class CMarkupNode;
  friend class MarkupParser;

  struct Element {
    std::string name;
    std::string value;
    int parent = -1;
    int firstChild = -1;
    int lastChild = -1;
    int nextSibling = -1;
    int firstAttribute = 0;
    int attributeCount = 0;
  };

  bool Parse(const char* utf8, size_t size);

  std::vector<Element> elements_;
  std::vector<std::pair<std::string, std::string>> attributes_;
  std::string errorMessage_;
  std::string errorLocation_;
};

}  // namespace DuiLib
