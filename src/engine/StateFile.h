#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "engine/KeyFrame.h"

namespace quill {

// Far above any file the program writes (32768 records of a few hundred bytes).
constexpr std::uintmax_t kStateFileByteLimit = std::uintmax_t{512} << 20;

// Reads a whole state file, for the window and the headless renderer alike.
// The bytes are untrusted: a file that cannot be used is refused whole with
// the message to show, naming the record that is wrong.
std::variant<std::vector<KeyFrame>, std::string> readStateFile(const std::string& path);

}  // namespace quill
