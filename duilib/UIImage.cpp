#include "duilib/UIImage.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "common/com_ptr.h"
#include "duilib/UIImageDescriptor.h"
#include "duilib/UIImageScale.h"
#include "duilib/UIRender.h"
#include "duilib/UIResource.h"

namespace DuiLib {
namespace {

// Larger images are refused rather than allocated (a skin needs far less).
constexpr UINT kMaxSide = 16384;
constexpr UINT64 kMaxPixels = 64u << 20;

// COM for the duration of one decode, unless the thread already has it.
class ComScope {
 public:
  ComScope() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_FALSE: already initialised the same way, still needs a balancing
    // call. RPC_E_CHANGED_MODE: a multithreaded apartment, usable as it is.
    initialised_ = SUCCEEDED(hr);
  }
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

TImageInfo* CreateImage(int width, int height) {
  BYTE* bits = nullptr;
  HBITMAP bitmap = CRenderEngine::CreateARGB32Bitmap(width, height, &bits);
  if (!bitmap) return nullptr;
  TImageInfo* image = new TImageInfo;
  image->hBitmap = bitmap;
  image->pBits = bits;
  image->nX = width;
  image->nY = height;
  return image;
}

// PNG, what skins are made of, goes to its decoder directly: asking the
// factory to find one first reads the registration of every codec, which
// costs the first image of a process tens of milliseconds. The factory's
// search stays for other formats and for a system without that decoder.
HRESULT CreateDecoder(IWICImagingFactory* factory, IWICStream* stream, const BYTE* data, size_t size,
                      IWICBitmapDecoder** decoder) {
  static const BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= sizeof kPngSignature && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0) {
    tamvelo::ComPtr<IWICBitmapDecoder> png;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICPngDecoder, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(png.Put()))) &&
        SUCCEEDED(png->Initialize(stream, WICDecodeMetadataCacheOnDemand))) {
      *decoder = png.Detach();
      return S_OK;
    }
  }
  return factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, decoder);
}

TImageInfo* Decode(IWICImagingFactory* factory, const BYTE* data, size_t size) {
  tamvelo::ComPtr<IWICStream> stream;
  tamvelo::ComPtr<IWICBitmapDecoder> decoder;
  tamvelo::ComPtr<IWICBitmapFrameDecode> frame;
  tamvelo::ComPtr<IWICFormatConverter> converter;
  TImageInfo* image = nullptr;
  UINT width = 0, height = 0;
  // The stream only reads the bytes; the interface wants a non-const pointer.
  if (SUCCEEDED(factory->CreateStream(stream.Put())) &&
      SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) &&
      SUCCEEDED(CreateDecoder(factory, stream.Get(), data, size, decoder.Put())) &&
      SUCCEEDED(decoder->GetFrame(0, frame.Put())) && SUCCEEDED(factory->CreateFormatConverter(converter.Put())) &&
      SUCCEEDED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                      WICBitmapPaletteTypeCustom)) &&
      SUCCEEDED(converter->GetSize(&width, &height)) && width > 0 && height > 0 && width <= kMaxSide &&
      height <= kMaxSide && static_cast<UINT64>(width) * height <= kMaxPixels) {
    image = CreateImage(static_cast<int>(width), static_cast<int>(height));
    const UINT stride = width * 4;
    if (image && FAILED(converter->CopyPixels(nullptr, stride, stride * height, image->pBits))) {
      FreeImage(image);
      image = nullptr;
    }
  }
  if (image) {
    GdiFlush();
    const DWORD* px = reinterpret_cast<const DWORD*>(image->pBits);
    for (size_t i = 0, n = static_cast<size_t>(image->nX) * image->nY; i < n && !image->bAlpha; ++i) {
      image->bAlpha = (px[i] >> 24) != 0xFF;
    }
  }
  return image;
}

// Opaque pixels of the mask colour become fully transparent.
void ApplyMask(TImageInfo* image, DWORD mask) {
  const DWORD rgb = mask & 0x00FFFFFF;
  DWORD* px = reinterpret_cast<DWORD*>(image->pBits);
  for (size_t i = 0, n = static_cast<size_t>(image->nX) * image->nY; i < n; ++i) {
    if ((px[i] >> 24) == 0xFF && (px[i] & 0x00FFFFFF) == rgb) {
      px[i] = 0;
      image->bAlpha = true;
    }
  }
}

struct ScaledEntry {
  TImageInfo* resized;  // owned; nullptr when the file's scale is the window's
  TScaledImage chosen;
};

struct ImageCacheState {
  std::map<std::string, TImageInfo*> images;  // nullptr: known to be missing
  std::map<std::string, ScaledEntry> scaled;
  unsigned generation = 0;
  ~ImageCacheState() { Clear(); }
  void Clear() {
    for (auto& entry : images) FreeImage(entry.second);
    for (auto& entry : scaled) FreeImage(entry.second.resized);
    images.clear();
    scaled.clear();
  }
};

std::string CacheKey(const char* name, DWORD mask, const char* suffix) {
  std::string key = name;
  if (mask) {
    char text[16];
    wsprintfA(text, "|%08lX", mask);
    key += text;
  }
  return key + suffix;
}

TImageInfo* Resized(const TImageInfo& image, int width, int height) {
  TImageInfo* resized = CreateImage(width, height);
  if (!resized) return nullptr;
  GdiFlush();
  ResamplePixels(reinterpret_cast<const uint32_t*>(image.pBits), image.nX, image.nY,
                 reinterpret_cast<uint32_t*>(resized->pBits), width, height);
  resized->bAlpha = image.bAlpha;
  return resized;
}

