#include "engine/KeyFrameCodec.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace quill {
namespace {

KeyFrame validFrame() {
  KeyFrame f;
  f.vertexCount = 6;
  f.layerCount = 4;
  f.startValue = 0;
  f.numberBase = 10;
  for (int i = 0; i < 16; ++i) f.palette[i] = rgb(16 * i, 255 - i, 7 * i);
  f.blendOn = kTrue16;
  f.drawLines = 1;
  f.drawFills = 1;
  f.blendWeights.fill(100);
  for (int i = 1; i <= 6; ++i) {
    const double angle = (i - 1) * M_PI / 3;
    f.vertexPoints[i] = {240 * std::sin(angle), 240 * std::cos(angle)};
  }
  f.backColor = rgb(64, 64, 64);
  f.lockedBox = 1;
  f.triangleMode = kTrue16;
  f.rowCount = 10;
  f.columnCount = 12;
  f.fractionsLimit = 1;
  f.tailLaunch = 4;
  f.tailLength = 4;
  return f;
}

int16_t i16At(const std::vector<uint8_t>& b, size_t at) { return static_cast<int16_t>(b[at] | b[at + 1] << 8); }
int32_t i32At(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int32_t>(uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
                              uint32_t(b[at + 3]) << 24);
}
double f64At(const std::vector<uint8_t>& b, size_t at) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= uint64_t(b[at + i]) << (8 * i);
  return std::bit_cast<double>(v);
}
void putI16At(std::vector<uint8_t>& b, size_t at, int16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}

std::vector<uint8_t> recordOf(const KeyFrame& f) {
  std::vector<uint8_t> out;
  appendRecord(out, f);
  return out;
}

// By value: callers pass the decoder's temporary result straight in.
DecodeFailure failureOf(const std::variant<std::vector<KeyFrame>, DecodeFailure>& r) {
  if (const auto* failure = std::get_if<DecodeFailure>(&r)) return *failure;
  ADD_FAILURE() << "the file was accepted";
  return DecodeFailure{DecodeError::BadCount, "", -2, ""};
}

