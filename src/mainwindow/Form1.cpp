#include "mainwindow/Form1.h"

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
#include "mainwindow/KeyPreview.h"
#include "engine/NumberText.h"
#include "mainwindow/WindowDirectory.h"

namespace quill {

Form1::Form1(PatternState& state, WindowDirectory& windows, QWidget* parent)
    : QWidget(parent), state_(state), windows_(windows) {
  setObjectName("Form1");
  setWindowTitle("Quillaven");
  createGeometryControls();
  createGridControls();
  createCountingControls();
  createColourControls();
  createPaletteControls();
  createPad();
  createCommandControls();
  createHistoryControls();
  connectSignals();
  connectCommands();
  setAcceptDrops(true);
  keyPreview_ = new KeyPreview(this, [this](int keyCode, int shift) { Form_KeyDown(keyCode, shift); });
  resize(kTrianglesWidthTwips / kTwipsPerPixel, kHeightPixels);
  Form_Load();
}

DesktopServices& Form1::services() { return windows_.services(); }

void Form1::Form_Load() {
  state_.updatingControls = false;
  swapPending_ = false;
  aspectRatio_ = 0.8f;
  lastGoodStart_ = QStringLiteral("0");
  loadStartupDefaults(state_, controls());

  // The controls mirror the defaults; writing them must not start the
  // handlers' own chains, which run explicitly below.
  {
    const QSignalBlocker b1(ui_.HScroll1), b2(ui_.HScroll2), b3(ui_.HScroll3);
    const QSignalBlocker b4(ui_.txtDims[0]), b5(ui_.txtDims[1]), b6(ui_.startval);
    ui_.HScroll1->setValue(state_.vertexCount);
    ui_.HScroll2->setValue(state_.layerCount);
    ui_.HScroll3->setValue(state_.numberBase);
    ui_.txtDims[0]->setText(QString::number(state_.columnCount));
    ui_.txtDims[1]->setText(QString::fromStdString(numberText(state_.rowCount)));
    ui_.startval->setText(lastGoodStart_);
  }
  ui_.Label9->setText(QString::number(state_.numberBase));
  ui_.lblRects->setText(
      QString::fromStdString(numberText(state_.columnCount * state_.rowCount * fractionsShown())));
  HScroll1_Change();  // regular polygon, layer tables and the triangle count
  showGeometryControls(state_.triangleMode);
  applyPalette(0);
  ui_.Command3->setText(QStringLiteral("bright"));
  windows_.loadBlendOptions();
  pad_->resetSelection();
  captureFrame(state_, controls());
  // The start-up frame is the history's first node.
  history_.start(state_.curFrame);
  unsavedEdits_ = false;
  statePath_.clear();
  showFrameLabels();
}

FrameControls Form1::controls() const {
  FrameControls c;
  c.startText = ui_.startval->text().toUpper().toStdString();
  c.decimalBox = ui_.decimal->isChecked() ? 1 : 0;
  c.lockedBox = ui_.locked->isChecked() ? 1 : 0;
  c.drawLines = ui_.Check1->isChecked() ? 1 : 0;
  c.drawFills = ui_.Check2->isChecked() ? 1 : 0;
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

DivisionDialog& Form1::division() const {
  DivisionDialog& dialog = windows_.divisionDialog();
  if (!dialog.refreshCellCounts) {
    auto* self = const_cast<Form1*>(this);
    dialog.refreshCellCounts = [self] {
      self->txtDims_Change(1);
      self->triCount();
    };
  }
  return dialog;
}

double Form1::fractionsShown() const { return division().fractionsShown(); }

Color Form1::backColor() const {
  const QColor c = ui_.Label22->palette().color(QPalette::Window);
  return rgb(c.red(), c.green(), c.blue());
}

bool Form1::previewMarkedShown() const { return ui_.cmdHide->text() == QLatin1String("hide preview"); }

void Form1::cmdHide_Click() {
  const bool show = !previewMarkedShown();
  ui_.cmdHide->setText(show ? QStringLiteral("hide preview") : QStringLiteral("show preview"));
  if (show) {
    windows_.showPreview();
  } else {
    windows_.hidePreview();
  }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  // The chips and the background label take the press, so the release that
  // runs their handler comes back to them.
  const bool colourLabel =
      watched == ui_.Label22 || std::find(ui_.chip.begin(), ui_.chip.end(), watched) != ui_.chip.end();
  if (colourLabel && event->type() == QEvent::MouseButtonPress) return true;
  if (event->type() == QEvent::MouseButtonRelease) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (watched == ui_.Command2 && button == Qt::LeftButton) command2_mouseup();
    if (watched == ui_.Label22) Label22_Click();
    for (int k = 0; k < 16; ++k) {
      if (watched == ui_.chip[k]) chip_MouseUp(k, button);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Form1::Form_KeyDown(int keyCode, int shift) {
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
