#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "engine/KeyFrame.h"

namespace quill {

inline constexpr char kStateFileHeader[] = "quillaven v1.6";
constexpr int kStateHeaderLength = 14;

// A record with both texts empty; each text character adds one byte.
constexpr int kMinRecordSize = 600;
// The count field is an i16 holding N - 1.
constexpr int kMaxStateRecords = 32768;
// Text members carry an i16 length.
constexpr int kMaxTextLength = 32767;

// Header, the i16 count N - 1, then N records (little-endian, no padding).
// Returns an empty vector when the count cannot be written: no frames, or more
// than kMaxStateRecords.
std::vector<uint8_t> encodeStateFile(const std::vector<KeyFrame>& frames);

// One record, member by member in KeyFrame order. Texts are written byte for
// byte (the caller decides their single-byte code page); a text longer than
// kMaxTextLength is cut to that length.
void appendRecord(std::vector<uint8_t>& out, const KeyFrame& frame);

enum class DecodeError {
  WrongHeader,    // headerFound holds the 14 bytes that were there
  ShortFile,      // the file ends before what its counts promise
  BadCount,       // a negative record count
  BadRecord,      // a record whose values the program cannot use
};

struct DecodeFailure {
  DecodeError error;
  std::string headerFound;  // WrongHeader: the text found (padded with spaces)
  int recordIndex = -1;     // BadRecord / ShortFile: the record concerned
  std::string detail;       // a short human-readable reason
};

// Reads a whole state file. The bytes are untrusted:
// - fewer than 14 bytes is WrongHeader, the bytes there padded with spaces
//   (a padded header can never match, and the user sees what was found);
// - a missing count, or a record or text running past the end, is ShortFile;
// - a negative text length is BadRecord (the bytes are there, but wrong);
// - a record out of the ranges the program can draw is BadRecord;
// - a gap period below 1 is raised to 1, as the renderer would treat it;
// - bytes after the last record are ignored.
std::variant<std::vector<KeyFrame>, DecodeFailure> decodeStateFile(const std::vector<uint8_t>& bytes);

}  // namespace quill
