#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace quill {

// quillaven-render: renders frames of a state file (or the start-up frame) to
// bitmap, PNG or metafile files without a window. Returns the exit status;
// messages go to err, the names of written files to out.
int runHeadlessRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

extern const char* const kHeadlessRenderHelp;

}  // namespace quill
