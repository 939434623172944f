#pragma once
#include <QWidget>
#include <array>

#include "engine/PatternState.h"

class QCloseEvent;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace quill {

class WindowDirectory;

// "blending options": the blend rule and a weight per number length. Its
// settings are live pattern values; the window is loaded once and afterwards
// only shown and hidden, so it keeps its values for the whole run.
class BlendModeDialog : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kBars = 15;  // numbers of 2..16 digits

  BlendModeDialog(PatternState& state, WindowDirectory& windows, QWidget* parent = nullptr);

  void hidePreviewWhileOpen();
  void chooseVariant(int variant);  // Option1, Option2, Option3: 0 "ave", 1 "add", 2 "sub"
  void changeWeight(int index);
  void accept();  // "OK"
  void revert();  // "revert"

  // Frame apply: chooses the rule's option (false, none chosen, for a rule
  // outside 0..2) and shows weights 0..14, which also become the live ones.
  bool chooseVariant(int16_t variant);
  void showWeights(const std::array<int16_t, 16>& weights);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void setBar(int index, int value);

  PatternState& state_;
  WindowDirectory& windows_;
  std::array<QRadioButton*, 3> options_{};
  std::array<QScrollBar*, kBars> bars_{};
  std::array<QLabel*, kBars> percents_{};
};

}  // namespace quill
