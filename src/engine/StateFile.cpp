#include "engine/StateFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "engine/KeyFrameCodec.h"
#include "engine/PrintableText.h"

namespace quill {

namespace {

std::string failureText(const std::string& path, const DecodeFailure& f) {
  if (f.error == DecodeError::WrongHeader)
    return "can't read files written by " + printableText(f.headerFound.substr(10, 4));
  const std::string where = f.recordIndex >= 0 ? "record " + std::to_string(f.recordIndex) + ": " : std::string();
  return "can't load " + path + ": " + where + f.detail;
}

}  // namespace

std::variant<std::vector<KeyFrame>, std::string> readStateFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "can't open " + path + ": " + std::strerror(errno);
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return "can't open " + path + ": " + ec.message();
  if (size > kStateFileByteLimit)
    return "can't load " + path + ": the file is far too large to be a state file";
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
    return "can't open " + path + ": the file could not be read";
  auto decoded = decodeStateFile(bytes);
  if (auto* failure = std::get_if<DecodeFailure>(&decoded)) return failureText(path, *failure);
  return std::move(std::get<std::vector<KeyFrame>>(decoded));
}

}  // namespace quill
