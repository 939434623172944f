#include "app/QuillavenApp.h"

#include "engine/PatternState.h"
#include "mainwindow/BlendModeDialog.h"
#include "mainwindow/Form1.h"
#include "render/PreviewWindow.h"
#include "ui/QtDesktopServices.h"

namespace quill {

namespace {
constexpr int kPreviewWidth = 808;   // a 800 x 600 picture area after the frame allowance
constexpr int kPreviewHeight = 676;
}  // namespace

QuillavenApp::QuillavenApp(std::unique_ptr<DesktopServices> services)
    : state_(std::make_unique<PatternState>()),
      services_(services ? std::move(services) : std::make_unique<QtDesktopServices>()) {}

// The preview goes first: it holds a reference to the state and may still be
// drawing when the main window is closed.
QuillavenApp::~QuillavenApp() {
  preview_.reset();
  blendOptions_.reset();
  mainWindow_.reset();
}

void QuillavenApp::start() { mainWindow().show(); }

Form1& QuillavenApp::mainWindow() {
  if (!mainWindow_) mainWindow_ = std::make_unique<Form1>(*state_, *this);
  return *mainWindow_;
}

PreviewWindow& QuillavenApp::preview() {
  if (!preview_) {
    preview_ = std::make_unique<PreviewWindow>(*state_, *services_);
    // Closing the main window ends the program even while the preview is open.
    preview_->setAttribute(Qt::WA_QuitOnClose, false);
    preview_->resize(kPreviewWidth, kPreviewHeight);
    preview_->mainKeyDown = [this](int key, int shift) { mainWindow().Form_KeyDown(key, shift); };
  }
  return *preview_;
}

// Showing activates the window, which draws the pattern; a window already on
// screen is brought forward and drawn again, as an activation would.
void QuillavenApp::showPreview() {
  PreviewWindow& window = preview();
  const bool wasVisible = window.isVisible() && !window.isMinimized();
  window.showNormal();
  window.raise();
  if (wasVisible) window.Form_activate();
}

void QuillavenApp::hidePreview() {
  if (preview_) preview_->hide();
}

bool QuillavenApp::previewVisible() const { return preview_ && preview_->isVisible(); }

bool QuillavenApp::previewBusy() const { return preview_ && preview_->rendering(); }

BlendModeDialog& QuillavenApp::blendOptions() {
  if (!blendOptions_) {
    blendOptions_ = std::make_unique<BlendModeDialog>(*state_, *this);
    blendOptions_->setAttribute(Qt::WA_QuitOnClose, false);
  }
  return *blendOptions_;
}

// Shown and at once hidden again by its "OK", so its controls exist from the start.
void QuillavenApp::loadBlendOptions() {
  BlendModeDialog& dialog = blendOptions();
  dialog.Form_Load();
  dialog.Command1_Click();
}

void QuillavenApp::showBlendOptions() {
  BlendModeDialog& dialog = blendOptions();
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
}

// The animation window joins with its own job; until then there is none to reactivate.
void QuillavenApp::reactivateAnimator() {}

}  // namespace quill
