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
#include "mainwindow/Form1.h"
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

void Form1::PicRect_Click() { switchGeometry(false); }
void Form1::picHex_Click() { switchGeometry(true); }

void Form1::switchGeometry(bool triangles) {
  state_.triangleMode = triangles;
  showGeometryControls(triangles);
  windows_.geometrySwitched(triangles);
  if (!triangles) windows_.hidePreview();
  if (!state_.updatingControls) {
    if (state_.previewOpen) windows_.showPreview();
    windows_.reactivateAnimator();
  }
}

void Form1::showGeometryControls(bool triangles) {
  ui_.Label8->setText(triangles ? QStringLiteral("triangles") : QStringLiteral("rectangles"));
  const std::array<QWidget*, 8> rectangleControls{ui_.Frame2,  ui_.optLock, ui_.txtDims[0], ui_.txtDims[1],
                                                  ui_.lblRows, ui_.lblCols, ui_.lblRects,   ui_.picHex};
  const std::array<QWidget*, 8> triangleControls{ui_.HScroll1, ui_.HScroll2, ui_.Label1, ui_.Label2,
                                                 ui_.Label4,   ui_.Label5,   ui_.Label7, ui_.PicRect};
  for (QWidget* w : rectangleControls) w->setVisible(!triangles);
  for (QWidget* w : triangleControls) w->setVisible(triangles);
  const int widthTwips = triangles ? kTrianglesWidthTwips : kRectanglesWidthTwips;
  resize(widthTwips / kTwipsPerPixel, height());
}

// --- Polygon ----------------------------------------------------------------

void Form1::HScroll1_Change() {
  const int n = ui_.HScroll1->value();
  ui_.Label2->setText(QString::number(n));
  state_.vertexCount = static_cast<int16_t>(n);
  pad_->resetSelection();
  placeRegularVertices(state_, n);
  hscroll2_change();
  triCount();
}

void Form1::hscroll2_change() {
  const int layers = ui_.HScroll2->value();
  ui_.Label5->setText(QString::number(layers));
  state_.layerCount = static_cast<int16_t>(layers);
  computeLayerTables(state_);
  pad_->drawframe();
  pad_->drawMesh();
  triCount();
}

void Form1::triCount() {
  const int64_t count = quill::triCount(state_.vertexCount, state_.layerCount, fractionsShown());
  ui_.Label7->setText(QString::number(count));
}

// --- Grid -------------------------------------------------------------------

void Form1::txtDims_Change(int index) {
  if (index < 0 || index > 1) return;
  ui_.optLock->setChecked(false);
  const std::optional<double> v = numericValue(ui_.txtDims[index]->text().toStdString());
  if (!v) return refuseDims(index, "width must be numeric");
  if (*v > kMaxDims || *v < kMinDims) return refuseDims(index, "value must be <=1600 and >0");

  if (index == 0) {
    // The ratio is single precision and the box value double, as the product
    // has always been taken: 0.8f * 15 is 12.0000002 and rounds to 12.
    const double rows = roundHalfEven(static_cast<double>(aspectRatio_) * *v);
    ui_.txtDims[1]->setText(qText(numberText(rows)));  // validates and stores the rows
  }
  const double columns =
      numericValue(ui_.txtDims[0]->text().toStdString()).value_or(static_cast<double>(state_.columnCount));
  const double rows = numericValue(ui_.txtDims[1]->text().toStdString()).value_or(state_.rowCount);
  ui_.lblRects->setText(qText(numberText(columns * rows * fractionsShown())));
  state_.rowCount = rows;
  state_.columnCount = static_cast<int16_t>(std::clamp(roundHalfEven(columns), 0.0, kMaxDims));
}

void Form1::refuseDims(int index, const char* message) {
  // A restored text that is itself refused is not restored again.
  if (restoringDims_[index]) return;
  services().beep();
  restoreDims(index);
  services().message(message, MessageButtons::Ok);
}

void Form1::restoreDims(int index) {
  const QString old = index == 0 ? QString::number(state_.columnCount) : qText(numberText(state_.rowCount));
  restoringDims_[index] = true;
  ui_.txtDims[index]->setText(old);  // runs the handler again for this box
  restoringDims_[index] = false;
}

void Form1::optLock_Click() {
  if (!ui_.optLock->isChecked() || state_.columnCount <= 0) return;
  aspectRatio_ = static_cast<float>(state_.rowCount / state_.columnCount);
}

void Form1::optSpiral_Click() {
  ui_.optSpiral->setChecked(true);
  ui_.optLinear->setChecked(false);
  state_.spiralOrder = true;
}

void Form1::optLinear_Click() {
  ui_.optLinear->setChecked(true);
  ui_.optSpiral->setChecked(false);
  state_.spiralOrder = false;
}

// --- Colour mode ------------------------------------------------------------

void Form1::Option1_Click() { state_.blendOn = false; }
void Form1::Option2_Click() { state_.blendOn = true; }

// --- Number base and start value --------------------------------------------

int Form1::startBase() const { return ui_.decimal->isChecked() ? 10 : state_.numberBase; }

std::optional<int32_t> Form1::readStartText(const QString& text, int base) const {
  const std::string raw = lettersToDigits(text.toUpper().toStdString());
  if (!checkDigits(raw, base)) return std::nullopt;
  return fromDigitText(raw, base);  // nullopt beyond the 32-bit range
}

void Form1::writeStartText(const QString& text) {
  // Code that re-expresses the value also moves the text a refused keystroke
  // falls back to, so that fallback is always valid in the box's base.
  ui_.startval->setText(text);
  lastGoodStart_ = text;
}

void Form1::showStartValue(int64_t value) {
  const bool wasUpdating = state_.updatingControls;
  state_.updatingControls = true;
  writeStartText(qText(toDisplayText(value, startBase())));
  state_.updatingControls = wasUpdating;
}

void Form1::HScroll3_Change() {
  const int base = ui_.HScroll3->value();
  ui_.Label9->setText(QString::number(base));
  if (state_.updatingControls) return;
  state_.updatingControls = true;
  if (!ui_.decimal->isChecked()) {
    if (const auto v = readStartText(ui_.startval->text(), state_.numberBase)) {
      writeStartText(qText(toDisplayText(*v, base)));
    }
  }
  state_.numberBase = static_cast<int16_t>(base);
  state_.updatingControls = false;
}

void Form1::startval_Change() {
  if (state_.updatingControls) return;
  const QString s = ui_.startval->text().toUpper();
  if (s.isEmpty()) return;  // allowed while typing
  state_.updatingControls = true;
  const int p = ui_.startval->cursorPosition();
  if (!readStartText(s, startBase())) {
    services().beep();
    ui_.startval->setText(lastGoodStart_);
    ui_.startval->setCursorPosition(p == s.size() ? lastGoodStart_.size() : std::max(p - 1, 0));
  } else {
    if (!ui_.decimal->isChecked()) {
      ui_.startval->setText(s);
      ui_.startval->setCursorPosition(p);
    }
    lastGoodStart_ = s;
  }
  state_.updatingControls = false;
}

void Form1::decimal_Click() {
  if (state_.updatingControls) return;
  state_.updatingControls = true;
  const bool toDecimal = ui_.decimal->isChecked();
  const int from = toDecimal ? state_.numberBase : 10;
  const int to = toDecimal ? 10 : state_.numberBase;
  if (const auto v = readStartText(ui_.startval->text(), from)) {
    writeStartText(qText(toDisplayText(*v, to)));
  }
  state_.updatingControls = false;
}

}  // namespace quill
