#pragma once
#include <memory>

#include "mainwindow/WindowDirectory.h"
#include "ui/DesktopServices.h"

namespace quill {

class BlendModeDialog;
class Form1;
class PreviewWindow;
struct PatternState;

// Owns the one PatternState, the desktop services and the windows. Each
// window is created on first use; windows reach each other only through here.
class QuillavenApp : public WindowDirectory {
 public:
  // Without services the Qt ones are used; tests pass a scripted double.
  explicit QuillavenApp(std::unique_ptr<DesktopServices> services = nullptr);
  ~QuillavenApp() override;
  QuillavenApp(const QuillavenApp&) = delete;
  QuillavenApp& operator=(const QuillavenApp&) = delete;

  // Creates and shows the main window, whose load handler runs the start-up sequence.
  void start();

  PatternState& state() { return *state_; }
  Form1& mainWindow();
  // Created on first use.
  PreviewWindow& preview();
  PreviewWindow* previewIfLoaded() const { return preview_.get(); }
  // Loaded by the main window's start-up.
  BlendModeDialog& blendOptions();

  // WindowDirectory
  DesktopServices& services() override { return *services_; }
  void showPreview() override;
  void hidePreview() override;
  bool previewVisible() const override;
  bool previewBusy() const override;
  void reactivateAnimator() override;
  void loadBlendOptions() override;
  void showBlendOptions() override;

 private:
  std::unique_ptr<PatternState> state_;
  std::unique_ptr<DesktopServices> services_;
  std::unique_ptr<Form1> mainWindow_;
  std::unique_ptr<PreviewWindow> preview_;
  std::unique_ptr<BlendModeDialog> blendOptions_;
};

}  // namespace quill
