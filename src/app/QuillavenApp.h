#pragma once
#include <memory>
#include <string>

#include "animation/AnimatorHost.h"
#include "mainwindow/WindowDirectory.h"
#include "export/ExportHost.h"
#include "platform/DesktopServices.h"
#include "media/MovieEncoder.h"

namespace quill {

class AniNameDialog;
class AnimateWindow;
class CrashRecovery;
class BlendModeDialog;
class DivisionDialog;
class MainWindow;
class Notice;
class PreviewWindow;
class SaveOptions;
struct PatternState;

// Owns the one PatternState, the desktop services and the windows. Each
// window is created on first use; windows reach each other only through here.
class QuillavenApp : public WindowDirectory, public ExportHost, public AnimatorHost {
 public:
  // Without services the Qt ones are used; tests pass a scripted double.
  explicit QuillavenApp(std::unique_ptr<DesktopServices> services = nullptr);
  ~QuillavenApp() override;
  QuillavenApp(const QuillavenApp&) = delete;
  QuillavenApp& operator=(const QuillavenApp&) = delete;

  // Creates and shows the main window, whose load handler runs the start-up sequence.
  void start();
  // From now on the history is kept in a recovery file in `folder`; first the
  // files that crashed copies left there are offered back, one by one.
  void enableCrashRecovery(const std::string& folder);
  // This copy's recovery file; empty while recovery is off.
  std::string recoveryPath() const;

  PatternState& state() { return *state_; }
  MainWindow& mainWindow();
  // Created on first use.
  PreviewWindow& preview();
  PreviewWindow* previewIfLoaded() const { return preview_.get(); }
  // Loaded by the main window's start-up.
  BlendModeDialog& blendOptions();
  SaveOptions& saveOptions();
  SaveOptions* saveOptionsIfLoaded() const { return saveOptions_.get(); }
  Notice& notice();
  Notice* noticeIfLoaded() const { return notice_.get(); }

  // WindowDirectory
  DesktopServices& services() override { return *services_; }
  void showPreview() override;
  std::optional<int64_t> showPreviewCounting() override;
  void hidePreview() override;
  bool previewVisible() const override;
  void redrawPreview() override;
  bool previewBusy() const override;
  void reactivateAnimator() override;
  void loadBlendOptions() override;
  void showBlendOptions() override;
  void showAnimator() override;
  BlendModeDialog& blendDialog() override { return blendOptions(); }
  DivisionDialog& divisionDialog() override;
  AniNameDialog& namingDialog() override;
  void showDivisionDialog() override;
  void showNamingDialog() override;
  void applyExportControls(const KeyFrame& frame) override;
  void showNotice(const NoticeLines& lines) override;
  void closeOtherWindows() override;
  void historyChanged() override;
  DivisionDialog* divisionDialogIfLoaded() const { return division_.get(); }
  AnimateWindow& animator();
  AnimateWindow* animatorIfLoaded() const { return animator_.get(); }
  void updateGeos() override;

  // AnimatorHost
  void captureMainSettings() override;
  void applyMainSettings() override;
  void restoreMainWindow() override;
  void mainKeyDown(int keyCode, int shift) override;
  void jumpBack() override;
  void jumpForward() override;
  KeyFrame currentKeyFrame() override;
  std::vector<KeyFrame> keyFramesUpToCurrent(int k) override;
  void unminimisePreview() override;
  void fitPreview() override;
  bool drawAnimationFrame(const SequenceFrame* frame) override;
  void showAnimationPicture(const QImage& picture) override;
  std::unique_ptr<MovieEncoder> movieEncoder(MovieType type) override;
  // FFmpeg's encoders unless replaced (tests, the benchmark's drawing-only run).
  void setMovieEncoderFactory(MovieEncoderFactory factory) { movieEncoders_ = std::move(factory); }
  void showSaveOptions() override;
  void geometrySwitched(bool triangles) override;
  void exportDialogControls(FrameControls& controls) const override;

  // ExportHost
  bool runExport(const std::string& metafilePath) override;
  void setPreviewVisible(bool visible) override;
  void hideSaveOptions() override;
  bool previewMarkedShown() override;

 private:
  void unloadPreview();
  void showExportProgress(const std::string& caption);
  void offerCrashedFiles();

  std::unique_ptr<PatternState> state_;
  std::unique_ptr<DesktopServices> services_;
  std::unique_ptr<MainWindow> mainWindow_;
  std::unique_ptr<SaveOptions> saveOptions_;
  std::unique_ptr<PreviewWindow> preview_;
  std::unique_ptr<BlendModeDialog> blendOptions_;
  // An unloaded preview waits here until the next one is made: it may still
  // be on the call stack when its export ends.
  std::unique_ptr<PreviewWindow> unloadedPreview_;
  std::unique_ptr<Notice> notice_;
  std::unique_ptr<DivisionDialog> division_;
  std::unique_ptr<AniNameDialog> naming_;
  std::unique_ptr<AnimateWindow> animator_;
  MovieEncoderFactory movieEncoders_ = makeFfmpegMovieEncoder;
  std::unique_ptr<CrashRecovery> recovery_;
  bool recoveryWritten_ = false;
  bool recoveryFailureShown_ = false;
};

}  // namespace quill
