#include "app/HeadlessProgress.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <ostream>

namespace quill {

namespace {

std::atomic<bool> stopRequested{false};

extern "C" void onStopSignal(int) { stopRequested.store(true); }

constexpr double kQuietSeconds = 1.0;     // work shorter than this shows no line
constexpr double kRedrawSeconds = 0.2;

}  // namespace

void catchStopSignals() {
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool stopSignalled() { return stopRequested.load(); }

ProgressLine::ProgressLine(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}

ProgressLine::~ProgressLine() {
  if (shown_) err_ << "\n" << std::flush;
}

double ProgressLine::seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

bool ProgressLine::due() {
  if (!terminal_ || seconds() < kQuietSeconds) return false;
  const auto now = std::chrono::steady_clock::now();
  if (shown_ && std::chrono::duration<double>(now - last_).count() < kRedrawSeconds) return false;
  last_ = now;
  shown_ = true;
  return true;
}

void ProgressLine::picture(double done) {
  if (!due()) return;
  const double spent = seconds();
  char line[96];
  if (done > 0.001) {
    std::snprintf(line, sizeof line, "\r%3d%%  %.1f s, %.1f s left   ", static_cast<int>(done * 100), spent,
                  spent * (1 - done) / done);
  } else {
    std::snprintf(line, sizeof line, "\r%3d%%  %.1f s   ", 0, spent);
  }
  err_ << line << std::flush;
}

void ProgressLine::frames(int done, int total) {
  if (!due()) return;
  char line[96];
  std::snprintf(line, sizeof line, "\r%d of %d frames, %.1f frames/s   ", done, total, done / seconds());
  err_ << line << std::flush;
}

}  // namespace quill
