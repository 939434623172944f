#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace quill {

// quillaven-render --thumbnail SIZE FILE.kvt OUT.png: the last record of a
// state file as a PNG fitted in SIZE x SIZE, for file managers. Returns the
// exit status; messages go to err.
int runThumbnail(const std::vector<std::string>& args, std::ostream& err);

}  // namespace quill
