#pragma once
#include <functional>
#include <string>

namespace quill {

// Writes a file through a temporary one beside it and renames it into place
// only when `write` succeeded, so a failed or stopped export never leaves a
// half file under the name and never destroys the file already there.
// `write` receives the temporary path; returning false discards it.
bool writeReplacing(const std::string& path, const std::function<bool(const std::string&)>& write);

// The temporary path writeReplacing uses for path.
std::string temporaryPathFor(const std::string& path);

}  // namespace quill
