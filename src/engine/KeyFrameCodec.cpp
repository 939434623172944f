#include "engine/KeyFrameCodec.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

namespace quill {
namespace {

constexpr double kMaxCoordinate = 1e6;  // beyond this, pixel conversion overflows

// Every member in file order. The writer and the reader both go through this
// one list, so they cannot drift apart.
template <class Io, class Frame>
void transferMembers(Io& io, Frame& f) {
  io(f.vertexCount);
  io(f.layerCount);
  io(f.startValue);
  io(f.numberBase);
  for (auto& colour : f.palette) io(colour);
  io(f.blendVariant);
  io(f.blendOn);
  io(f.drawLines);
  io(f.drawFills);
  for (auto& weight : f.blendWeights) io(weight);
  for (auto& point : f.vertexPoints) {
    io(point.x);
    io(point.y);
  }
  io(f.centerX);
  io(f.centerY);
  io(f.backColor);
  io(f.lockedBox);
  io(f.decimalBox);
  io(f.saveBmp);
  io(f.saveWmf);
  io(f.lineNormal);
  io(f.lineHeavy);
  io(f.lineExtra);
  io(f.legend);
  io(f.saveWidth);
  io(f.previewOpen);
  io(f.triangleMode);
  io(f.rowCount);
  io(f.columnCount);
  io(f.spiralOrder);
  io(f.deleted);
  io(f.frameNo);
  io(f.frameTotal);
  io(f.aniName);
  io(f.levels);
  io(f.fractionsLimit);
  io(f.fractions);
  io(f.order);
  io(f.spare);
  io(f.tailLaunch);
  io(f.tailLength);
}

// Little-endian by shifting, so the bytes do not depend on the host.
struct Writer {
  std::vector<uint8_t>& out;

  void put(uint64_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  void operator()(int16_t v) { put(static_cast<uint16_t>(v), 2); }
  void operator()(int32_t v) { put(static_cast<uint32_t>(v), 4); }
  void operator()(double v) { put(std::bit_cast<uint64_t>(v), 8); }
  void operator()(const std::string& text) {
    const auto length = static_cast<int16_t>(std::min<size_t>(text.size(), kMaxTextLength));
    (*this)(length);
    out.insert(out.end(), text.begin(), text.begin() + length);
  }
};

enum class ReadFault { None, Short, NegativeText };

// Reads members until the first fault; after that every read is a no-op, so a
// record is read in one pass and checked once at the end.
struct Reader {
  const std::vector<uint8_t>& bytes;
  size_t pos = 0;
  ReadFault fault = ReadFault::None;

  size_t remaining() const { return bytes.size() - pos; }

