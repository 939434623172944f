#include "mainwindow/MainWindow.h"

#include <QCheckBox>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "editor/DivisionDialog.h"
#include "editor/PadEditor.h"
#include "mainwindow/HistoryBar.h"
#include "mainwindow/KeyPreview.h"
#include "mainwindow/PaletteBar.h"
#include "engine/NumberText.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"

namespace quill {

MainWindow::MainWindow(PatternState& state, WindowDirectory& windows, QWidget* parent)
    : QWidget(parent), state_(state), windows_(windows) {
  setObjectName("Form1");
  setWindowTitle("Quillaven");
  panel_.createSettings(this);
  createPaletteControls();
  createPad();
  panel_.createCommands(this);
  createHistoryControls();
  connectSignals();
  connectCommands();
  setAcceptDrops(true);
  keyPreview_ = new KeyPreview(this, [this](int keyCode, int shift) { keyDown(keyCode, shift); });
  resize(kTrianglesWidthTwips / kTwipsPerPixel, kHeightPixels);
  loadStartupSettings();
}

DesktopServices& MainWindow::services() { return windows_.services(); }

void MainWindow::loadStartupSettings() {
  writingControls_ = false;
  palette_->cancelSwap();
  aspectRatio_ = 0.8f;
  lastGoodStart_ = QStringLiteral("0");
  loadStartupDefaults(state_, controls());

  // The controls mirror the defaults; writing them must not start the
  // handlers' own chains, which run explicitly below.
  {
    const QSignalBlocker b1(panel_.vertexBar), b2(panel_.layerBar), b3(panel_.baseBar);
    const QSignalBlocker b4(panel_.gridBoxes[0]), b5(panel_.gridBoxes[1]), b6(panel_.startBox);
    panel_.vertexBar->setValue(state_.vertexCount);
    panel_.layerBar->setValue(state_.layerCount);
    panel_.baseBar->setValue(state_.numberBase);
    panel_.gridBoxes[0]->setText(QString::number(state_.columnCount));
    panel_.gridBoxes[1]->setText(QString::fromStdString(numberText(state_.rowCount)));
    panel_.startBox->setText(lastGoodStart_);
  }
  panel_.baseValue->setText(QString::number(state_.numberBase));
  panel_.rectangleCountLabel->setText(
      QString::fromStdString(numberText(state_.columnCount * state_.rowCount * fractionsShown())));
  changeVertexCount();  // regular polygon, layer tables and the triangle count
  showGeometryControls(state_.triangleMode);
  palette_->resetPresets();
  windows_.loadBlendOptions();
  pad_->resetSelection();
  captureFrame(state_, controls());
  // The start-up frame opens the history.
  history_.start(state_.curFrame);
  unsavedEdits_ = false;
  statePath_.clear();
  historyBar_->showPosition(history_);
}

FrameControls MainWindow::controls() const {
  FrameControls c;
  c.startText = panel_.startBox->text().toUpper().toStdString();
  c.decimalBox = panel_.decimalBox->isChecked() ? 1 : 0;
  c.lockedBox = panel_.lockBox->isChecked() ? 1 : 0;
  c.drawLines = panel_.linesBox->isChecked() ? 1 : 0;
  c.drawFills = panel_.fillsBox->isChecked() ? 1 : 0;
  c.backColor = backColor();
  windows_.exportDialogControls(c);
  const DivisionSettings d = division().settings();
  c.levels = d.levels;
  c.fractionsLimit = d.fractionsLimit;
  c.fractions = d.fractions;
  c.order = d.order;
  c.tailLaunch = d.tailLaunch;
  c.tailLength = d.tailLength;
  return c;
}

DivisionDialog& MainWindow::division() const {
  DivisionDialog& dialog = windows_.divisionDialog();
  if (!dialog.refreshCellCounts) {
    auto* self = const_cast<MainWindow*>(this);
    dialog.refreshCellCounts = [self] {
      self->changeGridSize(1);
      self->triCount();
    };
  }
  return dialog;
}

double MainWindow::fractionsShown() const { return division().fractionsShown(); }

Color MainWindow::backColor() const { return background_; }

void MainWindow::setBackground(Color color) {
  background_ = color;
  paintSwatch(panel_.backgroundLabel, color);
}

void MainWindow::pickBackground() {
  if (writingControls_) return;
  windows_.hidePreview();
  setBackground(services().pickColor(backColor()).value_or(backColor()));
  if (state_.previewOpen) windows_.showPreview();
  settingsChanged();
}

bool MainWindow::previewMarkedShown() const { return previewShown_; }

void MainWindow::togglePreview() {
  const bool show = !previewShown_;
  previewShown_ = show;
  panel_.hidePreviewButton->setText(show ? QStringLiteral("hide preview") : QStringLiteral("show preview"));
  if (show) {
    windows_.showPreview();
  } else {
    windows_.hidePreview();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The chips and the background label take the press, so the release that
  // runs their handler comes back to them.
  const int chip = palette_ ? palette_->chipIndex(watched) : -1;
  const bool colourLabel = watched == panel_.backgroundLabel || chip >= 0;
  if (colourLabel && event->type() == QEvent::MouseButtonPress) return true;
  if (event->type() == QEvent::MouseButtonRelease) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (watched == panel_.previewButton && button == Qt::LeftButton) previewAndCapture();
    if (watched == panel_.backgroundLabel) pickBackground();
    if (chip >= 0 && !writingControls_) {
      palette_->chipReleased(chip, button);
      settingsChanged();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::keyDown(int keyCode, int shift) {
  if (keyCode == kKeyEscape) {
    state_.stopRequested = true;  // the animation run loop looks at it between frames
    return;
  }
  // Ctrl alone: Ctrl+Shift+Z and the like do nothing.
  if (shift != kCtrlBit) return;
  switch (keyCode) {
    case 'Z': return stepBack();
    case 'X': return stepForward();
    case 'D': return deleteFrame();
    case 'C': return clearHistory();
    default: return;
  }
}

}  // namespace quill
