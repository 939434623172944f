// The app's small windows: the blending options, division and naming
// dialogs, the notice, and the closing order of everything.
#include "app/QuillavenApp.h"
#include "animation/AnimateWindow.h"
#include "editor/AniNameDialog.h"
#include "editor/DivisionDialog.h"
#include "engine/PatternState.h"
#include "mainwindow/BlendModeDialog.h"
#include "mainwindow/MainWindow.h"
#include "export/Notice.h"
#include "preview/PreviewWindow.h"
#include "export/SaveOptions.h"

namespace quill {

namespace {
void bringForward(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}
}  // namespace

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
  dialog.hidePreviewWhileOpen();
  dialog.accept();
}

void QuillavenApp::showBlendOptions() { bringForward(blendOptions()); }

DivisionDialog& QuillavenApp::divisionDialog() {
  if (!division_) {
    division_ = std::make_unique<DivisionDialog>(*services_);
    division_->setAttribute(Qt::WA_QuitOnClose, false);
  }
  return *division_;
}

AniNameDialog& QuillavenApp::namingDialog() {
  if (!naming_) {
    naming_ = std::make_unique<AniNameDialog>();
    naming_->setAttribute(Qt::WA_QuitOnClose, false);
    naming_->nameChosen = [this](const QString& name) { mainWindow().showAnimationName(name); };
  }
  return *naming_;
}

void QuillavenApp::showDivisionDialog() { bringForward(divisionDialog()); }
void QuillavenApp::showNamingDialog() { bringForward(namingDialog()); }

void QuillavenApp::applyExportControls(const KeyFrame& frame) { saveOptions().applyControls(frame); }

// A notice already on screen shows the new lines too.
void QuillavenApp::showNotice(const NoticeLines& lines) {
  Notice& window = notice();
  window.showLines(lines);
  window.show();
  window.raise();
}


void QuillavenApp::closeOtherWindows() {
  for (QWidget* w : std::initializer_list<QWidget*>{notice_.get(), preview_.get(), saveOptions_.get(),
                                                    blendOptions_.get(), animator_.get(), naming_.get(),
                                                    division_.get()}) {
    if (w) w->hide();
  }
}

}  // namespace quill
