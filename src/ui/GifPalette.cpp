#include "ui/GifPalette.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quill {

namespace {

using ColourCounts = std::unordered_map<uint32_t, int64_t>;
using ColourIndex = std::unordered_map<uint32_t, uint8_t>;

// Pattern frames are long runs of one colour, so a one-entry cache in front of
// the map keeps the per-pixel cost low.
template <typename Visit>
void forEachRun(const uint32_t* pixels, int width, int height, int stride, Visit visit) {
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<int64_t>(y) * stride;
    int x = 0;
    while (x < width) {
      const int start = x;
      while (x < width && row[x] == row[start]) ++x;
      visit(y, start, x - start, row[start] | 0xff000000u);
    }
  }
}

int64_t distance(uint32_t a, uint32_t b) {
  int64_t sum = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int64_t d = static_cast<int64_t>((a >> shift) & 0xff) - static_cast<int64_t>((b >> shift) & 0xff);
    sum += d * d;
  }
  return sum;
}

std::vector<uint32_t> chooseColours(const ColourCounts& counts) {
  std::vector<std::pair<int64_t, uint32_t>> byCount;
  byCount.reserve(counts.size());
  for (const auto& [colour, count] : counts) byCount.emplace_back(-count, colour);
  const size_t kept = std::min<size_t>(byCount.size(), 256);
  std::partial_sort(byCount.begin(), byCount.begin() + static_cast<std::ptrdiff_t>(kept), byCount.end());
  std::vector<uint32_t> colours;
  for (size_t i = 0; i < kept; ++i) colours.push_back(byCount[i].second);
  std::sort(colours.begin(), colours.end());
  return colours;
}

ColourIndex indexColours(const ColourCounts& counts, const std::vector<uint32_t>& colours) {
  ColourIndex index;
  for (size_t i = 0; i < colours.size(); ++i) index[colours[i]] = static_cast<uint8_t>(i);
  for (const auto& entry : counts) {
    if (index.count(entry.first)) continue;
    int64_t best = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < colours.size(); ++i) {
      const int64_t d = distance(entry.first, colours[i]);
      if (d < best) {
        best = d;
        index[entry.first] = static_cast<uint8_t>(i);
      }
    }
  }
  return index;
}

}  // namespace

int indexGifFrame(const uint32_t* pixels, int width, int height, int pixelStride, std::array<uint32_t, 256>& palette,
                  uint8_t* indices, int indexStride) {
  ColourCounts counts;
  forEachRun(pixels, width, height, pixelStride,
             [&counts](int, int, int length, uint32_t colour) { counts[colour] += length; });
  const std::vector<uint32_t> colours = chooseColours(counts);
  const ColourIndex index = indexColours(counts, colours);
  palette.fill(0xff000000u);
  std::copy(colours.begin(), colours.end(), palette.begin());
  uint32_t lastColour = 0;
  uint8_t lastIndex = 0;
  bool cached = false;
  forEachRun(pixels, width, height, pixelStride, [&](int y, int x, int length, uint32_t colour) {
    if (!cached || colour != lastColour) {
      lastIndex = index.at(colour);
      lastColour = colour;
      cached = true;
    }
    std::fill_n(indices + static_cast<int64_t>(y) * indexStride + x, length, lastIndex);
  });
  return static_cast<int>(colours.size());
}

}  // namespace quill
