#include "mainwindow/PaletteBar.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "engine/Palettes.h"
#include "gfx/QtColor.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"
#include "platform/MakeWidget.h"

namespace quill {

namespace {

const char* const kDigitCaptions[16] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                        "8", "9", "A", "B", "C", "D", "E", "F"};
const char* const kPresetCaptions[3] = {"spectrum", "bright", "dark"};

}  // namespace

void paintSwatch(QLabel* label, Color color) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, toQColor(color));
  palette.setColor(QPalette::WindowText, isDark(color) ? Qt::white : Qt::black);
  label->setPalette(palette);
}

PaletteBar::PaletteBar(PatternState& state, WindowDirectory& windows, QWidget* window)
    : QObject(window), state_(state), windows_(windows) {
  static const char* const kNames[16] = {"chip0",  "chip1",  "chip2",  "chip3", "chip4",  "chip5",
                                         "chip6",  "chip7",  "chip8",  "chip9", "chip10", "chip11",
                                         "chip12", "chip13", "chip14", "chip15"};
  constexpr int kChipWidth = 19;
  constexpr int kChipHeight = 20;
  for (int k = 0; k < 16; ++k) {
    const QRect place(8 + (k % 8) * 20 - (k % 8 == 7 ? 1 : 0), 450 + (k / 8) * 22, kChipWidth, kChipHeight);
    QLabel* chip = makeWidget<QLabel>(window, kNames[k], place);
    chip->setAlignment(Qt::AlignCenter);
    chip->setAutoFillBackground(true);
    chip->setFrameShape(QFrame::Box);
    chip->setCursor(Qt::PointingHandCursor);
    chip->installEventFilter(window);
    chips_[k] = chip;
  }
  presetButton_ = makeWidget<QPushButton>(window, "Command3", QRect(8, 498, 76, 24), kPresetCaptions[nextPreset_]);
  randomButton_ = makeWidget<QPushButton>(window, "Command1", QRect(88, 498, 76, 24), "random");
  blendButton_ = makeWidget<QPushButton>(window, "Command6", QRect(8, 526, 156, 24), "blend options");
  connect(presetButton_, &QPushButton::clicked, this, [this] { loadNextPreset(); });
  connect(randomButton_, &QPushButton::clicked, this, [this] { randomPalette(); });
  connect(blendButton_, &QPushButton::clicked, this, [this] { windows_.showBlendOptions(); });
}

int PaletteBar::chipIndex(const QObject* widget) const {
  const auto found = std::find(chips_.begin(), chips_.end(), widget);
  return found == chips_.end() ? -1 : static_cast<int>(found - chips_.begin());
}

void PaletteBar::setChip(int index, Color color) {
  state_.chipColors[static_cast<size_t>(index)] = color;
  paintSwatch(chips_[static_cast<size_t>(index)], color);
}

void PaletteBar::showChips() {
  for (int i = 0; i < 16; ++i) {
    paintSwatch(chips_[static_cast<size_t>(i)], state_.chipColors[static_cast<size_t>(i)]);
    chips_[static_cast<size_t>(i)]->setText(kDigitCaptions[i]);
  }
}

void PaletteBar::applyPreset(int16_t which) {
  if (which < 0 || which > 2) return;
  showColours(presetPalette(which));
}

void PaletteBar::resetPresets() {
  applyPreset(0);
  nextPreset_ = 1;
  presetButton_->setText(kPresetCaptions[nextPreset_]);
}

void PaletteBar::showColours(const Palette& palette) {
  state_.chipColors = palette;
  showChips();
}

// The caption names the palette the click loads: bright, dark, spectrum, bright, ...
void PaletteBar::loadNextPreset() {
  applyPreset(nextPreset_);
  nextPreset_ = static_cast<int16_t>((nextPreset_ + 1) % 3);
  presetButton_->setText(kPresetCaptions[nextPreset_]);
}

void PaletteBar::randomPalette() {
  DesktopServices& services = windows_.services();
  for (int i = 0; i < 16; ++i) setChip(i, static_cast<Color>(std::floor(services.random() * 16777216.0)));
}

void PaletteBar::cancelSwap() {
  swapPending_ = false;
  for (QLabel* chip : chips_) chip->setFrameShape(QFrame::Box);
}

// Left button: pick a new colour. Any other button: the first click marks a
// chip (its border goes off), the second exchanges the two colours.
void PaletteBar::chipReleased(int index, Qt::MouseButton button) {
  if (index < 0 || index > 15) return;
  if (button == Qt::LeftButton) {
    windows_.hidePreview();
    const Color current = state_.chipColors[static_cast<size_t>(index)];
    setChip(index, windows_.services().pickColor(current).value_or(current));
    if (state_.previewOpen) windows_.showPreview();
  } else if (!swapPending_) {
    swapPending_ = true;
    swapFirst_ = static_cast<int16_t>(index);
    chips_[static_cast<size_t>(index)]->setFrameShape(QFrame::NoFrame);
  } else {
    const Color first = state_.chipColors[static_cast<size_t>(swapFirst_)];
    setChip(swapFirst_, state_.chipColors[static_cast<size_t>(index)]);
    setChip(index, first);
    cancelSwap();
  }
  showChips();
}

}  // namespace quill
