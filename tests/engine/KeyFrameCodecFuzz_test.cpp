// Mutated and truncated state files, decoded a few thousand times with a fixed
// seed: the decoder must never crash, and whatever it accepts must be usable.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/KeyFrameCodec.h"

namespace quill {
namespace {

KeyFrame sampleFrame(int variant) {
  KeyFrame f;
  f.vertexCount = static_cast<int16_t>(3 + variant);
  f.layerCount = 4;
  f.startValue = 1234 * variant;
  f.numberBase = 10;
  f.palette.fill(rgb(10, 20, 30));
  f.blendWeights.fill(100);
  for (int i = 1; i <= f.vertexCount; ++i) f.vertexPoints[i] = {10.0 * i, -7.5 * i};
  f.rowCount = 10;
  f.columnCount = 12;
  f.levels = static_cast<int16_t>(variant);
  f.fractionsLimit = static_cast<int16_t>(2 * variant);
  f.fractions = static_cast<int16_t>(variant);
  f.order = static_cast<int16_t>(variant % 4);
  f.tailLaunch = 4;
  f.tailLength = 4;
  f.saveWidth = variant % 2 ? "2000" : "";
  f.aniName = variant > 1 ? "spin" : "";
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

void mutate(std::vector<uint8_t>& bytes, std::mt19937& rng) {
  static const int16_t kExtremes[] = {-32768, -1, 0, 1, 2, 600, 32767};
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  switch (pick(5)) {
    case 0:
      if (!bytes.empty()) bytes[pick(bytes.size())] ^= static_cast<uint8_t>(1u << pick(8));
      break;
    case 1:
      bytes.insert(bytes.begin() + pick(bytes.size() + 1), static_cast<uint8_t>(pick(256)));
      break;
    case 2:
      if (!bytes.empty()) bytes.erase(bytes.begin() + pick(bytes.size()));
      break;
    case 3:
      if (bytes.size() >= 2) {
        const size_t at = pick(bytes.size() - 1);
        const auto v = static_cast<uint16_t>(kExtremes[pick(std::size(kExtremes))]);
        bytes[at] = static_cast<uint8_t>(v);
        bytes[at + 1] = static_cast<uint8_t>(v >> 8);
      }
      break;
    default:
      bytes.resize(pick(bytes.size() + 1));
      break;
  }
}

TEST(KeyFrameCodecFuzz, MutatedFilesNeverCrashAndAcceptOnlyUsableRecords) {
  const std::vector<std::vector<uint8_t>> seeds = {
      encodeStateFile({sampleFrame(0), sampleFrame(1)}),
      encodeStateFile({sampleFrame(0), sampleFrame(2), sampleFrame(3), sampleFrame(1)}),
  };
  std::mt19937 rng(0x5eed);
  int accepted = 0;
  for (int round = 0; round < 6000; ++round) {
    std::vector<uint8_t> bytes = seeds[round % seeds.size()];
    const int mutations = 1 + round % 4;
    for (int m = 0; m < mutations; ++m) mutate(bytes, rng);

    const auto decoded = decodeStateFile(bytes);
    if (const auto* frames = std::get_if<std::vector<KeyFrame>>(&decoded)) {
      ++accepted;
      ASSERT_FALSE(frames->empty());
      for (const KeyFrame& f : *frames) expectUsable(f);
    } else {
      const auto& failure = std::get<DecodeFailure>(decoded);
      if (failure.error == DecodeError::WrongHeader) {
        EXPECT_EQ(failure.headerFound.size(), 14u);
      }
    }
  }
  // Some mutations land in members that are kept as read; the fuzz is only
  // worth something if both outcomes occur.
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, 6000);
}

}  // namespace
}  // namespace quill
