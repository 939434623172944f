#pragma once

#include <cstdint>
#include <optional>

#include "export/NoticeLines.h"

namespace quill {

class AniNameDialog;
class BlendModeDialog;
class DesktopServices;
class DivisionDialog;
struct FrameControls;
struct KeyFrame;

// The main window's view of the other windows. The app object implements it,
// creating each window on first use, so windows never reach each other
// through globals.
class WindowDirectory {
 public:
  virtual ~WindowDirectory() = default;

  virtual DesktopServices& services() = 0;

  // The preview window: shown in its normal state (which activates it and
  // draws the pattern), hidden, and whether it is visible now.
  virtual void showPreview() = 0;
  // The same, for a preview that captures: the counter its drawing left,
  // where an unlocked start value goes on; nothing when it drew nothing.
  virtual std::optional<int64_t> showPreviewCounting() = 0;
  virtual void hidePreview() = 0;
  virtual bool previewVisible() const = 0;
  // Draws curFrame in the preview without taking the focus from the window
  // being edited; shows the preview first if it is hidden.
  virtual void redrawPreview() { showPreview(); }
  // True while the preview is in the middle of a render (a long render lets
  // window events run so Esc can stop it); nothing may change curFrame then.
  virtual bool previewBusy() const = 0;

  // The blending options dialog: created and hidden at start-up, then shown
  // without blocking the main window.
  virtual void loadBlendOptions() = 0;
  virtual void showBlendOptions() = 0;

  // The animation window re-runs its activation handler when it is open.
  virtual void reactivateAnimator() = 0;
  // "animate": the animation window; and its in-between geometry rebuilt
  // after the key frames moved.
  virtual void showAnimator() = 0;
  virtual void updateGeos() = 0;

  // Dialogs a capture reads and a frame apply writes: created on first use,
  // not shown.
  virtual BlendModeDialog& blendDialog() = 0;
  virtual DivisionDialog& divisionDialog() = 0;
  virtual AniNameDialog& namingDialog() = 0;
  virtual void showDivisionDialog() = 0;
  virtual void showNamingDialog() = 0;
  // Puts a frame's export choices into the export dialog.
  virtual void applyExportControls(const KeyFrame& frame) = 0;

  // The notice `bmap` with its lines.
  virtual void showNotice(const NoticeLines& lines) = 0;
  // Closes every window but the main one, in the program's closing order.
  virtual void closeOtherWindows() = 0;
  // The key-frame history gained, lost or replaced frames.
  virtual void historyChanged() {}

  // The export dialog, shown without waiting.
  virtual void showSaveOptions() {}
  // The geometry switched: the export dialog's legend box follows at once.
  virtual void geometrySwitched(bool /*triangles*/) {}
  // Writes the export dialog's values into what a capture records; until the
  // dialog exists the start-up values stand.
  virtual void exportDialogControls(FrameControls&) const {}
};

}  // namespace quill