  bool take(size_t n) {
    if (fault != ReadFault::None) return false;
    if (remaining() < n) {
      fault = ReadFault::Short;
      return false;
    }
    return true;
  }
  uint64_t get(int byteCount) {
    if (!take(byteCount)) return 0;
    uint64_t value = 0;
    for (int i = 0; i < byteCount; ++i) value |= static_cast<uint64_t>(bytes[pos + i]) << (8 * i);
    pos += byteCount;
    return value;
  }
  void operator()(int16_t& v) { v = static_cast<int16_t>(get(2)); }
  void operator()(int32_t& v) { v = static_cast<int32_t>(get(4)); }
  void operator()(double& v) { v = std::bit_cast<double>(get(8)); }
  void operator()(std::string& text) {
    int16_t length = 0;
    (*this)(length);
    if (fault == ReadFault::None && length < 0) fault = ReadFault::NegativeText;
    if (!take(static_cast<size_t>(std::max<int16_t>(length, 0)))) return;
    text.assign(bytes.begin() + pos, bytes.begin() + pos + length);
    pos += length;
  }
};

std::optional<std::string> outsideRange(const char* name, int value, int low, int high) {
  if (value >= low && value <= high) return std::nullopt;
  return std::string(name) + " " + std::to_string(value) + " outside " + std::to_string(low) + ".." +
         std::to_string(high);
}

bool usableCoordinate(double v) { return std::isfinite(v) && std::abs(v) <= kMaxCoordinate; }

// The one place that decides which stored values the program accepts. Returns
// the reason a record is refused; may repair values it can safely repair.
std::optional<std::string> checkRecord(KeyFrame& f) {
  // The renderer treats a gap period below 1 as 1, and a user can type one;
  // repairing it keeps their file loadable.
  if (f.tailLaunch < 1) f.tailLaunch = 1;

  const int fractionMax = std::max(1, 2 * f.levels);
  const std::optional<std::string> rangeFaults[] = {
      outsideRange("vertexCount", f.vertexCount, 3, 23),
      outsideRange("layerCount", f.layerCount, 1, 99),
      outsideRange("numberBase", f.numberBase, 2, 26),
      outsideRange("rowCount", f.rowCount, 1, 1600),
      outsideRange("columnCount", f.columnCount, 1, 1600),
      outsideRange("levels", f.levels, 0, 7),
      outsideRange("fractionsLimit", f.fractionsLimit, 0, fractionMax),
      outsideRange("fractions", f.fractions, 0, fractionMax),
      outsideRange("order", f.order, 0, 3),
      // The digit stream counts upwards from a non-negative number.
      outsideRange("startValue", f.startValue, 0, std::numeric_limits<int32_t>::max()),
  };
  for (const auto& fault : rangeFaults)
    if (fault) return fault;

  for (size_t i = 0; i < f.vertexPoints.size(); ++i) {
    if (!usableCoordinate(f.vertexPoints[i].x) || !usableCoordinate(f.vertexPoints[i].y))
      return "vertex " + std::to_string(i) + " not a usable coordinate";
  }
  if (!usableCoordinate(f.centerX) || !usableCoordinate(f.centerY)) return "centre not a usable coordinate";
  return std::nullopt;
}

DecodeFailure failure(DecodeError error, int recordIndex, std::string detail) {
  return DecodeFailure{error, {}, recordIndex, std::move(detail)};
}

std::optional<DecodeFailure> checkHeader(const std::vector<uint8_t>& bytes) {
  std::string found(kStateHeaderLength, ' ');
  const size_t present = std::min<size_t>(bytes.size(), kStateHeaderLength);
  std::copy_n(bytes.begin(), present, found.begin());
  if (found == kStateFileHeader) return std::nullopt;
  return DecodeFailure{DecodeError::WrongHeader, found, -1, "wrong header"};
}

}  // namespace

void appendRecord(std::vector<uint8_t>& out, const KeyFrame& frame) {
  Writer writer{out};
  transferMembers(writer, frame);
}

std::vector<uint8_t> encodeStateFile(const std::vector<KeyFrame>& frames) {
  if (frames.empty() || frames.size() > kMaxStateRecords) return {};
  std::vector<uint8_t> out(kStateFileHeader, kStateFileHeader + kStateHeaderLength);
  out.reserve(kStateHeaderLength + 2 + frames.size() * kMinRecordSize);
  Writer writer{out};
  writer(static_cast<int16_t>(frames.size() - 1));
  for (const KeyFrame& frame : frames) appendRecord(out, frame);
  return out;
}

std::variant<std::vector<KeyFrame>, DecodeFailure> decodeStateFile(const std::vector<uint8_t>& bytes) {
  if (auto wrong = checkHeader(bytes)) return *wrong;

  Reader reader{bytes, kStateHeaderLength};
  int16_t lastIndex = 0;
  reader(lastIndex);
  if (reader.fault != ReadFault::None) return failure(DecodeError::ShortFile, -1, "no record count");
  if (lastIndex < 0) return failure(DecodeError::BadCount, -1, "negative record count " + std::to_string(lastIndex));

  // Every record takes at least kMinRecordSize bytes: refuse an impossible
  // count before reserving room for it.
  const size_t count = static_cast<size_t>(lastIndex) + 1;
  if (reader.remaining() / kMinRecordSize < count) {
    const auto firstMissing = static_cast<int>(reader.remaining() / kMinRecordSize);
    return failure(DecodeError::ShortFile, firstMissing, "file too short for " + std::to_string(count) + " records");
  }

  std::vector<KeyFrame> frames;
  frames.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const int index = static_cast<int>(i);
    KeyFrame frame;
    transferMembers(reader, frame);
    if (reader.fault == ReadFault::Short) return failure(DecodeError::ShortFile, index, "record runs past the end");
    if (reader.fault == ReadFault::NegativeText) return failure(DecodeError::BadRecord, index, "negative text length");
    if (auto refused = checkRecord(frame)) return failure(DecodeError::BadRecord, index, *refused);
    frames.push_back(std::move(frame));
  }
  return frames;
}

}  // namespace quill
