// Reading the skin package the way a Windows program sees it: layouts
// through the platform's XML parser (strict about well-formedness), images
// through the platform's imaging component.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tamvelo::test {

struct LayoutNode {
  std::string tag;
  std::map<std::string, std::string> attributes;  // values in UTF-8
  std::vector<std::unique_ptr<LayoutNode>> children;
  const LayoutNode* parent = nullptr;

  std::string Get(const std::string& key, const std::string& fallback = "") const;
  bool Has(const std::string& key) const { return attributes.count(key) != 0; }
};

struct Layout {
  std::unique_ptr<LayoutNode> root;  // the Window element
  std::string error;                 // parser's reason when root is empty
  // Every element in document order.
  std::vector<const LayoutNode*> All() const;
  std::vector<const LayoutNode*> Named(const std::string& name) const;
  const LayoutNode* First(const std::string& name) const;
};

// A file of the package, e.g. "xml/main.xml" or "skin/Default/x.png", as a
// Windows path.
std::string PackagePath(const std::string& relative);

Layout LoadLayout(const std::string& fileName);  // name under "xml/"

struct ImageInfo {
  bool decoded = false;
  unsigned width = 0;
  unsigned height = 0;
};
ImageInfo ReadImage(const std::string& windowsPath);

// The image references of one attribute value in the toolkit's syntax:
// either a bare relative path or "file='...' source='...' corner='...'".
struct ImageRef {
  std::string file;
  bool hasSource = false;
  int source[4] = {0, 0, 0, 0};
  int corner[4] = {0, 0, 0, 0};
};
ImageRef ParseImageRef(const std::string& value);

// True when UTF-8 text converts to code page 936 and back unchanged.
bool FitsCodePage936(const std::string& utf8);

}  // namespace tamvelo::test