TEST(KeyFrameCodecLayout, EmptyTextsGiveA600ByteRecordWithMembersAtTheirOffsets) {
  KeyFrame f = validFrame();
  f.startValue = 0x01020304;
  f.palette[15] = rgb(1, 2, 3);
  f.blendWeights[15] = -7;
  f.vertexPoints[0] = {1.5, -2.25};
  f.vertexPoints[25] = {-300.125, 3};
  f.centerX = 12.5;
  f.centerY = -0.75;
  f.previewOpen = kTrue16;
  f.levels = 3;
  f.spare = -12345;
  f.tailLength = 321;
  const auto b = recordOf(f);

  ASSERT_EQ(b.size(), 600u);
  EXPECT_EQ(i16At(b, 0), 6);
  EXPECT_EQ(i16At(b, 2), 4);
  EXPECT_EQ((std::vector<uint8_t>{b[4], b[5], b[6], b[7]}), (std::vector<uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(i16At(b, 8), 10);
  EXPECT_EQ(i32At(b, 10), f.palette[0]);
  EXPECT_EQ(i32At(b, 70), rgb(1, 2, 3));
  EXPECT_EQ(i16At(b, 76), -1);  // blendOn
  EXPECT_EQ(i16At(b, 82), 100);
  EXPECT_EQ(i16At(b, 112), -7);
  EXPECT_EQ(f64At(b, 114), 1.5);
  EXPECT_EQ(f64At(b, 122), -2.25);
  EXPECT_EQ(f64At(b, 514), -300.125);
  EXPECT_EQ(f64At(b, 530), 12.5);
  EXPECT_EQ(f64At(b, 538), -0.75);
  EXPECT_EQ(i32At(b, 546), rgb(64, 64, 64));
  EXPECT_EQ(i16At(b, 566), 0);  // saveWidth count
  EXPECT_EQ(i16At(b, 568), -1);  // previewOpen
  EXPECT_EQ(i16At(b, 572), 10);
  EXPECT_EQ(i16At(b, 574), 12);
  EXPECT_EQ(i16At(b, 584), 0);  // aniName count
  EXPECT_EQ(i16At(b, 586), 3);
  EXPECT_EQ(i16At(b, 594), -12345);
  EXPECT_EQ(i16At(b, 596), 4);
  EXPECT_EQ(i16At(b, 598), 321);
  // Doubles are IEEE-754 little-endian: 1.5 is 0x3FF8000000000000.
  EXPECT_EQ(b[120], 0xF8);
  EXPECT_EQ(b[121], 0x3F);
}

TEST(KeyFrameCodecLayout, TextsAreCountedBytesThatShiftTheLaterMembers) {
  KeyFrame f = validFrame();
  f.saveWidth = "2000";
  f.aniName = "ani";
  f.previewOpen = kTrue16;
  f.levels = 2;
  f.tailLength = 77;
  const auto b = recordOf(f);

  ASSERT_EQ(b.size(), 607u);
  EXPECT_EQ(i16At(b, 566), 4);
  EXPECT_EQ(std::string(b.begin() + 568, b.begin() + 572), "2000");
  EXPECT_EQ(i16At(b, 572), -1);  // previewOpen at 568 + L1
  EXPECT_EQ(i16At(b, 588), 3);   // aniName at 584 + L1
  EXPECT_EQ(std::string(b.begin() + 590, b.begin() + 593), "ani");
  EXPECT_EQ(i16At(b, 593), 2);   // levels at 586 + L1 + L2
  EXPECT_EQ(i16At(b, 605), 77);  // tailLength at 598 + L1 + L2
}

std::vector<KeyFrame> startupPlusThree() {
  std::vector<KeyFrame> frames{validFrame(), validFrame(), validFrame(), validFrame()};
  for (int i = 1; i <= 3; ++i) {
    frames[i].startValue = 1000 * i;
    frames[i].frameNo = static_cast<int16_t>(i - 1);
    frames[i].frameTotal = 3;
    frames[i].aniName = "walk";
    frames[i].vertexPoints[i].x += 0.1 * i;
  }
  frames[2].saveWidth = "1600";
  return frames;
}

TEST(KeyFrameCodecFile, StartupFramePlusThreeHasCountThreeAndFourRecords) {
  const auto bytes = encodeStateFile(startupPlusThree());
  ASSERT_EQ(bytes.size(), 16u + 4 * 600 + 3 * 4 + 4);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 14), "quillaven v1.6");
  EXPECT_EQ(i16At(bytes, 14), 3);
}

TEST(KeyFrameCodecFile, RoundTripKeepsEveryMemberIncludingSpareAndTexts) {
  auto frames = startupPlusThree();
  frames[1].spare = -1;
  frames[3].spare = 32767;
  frames[1].saveWidth = std::string("caf\xE9\x00z", 6);  // high and zero bytes pass through
  frames[2].deleted = kTrue16;
  frames[3].startValue = std::numeric_limits<int32_t>::max();
  frames[3].blendWeights[3] = -32768;
  frames[3].palette[2] = -1;
  frames[3].levels = 7;
  frames[3].fractions = 14;
  frames[3].fractionsLimit = 14;
  frames[3].order = 3;
  frames[3].numberBase = 26;
  frames[3].centerY = -1e6;

  const auto decoded = decodeStateFile(encodeStateFile(frames));
  ASSERT_TRUE(std::holds_alternative<std::vector<KeyFrame>>(decoded)) << failureOf(decoded).detail;
  EXPECT_EQ(std::get<std::vector<KeyFrame>>(decoded), frames);
}

TEST(KeyFrameCodecFile, BytesAfterTheLastRecordAreIgnored) {
  auto bytes = encodeStateFile({validFrame()});
  bytes.insert(bytes.end(), {1, 2, 3, 0xFF});
  const auto decoded = decodeStateFile(bytes);
  ASSERT_TRUE(std::holds_alternative<std::vector<KeyFrame>>(decoded));
  EXPECT_EQ(std::get<std::vector<KeyFrame>>(decoded).size(), 1u);
}

TEST(KeyFrameCodecFile, CountsThatCannotBeWrittenGiveNoBytes) {
  EXPECT_TRUE(encodeStateFile({}).empty());
  EXPECT_TRUE(encodeStateFile(std::vector<KeyFrame>(kMaxStateRecords + 1, validFrame())).empty());
}

