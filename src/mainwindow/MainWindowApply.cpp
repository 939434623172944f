// Frame apply: a stored frame goes back into the live settings and into the
// controls of the main window and its dialogs, in a fixed order, with the
// controls' own handlers held off while the frame is written.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include "editor/DivisionDialog.h"
#include "mainwindow/BlendModeDialog.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PaletteBar.h"
#include "engine/NumberText.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"

namespace quill {

void MainWindow::applyFrame() {
  const KeyFrame f = state_.curFrame;
  writingControls_ = true;
  // The counts first: their handlers place a regular polygon, which the
  // stored points then replace.
  panel_.vertexBar->setValue(f.vertexCount);
  panel_.layerBar->setValue(f.layerCount);
  state_.numberBase = f.numberBase;
  panel_.baseBar->setValue(f.numberBase);
  applyColourSettings(f);

  state_.vertexPoints = f.vertexPoints;
  state_.centerX = f.centerX;
  state_.centerY = f.centerY;
  changeLayerCount();

  applyPanelSettings(f);
  windows_.applyExportControls(f);

  BlendModeDialog& blend = windows_.blendDialog();
  if (!blend.chooseVariant(f.blendVariant)) services().beep();
  state_.blendOn = f.blendOn != 0;
  (state_.blendOn ? panel_.blendOption : panel_.listOption)->setChecked(true);
  showStartValue(f.startValue);
  panel_.linesBox->setChecked(f.drawLines != 0);
  panel_.fillsBox->setChecked(f.drawFills != 0);
  blend.showWeights(f.blendWeights);

  state_.previewOpen = f.previewOpen != 0;
  state_.triangleMode = f.triangleMode != 0;
  state_.columnCount = f.columnCount;
  panel_.gridBoxes[0]->setText(QString::number(f.columnCount));
  state_.rowCount = f.rowCount;
  panel_.gridBoxes[1]->setText(QString::number(f.rowCount));
  state_.spiralOrder = f.spiralOrder != 0;
  (state_.spiralOrder ? panel_.spiralOption : panel_.bookOption)->setChecked(true);
  if (state_.triangleMode) {
    switchToTriangles();
  } else {
    switchToRectangles();
  }

  division().applySettings({f.levels, f.fractionsLimit, f.fractions, f.order, f.tailLaunch, f.tailLength});
  writingControls_ = false;
}

// The chips, with their readable text and digit captions.
void MainWindow::applyColourSettings(const KeyFrame& f) {
  palette_->showColours(f.palette);
}

void MainWindow::applyPanelSettings(const KeyFrame& f) {
  setBackground(f.backColor);
  panel_.lockBox->setChecked(f.lockedBox != 0);
  panel_.decimalBox->setChecked(f.decimalBox != 0);
}

}  // namespace quill
