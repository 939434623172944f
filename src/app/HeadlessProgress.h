#pragma once
#include <chrono>
#include <iosfwd>

namespace quill {

// Ctrl-C (SIGINT) and SIGTERM ask the headless renderer to stop: the picture
// in hand is dropped, its file and temporary never appear, and files finished
// earlier stay. The exit status is then 130.
constexpr int kExitInterrupted = 130;
void catchStopSignals();
bool stopSignalled();

// The progress line of work that takes over about a second, drawn over
// itself on a terminal; nothing at all when the error stream is no terminal.
class ProgressLine {
 public:
  ProgressLine(std::ostream& err, bool terminal);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // A single picture: the share done, the time spent and the time left.
  void picture(double done);
  // A sequence: frames done of the total, and frames per second.
  void frames(int done, int total);

 private:
  bool due();
  double seconds() const;

  std::ostream& err_;
  bool terminal_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace quill
