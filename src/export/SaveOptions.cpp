#include "export/SaveOptions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "engine/NumberText.h"
#include "engine/Rounding.h"
#include "render/ExportFiles.h"
#include "export/ExportHost.h"
#include "platform/DesktopServices.h"
#include "platform/MakeWidget.h"

namespace quill {

namespace {

constexpr int kWidthPixels = 300;
constexpr double kMaxWidth = 16000;

}  // namespace

SaveOptions::SaveOptions(PatternState& state, DesktopServices& services, ExportHost& host,
                         QWidget* parent)
    : QWidget(parent, Qt::Dialog), state_(state), services_(services), host_(host) {
  setObjectName("saveoptions");
  setWindowTitle("file save options");
  createControls();
  setHeightTwips(kShortHeightTwips);
}

void SaveOptions::createControls() {
  fileTypeGroup = makeWidget<QGroupBox>(this, "Frame1", QRect(8, 4, 140, 66), "file type");
  bmpOption = makeWidget<QRadioButton>(fileTypeGroup, "optBmp", QRect(8, 20, 60, 20), ".bmp");
  emfOption = makeWidget<QRadioButton>(fileTypeGroup, "optWmf", QRect(72, 20, 60, 20), ".emf");
  pngOption = makeWidget<QRadioButton>(fileTypeGroup, "optPng", QRect(8, 42, 60, 20), ".png");
  svgOption = makeWidget<QRadioButton>(fileTypeGroup, "optSvg", QRect(72, 42, 60, 20), ".svg");
  emfOption->setChecked(true);

  gridSizeGroup = makeWidget<QGroupBox>(this, "Frame2", QRect(156, 4, 136, 88), "metafile grid");
  largeGridOption = makeWidget<QRadioButton>(gridSizeGroup, "optNormal", QRect(8, 20, 120, 20), "large");
  extraLargeGridOption = makeWidget<QRadioButton>(gridSizeGroup, "optHeavy", QRect(8, 42, 120, 20), "extra large");
  maximumGridOption = makeWidget<QRadioButton>(gridSizeGroup, "optExtra", QRect(8, 64, 120, 20), "maximum");
  largeGridOption->setChecked(true);

  legend = makeWidget<QCheckBox>(this, "legend", QRect(8, 74, 140, 20), "draw legend");
  saveButton = makeWidget<QPushButton>(this, "cmdSave", QRect(8, 104, 136, 28), "save");
  cancelButton = makeWidget<QPushButton>(this, "cmdCancel", QRect(156, 104, 136, 28), "cancel");
  // Below the buttons: only the taller bitmap dialog shows it.
  widthCaption = makeWidget<QLabel>(this, "Label1", QRect(8, 176, 100, 20), "width in pixels");
  widthBox = makeWidget<QLineEdit>(this, "Text1", QRect(112, 174, 80, 22), "2000");
  widthCaption->setBuddy(widthBox);

  const auto onTurnedOn = [this](QRadioButton* button, void (SaveOptions::*handler)()) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
      if (on) (this->*handler)();
    });
  };
  onTurnedOn(emfOption, &SaveOptions::chooseMetafile);
  onTurnedOn(bmpOption, &SaveOptions::chooseBitmap);
  onTurnedOn(pngOption, &SaveOptions::chooseBitmap);
  onTurnedOn(svgOption, &SaveOptions::chooseBitmap);
  connect(widthBox, &QLineEdit::textChanged, this, [this] { changeWidth(); });
  connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
  connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
}

ExportFormat SaveOptions::format() const {
  if (bmpOption->isChecked()) return ExportFormat::Bmp;
  if (pngOption->isChecked()) return ExportFormat::Png;
  if (svgOption->isChecked()) return ExportFormat::Svg;
  return ExportFormat::Emf;
}

std::optional<int64_t> SaveOptions::widthValue() const {
  const auto value = numericValue(widthBox->text().toStdString());
  if (!value || *value > kMaxWidth || *value < -kMaxWidth) return std::nullopt;
  return roundHalfEvenToInt(*value);
}

