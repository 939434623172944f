#include "engine/KeyFrameCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>

namespace quill {
namespace {

using Bytes = std::vector<uint8_t>;
using Decoded = std::variant<std::vector<KeyFrame>, DecodeFailure>;

KeyFrame validFrame() {
  KeyFrame f{.vertexCount = 6, .layerCount = 4, .numberBase = 10, .blendOn = kTrue16, .drawLines = 1, .drawFills = 1,
             .backColor = rgb(64, 64, 64), .lockedBox = 1, .saveWidth = {}, .triangleMode = kTrue16, .rowCount = 10,
             .columnCount = 12, .aniName = {}, .fractionsLimit = 1, .tailLaunch = 4, .tailLength = 4};
  for (int i = 0; i < 16; ++i) f.palette[i] = rgb(16 * i, 255 - i, 7 * i);
  f.blendWeights.fill(100);
  for (int i = 1; i <= 6; ++i) f.vertexPoints[i] = {240 * std::sin(i * M_PI / 3), 240 * std::cos(i * M_PI / 3)};
  return f;
}

int16_t i16At(const Bytes& b, size_t at) { return static_cast<int16_t>(b[at] | b[at + 1] << 8); }
Bytes bytesAt(const Bytes& b, size_t at, size_t n) { return Bytes(b.begin() + at, b.begin() + at + n); }
std::string textAt(const Bytes& b, size_t at, size_t n) { return std::string(b.begin() + at, b.begin() + at + n); }
void putI16At(Bytes& b, size_t at, int16_t v) { b[at] = uint8_t(v), b[at + 1] = uint8_t(uint16_t(v) >> 8); }

Bytes recordOf(const KeyFrame& f) {
  Bytes out;
  appendRecord(out, f);
  return out;
}

// By value: callers pass the decoder's temporary result straight in.
DecodeFailure failureOf(const Decoded& r) {
  if (const auto* failure = std::get_if<DecodeFailure>(&r)) return *failure;
  ADD_FAILURE() << "the file was accepted";
  return DecodeFailure{DecodeError::BadCount, "", -2, ""};
}

std::vector<KeyFrame> framesOf(const Decoded& r) {
  if (const auto* frames = std::get_if<std::vector<KeyFrame>>(&r)) return *frames;
  ADD_FAILURE() << "refused: " << std::get<DecodeFailure>(r).detail;
  return {};
}

// Every i16 member outside the arrays, by its offset while both texts are empty.
const int kI16Offsets[] = {0,   2,   8,   74,  76,  78,  80,  550, 552, 554, 556, 558, 560, 562, 564,
                           568, 570, 572, 574, 576, 578, 580, 582, 586, 588, 590, 592, 594, 596, 598};

TEST(KeyFrameCodecLayout, RecordsAreLittleEndianMembersWithCountedTexts) {
  // Each i16 member holds its own offset, so a member written in the wrong place shows.
  KeyFrame f{.vertexCount = 0, .layerCount = 2, .startValue = 0x01020304, .numberBase = 8, .blendVariant = 74,
             .blendOn = 76, .drawLines = 78, .drawFills = 80, .centerY = -0.75, .backColor = rgb(5, 6, 7),
             .lockedBox = 550, .decimalBox = 552, .saveBmp = 554, .saveWmf = 556, .lineNormal = 558,
             .lineHeavy = 560, .lineExtra = 562, .legend = 564, .saveWidth = {}, .previewOpen = 568,
             .triangleMode = 570, .rowCount = 572, .columnCount = 574, .spiralOrder = 576, .deleted = 578,
             .frameNo = 580, .frameTotal = 582, .aniName = {}, .levels = 586, .fractionsLimit = 588,
             .fractions = 590, .order = 592, .spare = 594, .tailLaunch = 596, .tailLength = 598};
  for (int i = 0; i < 16; ++i) f.blendWeights[i] = static_cast<int16_t>(82 + 2 * i);
  f.palette[15] = rgb(1, 2, 3);
  f.vertexPoints[0] = {1.5, 0};
  f.vertexPoints[25] = {-300.125, 0};
  Bytes b = recordOf(f);
  ASSERT_EQ(b.size(), 600u);
  for (int at : kI16Offsets) EXPECT_EQ(i16At(b, at), at);
  for (int at = 82; at < 114; at += 2) EXPECT_EQ(i16At(b, at), at);
  EXPECT_EQ(bytesAt(b, 4, 4), (Bytes{4, 3, 2, 1}));
  EXPECT_EQ(bytesAt(b, 70, 4), (Bytes{1, 2, 3, 0}));
  EXPECT_EQ(bytesAt(b, 546, 4), (Bytes{5, 6, 7, 0}));
  // Doubles are IEEE-754: 1.5 is 0x3FF8..., -300.125 is 0xC072C2..., -0.75 is 0xBFE8...
  EXPECT_EQ(bytesAt(b, 114, 8), (Bytes{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
  EXPECT_EQ(bytesAt(b, 514, 8), (Bytes{0, 0, 0, 0, 0, 0xC2, 0x72, 0xC0}));
  EXPECT_EQ(bytesAt(b, 538, 8), (Bytes{0, 0, 0, 0, 0, 0, 0xE8, 0xBF}));

  // Texts are counted bytes; each character shifts the later members by one.
  f.saveWidth = "2000";
  f.aniName = "ani";
  b = recordOf(f);
  ASSERT_EQ(b.size(), 607u);
  EXPECT_EQ(i16At(b, 566), 4);
  EXPECT_EQ(textAt(b, 568, 4), "2000");
  EXPECT_EQ(i16At(b, 588), 3);
  EXPECT_EQ(textAt(b, 590, 3), "ani");
  for (int at : kI16Offsets) EXPECT_EQ(i16At(b, at + (at > 566 ? 4 : 0) + (at > 584 ? 3 : 0)), at);

  f.aniName = std::string(40000, 'x');  // cut to what the count can hold
  b = recordOf(f);
  EXPECT_EQ(b.size(), 604u + kMaxTextLength);
  EXPECT_EQ(i16At(b, 588), kMaxTextLength);
}

// The header and the count of records after the first, then the records.
TEST(KeyFrameCodecFile, RoundTripKeepsEveryMemberAndIgnoresTrailingBytes) {
  std::vector<KeyFrame> frames(4, validFrame());
  frames[0].aniName = "walk";
  frames[0].frameTotal = 3;
  // The smallest and largest usable values, and members kept as they are read.
  KeyFrame& small = frames[1];
  small.vertexCount = 3;
  small.fractions = 1;  // the limit at level 0
  small.saveWidth = std::string("caf\xE9\x00z", 6);  // high and zero bytes pass through
  small.spare = -1;
  small.blendWeights[0] = -5, small.palette[1] = -1, small.drawLines = 9, small.blendVariant = 7, small.frameNo = -3;
  KeyFrame& large = frames[2];
  large.vertexCount = 23, large.layerCount = 99, large.rowCount = 1600, large.columnCount = 1600;
  large.vertexPoints[1].x = large.centerY = -1e6;
  large.deleted = kTrue16;
  large.spare = 32767;
  KeyFrame& last = frames[3];
  last.startValue = std::numeric_limits<int32_t>::max();
  last.blendWeights[3] = -32768;
  last.levels = 7;
  last.fractions = last.fractionsLimit = 14;
  last.order = 3;
  last.numberBase = 26;
  Bytes bytes = encodeStateFile(frames);
  ASSERT_EQ(bytes.size(), 16u + 4 * 600 + 4 + 6);
  EXPECT_EQ(textAt(bytes, 0, 14), "quillaven v1.6");
  EXPECT_EQ(i16At(bytes, 14), 3);
  bytes.insert(bytes.end(), {1, 2, 3, 0xFF});
  EXPECT_EQ(framesOf(decodeStateFile(bytes)), frames);
  // Counts that cannot be written give no bytes.
  EXPECT_TRUE(encodeStateFile({}).empty());
  EXPECT_TRUE(encodeStateFile(std::vector<KeyFrame>(kMaxStateRecords + 1, validFrame())).empty());
}

TEST(KeyFrameCodecUntrusted, WrongHeaderIsReportedAsFound) {
  Bytes bytes = encodeStateFile({validFrame()});
  bytes[13] = '5';
  DecodeFailure failure = failureOf(decodeStateFile(bytes));
  EXPECT_EQ(failure.error, DecodeError::WrongHeader);
  EXPECT_EQ(failure.headerFound, "quillaven v1.5");
  // A file shorter than the header is padded with spaces.
  failure = failureOf(decodeStateFile(Bytes{'q', 'u', 'i', 'l', 'l'}));
  EXPECT_EQ(failure.error, DecodeError::WrongHeader);
  EXPECT_EQ(failure.headerFound, "quill         ");
  EXPECT_EQ(failureOf(decodeStateFile({})).headerFound, std::string(14, ' '));
}

TEST(KeyFrameCodecUntrusted, EveryTruncationOfATwoRecordFileFailsCleanly) {
  std::vector<KeyFrame> frames(2, validFrame());
  frames[1].aniName = "ab";
  const Bytes full = encodeStateFile(frames);
  for (size_t length = 0; length < full.size(); ++length) {
    const DecodeFailure failure = failureOf(decodeStateFile(bytesAt(full, 0, length)));
    ASSERT_EQ(failure.error, length < 14 ? DecodeError::WrongHeader : DecodeError::ShortFile) << length;
    if (length >= 16) {
      EXPECT_EQ(failure.recordIndex, length < 616 ? 0 : 1) << length;
    }
  }
}

TEST(KeyFrameCodecUntrusted, CountsBeyondTheFileAreRefused) {
  Bytes bytes = encodeStateFile({validFrame(), validFrame()});
  for (int16_t count : {int16_t(-1), std::numeric_limits<int16_t>::min()}) {
    putI16At(bytes, 14, count);
    EXPECT_EQ(failureOf(decodeStateFile(bytes)).error, DecodeError::BadCount) << count;
  }
  putI16At(bytes, 14, 32767);
  const DecodeFailure failure = failureOf(decodeStateFile(bytes));
  EXPECT_EQ(failure.error, DecodeError::ShortFile);
  EXPECT_EQ(failure.recordIndex, 2);

  bytes = encodeStateFile({validFrame()});
  putI16At(bytes, 16 + 584, -1);  // aniName length
  EXPECT_EQ(failureOf(decodeStateFile(bytes)).error, DecodeError::BadRecord);
  putI16At(bytes, 16 + 584, 1000);
  EXPECT_EQ(failureOf(decodeStateFile(bytes)).error, DecodeError::ShortFile);
}

// One change each, just beyond what the program can draw; the limits themselves
// pass the round trip above.
using Change = void (*)(KeyFrame&);
const Change kRefused[] = {
    [](KeyFrame& f) { f.vertexCount = 2; },        [](KeyFrame& f) { f.vertexCount = 24; },
    [](KeyFrame& f) { f.layerCount = 0; },         [](KeyFrame& f) { f.layerCount = 100; },
    [](KeyFrame& f) { f.numberBase = 1; },         [](KeyFrame& f) { f.numberBase = 27; },
    [](KeyFrame& f) { f.rowCount = 0; },           [](KeyFrame& f) { f.rowCount = 1601; },
    [](KeyFrame& f) { f.columnCount = 0; },        [](KeyFrame& f) { f.columnCount = 1601; },
    [](KeyFrame& f) { f.levels = -1; },            [](KeyFrame& f) { f.levels = 8; },
    [](KeyFrame& f) { f.fractionsLimit = 2; },  // at level 0 the limit is 1
    [](KeyFrame& f) { f.levels = 3, f.fractions = 7; }, [](KeyFrame& f) { f.fractions = -1; },
    [](KeyFrame& f) { f.order = 4; },              [](KeyFrame& f) { f.order = -1; },
    [](KeyFrame& f) { f.startValue = -1; },
    [](KeyFrame& f) { f.vertexPoints[3].y = std::nan(""); },
    [](KeyFrame& f) { f.vertexPoints[25].x = INFINITY; },  // even an unused one
    [](KeyFrame& f) { f.vertexPoints[1].x = -1.0000001e6; },
    [](KeyFrame& f) { f.centerX = -INFINITY; },    [](KeyFrame& f) { f.centerY = 2e6; },
};

TEST(KeyFrameCodecUntrusted, RecordsOutsideTheUsableRangesAreRefusedWithTheirIndex) {
  for (size_t i = 0; i < std::size(kRefused); ++i) {
    std::vector<KeyFrame> frames(2, validFrame());
    kRefused[i](frames[1]);
    const DecodeFailure failure = failureOf(decodeStateFile(encodeStateFile(frames)));
    EXPECT_EQ(std::tuple(failure.error, failure.recordIndex, failure.detail.empty()),
              std::tuple(DecodeError::BadRecord, 1, false))
        << "change " << i;
  }
}

TEST(KeyFrameCodecUntrusted, GapPeriodBelowOneIsRaisedToOne) {
  for (int16_t period : {int16_t(0), int16_t(-5), std::numeric_limits<int16_t>::min(), int16_t(1), int16_t(9)}) {
    KeyFrame f = validFrame();
    f.tailLaunch = period;
    const auto frames = framesOf(decodeStateFile(encodeStateFile({f})));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].tailLaunch, std::max<int16_t>(period, 1)) << period;
  }
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
  if (kind == 3 && b.size() >= 2) putI16At(b, pick(b.size() - 1), kExtremes[pick(std::size(kExtremes))]);
  if (kind == 4) b.resize(pick(b.size() + 1));
}

// Mutated and truncated files, decoded a few thousand times with a fixed seed:
// the decoder never crashes, and whatever it accepts is usable.
TEST(KeyFrameCodecUntrusted, MutatedFilesNeverCrashAndAcceptOnlyUsableRecords) {
  std::vector<KeyFrame> frames(4, validFrame());
  for (int16_t i = 1; i < 4; ++i) {
    frames[i].vertexCount = static_cast<int16_t>(3 + i), frames[i].startValue = 1234 * i, frames[i].levels = i;
    frames[i].fractionsLimit = frames[i].fractions = i, frames[i].order = i, frames[i].saveWidth = "2000";
  }
  frames[2].aniName = "spin";
  const Bytes seeds[] = {encodeStateFile({frames[0], frames[1]}), encodeStateFile(frames)};
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
