#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace quill {

// quillaven-render STATE.kvt --animate DESCRIPTION -o OUT.bmp: loads the state
// file, opens the animation window on its last (or --frame N) record, sets
// the controls the description lists through their own handlers, arms
// "save images" with OUT and runs, writing OUT001.bmp, OUT002.bmp, ...
int runHeadlessAnimation(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

extern const char* const kHeadlessAnimationHelp;

}  // namespace quill