TEST(KeyFrameCodecFile, OverlongTextIsCutToWhatTheCountCanHold) {
  KeyFrame f = validFrame();
  f.aniName = std::string(40000, 'x');
  const auto b = recordOf(f);
  EXPECT_EQ(b.size(), 600u + kMaxTextLength);
  EXPECT_EQ(i16At(b, 584), kMaxTextLength);
}

TEST(KeyFrameCodecHeader, OtherVersionIsReportedWithTheHeaderFound) {
  auto bytes = encodeStateFile({validFrame()});
  bytes[13] = '5';
  const DecodeFailure failure = failureOf(decodeStateFile(bytes));
  EXPECT_EQ(failure.error, DecodeError::WrongHeader);
  EXPECT_EQ(failure.headerFound, "quillaven v1.5");
  EXPECT_EQ(failure.headerFound.substr(10), "v1.5");
}

TEST(KeyFrameCodecHeader, FileShorterThanTheHeaderIsPaddedWithSpaces) {
  const std::vector<uint8_t> shortFile{'q', 'u', 'i', 'l', 'l'};
  const DecodeFailure failure = failureOf(decodeStateFile(shortFile));
  EXPECT_EQ(failure.error, DecodeError::WrongHeader);
  EXPECT_EQ(failure.headerFound, "quill         ");
  EXPECT_EQ(failureOf(decodeStateFile({})).headerFound, std::string(14, ' '));
}

TEST(KeyFrameCodecUntrusted, EveryTruncationOfATwoRecordFileFailsCleanly) {
  auto frames = std::vector<KeyFrame>{validFrame(), validFrame()};
  frames[1].aniName = "ab";
  const auto full = encodeStateFile(frames);
  for (size_t length = 0; length < full.size(); ++length) {
    const std::vector<uint8_t> cut(full.begin(), full.begin() + length);
    const DecodeFailure failure = failureOf(decodeStateFile(cut));
    const DecodeError expected = length < 14 ? DecodeError::WrongHeader : DecodeError::ShortFile;
    ASSERT_EQ(failure.error, expected) << "length " << length;
    if (length >= 16) {
      EXPECT_EQ(failure.recordIndex, length < 616 ? 0 : 1) << "length " << length;
    }
  }
}

TEST(KeyFrameCodecUntrusted, NegativeCountIsBadCount) {
  auto bytes = encodeStateFile({validFrame()});
  for (int16_t count : {int16_t(-1), std::numeric_limits<int16_t>::min()}) {
    putI16At(bytes, 14, count);
    EXPECT_EQ(failureOf(decodeStateFile(bytes)).error, DecodeError::BadCount);
  }
}

TEST(KeyFrameCodecUntrusted, HugeCountOnAShortFileIsShortFile) {
  auto bytes = encodeStateFile({validFrame(), validFrame()});
  putI16At(bytes, 14, 32767);
  const DecodeFailure failure = failureOf(decodeStateFile(bytes));
  EXPECT_EQ(failure.error, DecodeError::ShortFile);
  EXPECT_EQ(failure.recordIndex, 2);
}

TEST(KeyFrameCodecUntrusted, TextLengthsThatCannotBeSatisfiedAreRefused) {
  auto bytes = encodeStateFile({validFrame()});
  putI16At(bytes, 16 + 584, -1);
  EXPECT_EQ(failureOf(decodeStateFile(bytes)).error, DecodeError::BadRecord);
  putI16At(bytes, 16 + 584, 1000);
  EXPECT_EQ(failureOf(decodeStateFile(bytes)).error, DecodeError::ShortFile);
}

struct RangeCase {
  const char* name;
  std::function<void(KeyFrame&)> change;
  bool accepted;
};

