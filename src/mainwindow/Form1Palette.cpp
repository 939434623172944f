// The palette chips, the preset and random palettes, chip swapping and the
// background colour.
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "engine/Palettes.h"
#include "mainwindow/Form1.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"
#include "gfx/QtColor.h"

namespace quill {

namespace {

const char* const kDigitCaptions[16] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                        "8", "9", "A", "B", "C", "D", "E", "F"};

Color labelColor(const QLabel* label) { return fromQColor(label->palette().color(QPalette::Window)); }

}  // namespace

// Background and readable text (white on dark colours, black otherwise).
void Form1::paintLabel(QLabel* label, Color color) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, toQColor(color));
  palette.setColor(QPalette::WindowText, isDark(color) ? Qt::white : Qt::black);
  label->setPalette(palette);
}

Color Form1::chipColor(int index) const { return labelColor(ui_.chip[index]); }

void Form1::setChipColor(int index, Color color) { paintLabel(ui_.chip[index], color); }

void Form1::applyPalette(int16_t which) {
  if (which < 0 || which > 2) return;
  const Palette& preset = presetPalette(which);
  for (int i = 0; i < 16; ++i) setChipColor(i, preset[i]);
  refreshChips();
}

void Form1::refreshChips() {
  for (int i = 0; i < 16; ++i) {
    state_.chipColors[i] = chipColor(i);
    paintLabel(ui_.chip[i], state_.chipColors[i]);
    ui_.chip[i]->setText(kDigitCaptions[i]);
  }
}

Color Form1::getcolor(Color initial) { return services().pickColor(initial).value_or(initial); }

// The caption names the palette the click loads: bright, dark, spectrum, bright, ...
void Form1::Command3_Click() {
  const QString caption = ui_.Command3->text();
  if (caption == QLatin1String("bright")) {
    applyPalette(1);
    ui_.Command3->setText(QStringLiteral("dark"));
  } else if (caption == QLatin1String("dark")) {
    applyPalette(2);
    ui_.Command3->setText(QStringLiteral("spectrum"));
  } else {
    applyPalette(0);
    ui_.Command3->setText(QStringLiteral("bright"));
  }
}

void Form1::Command1_Click() {
  for (int i = 0; i < 16; ++i) {
    state_.chipColors[i] = static_cast<Color>(std::floor(services().random() * 16777216.0));
    setChipColor(i, state_.chipColors[i]);
  }
}

void Form1::showPreviewIfOpen() {
  if (state_.previewOpen) windows_.showPreview();
}

// Left button: pick a new colour. Any other button: the first click marks a
// chip (its border goes off), the second exchanges the two colours.
void Form1::chip_MouseUp(int index, Qt::MouseButton button) {
  if (state_.updatingControls || index < 0 || index > 15) return;
  if (button == Qt::LeftButton) {
    windows_.hidePreview();
    setChipColor(index, getcolor(chipColor(index)));
    ui_.chip[index]->setText(QString::number(index));
    showPreviewIfOpen();
  } else if (!swapPending_) {
    swapPending_ = true;
    swapFirst_ = static_cast<int16_t>(index);
    ui_.chip[index]->setFrameShape(QFrame::NoFrame);
  } else {
    const Color first = chipColor(swapFirst_);
    setChipColor(swapFirst_, chipColor(index));
    setChipColor(index, first);
    swapPending_ = false;
    for (QLabel* chip : ui_.chip) chip->setFrameShape(QFrame::Box);
  }
  refreshChips();
  settingsChanged();
}

void Form1::Label22_Click() {
  if (state_.updatingControls) return;
  windows_.hidePreview();
  paintLabel(ui_.Label22, getcolor(backColor()));
  showPreviewIfOpen();
  settingsChanged();
}

void Form1::Command6_Click() { windows_.showBlendOptions(); }

}  // namespace quill
