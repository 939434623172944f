#pragma once
#include <memory>
#include <vector>

#include "engine/KeyFrame.h"
#include "animation/SequenceOutput.h"
#include "media/MovieEncoder.h"

namespace quill {

class DesktopServices;

// What the animation window asks of the main window, the key-frame history
// and the preview. The app object implements it.
class AnimatorHost {
 public:
  virtual ~AnimatorHost() = default;

  virtual DesktopServices& services() = 0;
  // curFrame from the main window's settings, and back into them.
  virtual void captureMainSettings() = 0;
  virtual void applyMainSettings() = 0;
  virtual void restoreMainWindow() = 0;  // normal state, not minimised
  // The main window's key handler and its jump commands.
  virtual void mainKeyDown(int keyCode, int shift) = 0;
  virtual void jumpBack() = 0;
  virtual void jumpForward() = 0;
  // The current key frame, and it with the k - 1 frames before it, in list order.
  virtual KeyFrame currentKeyFrame() = 0;
  virtual std::vector<KeyFrame> keyFramesUpToCurrent(int k) = 0;

  // The preview: out of its minimised state; shown in its normal state (which
  // activates and draws it); hidden; fitted and drawn from the tables as they
  // stand; and one animation frame drawn without a new fit, or, with a frame
  // of an armed run given, drawn at sequence size and written. False when the
  // frame could not be written.
  virtual void unminimisePreview() = 0;
  virtual void showPreview() = 0;
  virtual void hidePreview() = 0;
  virtual void fitPreview() = 0;
  virtual bool drawAnimationFrame(const SequenceFrame* frame) = 0;
  // A saved run's frame, drawn already, shown at sequence size.
  virtual void showAnimationPicture(const QImage& picture) = 0;
  // An encoder for a movie type, or nothing when the installed libraries lack it.
  virtual std::unique_ptr<MovieEncoder> movieEncoder(MovieType type) = 0;
};

}  // namespace quill
