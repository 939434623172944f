// "live": while ticked, the preview follows the settings. A redraw draws what
// a locked preview would, but keeps no key frame and leaves the count where
// the next "preview" takes it up.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "editor/DivisionDialog.h"
#include "editor/PadEditor.h"
#include "engine/FrameCapture.h"
#include "mainwindow/BlendModeDialog.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PaletteBar.h"
#include "mainwindow/WindowDirectory.h"

namespace quill {

namespace {
// While another render holds the preview, look again this much later.
constexpr int kBusyRetryMs = 20;
}  // namespace

// The handlers are connected first, so a redraw always sees the settings
// they leave behind. The dialogs are watched from the first tick: they may
// not exist while the window is being built.
void MainWindow::connectLiveRedraws() {
  liveTimer_ = new QTimer(this);
  liveTimer_->setSingleShot(true);
  liveTimer_->setInterval(0);
  connect(liveTimer_, &QTimer::timeout, this, [this] { liveRedraw(); });
  watchControls(this);
  for (QAbstractButton* button : {static_cast<QAbstractButton*>(panel_.rectanglesButton), static_cast<QAbstractButton*>(panel_.trianglesButton),
                                  static_cast<QAbstractButton*>(palette_->presetButton()), static_cast<QAbstractButton*>(palette_->randomButton())}) {
    connect(button, &QAbstractButton::clicked, this, [this] { settingsChanged(); });
  }
  pad_->shapeChanged = [this] { settingsChanged(); };
  connect(panel_.liveBox, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) return;
    if (!liveWatchingDialogs_) {
      liveWatchingDialogs_ = true;
      watchControls(&windows_.blendDialog());
      watchControls(&windows_.divisionDialog());
    }
    settingsChanged();  // the preview shows the settings as they are now
  });
}

// Every bar, box and check or option button of a window; the pad's own tools
// choose what a drag does and change nothing by themselves.
void MainWindow::watchControls(QWidget* window) {
  const auto changed = [this] { settingsChanged(); };
  for (QAbstractSlider* bar : window->findChildren<QAbstractSlider*>())
    connect(bar, &QAbstractSlider::valueChanged, this, changed);
  for (QLineEdit* box : window->findChildren<QLineEdit*>()) connect(box, &QLineEdit::textChanged, this, changed);
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (button->isCheckable() && !pad_->isAncestorOf(button) && button != panel_.liveBox)
      connect(button, &QAbstractButton::toggled, this, changed);
  }
}

// Changes made by the program itself (a frame put back) are not the user's;
// the command that made them draws if it should.
void MainWindow::settingsChanged() {
  if (!panel_.liveBox->isChecked() || writingControls_) return;
  // A redraw of settings that are already out of date is not worth finishing.
  if (liveRendering_) state_.stopRequested = true;
  liveTimer_->start(0);
}

bool MainWindow::liveRedrawPending() const { return liveTimer_->isActive(); }

void MainWindow::liveRedraw() {
  if (!panel_.liveBox->isChecked() || !previewMarkedShown()) return;
  if (windows_.previewBusy()) {
    if (liveRendering_) state_.stopRequested = true;
    liveTimer_->start(kBusyRetryMs);
    return;
  }
  const int64_t counter = state_.digitCounter;
  state_.previewOpen = true;
  captureFrame(state_, controls());
  liveRendering_ = true;
  windows_.redrawPreview();
  liveRendering_ = false;
  state_.digitCounter = counter;
}

}  // namespace quill
