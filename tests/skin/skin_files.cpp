#include "tests/skin/skin_files.h"

#include <windows.h>
#include <msxml2.h>
#include <wincodec.h>

#include <cstdio>
#include <functional>
#include <optional>

#include "common/text_codec.h"

namespace tamvelo::test {
namespace {

// The parser and the imaging component are COM objects; each helper keeps
// its own balanced apartment.
struct Apartment {
  Apartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~Apartment() { CoUninitialize(); }
};

template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
  explicit operator bool() const { return p != nullptr; }
};

struct Bstr {
  BSTR s = nullptr;
  ~Bstr() { SysFreeString(s); }
};

std::string WideToUtf8(const wchar_t* text) { return text ? NarrowFromWide(text, CP_UTF8) : std::string(); }

std::unique_ptr<LayoutNode> Convert(IXMLDOMNode* node, const LayoutNode* parent) {
  auto out = std::make_unique<LayoutNode>();
  out->parent = parent;
  Bstr name;
  node->get_nodeName(&name.s);
  out->tag = WideToUtf8(name.s);

  Com<IXMLDOMNamedNodeMap> attributes;
  if (SUCCEEDED(node->get_attributes(&attributes)) && attributes) {
    long count = 0;
    attributes->get_length(&count);
    for (long i = 0; i < count; ++i) {
      Com<IXMLDOMNode> attribute;
      if (FAILED(attributes->get_item(i, &attribute)) || !attribute) continue;
      Bstr key;
      attribute->get_nodeName(&key.s);
      VARIANT value;
      VariantInit(&value);
      attribute->get_nodeValue(&value);
      out->attributes[WideToUtf8(key.s)] = value.vt == VT_BSTR ? WideToUtf8(value.bstrVal) : "";
      VariantClear(&value);
    }
  }

  Com<IXMLDOMNodeList> children;
  if (SUCCEEDED(node->get_childNodes(&children)) && children) {
    long count = 0;
    children->get_length(&count);
    for (long i = 0; i < count; ++i) {
      Com<IXMLDOMNode> child;
      if (FAILED(children->get_item(i, &child)) || !child) continue;
      DOMNodeType type = NODE_INVALID;
      child->get_nodeType(&type);
      if (type == NODE_ELEMENT) out->children.push_back(Convert(child.p, out.get()));
    }
  }
  return out;
}

}  // namespace

std::string LayoutNode::Get(const std::string& key, const std::string& fallback) const {
  auto found = attributes.find(key);
  return found == attributes.end() ? fallback : found->second;
}

std::vector<const LayoutNode*> Layout::All() const {
  std::vector<const LayoutNode*> out;
  std::function<void(const LayoutNode*)> walk = [&](const LayoutNode* node) {
    out.push_back(node);
    for (const auto& child : node->children) walk(child.get());
  };
  if (root) walk(root.get());
  return out;
}

std::vector<const LayoutNode*> Layout::Named(const std::string& name) const {
  std::vector<const LayoutNode*> out;
  for (const LayoutNode* node : All()) {
    if (node->Get("name") == name) out.push_back(node);
  }
  return out;
}

const LayoutNode* Layout::First(const std::string& name) const {
  auto named = Named(name);
  return named.empty() ? nullptr : named.front();
}

std::string PackagePath(const std::string& relative) {
  std::string path = std::string("Z:") + TAMVELO_SKIN_DIR + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

Layout LoadLayout(const std::string& fileName) {
  Apartment apartment;
  Layout layout;
  CLSID clsid;
  Com<IXMLDOMDocument> document;
  if (FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                              reinterpret_cast<void**>(&document)))) {
    layout.error = "no XML parser";
    return layout;
  }
  document->put_async(VARIANT_FALSE);
  document->put_validateOnParse(VARIANT_FALSE);
  std::wstring path = WideFromNarrow(PackagePath("xml/" + fileName));
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_BSTR;
  source.bstrVal = SysAllocString(path.c_str());
  VARIANT_BOOL loaded = VARIANT_FALSE;
  document->load(source, &loaded);
  VariantClear(&source);
  if (loaded != VARIANT_TRUE) {
    Com<IXMLDOMParseError> error;
    Bstr reason;
    long line = 0;
    if (SUCCEEDED(document->get_parseError(&error)) && error) {
      error->get_reason(&reason.s);
      error->get_line(&line);
    }
    layout.error = fileName + " line " + std::to_string(line) + ": " + WideToUtf8(reason.s);
    return layout;
  }
  Com<IXMLDOMElement> root;
  if (FAILED(document->get_documentElement(&root)) || !root) {
    layout.error = "no root element";
    return layout;
  }
  layout.root = Convert(root.p, nullptr);
  return layout;
}

ImageInfo ReadImage(const std::string& windowsPath) {
  Apartment apartment;
  ImageInfo info;
  Com<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory)))) {
    return info;
  }
  std::wstring path = WideFromNarrow(windowsPath);
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&info.width, &info.height))) {
    return info;
  }
  // Decoding the pixels, not only the header, proves the file is whole.
  std::vector<BYTE> pixels(static_cast<size_t>(info.width) * info.height * 4);
  Com<IWICFormatConverter> converter;
  info.decoded = SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
                 SUCCEEDED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                                 nullptr, 0.0, WICBitmapPaletteTypeCustom)) &&
                 SUCCEEDED(converter->CopyPixels(nullptr, info.width * 4, static_cast<UINT>(pixels.size()),
                                                 pixels.data()));
  return info;
}

ImageRef ParseImageRef(const std::string& value) {
  ImageRef ref;
  auto quoted = [&](const char* key) -> std::string {
    std::string needle = std::string(key);
    size_t at = value.find(needle);
    while (at != std::string::npos) {
      size_t eq = value.find_first_not_of(' ', at + needle.size());
      if (eq != std::string::npos && value[eq] == '=') {
        size_t open = value.find('\'', eq);
        size_t close = open == std::string::npos ? open : value.find('\'', open + 1);
        if (close != std::string::npos) return value.substr(open + 1, close - open - 1);
      }
      at = value.find(needle, at + 1);
    }
    return {};
  };
  auto four = [](const std::string& text, int* out) {
    return std::sscanf(text.c_str(), "%d,%d,%d,%d", &out[0], &out[1], &out[2], &out[3]) == 4;
  };
  if (value.find('\'') == std::string::npos) {
    ref.file = value;
    return ref;
  }
  ref.file = quoted("file");
  ref.hasSource = four(quoted("source"), ref.source);
  four(quoted("corner"), ref.corner);
  return ref;
}

bool FitsCodePage936(const std::string& utf8) {
  const std::wstring wide = WideFromNarrow(utf8, CP_UTF8);
  if (wide.empty()) return utf8.empty();
  const std::optional<std::string> narrow = ExactNarrowFromWide(wide, 936);
  return narrow && WideFromNarrow(*narrow, 936) == wide;
}

}  // namespace tamvelo::test
