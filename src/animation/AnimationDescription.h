#pragma once
#include <optional>
#include <string>

#include "animation/AnimationRun.h"

namespace quill {

// Why a description line was not taken: a line the description format does
// not allow (a usage error), or a value the window itself would refuse.
struct DescriptionError {
  std::string message;
  bool usage = true;
};

// Sets an animation as a user sets the animation window, one description line
// at a time: `check I`, `uncheck I`, `lock I`, `unlock I` for feature I, and
// `NAME = VALUE` for a control by its objectName. The controls' states
// (which option is chosen, what is available) are kept here as the window
// keeps them, so every line is refused or taken as the window would.
class AnimationDescription {
 public:
  AnimationDescription(AnimationRun& run, PatternState& state);

  // One line, comments and surrounding spaces already removed.
  std::optional<DescriptionError> apply(const std::string& line);
  // A text box set by its name ("txtnFrames" for --frames, "txtFps" for --fps).
  std::optional<DescriptionError> setBox(const std::string& name, const std::string& text);

  // "# of frames" and "fps" as the boxes hold them.
  int frames() const { return frames_; }
  int framesPerSecond() const { return fps_; }

 private:
  std::optional<DescriptionError> setFeature(const std::string& verb, int feature);
  std::optional<DescriptionError> set(const std::string& name, const std::string& value);
  std::optional<DescriptionError> setBar(const std::string& name, int value);
  std::optional<DescriptionError> setButton(const std::string& name, bool on, bool option);
  bool featureAvailable(int feature) const;

  AnimationRun& run_;
  PatternState& state_;
  int frames_ = 200;
  int fps_ = 25;
};

}  // namespace quill
