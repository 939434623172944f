// The settings panel's handlers: geometry, polygon and grid size, cell order,
// number base, start value and colour mode.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>
#include <array>

#include "engine/CellGeometry.h"
#include "engine/DigitText.h"
#include "editor/PadEditor.h"
#include "engine/Rounding.h"
#include "mainwindow/MainWindow.h"
#include "engine/NumberText.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"

namespace quill {

namespace {
constexpr double kMaxDims = 1600;
constexpr double kMinDims = 1;

QString qText(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

// --- Geometry ---------------------------------------------------------------

void MainWindow::switchToRectangles() { switchGeometry(false); }
void MainWindow::switchToTriangles() { switchGeometry(true); }

void MainWindow::switchGeometry(bool triangles) {
  state_.triangleMode = triangles;
  showGeometryControls(triangles);
  windows_.geometrySwitched(triangles);
  if (!triangles) windows_.hidePreview();
  if (!writingControls_) {
    if (state_.previewOpen) windows_.showPreview();
    windows_.reactivateAnimator();
  }
}

void MainWindow::showGeometryControls(bool triangles) {
  panel_.geometryLabel->setText(triangles ? QStringLiteral("triangles") : QStringLiteral("rectangles"));
  const std::array<QWidget*, 8> rectangleControls{panel_.orderGroup,  panel_.lockRatioOption, panel_.gridBoxes[0], panel_.gridBoxes[1],
                                                  panel_.rowsCaption, panel_.columnsCaption, panel_.rectangleCountLabel,   panel_.trianglesButton};
  const std::array<QWidget*, 8> triangleControls{panel_.vertexBar, panel_.layerBar, panel_.vertexCaption, panel_.vertexValue,
                                                 panel_.layerCaption,   panel_.layerValueLabel,   panel_.cellCountLabel, panel_.rectanglesButton};
  for (QWidget* w : rectangleControls) w->setVisible(!triangles);
  for (QWidget* w : triangleControls) w->setVisible(triangles);
  const int widthTwips = triangles ? kTrianglesWidthTwips : kRectanglesWidthTwips;
  resize(widthTwips / kTwipsPerPixel, height());
}

// --- Polygon ----------------------------------------------------------------

void MainWindow::changeVertexCount() {
  const int n = panel_.vertexBar->value();
  panel_.vertexValue->setText(QString::number(n));
  state_.vertexCount = static_cast<int16_t>(n);
  pad_->resetSelection();
  placeRegularVertices(state_, n);
  changeLayerCount();
  triCount();
}

void MainWindow::changeLayerCount() {
  const int layers = panel_.layerBar->value();
  panel_.layerValueLabel->setText(QString::number(layers));
  state_.layerCount = static_cast<int16_t>(layers);
  computeLayerTables(state_);
  pad_->drawframe();
  pad_->drawMesh();
  triCount();
}

void MainWindow::triCount() {
  const int64_t count = quill::triCount(state_.vertexCount, state_.layerCount, fractionsShown());
  panel_.cellCountLabel->setText(QString::number(count));
}

// --- Grid -------------------------------------------------------------------

void MainWindow::changeGridSize(int index) {
  if (index < 0 || index > 1) return;
  panel_.lockRatioOption->setChecked(false);
  const std::optional<double> v = numericValue(panel_.gridBoxes[index]->text().toStdString());
  if (!v) return refuseDims(index, "width must be numeric");
  if (*v > kMaxDims || *v < kMinDims) return refuseDims(index, "value must be <=1600 and >0");

  if (index == 0) {
    // The ratio is single precision and the box value double, as the product
    // has always been taken: 0.8f * 15 is 12.0000002 and rounds to 12.
    const double rows = roundHalfEven(static_cast<double>(aspectRatio_) * *v);
    panel_.gridBoxes[1]->setText(qText(numberText(rows)));  // validates and stores the rows
  }
  const double columns =
      numericValue(panel_.gridBoxes[0]->text().toStdString()).value_or(static_cast<double>(state_.columnCount));
  const double rows = numericValue(panel_.gridBoxes[1]->text().toStdString()).value_or(state_.rowCount);
  panel_.rectangleCountLabel->setText(qText(numberText(columns * rows * fractionsShown())));
  state_.rowCount = rows;
  state_.columnCount = static_cast<int16_t>(std::clamp(roundHalfEven(columns), 0.0, kMaxDims));
}

void MainWindow::refuseDims(int index, const char* message) {
  // A restored text that is itself refused is not restored again.
  if (restoringDims_[index]) return;
  services().beep();
  restoreDims(index);
  services().message(message, MessageButtons::Ok);
}

void MainWindow::restoreDims(int index) {
  const QString old = index == 0 ? QString::number(state_.columnCount) : qText(numberText(state_.rowCount));
  restoringDims_[index] = true;
  panel_.gridBoxes[index]->setText(old);  // runs the handler again for this box
  restoringDims_[index] = false;
}

void MainWindow::lockGridRatio() {
  if (!panel_.lockRatioOption->isChecked() || state_.columnCount <= 0) return;
  aspectRatio_ = static_cast<float>(state_.rowCount / state_.columnCount);
}

void MainWindow::chooseSpiralOrder() {
  panel_.spiralOption->setChecked(true);
  panel_.bookOption->setChecked(false);
  state_.spiralOrder = true;
}

void MainWindow::chooseBookOrder() {
  panel_.bookOption->setChecked(true);
  panel_.spiralOption->setChecked(false);
  state_.spiralOrder = false;
}

// --- Colour mode ------------------------------------------------------------

void MainWindow::chooseListColours() { state_.blendOn = false; }
void MainWindow::chooseBlendColours() { state_.blendOn = true; }

// --- Number base and start value --------------------------------------------

int MainWindow::startBase() const { return panel_.decimalBox->isChecked() ? 10 : state_.numberBase; }

std::optional<int32_t> MainWindow::readStartText(const QString& text, int base) const {
  const std::string raw = lettersToDigits(text.toUpper().toStdString());
  if (!checkDigits(raw, base)) return std::nullopt;
  return fromDigitText(raw, base);  // nullopt beyond the 32-bit range
}

void MainWindow::writeStartText(const QString& text) {
  // Code that re-expresses the value also moves the text a refused keystroke
  // falls back to, so that fallback is always valid in the box's base.
  panel_.startBox->setText(text);
  lastGoodStart_ = text;
}

void MainWindow::showStartValue(int64_t value) {
  const bool wasUpdating = writingControls_;
  writingControls_ = true;
  writeStartText(qText(toDisplayText(value, startBase())));
  writingControls_ = wasUpdating;
}

void MainWindow::changeNumberBase() {
  const int base = panel_.baseBar->value();
  panel_.baseValue->setText(QString::number(base));
  if (writingControls_) return;
  writingControls_ = true;
  if (!panel_.decimalBox->isChecked()) {
    if (const auto v = readStartText(panel_.startBox->text(), state_.numberBase)) {
      writeStartText(qText(toDisplayText(*v, base)));
    }
  }
  state_.numberBase = static_cast<int16_t>(base);
  writingControls_ = false;
}

void MainWindow::changeStartText() {
  if (writingControls_) return;
  const QString s = panel_.startBox->text().toUpper();
  if (s.isEmpty()) return;  // allowed while typing
  writingControls_ = true;
  const int p = panel_.startBox->cursorPosition();
  if (!readStartText(s, startBase())) {
    services().beep();
    panel_.startBox->setText(lastGoodStart_);
    panel_.startBox->setCursorPosition(p == s.size() ? lastGoodStart_.size() : std::max(p - 1, 0));
  } else {
    if (!panel_.decimalBox->isChecked()) {
      panel_.startBox->setText(s);
      panel_.startBox->setCursorPosition(p);
    }
    lastGoodStart_ = s;
  }
  writingControls_ = false;
}

void MainWindow::toggleDecimal() {
  if (writingControls_) return;
  writingControls_ = true;
  const bool toDecimal = panel_.decimalBox->isChecked();
  const int from = toDecimal ? state_.numberBase : 10;
  const int to = toDecimal ? 10 : state_.numberBase;
  if (const auto v = readStartText(panel_.startBox->text(), from)) {
    writeStartText(qText(toDisplayText(*v, to)));
  }
  writingControls_ = false;
}

}  // namespace quill