ExportOptions SaveOptions::options() const {
  ExportOptions o;
  o.format = format();
  o.width = widthValue().value_or(0);
  o.metafileWidth = maximumGridOption->isChecked() ? 16000 : extraLargeGridOption->isChecked() ? 12000 : 8000;
  o.legend = legend->isChecked();
  return o;
}

// A frame has room for ".bmp" and ".emf" only; PNG and SVG record neither.
void SaveOptions::fillControls(FrameControls& c) const {
  c.saveBmp = toBool16(bmpOption->isChecked());
  c.saveWmf = toBool16(emfOption->isChecked());
  c.lineNormal = toBool16(largeGridOption->isChecked());
  c.lineHeavy = toBool16(extraLargeGridOption->isChecked());
  c.lineExtra = toBool16(maximumGridOption->isChecked());
  c.legend = legend->isChecked() ? 1 : 0;
  c.saveWidth = widthBox->text().toStdString();
}

// A frame's choices go in quietly: no handler runs, no message is shown.
void SaveOptions::applyControls(const KeyFrame& f) {
  const QSignalBlocker b1(bmpOption), b2(emfOption), b3(pngOption), b4(svgOption), b5(widthBox);
  (f.saveBmp ? bmpOption : emfOption)->setChecked(true);
  largeGridOption->setChecked(f.lineNormal != 0);
  extraLargeGridOption->setChecked(f.lineHeavy != 0);
  maximumGridOption->setChecked(f.lineExtra != 0);
  legend->setChecked(f.legend != 0);
  widthBox->setText(QString::fromStdString(f.saveWidth));
}

void SaveOptions::setGridAvailable(bool available) {
  for (QWidget* w : {static_cast<QWidget*>(gridSizeGroup), static_cast<QWidget*>(largeGridOption),
                     static_cast<QWidget*>(extraLargeGridOption), static_cast<QWidget*>(maximumGridOption)})
    w->setEnabled(available);
}

void SaveOptions::setHeightTwips(int twips) { setFixedSize(kWidthPixels, twips / kTwipsPerPixel); }

// --- Handlers ---------------------------------------------------------------

void SaveOptions::activate() {
  const bool metafile = format() == ExportFormat::Emf;
  setGridAvailable(state_.triangleMode && metafile);
  setLegendAvailable(state_.triangleMode);
  // A bitmap choice kept from last time keeps its width box in view.
  setHeightTwips(state_.triangleMode && !metafile ? kTallHeightTwips : kShortHeightTwips);
}

void SaveOptions::setLegendAvailable(bool available) {
  legend->setEnabled(available);
  if (!available) legend->setChecked(false);
}

void SaveOptions::chooseMetafile() {
  if (state_.triangleMode) setGridAvailable(true);
  setHeightTwips(kShortHeightTwips);
}

void SaveOptions::chooseBitmap() {
  setGridAvailable(false);
  if (state_.triangleMode) setHeightTwips(kTallHeightTwips);
}

void SaveOptions::changeWidth() {
  const auto value = numericValue(widthBox->text().toStdString());
  if (value && *value <= kMaxWidth) return;
  services_.message(value ? "width must be <=16000" : "width must be numeric");
  const QSignalBlocker quiet(widthBox);
  widthBox->clear();
}

void SaveOptions::save() {
  if (saving_) return;  // a long export lets events run
  const bool metafile = format() == ExportFormat::Emf;
  if (!metafile && state_.triangleMode && widthValue().value_or(0) < 1) {
    services_.message("width must be at least 1");
    return;
  }
  saving_ = true;
  host_.setPreviewVisible(false);
  if (metafile) {
    const auto name = services_.saveFileName(
        {kSaveFileTitle, exportFileKind(ExportFormat::Emf).filter, "emf", true, true});
    if (!name || name->empty()) {
      saving_ = false;
      cancel();
      return;
    }
    // The notice's OK hides the dialog after a save.
    if (!host_.runExport(*name)) hide();
  } else {
    host_.runExport({});
    hide();
  }
  saving_ = false;
}

void SaveOptions::cancel() {
  if (state_.previewOpen) host_.setPreviewVisible(true);
  hide();
}

void SaveOptions::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  activate();
}

void SaveOptions::closeEvent(QCloseEvent* event) {
  event->ignore();
  cancel();
}

}  // namespace quill