ImageCacheState& Cache() {
  static ImageCacheState cache;
  return cache;
}

}  // namespace

TImageInfo* LoadImageFromMemory(const BYTE* data, size_t size) {
  if (!data || size == 0 || size > 0xFFFFFFFFu) return nullptr;
  ComScope com;
  tamvelo::ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Put())))) {
    factory.Detach();  // a failed creation owes no reference
    return nullptr;
  }
  return Decode(factory.Get(), data, size);
}

void FreeImage(TImageInfo* image) {
  if (!image) return;
  if (image->hBitmap) DeleteObject(image->hBitmap);
  delete image;
}

const TImageInfo* CImageCache::Get(const char* name, DWORD mask) {
  if (!name || !*name) return nullptr;
  ImageCacheState& cache = Cache();
  if (cache.generation != CResourceStore::GetGeneration()) {
    cache.Clear();
    cache.generation = CResourceStore::GetGeneration();
  }
  const std::string key = CacheKey(name, mask, "");
  const auto found = cache.images.find(key);
  if (found != cache.images.end()) return found->second;
  const char* mapped = CResourceManager::GetInstance()->GetImagePath(name);
  std::vector<BYTE> bytes;
  TImageInfo* image = nullptr;
  if (CResourceStore::LoadBytes(mapped ? mapped : name, bytes)) image = LoadImageFromMemory(bytes.data(), bytes.size());
  if (image && mask) ApplyMask(image, mask);
  cache.images[key] = image;
  return image;
}

TScaledImage CImageCache::GetScaled(const char* name, DWORD mask, UINT dpi) {
  if (!name || !*name) return TScaledImage();
  const int percent = ::MulDiv(static_cast<int>(dpi ? dpi : 96), 100, 96);
  if (percent == 100) return TScaledImage{Get(name, mask), 100};
  char suffix[16];
  wsprintfA(suffix, "@%u", dpi);
  const std::string key = CacheKey(name, mask, suffix);
  ImageCacheState& cache = Cache();
  Get(name, mask);  // empties the cache first if the skin's source changed
  const auto found = cache.scaled.find(key);
  if (found != cache.scaled.end()) return found->second.chosen;
  // A name of the map stands for its file, whose scaled files are beside it.
  const char* mapped = CResourceManager::GetInstance()->GetImagePath(name);
  ScaledEntry entry = {nullptr, TScaledImage()};
  for (const ImageCandidate& candidate : ImageCandidates(mapped ? mapped : name, percent)) {
    const TImageInfo* image = Get(candidate.file.c_str(), mask);
    if (!image) continue;
    entry.chosen = TScaledImage{image, candidate.percent};
    if (candidate.percent != percent) {
      // Logical size times the window's scale.
      const int denominator = 96 * candidate.percent;
      const int width = std::max(1, ::MulDiv(image->nX, static_cast<int>(dpi) * 100, denominator));
      const int height = std::max(1, ::MulDiv(image->nY, static_cast<int>(dpi) * 100, denominator));
      entry.resized = Resized(*image, width, height);
      if (entry.resized) entry.chosen.image = entry.resized;
    }
    break;
  }
  cache.scaled[key] = entry;
  return entry.chosen;
}

void CImageCache::Flush() { Cache().Clear(); }

void TDrawInfo::Clear() { *this = TDrawInfo(); }

bool TDrawInfo::Parse(const char* attr) {
  Clear();
  ImageDescriptor d;
  if (!ParseImageDescriptor(attr, d)) return false;
  auto rect = [](const RectValue& r) { return RECT{r.left, r.top, r.right, r.bottom}; };
  sImageName = d.file.c_str();
  rcDest = rect(d.dest);
  rcSource = rect(d.source);
  rcCorner = rect(d.corner);
  uFade = d.fade;
  bHole = d.hole;
  bTiledX = d.xtiled;
  bTiledY = d.ytiled;
  dwMask = d.mask;
  return true;
}

void CalcNineSlice(const RECT& dest, const RECT& source, const RECT& corner, bool hole, std::vector<TSlice>& parts) {
  parts.clear();
  // Two opposite corners that do not fit into `room` shrink in proportion.
  auto fit = [](LONG room, LONG& a, LONG& b) {
    if (a < 0) a = 0;
    if (b < 0) b = 0;
    if (room <= 0) {
      a = b = 0;
    } else if (a + b > room) {
      a = static_cast<LONG>(static_cast<LONGLONG>(room) * a / (a + b));
      b = room - a;
    }
  };
  LONG sl = corner.left, sr = corner.right, st = corner.top, sb = corner.bottom;
  fit(source.right - source.left, sl, sr);
  fit(source.bottom - source.top, st, sb);
  LONG dl = sl, dr = sr, dt = st, db = sb;
  fit(dest.right - dest.left, dl, dr);
  fit(dest.bottom - dest.top, dt, db);
  const LONG sx[4] = {source.left, source.left + sl, source.right - sr, source.right};
  const LONG sy[4] = {source.top, source.top + st, source.bottom - sb, source.bottom};
  const LONG dx[4] = {dest.left, dest.left + dl, dest.right - dr, dest.right};
  const LONG dy[4] = {dest.top, dest.top + dt, dest.bottom - db, dest.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (hole && row == 1 && col == 1) continue;
      const RECT d = {dx[col], dy[row], dx[col + 1], dy[row + 1]};
      const RECT s = {sx[col], sy[row], sx[col + 1], sy[row + 1]};
      if (d.right <= d.left || d.bottom <= d.top || s.right <= s.left || s.bottom <= s.top) continue;
      parts.push_back({d, s, col == 1, row == 1});
    }
  }
}

}  // namespace DuiLib
