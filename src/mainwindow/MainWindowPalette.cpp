// The palette chips, the preset and random palettes, chip swapping and the
// background colour.
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "engine/Palettes.h"
#include "mainwindow/MainWindow.h"
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
void MainWindow::paintLabel(QLabel* label, Color color) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, toQColor(color));
  palette.setColor(QPalette::WindowText, isDark(color) ? Qt::white : Qt::black);
  label->setPalette(palette);
}

Color MainWindow::chipColor(int index) const { return labelColor(ui_.chips[index]); }

void MainWindow::setChipColor(int index, Color color) { paintLabel(ui_.chips[index], color); }

void MainWindow::applyPalette(int16_t which) {
  if (which < 0 || which > 2) return;
  const Palette& preset = presetPalette(which);
  for (int i = 0; i < 16; ++i) setChipColor(i, preset[i]);
  refreshChips();
}

void MainWindow::refreshChips() {
  for (int i = 0; i < 16; ++i) {
    state_.chipColors[i] = chipColor(i);
    paintLabel(ui_.chips[i], state_.chipColors[i]);
    ui_.chips[i]->setText(kDigitCaptions[i]);
  }
}

Color MainWindow::pickColour(Color initial) { return services().pickColor(initial).value_or(initial); }

// The caption names the palette the click loads: bright, dark, spectrum, bright, ...
void MainWindow::loadNextPreset() {
  const QString caption = ui_.presetButton->text();
  if (caption == QLatin1String("bright")) {
    applyPalette(1);
    ui_.presetButton->setText(QStringLiteral("dark"));
  } else if (caption == QLatin1String("dark")) {
    applyPalette(2);
    ui_.presetButton->setText(QStringLiteral("spectrum"));
  } else {
    applyPalette(0);
    ui_.presetButton->setText(QStringLiteral("bright"));
  }
}

void MainWindow::randomPalette() {
  for (int i = 0; i < 16; ++i) {
    state_.chipColors[i] = static_cast<Color>(std::floor(services().random() * 16777216.0));
    setChipColor(i, state_.chipColors[i]);
  }
}

void MainWindow::showPreviewIfOpen() {
  if (state_.previewOpen) windows_.showPreview();
}

// Left button: pick a new colour. Any other button: the first click marks a
// chip (its border goes off), the second exchanges the two colours.
void MainWindow::chipReleased(int index, Qt::MouseButton button) {
  if (writingControls_ || index < 0 || index > 15) return;
  if (button == Qt::LeftButton) {
    windows_.hidePreview();
    setChipColor(index, pickColour(chipColor(index)));
    ui_.chips[index]->setText(QString::number(index));
    showPreviewIfOpen();
  } else if (!swapPending_) {
    swapPending_ = true;
    swapFirst_ = static_cast<int16_t>(index);
    ui_.chips[index]->setFrameShape(QFrame::NoFrame);
  } else {
    const Color first = chipColor(swapFirst_);
    setChipColor(swapFirst_, chipColor(index));
    setChipColor(index, first);
    swapPending_ = false;
    for (QLabel* chip : ui_.chips) chip->setFrameShape(QFrame::Box);
  }
  refreshChips();
  settingsChanged();
}

void MainWindow::pickBackground() {
  if (writingControls_) return;
  windows_.hidePreview();
  setBackground(pickColour(backColor()));
  showPreviewIfOpen();
  settingsChanged();
}

void MainWindow::showBlendOptions() { windows_.showBlendOptions(); }

}  // namespace quill