const RangeCase kRangeCases[] = {
    {"vertexCount 3", [](KeyFrame& f) { f.vertexCount = 3; }, true},
    {"vertexCount 23", [](KeyFrame& f) { f.vertexCount = 23; }, true},
    {"vertexCount 2", [](KeyFrame& f) { f.vertexCount = 2; }, false},
    {"vertexCount 24", [](KeyFrame& f) { f.vertexCount = 24; }, false},
    {"layerCount 0", [](KeyFrame& f) { f.layerCount = 0; }, false},
    {"layerCount 99", [](KeyFrame& f) { f.layerCount = 99; }, true},
    {"layerCount 100", [](KeyFrame& f) { f.layerCount = 100; }, false},
    {"numberBase 1", [](KeyFrame& f) { f.numberBase = 1; }, false},
    {"numberBase 27", [](KeyFrame& f) { f.numberBase = 27; }, false},
    {"rowCount 0", [](KeyFrame& f) { f.rowCount = 0; }, false},
    {"rowCount 1600", [](KeyFrame& f) { f.rowCount = 1600; }, true},
    {"rowCount 1601", [](KeyFrame& f) { f.rowCount = 1601; }, false},
    {"columnCount -3", [](KeyFrame& f) { f.columnCount = -3; }, false},
    {"columnCount 1601", [](KeyFrame& f) { f.columnCount = 1601; }, false},
    {"levels -1", [](KeyFrame& f) { f.levels = -1; }, false},
    {"levels 8", [](KeyFrame& f) { f.levels = 8; }, false},
    {"fractionsLimit 2 at level 0", [](KeyFrame& f) { f.fractionsLimit = 2; }, false},
    {"fractions 1 at level 0", [](KeyFrame& f) { f.fractions = 1; }, true},
    {"fractions 6 at level 3", [](KeyFrame& f) { f.levels = 3, f.fractions = 6; }, true},
    {"fractions 7 at level 3", [](KeyFrame& f) { f.levels = 3, f.fractions = 7; }, false},
    {"fractions -1", [](KeyFrame& f) { f.fractions = -1; }, false},
    {"order 4", [](KeyFrame& f) { f.order = 4; }, false},
    {"order -1", [](KeyFrame& f) { f.order = -1; }, false},
    {"startValue -1", [](KeyFrame& f) { f.startValue = -1; }, false},
    {"vertex NaN", [](KeyFrame& f) { f.vertexPoints[3].y = std::nan(""); }, false},
    {"unused vertex inf", [](KeyFrame& f) { f.vertexPoints[25].x = INFINITY; }, false},
    {"vertex beyond 1e6", [](KeyFrame& f) { f.vertexPoints[1].x = -1.0000001e6; }, false},
    {"vertex at 1e6", [](KeyFrame& f) { f.vertexPoints[1].x = -1e6; }, true},
    {"centre inf", [](KeyFrame& f) { f.centerX = -INFINITY; }, false},
    {"centre beyond 1e6", [](KeyFrame& f) { f.centerY = 2e6; }, false},
    {"weights, colours, boxes kept", [](KeyFrame& f) {
       f.blendWeights[0] = -5, f.palette[1] = -1, f.drawLines = 9, f.blendVariant = 7, f.frameNo = -3;
     }, true},
};

TEST(KeyFrameCodecUntrusted, RecordsOutsideTheUsableRangesAreRefusedWithTheirIndex) {
  for (const RangeCase& c : kRangeCases) {
    std::vector<KeyFrame> frames{validFrame(), validFrame()};
    c.change(frames[1]);
    const auto decoded = decodeStateFile(encodeStateFile(frames));
    if (c.accepted) {
      ASSERT_TRUE(std::holds_alternative<std::vector<KeyFrame>>(decoded)) << c.name;
      EXPECT_EQ(std::get<std::vector<KeyFrame>>(decoded), frames) << c.name;
    } else {
      const DecodeFailure failure = failureOf(decoded);
      EXPECT_EQ(failure.error, DecodeError::BadRecord) << c.name;
      EXPECT_EQ(failure.recordIndex, 1) << c.name;
      EXPECT_FALSE(failure.detail.empty()) << c.name;
    }
  }
}

TEST(KeyFrameCodecUntrusted, GapPeriodBelowOneIsRaisedToOne) {
  for (int16_t period : {int16_t(0), int16_t(-5), std::numeric_limits<int16_t>::min(), int16_t(1), int16_t(9)}) {
    KeyFrame f = validFrame();
    f.tailLaunch = period;
    const auto decoded = decodeStateFile(encodeStateFile({f}));
    ASSERT_TRUE(std::holds_alternative<std::vector<KeyFrame>>(decoded));
    EXPECT_EQ(std::get<std::vector<KeyFrame>>(decoded)[0].tailLaunch, std::max<int16_t>(period, 1));
  }
}

}  // namespace
}  // namespace quill
