// Images per display scale, without the platform's types. Beside the plain
// image a skin may have the same picture drawn for a scale, named with the
// percent before the extension: "skin/Default/x.png" has "x@150.png" and
// "x@200.png". Each file's pixels cover the same logical size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace DuiLib {

struct ImageCandidate {
  std::string file;
  int percent;  // the scale the file is drawn for
};

// The name of the file drawn for percent ("a/b.png", 150: "a/b@150.png").
std::string ScaledImageName(const std::string& file, int percent);

// The files to try for a window at percent, best first: the exact scale,
// then the larger scales a skin is drawn at, nearest first (scaled down
// when drawn), then the plain image (scaled up). At 100 % or less only the
// plain one.
std::vector<ImageCandidate> ImageCandidates(const std::string& file, int percent);

// Resizes premultiplied 0xAARRGGBB pixels with a triangle filter that
// widens with the reduction: smooth when enlarging, averaging when
// reducing. Both sizes must be positive.
void ResamplePixels(const uint32_t* src, int srcWidth, int srcHeight, uint32_t* dst, int dstWidth,
                    int dstHeight);

}  // namespace DuiLib
