#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace quill {

class DesktopServices;

// The values the division dialog hands to a frame capture.
struct DivisionSettings {
  int16_t levels = 0;
  int16_t fractionsLimit = 1;
  int16_t fractions = 0;
  int16_t order = 0;
  int16_t tailLaunch = 4;
  int16_t tailLength = 4;
};

// "division control": how often each cell is split into four, how many
// leaves share one digit, the child order and the gap pattern. Modeless; its
// close box only hides it, so the settings stay for the whole run.
class DivisionDialog : public QWidget {
  Q_OBJECT

 public:
  DivisionDialog(DesktopServices& services, QWidget* parent = nullptr);

  // The main window's cell-count labels follow the fractions (changeGridSize
  // with index 1, then triCount).
  std::function<void()> refreshCellCounts;

  void changeLevels();
  void changeFractions();
  void changeOrder();
  void changeTailLaunch();
  void changeTailLength();

  DivisionSettings settings() const;
  // Puts a frame's values back in the order levels, fractions maximum,
  // fractions, order, length, offset; the levels handler runs on the way.
  void applySettings(const DivisionSettings& s);
  // The number of leaves that share one digit, as its label shows it.
  double fractionsShown() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void checkGapBox(QLineEdit* box, QString& lastGood, bool isPeriod);

  DesktopServices& services_;
  QScrollBar* levelsBar_ = nullptr;
  QScrollBar* fractionsBar_ = nullptr;
  QScrollBar* orderBar_ = nullptr;
  QLabel* leavesLabel_ = nullptr;
  QLabel* levelsValue_ = nullptr;
  QLabel* groupSizeLabel_ = nullptr;
  QLabel* fractionsValue_ = nullptr;
  QLabel* orderName_ = nullptr;
  QLineEdit* gapPeriodBox_ = nullptr;
  QLineEdit* gapLengthBox_ = nullptr;
  QString lastGoodLaunch_ = QStringLiteral("4");
  QString lastGoodLength_ = QStringLiteral("4");
  bool restoring_ = false;
};

// The i16 a gap box's text stands for (round half to even), or nullopt when
// it is not a number or does not fit.
std::optional<int16_t> gapValue(const QString& text);

}  // namespace quill
