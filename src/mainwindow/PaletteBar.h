#pragma once
#include <QObject>
#include <array>
#include <cstdint>

#include "engine/PatternState.h"

class QLabel;
class QPushButton;
class QWidget;

namespace quill {

class DesktopServices;
class WindowDirectory;

// A colour label: its background, with readable text (white on dark colours,
// black otherwise).
void paintSwatch(QLabel* label, Color color);

// The palette bar under the settings panel: the 16 digit chips "0" to "F",
// the preset palettes, "random" and "blend options". The colours live in
// state.chipColors; the chips only show them. A left click on a chip picks a
// new colour; a click of another button marks a chip, and a second one
// exchanges the two colours.
class PaletteBar : public QObject {
 public:
  // The chips' mouse events go to `window`'s event filter, which hands the
  // releases to chipReleased.
  PaletteBar(PatternState& state, WindowDirectory& windows, QWidget* window);

  // 0 "spectrum", 1 "bright", 2 "dark".
  void applyPreset(int16_t which);
  // The start-up palette, with the preset button offering "bright" next.
  void resetPresets();
  // The colours of a frame put back.
  void showColours(const Palette& palette);
  void loadNextPreset();  // the preset button
  void randomPalette();   // "random"
  void chipReleased(int index, Qt::MouseButton button);
  bool swapPending() const { return swapPending_; }
  void cancelSwap();
  // The chip a watched widget is, or -1.
  int chipIndex(const QObject* widget) const;
  QPushButton* presetButton() const { return presetButton_; }
  QPushButton* randomButton() const { return randomButton_; }

 private:
  void setChip(int index, Color color);
  void showChips();

  PatternState& state_;
  WindowDirectory& windows_;
  std::array<QLabel*, 16> chips_{};
  QPushButton* presetButton_ = nullptr;
  QPushButton* randomButton_ = nullptr;
  QPushButton* blendButton_ = nullptr;
  int16_t nextPreset_ = 1;  // what the preset button loads, and says
  bool swapPending_ = false;
  int16_t swapFirst_ = 0;
};

}  // namespace quill
