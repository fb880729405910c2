#include "duilib/UIImageScale.h"

#include <algorithm>
#include <cmath>

namespace DuiLib {
namespace {

// The scales skins are drawn at, above 100 %.
constexpr int kSkinPercents[] = {125, 150, 175, 200, 250, 300};

// One axis of the filter: for each target pixel, the source pixels it
// takes and their weights.
struct Taps {
  std::vector<int> first;
  std::vector<int> count;
  std::vector<float> weights;  // count[i] weights from offset[i]
  std::vector<size_t> offset;
};

Taps FilterTaps(int srcLength, int dstLength) {
  Taps taps;
  const double ratio = static_cast<double>(srcLength) / dstLength;
  const double support = std::max(1.0, ratio);
  for (int i = 0; i < dstLength; ++i) {
    const double centre = (i + 0.5) * ratio;
    const int lo = std::max(0, static_cast<int>(std::floor(centre - support)));
    const int hi = std::min(srcLength, static_cast<int>(std::ceil(centre + support)));
    taps.first.push_back(lo);
    taps.offset.push_back(taps.weights.size());
    double total = 0;
    for (int j = lo; j < hi; ++j) total += std::max(0.0, 1.0 - std::fabs((j + 0.5 - centre) / support));
    int n = 0;
    for (int j = lo; j < hi; ++j, ++n) {
      const double w = std::max(0.0, 1.0 - std::fabs((j + 0.5 - centre) / support));
      taps.weights.push_back(static_cast<float>(total > 0 ? w / total : (j == lo ? 1.0 : 0.0)));
    }
    taps.count.push_back(n);
  }
  return taps;
}

uint32_t Channel(float value) {
  return static_cast<uint32_t>(std::min(255.0f, std::max(0.0f, value + 0.5f)));
}

}  // namespace

std::string ScaledImageName(const std::string& file, int percent) {
  const size_t slash = file.find_last_of("/\\");
  size_t dot = file.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = file.size();
  return file.substr(0, dot) + "@" + std::to_string(percent) + file.substr(dot);
}

std::vector<ImageCandidate> ImageCandidates(const std::string& file, int percent) {
  std::vector<ImageCandidate> candidates;
  if (percent > 100) {
    candidates.push_back({ScaledImageName(file, percent), percent});
    for (int larger : kSkinPercents) {
      if (larger > percent) candidates.push_back({ScaledImageName(file, larger), larger});
    }
  }
  candidates.push_back({file, 100});
  return candidates;
}

void ResamplePixels(const uint32_t* src, int srcWidth, int srcHeight, uint32_t* dst, int dstWidth,
                    int dstHeight) {
  const Taps across = FilterTaps(srcWidth, dstWidth);
  const Taps down = FilterTaps(srcHeight, dstHeight);
  // Rows first into four float planes, then columns.
  std::vector<float> rows(static_cast<size_t>(dstWidth) * srcHeight * 4);
  for (int y = 0; y < srcHeight; ++y) {
    const uint32_t* line = src + static_cast<size_t>(y) * srcWidth;
    for (int x = 0; x < dstWidth; ++x) {
      float sum[4] = {0, 0, 0, 0};
      const float* w = &across.weights[across.offset[x]];
      for (int k = 0; k < across.count[x]; ++k) {
        const uint32_t px = line[across.first[x] + k];
        for (int c = 0; c < 4; ++c) sum[c] += w[k] * ((px >> (c * 8)) & 0xFF);
      }
      std::copy(sum, sum + 4, &rows[(static_cast<size_t>(y) * dstWidth + x) * 4]);
    }
  }
  for (int y = 0; y < dstHeight; ++y) {
    const float* w = &down.weights[down.offset[y]];
    for (int x = 0; x < dstWidth; ++x) {
      float sum[4] = {0, 0, 0, 0};
      for (int k = 0; k < down.count[y]; ++k) {
        const float* px = &rows[(static_cast<size_t>(down.first[y] + k) * dstWidth + x) * 4];
        for (int c = 0; c < 4; ++c) sum[c] += w[k] * px[c];
      }
      // Premultiplied: no colour may exceed its alpha.
      const uint32_t a = Channel(sum[3]);
      uint32_t out = a << 24;
      for (int c = 0; c < 3; ++c) out |= std::min(a, Channel(sum[c])) << (c * 8);
      dst[static_cast<size_t>(y) * dstWidth + x] = out;
    }
  }
}

}  // namespace DuiLib
