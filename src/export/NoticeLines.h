#pragma once
#include <optional>
#include <string>

namespace quill {

// What the notice says: what happened, to which file, and a detail. An export
// brings no detail of its own: the one shown stays until the notice is
// dismissed.
struct NoticeLines {
  std::string verb;
  std::string fileName;
  std::optional<std::string> detail;
};

}  // namespace quill
