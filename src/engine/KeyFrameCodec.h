#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "engine/KeyFrame.h"

namespace quill {

inline constexpr char kStateFileHeader[] = "quillaven v1.6";
constexpr int kStateHeaderLength = 14;

// Header, the i16 count N - 1, then N records (little-endian, no padding).
std::vector<uint8_t> encodeStateFile(const std::vector<KeyFrame>& frames);
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

// Reads a whole state file. The bytes are untrusted.
std::variant<std::vector<KeyFrame>, DecodeFailure> decodeStateFile(const std::vector<uint8_t>& bytes);

}  // namespace quill
