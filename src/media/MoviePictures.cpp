#include "media/MoviePictures.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <utility>

namespace quill {

int codedSide(MovieType type, int side) { return type == MovieType::Gif ? side : side + (side & 1); }

void padInto(const QImage& picture, QImage& padded) {
  const int w = picture.width();
  const int h = picture.height();
  for (int y = 0; y < padded.height(); ++y) {
    const auto* from = reinterpret_cast<const uint32_t*>(picture.constScanLine(std::min(y, h - 1)));
    auto* to = reinterpret_cast<uint32_t*>(padded.scanLine(y));
    std::memcpy(to, from, static_cast<size_t>(w) * 4);
    for (int x = w; x < padded.width(); ++x) to[x] = from[w - 1];
  }
}

std::vector<uint32_t> weighedColours(const QImage& picture, size_t count) {
  std::unordered_map<uint32_t, int64_t> counts;
  for (int y = 0; y < picture.height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(picture.constScanLine(y));
    for (int x = 0; x < picture.width(); ++x) ++counts[row[x]];
  }
  std::vector<std::pair<uint32_t, int64_t>> sorted(counts.begin(), counts.end());
  std::sort(sorted.begin(), sorted.end());  // the same colours give the same palette
  const auto heaviest = std::max_element(sorted.begin(), sorted.end(),
                                         [](const auto& a, const auto& b) { return a.second < b.second; });
  // The weights add up to at most the pixel count; the heaviest colour takes the rest.
  std::vector<uint32_t> weighed(count, heaviest->first);
  auto to = weighed.begin();
  for (const auto& [colour, n] : sorted)
    to = std::fill_n(to, std::max<int64_t>(1, std::llround(std::sqrt(std::sqrt(static_cast<double>(n))))), colour);
  return weighed;
}

}  // namespace quill
