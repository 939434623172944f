#include "app/QuillavenApp.h"

#include "animation/AnimateWindow.h"
#include "app/CrashRecovery.h"
#include "editor/AniNameDialog.h"
#include "editor/DivisionDialog.h"
#include "engine/PatternState.h"
#include "mainwindow/BlendModeDialog.h"
#include "mainwindow/MainWindow.h"
#include "export/Notice.h"
#include "render/ExportFiles.h"
#include "preview/PreviewWindow.h"
#include "export/SaveOptions.h"
#include "platform/QtDesktopServices.h"

namespace quill {

namespace {
constexpr int kPreviewWidth = 808;   // a 800 x 600 picture area after the frame allowance
constexpr int kPreviewHeight = 676;
constexpr char kSaveOptionsCaption[] = "file save options";
}  // namespace

QuillavenApp::QuillavenApp(std::unique_ptr<DesktopServices> services)
    : state_(std::make_unique<PatternState>()),
      services_(services ? std::move(services) : std::make_unique<QtDesktopServices>()) {}

// The windows close in the program's order: notice, preview, export dialog,
// blending options, naming dialog, division dialog, main window. The preview holds a reference to the state and may still be
// drawing when the main window is closed.
QuillavenApp::~QuillavenApp() {
  notice_.reset();
  animator_.reset();
  preview_.reset();
  unloadedPreview_.reset();
  saveOptions_.reset();
  blendOptions_.reset();
  naming_.reset();
  division_.reset();
  mainWindow_.reset();
}

void QuillavenApp::start() { mainWindow().show(); }

MainWindow& QuillavenApp::mainWindow() {
  if (!mainWindow_) mainWindow_ = std::make_unique<MainWindow>(*state_, *this);
  return *mainWindow_;
}

PreviewWindow& QuillavenApp::preview() {
  if (!preview_) {
    unloadedPreview_.reset();
    preview_ = std::make_unique<PreviewWindow>(*state_, *services_);
    // Closing the main window ends the program even while the preview is open.
    preview_->setAttribute(Qt::WA_QuitOnClose, false);
    preview_->resize(kPreviewWidth, kPreviewHeight);
    preview_->mainKeyDown = [this](int key, int shift) { mainWindow().keyDown(key, shift); };
    preview_->armedSequenceFrame = [this] { return animator_ ? animator_->armedFrame() : std::nullopt; };
    preview_->exportProgress = [this](const std::string& caption) { showExportProgress(caption); };
  }
  return *preview_;
}

SaveOptions& QuillavenApp::saveOptions() {
  if (!saveOptions_) {
    saveOptions_ = std::make_unique<SaveOptions>(*state_, *services_, *this);
    saveOptions_->setAttribute(Qt::WA_QuitOnClose, false);
  }
  return *saveOptions_;
}

Notice& QuillavenApp::notice() {
  if (!notice_) {
    notice_ = std::make_unique<Notice>(*state_, *this);
    notice_->setAttribute(Qt::WA_QuitOnClose, false);
  }
  return *notice_;
}

// Showing activates the window, which draws the pattern; a window already on
// screen is brought forward and drawn again, as an activation would.
void QuillavenApp::showPreview() {
  PreviewWindow& window = preview();
  const bool wasVisible = window.isVisible() && !window.isMinimized();
  window.showNormal();
  window.raise();
  if (wasVisible) window.activate();
}

std::optional<int64_t> QuillavenApp::showPreviewCounting() {
  preview().takeCount();
  showPreview();  // showing or activating it draws
  return preview().takeCount();
}

// A live redraw keeps the focus where the user is editing.
void QuillavenApp::redrawPreview() {
  PreviewWindow& window = preview();
  if (window.isVisible() && !window.isMinimized()) {
    window.activate();
    return;
  }
  window.setAttribute(Qt::WA_ShowWithoutActivating, true);
  window.showNormal();  // the show draws
  window.setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void QuillavenApp::hidePreview() {
  if (preview_) preview_->hide();
}

bool QuillavenApp::previewVisible() const { return preview_ && preview_->isVisible(); }

bool QuillavenApp::previewBusy() const { return preview_ && preview_->rendering(); }


// A dialog not made yet starts with the box unticked and takes the geometry
// when it is first shown.
void QuillavenApp::geometrySwitched(bool triangles) {
  if (saveOptions_) saveOptions_->setLegendAvailable(triangles);
}

void QuillavenApp::showSaveOptions() {
  SaveOptions& dialog = saveOptions();
  const bool wasVisible = dialog.isVisible();
  dialog.show();
  dialog.raise();
  if (wasVisible) dialog.activate();
}

void QuillavenApp::exportDialogControls(FrameControls& controls) const {
  if (saveOptions_) saveOptions_->fillControls(controls);
}

bool QuillavenApp::runExport(const std::string& metafilePath) {
  ExportOptions options = saveOptions().options();
  options.startText = mainWindow().controls().startText;
  const std::optional<std::string> saved = preview().startExport(options, metafilePath);
  unloadPreview();
  if (saved) showNotice({kSavedAs, *saved, std::nullopt});
  return saved.has_value();
}

void QuillavenApp::setPreviewVisible(bool visible) {
  if (visible)
    showPreview();
  else
    hidePreview();
}

void QuillavenApp::hideSaveOptions() {
  if (saveOptions_) saveOptions_->hide();
}

bool QuillavenApp::previewMarkedShown() { return mainWindow().previewMarkedShown(); }

void QuillavenApp::unloadPreview() {
  if (!preview_) return;
  preview_->hide();
  state_->previewOpen = false;
  unloadedPreview_ = std::move(preview_);
}

void QuillavenApp::showExportProgress(const std::string& caption) {
  saveOptions().setWindowTitle(QString::fromStdString(caption.empty() ? kSaveOptionsCaption : caption));
}

}  // namespace quill
