// Decoded images and the toolkit's image attribute syntax.
#pragma once

#include <windows.h>

#include <vector>

#include "duilib/UIString.h"

namespace DuiLib {

// A 32-bit top-down DIB section with premultiplied alpha (what AlphaBlend
// wants). pBits points at nX * nY pixels, 0xAARRGGBB each. bAlpha says
// whether any pixel is not fully opaque.
struct TImageInfo {
  HBITMAP hBitmap = nullptr;
  BYTE* pBits = nullptr;
  int nX = 0;
  int nY = 0;
  bool bAlpha = false;
};

// PNG, BMP, JPEG, GIF (first frame) through the platform's imaging
// component. Works whether or not the calling thread has initialised COM.
// nullptr for data that is not a decodable image or is absurdly large.
TImageInfo* LoadImageFromMemory(const BYTE* data, size_t size);
void FreeImage(TImageInfo* image);

// Loaded images by name, for the life of the process or until Flush.
// Names go through CResourceManager::GetImagePath when mapped and are then
// read with CResourceStore::LoadBytes. A name that cannot be loaded is
// remembered as missing. Changing the resource path, archive or name map
// empties the cache. Pointers stay valid until the cache is emptied.
// An image for a window's DPI and the scale of the file it was made from.
struct TScaledImage {
  const TImageInfo* image = nullptr;  // nullptr: no file of the name
  int filePercent = 0;                // 100 for the plain file
};

class CImageCache {
 public:
  // `mask`: 0xFFRRGGBB colour whose pixels become transparent (the
  // attribute's mask='#FFRRGGBB'); 0 for none.
  static const TImageInfo* Get(const char* name, DWORD mask = 0);
  // The image for a window at dpi, its pixels the image's logical size
  // times dpi / 96: the best file of ImageCandidates (UIImageScale.h),
  // resized once when its scale is not the window's.
  static TScaledImage GetScaled(const char* name, DWORD mask, UINT dpi);
  static void Flush();
};

// One image attribute (syntax: UIImageDescriptor.h) in the platform's types.
struct TDrawInfo {
  CDuiString sImageName;
  RECT rcDest{};
  RECT rcSource{};
  RECT rcCorner{};
  BYTE uFade = 255;
  bool bHole = false;
  bool bTiledX = false;
  bool bTiledY = false;
  DWORD dwMask = 0;

  // False (and every field back at its default) for malformed text.
  bool Parse(const char* attr);
  void Clear();
};

// One piece of a nine-slice drawing. bMiddleX/bMiddleY: the piece is in the
// middle column/row, the part that stretches (or tiles) along that axis.
struct TSlice {
  RECT rcDest;
  RECT rcSource;
  bool bMiddleX;
  bool bMiddleY;
};

// Splits a nine-slice drawing into destination/source rect pairs. Corners
// keep their size, edges stretch along one axis, the centre along both (or
// is left out with `hole`). When the destination is smaller than two
// opposite corners, those corners shrink in proportion. Empty pieces are
// left out; an all-zero corner gives the single pair (dest, source).
void CalcNineSlice(const RECT& dest, const RECT& source, const RECT& corner, bool hole,
                   std::vector<TSlice>& parts);

}  // namespace DuiLib
