#include "media/SafeWrite.h"

#include <filesystem>
#include <system_error>

namespace quill {

std::string temporaryPathFor(const std::string& path) {
  const std::filesystem::path target(path);
  // Same folder, so the final rename never crosses file systems.
  std::string name = ".";
  name.append(target.filename().string()).append(".part");
  return (target.parent_path() / name).string();
}

bool writeReplacing(const std::string& path, const std::function<bool(const std::string&)>& write) {
  if (path.empty() || !write) return false;
  const std::string temporary = temporaryPathFor(path);
  std::error_code ec;
  const bool written = write(temporary) && std::filesystem::is_regular_file(temporary, ec);
  if (written) {
    std::filesystem::rename(temporary, path, ec);
    if (!ec) return true;
  }
  std::filesystem::remove(temporary, ec);
  return false;
}

}  // namespace quill
