// Mutated and truncated state files, decoded a few thousand times with a fixed
// seed: the decoder must never crash, and whatever it accepts must be usable.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/KeyFrameCodec.h"

namespace quill {
namespace {

using Bytes = std::vector<uint8_t>;

KeyFrame sampleFrame(int16_t variant) {
  KeyFrame f{.vertexCount = static_cast<int16_t>(3 + variant), .layerCount = 4, .startValue = 1234 * variant,
             .numberBase = 10, .saveWidth = variant % 2 ? "2000" : "", .rowCount = 10, .columnCount = 12,
             .aniName = variant > 1 ? "spin" : "", .levels = variant,
             .fractionsLimit = static_cast<int16_t>(2 * variant), .fractions = variant,
             .order = static_cast<int16_t>(variant % 4), .tailLaunch = 4};
  for (int i = 1; i <= f.vertexCount; ++i) f.vertexPoints[i] = {10.0 * i, -7.5 * i};
  return f;
}

bool usable(double v) { return std::isfinite(v) && std::abs(v) <= 1e6; }

// Written out again here rather than shared with the decoder, so a slip in one
// is caught by the other.
void expectUsable(const KeyFrame& f) {
  const int fractionMax = std::max(1, 2 * f.levels);
  EXPECT_TRUE(f.vertexCount >= 3 && f.vertexCount <= 23);
  EXPECT_TRUE(f.layerCount >= 1 && f.layerCount <= 99);
  EXPECT_TRUE(f.numberBase >= 2 && f.numberBase <= 26);
  EXPECT_TRUE(f.rowCount >= 1 && f.rowCount <= 1600);
  EXPECT_TRUE(f.columnCount >= 1 && f.columnCount <= 1600);
  EXPECT_TRUE(f.levels >= 0 && f.levels <= 7);
  EXPECT_TRUE(f.fractionsLimit >= 0 && f.fractionsLimit <= fractionMax);
  EXPECT_TRUE(f.fractions >= 0 && f.fractions <= fractionMax);
  EXPECT_TRUE(f.order >= 0 && f.order <= 3);
  EXPECT_GE(f.startValue, 0);
  EXPECT_GE(f.tailLaunch, 1);
  for (const Point& p : f.vertexPoints) EXPECT_TRUE(usable(p.x) && usable(p.y));
  EXPECT_TRUE(usable(f.centerX) && usable(f.centerY));
}

// Flips a bit, inserts or erases a byte, writes an extreme i16, or cuts the file.
void mutate(Bytes& b, std::mt19937& rng) {
  static const int16_t kExtremes[] = {-32768, -1, 0, 1, 2, 600, 32767};
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  const size_t kind = pick(5);
  if (kind == 0 && !b.empty()) b[pick(b.size())] ^= static_cast<uint8_t>(1u << pick(8));
  if (kind == 1) b.insert(b.begin() + pick(b.size() + 1), static_cast<uint8_t>(pick(256)));
  if (kind == 2 && !b.empty()) b.erase(b.begin() + pick(b.size()));
  if (kind == 3 && b.size() >= 2) {
    const size_t at = pick(b.size() - 1);
    const auto v = static_cast<uint16_t>(kExtremes[pick(std::size(kExtremes))]);
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
  }
  if (kind == 4) b.resize(pick(b.size() + 1));
}

TEST(KeyFrameCodecFuzz, MutatedFilesNeverCrashAndAcceptOnlyUsableRecords) {
  const Bytes seeds[] = {encodeStateFile({sampleFrame(0), sampleFrame(1)}),
                         encodeStateFile({sampleFrame(0), sampleFrame(2), sampleFrame(3), sampleFrame(1)})};
  std::mt19937 rng(0x5eed);
  int accepted = 0;
  for (int round = 0; round < 6000; ++round) {
    Bytes bytes = seeds[round % 2];
    for (int m = 0; m <= round % 4; ++m) mutate(bytes, rng);
    const auto decoded = decodeStateFile(bytes);
    if (const auto* frames = std::get_if<std::vector<KeyFrame>>(&decoded)) {
      ++accepted;
      ASSERT_FALSE(frames->empty());
      for (const KeyFrame& f : *frames) expectUsable(f);
    } else if (std::get<DecodeFailure>(decoded).error == DecodeError::WrongHeader) {
      EXPECT_EQ(std::get<DecodeFailure>(decoded).headerFound.size(), 14u);
    }
  }
  // Some mutations land in members that are kept as read; the fuzz is only
  // worth something if both outcomes occur.
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, 6000);
}

}  // namespace
}  // namespace quill
