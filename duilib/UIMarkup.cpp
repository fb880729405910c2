#include "duilib/UIMarkup.h"

#include <cstring>

#include "common/text_codec.h"
#include "duilib/UIString.h"

namespace DuiLib {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameStart(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || u >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

bool HasPrefix(const char* p, const char* end, const char* prefix) {
  const size_t n = std::strlen(prefix);
  return static_cast<size_t>(end - p) >= n && std::memcmp(p, prefix, n) == 0;
}

void AppendUtf8(std::string& out, unsigned long cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Offset of the first byte that breaks UTF-8 (or is NUL), or size when valid.
size_t FindInvalidUtf8(const unsigned char* s, size_t size) {
  size_t i = 0;
  while (i < size) {
    const unsigned char c = s[i];
    size_t extra;
    unsigned long cp;
    if (c == 0) return i;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return i;
    }
    if (size - i <= extra) return i;
    for (size_t k = 1; k <= extra; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) return i;
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return i;
    i += extra + 1;
  }
  return size;
}

// UTF-16 code units (a trailing odd byte is dropped) as UTF-8. A surrogate
// without its partner becomes U+FFFD, as the system's conversion makes it.
std::string Utf8FromUtf16(const uint8_t* data, size_t size, bool littleEndian) {
  auto unit = [&](size_t i) -> unsigned long {
    const uint8_t lo = data[2 * i + (littleEndian ? 0 : 1)];
    const uint8_t hi = data[2 * i + (littleEndian ? 1 : 0)];
    return lo | (hi << 8);
  };
  const size_t units = size / 2;
  std::string out;
  for (size_t i = 0; i < units; ++i) {
    unsigned long cp = unit(i);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(++i) - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::string TrimBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// Copies into a caller's buffer without splitting a double-byte character.
void CopyCut(const std::string& text, char* out, size_t max) {
  if (!out || max == 0) return;
  size_t n = 0;
  while (n < text.size()) {
    const size_t step = (tamvelo::IsLeadByte(static_cast<unsigned char>(text[n])) && n + 1 < text.size()) ? 2 : 1;
    if (n + step > max - 1) break;
    n += step;
  }
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

}  // namespace

// Builds a CMarkup's tree from UTF-8 text in one pass without recursion.
class MarkupParser {
 public:
  MarkupParser(CMarkup& doc, const char* text, size_t size)
      : doc_(doc), begin_(text), p_(text), end_(text + size) {}

  bool Run() {
    const size_t bad = FindInvalidUtf8(reinterpret_cast<const unsigned char*>(begin_), end_ - begin_);
    if (bad < static_cast<size_t>(end_ - begin_)) {
      return Fail(begin_ + bad, begin_[bad] == 0 ? "NUL byte in the text" : "the text is not valid UTF-8");
    }
    if (HasPrefix(p_, end_, "\xEF\xBB\xBF")) p_ += 3;
    if (!SkipMisc(true)) return false;
    if (p_ >= end_) return Fail(p_, "the document has no root element");
    if (!ParseRootElement()) return false;
    if (!SkipMisc(false)) return false;
    if (p_ < end_) return Fail(p_, "content after the root element");
    Convert();
    return true;
  }

 private:
  bool Fail(const char* at, const std::string& message) {
    doc_.errorMessage_ = message;
    int line = 1, column = 1;
    for (const char* q = begin_; q < at; ++q) {
      if (*q == '\n') {
        ++line;
        column = 1;
      } else if ((static_cast<unsigned char>(*q) & 0xC0) != 0x80) {
        ++column;
      }
    }
    std::string snippet;
    for (const char* q = at; q < end_ && snippet.size() < 40 && *q != '\n' && *q != '\r' && *q != 0; ++q) {
      snippet += *q;
    }
    // Do not end the snippet inside a UTF-8 sequence.
    while (!snippet.empty() && (static_cast<unsigned char>(snippet.back()) & 0x80)) {
      const unsigned char c = static_cast<unsigned char>(snippet.back());
      snippet.pop_back();
      if (c >= 0xC0) break;
    }
    doc_.errorLocation_ = "line " + std::to_string(line) + ", column " + std::to_string(column);
    if (FindInvalidUtf8(reinterpret_cast<const unsigned char*>(snippet.data()), snippet.size()) == snippet.size() &&
        !snippet.empty()) {
      doc_.errorLocation_ += ": " + Utf8ToAnsi(snippet);
    }
    return false;
  }

  void SkipBlanks() {
    while (p_ < end_ && IsBlank(*p_)) ++p_;
  }

  // Skips to just after `terminator`; false (with an error) when it is missing.
  bool SkipPast(const char* terminator, const char* what) {
    const char* start = p_;
    const size_t n = std::strlen(terminator);
    for (; p_ + n <= end_; ++p_) {
      if (std::memcmp(p_, terminator, n) == 0) {
        p_ += n;
        return true;
      }
    }
    return Fail(start, std::string("unterminated ") + what);
  }

  // Blanks, comments and processing instructions around the root element;
  // a DOCTYPE only before it.
  bool SkipMisc(bool beforeRoot) {
    for (;;) {
      SkipBlanks();
      if (HasPrefix(p_, end_, "<!--")) {
        if (!SkipPast("-->", "comment")) return false;
      } else if (HasPrefix(p_, end_, "<?")) {
        if (!SkipPast("?>", "processing instruction")) return false;
      } else if (beforeRoot && HasPrefix(p_, end_, "<!DOCTYPE")) {
        const char* start = p_;
        while (p_ < end_ && *p_ != '>' && *p_ != '[') ++p_;
        if (p_ >= end_) return Fail(start, "unterminated DOCTYPE");
        if (*p_ == '[') return Fail(p_, "a DOCTYPE with an internal subset is not supported");
        ++p_;
      } else if (p_ < end_ && *p_ != '<') {
        return Fail(p_, beforeRoot ? "text before the root element" : "content after the root element");
      } else {
        return true;
      }
    }
  }

  bool ParseName(std::string& name) {
    if (p_ >= end_ || !IsNameStart(*p_)) return Fail(p_, "a name was expected");
    const char* start = p_;
    while (p_ < end_ && IsNameChar(*p_)) ++p_;
    name.assign(start, p_);
    return true;
  }

  // At '&': appends the character(s) it stands for.
  bool ParseEntity(std::string& out) {
    const char* start = p_;
    const char* semi = p_ + 1;
    while (semi < end_ && semi - p_ <= 12 && *semi != ';') ++semi;
    if (semi >= end_ || *semi != ';') return Fail(start, "'&' does not start an entity reference");
    const std::string name(p_ + 1, semi);
    p_ = semi + 1;
    if (name == "lt") out += '<';
    else if (name == "gt") out += '>';
    else if (name == "amp") out += '&';
    else if (name == "quot") out += '"';
    else if (name == "apos") out += '\'';
    else if (name.size() >= 2 && name[0] == '#') {
      const bool hex = name[1] == 'x';
      const size_t digitsAt = hex ? 2 : 1;
      if (name.size() == digitsAt) return Fail(start, "empty character reference");
      unsigned long cp = 0;
      for (size_t i = digitsAt; i < name.size(); ++i) {
        const char c = name[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return Fail(start, "bad character reference &" + name + ";");
        cp = cp * (hex ? 16 : 10) + digit;
        if (cp > 0x10FFFF) return Fail(start, "character reference out of range");
      }
      if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return Fail(start, "character reference out of range");
      AppendUtf8(out, cp);
    } else {
      return Fail(start, "unknown entity &" + name + ";");
    }
    return true;
  }

  // Text content or an attribute value up to `stop` (not consumed), with
  // entities decoded. '<' inside an attribute value is an error.
  bool ParseCharacters(char stop, std::string& out) {
    while (p_ < end_ && *p_ != stop) {
      if (*p_ == '&') {
        if (!ParseEntity(out)) return false;
      } else if (*p_ == '<') {
        return Fail(p_, "'<' inside an attribute value");
      } else {
        out += *p_++;
      }
    }
    return true;
  }

  int AddElement(int parent, std::string name) {
    CMarkup::Element e;
    e.name = std::move(name);
    e.parent = parent;
    e.firstAttribute = static_cast<int>(doc_.attributes_.size());
    const int index = static_cast<int>(doc_.elements_.size());
    doc_.elements_.push_back(std::move(e));
    if (parent >= 0) {
      CMarkup::Element& pe = doc_.elements_[parent];
      if (pe.lastChild >= 0) doc_.elements_[pe.lastChild].nextSibling = index;
      else pe.firstChild = index;
      pe.lastChild = index;
    }
    return index;
  }

  // At '<' of a start tag. Sets `open` when the element has content to follow.
  bool ParseStartTag(int parent, int& index, bool& open) {
    const char* tagStart = p_;
    ++p_;
    std::string name;
    if (!ParseName(name)) return false;
    index = AddElement(parent, std::move(name));
    starts_.push_back(tagStart);
    for (;;) {
      const char* beforeBlanks = p_;
      SkipBlanks();
      if (p_ >= end_) return Fail(tagStart, "unterminated start tag");
      if (*p_ == '>') {
        ++p_;
        open = true;
        return true;
      }
      if (HasPrefix(p_, end_, "/>")) {
        p_ += 2;
        open = false;
        return true;
      }
      if (p_ == beforeBlanks) return Fail(p_, "white space expected before an attribute");
      std::string attrName;
      if (!ParseName(attrName)) return false;
      SkipBlanks();
      if (p_ >= end_ || *p_ != '=') return Fail(p_, "'=' expected after attribute " + attrName);
      ++p_;
      SkipBlanks();
      if (p_ >= end_ || (*p_ != '"' && *p_ != '\'')) return Fail(p_, "quoted value expected for attribute " + attrName);
      const char quote = *p_++;
      const char* valueStart = p_;
      std::string value;
      if (!ParseCharacters(quote, value)) return false;
      if (p_ >= end_) return Fail(valueStart - 1, "unterminated value of attribute " + attrName);
      ++p_;
      CMarkup::Element& e = doc_.elements_[index];
      for (int i = e.firstAttribute; i < e.firstAttribute + e.attributeCount; ++i) {
        if (doc_.attributes_[i].first == attrName) return Fail(valueStart, "duplicate attribute " + attrName);
      }
      doc_.attributes_.emplace_back(std::move(attrName), std::move(value));
      ++e.attributeCount;
    }
  }

  bool ParseRootElement() {
    std::vector<int> open;
    int index = -1;
    bool hasContent = false;
    if (!ParseStartTag(-1, index, hasContent)) return false;
    if (hasContent) open.push_back(index);
    while (!open.empty()) {
      const int current = open.back();
      if (p_ >= end_) {
        return Fail(starts_[current], "element <" + doc_.elements_[current].name + "> is not closed");
      }
      if (HasPrefix(p_, end_, "</")) {
        const char* tagStart = p_;
        p_ += 2;
        std::string name;
        if (!ParseName(name)) return false;
        SkipBlanks();
        if (p_ >= end_ || *p_ != '>') return Fail(p_, "'>' expected to end </" + name + ">");
        ++p_;
        if (name != doc_.elements_[current].name) {
          return Fail(tagStart, "end tag </" + name + "> does not match <" + doc_.elements_[current].name + ">");
        }
        open.pop_back();
      } else if (HasPrefix(p_, end_, "<!--")) {
        if (!SkipPast("-->", "comment")) return false;
      } else if (HasPrefix(p_, end_, "<![CDATA[")) {
        p_ += 9;
        const char* start = p_;
        if (!SkipPast("]]>", "CDATA section")) return false;
        doc_.elements_[current].value.append(start, p_ - 3);
      } else if (HasPrefix(p_, end_, "<?")) {
        if (!SkipPast("?>", "processing instruction")) return false;
      } else if (HasPrefix(p_, end_, "<!")) {
        return Fail(p_, "unexpected markup declaration");
      } else if (*p_ == '<') {
        if (static_cast<int>(open.size()) >= CMarkup::kMaxDepth) return Fail(p_, "elements are nested too deeply");
        if (!ParseStartTag(current, index, hasContent)) return false;
        if (hasContent) open.push_back(index);
      } else {
        std::string text;
        if (!ParseText(text)) return false;
        doc_.elements_[current].value += TrimBlanks(text);
      }
    }
    return true;
  }

  bool ParseText(std::string& out) {
    while (p_ < end_ && *p_ != '<') {
      if (*p_ == '&') {
        if (!ParseEntity(out)) return false;
      } else {
        out += *p_++;
      }
    }
    return true;
  }

  void Convert() {
    for (CMarkup::Element& e : doc_.elements_) {
      e.name = Utf8ToAnsi(e.name);
      e.value = Utf8ToAnsi(e.value);
    }
    for (auto& a : doc_.attributes_) {
      a.first = Utf8ToAnsi(a.first);
      a.second = Utf8ToAnsi(a.second);
    }
  }

  CMarkup& doc_;
  const char* begin_;
  const char* p_;
  const char* end_;
  std::vector<const char*> starts_;  // where each element's start tag begins
};

CMarkup::CMarkup(const char* text) {
  if (text) Load(text);
}

bool CMarkup::Load(const char* text) {
  if (!text) {
    Release();
    errorMessage_ = "no text";
    return false;
  }
  return Parse(text, std::strlen(text));
}

bool CMarkup::LoadFromMem(const uint8_t* data, size_t size) {
  if (!data) {
    Release();
    errorMessage_ = "no text";
    return false;
  }
  const bool utf16le = size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
  const bool utf16be = size >= 2 && data[0] == 0xFE && data[1] == 0xFF;
  if (!utf16le && !utf16be) return Parse(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = Utf8FromUtf16(data + 2, size - 2, utf16le);
  return Parse(utf8.data(), utf8.size());
}

void CMarkup::Release() {
  elements_.clear();
  attributes_.clear();
  errorMessage_.clear();
  errorLocation_.clear();
}

bool CMarkup::Parse(const char* utf8, size_t size) {
  Release();
  MarkupParser parser(*this, utf8, size);
  if (parser.Run()) return true;
  // No half tree: a failed load leaves nothing but the error.
  elements_.clear();
  attributes_.clear();
  return false;
}

void CMarkup::GetLastErrorMessage(char* msg, size_t max) const { CopyCut(errorMessage_, msg, max); }

void CMarkup::GetLastErrorLocation(char* source, size_t max) const { CopyCut(errorLocation_, source, max); }

CMarkupNode CMarkup::GetRoot() const { return IsValid() ? CMarkupNode(this, 0) : CMarkupNode(); }

bool CMarkupNode::IsValid() const {
  return owner_ && index_ >= 0 && index_ < static_cast<int>(owner_->elements_.size());
}

CMarkupNode CMarkupNode::GetParent() const {
  if (!IsValid() || owner_->elements_[index_].parent < 0) return CMarkupNode();
  return CMarkupNode(owner_, owner_->elements_[index_].parent);
}

CMarkupNode CMarkupNode::GetSibling() const {
  if (!HasSiblings()) return CMarkupNode();
  return CMarkupNode(owner_, owner_->elements_[index_].nextSibling);
}

CMarkupNode CMarkupNode::GetChild() const {
  if (!HasChildren()) return CMarkupNode();
  return CMarkupNode(owner_, owner_->elements_[index_].firstChild);
}

CMarkupNode CMarkupNode::GetChild(const char* name) const {
  if (!name) return CMarkupNode();
  for (CMarkupNode child = GetChild(); child.IsValid(); child = child.GetSibling()) {
    if (std::strcmp(child.GetName(), name) == 0) return child;
  }
  return CMarkupNode();
}

bool CMarkupNode::HasSiblings() const { return IsValid() && owner_->elements_[index_].nextSibling >= 0; }

bool CMarkupNode::HasChildren() const { return IsValid() && owner_->elements_[index_].firstChild >= 0; }

const char* CMarkupNode::GetName() const { return IsValid() ? owner_->elements_[index_].name.c_str() : ""; }

const char* CMarkupNode::GetValue() const { return IsValid() ? owner_->elements_[index_].value.c_str() : ""; }

bool CMarkupNode::HasAttributes() const { return GetAttributeCount() > 0; }

bool CMarkupNode::HasAttribute(const char* name) const {
  if (!name) return false;
  for (int i = 0; i < GetAttributeCount(); ++i) {
    if (std::strcmp(GetAttributeName(i), name) == 0) return true;
  }
  return false;
}

int CMarkupNode::GetAttributeCount() const { return IsValid() ? owner_->elements_[index_].attributeCount : 0; }

const char* CMarkupNode::GetAttributeName(int index) const {
  if (index < 0 || index >= GetAttributeCount()) return "";
  return owner_->attributes_[owner_->elements_[index_].firstAttribute + index].first.c_str();
}

const char* CMarkupNode::GetAttributeValue(int index) const {
  if (index < 0 || index >= GetAttributeCount()) return "";
  return owner_->attributes_[owner_->elements_[index_].firstAttribute + index].second.c_str();
}

const char* CMarkupNode::GetAttributeValue(const char* name) const {
  if (!name) return "";
  for (int i = 0; i < GetAttributeCount(); ++i) {
    if (std::strcmp(GetAttributeName(i), name) == 0) return GetAttributeValue(i);
  }
  return "";
}

bool CMarkupNode::GetAttributeValue(const char* name, char* value, size_t max) const {
  if (!value || max == 0 || !HasAttribute(name)) return false;
  CopyCut(GetAttributeValue(name), value, max);
  return true;
}

}  // namespace DuiLib
