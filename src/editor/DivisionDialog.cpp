#include "editor/DivisionDialog.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

#include "engine/Rounding.h"
#include "platform/DesktopServices.h"
#include "platform/MakeWidget.h"

namespace quill {

namespace {

constexpr const char* kOrderNames[] = {"spiral out", "book", "cross", "spiral in"};

QLabel* label(QWidget* parent, const char* name, QRect geometry, const char* text) {
  auto* l = makeWidget<QLabel>(parent, name, geometry);
  l->setText(text);
  return l;
}

QScrollBar* makeScroll(QWidget* parent, const char* name, QRect geometry, int max, QLabel* caption) {
  auto* bar = makeWidget<QScrollBar>(parent, name, geometry);
  bar->setOrientation(Qt::Horizontal);
  bar->setRange(0, max);
  bar->setPageStep(1);
  caption->setBuddy(bar);
  return bar;
}

// Plain numbers only: an optional sign, digits and at most one decimal point.
std::optional<double> plainNumber(const QString& text) {
  const QString t = text.trimmed();
  bool digit = false, point = false;
  for (int i = 0; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c.isDigit()) {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else if (!((c == '-' || c == '+') && i == 0)) {
      return std::nullopt;
    }
  }
  if (!digit) return std::nullopt;
  return t.toDouble();
}

}  // namespace

std::optional<int16_t> gapValue(const QString& text) {
  const std::optional<double> v = plainNumber(text);
  if (!v) return std::nullopt;
  const double r = roundHalfEven(*v);
  if (r < INT16_MIN || r > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(r);
}

DivisionDialog::DivisionDialog(DesktopServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services) {
  setObjectName("frmRecursion");
  setWindowTitle("division control");

  QLabel* caption1 = label(this, "Label1", QRect(10, 8, 160, 16), "number of divisions");
  levelsBar_ = makeScroll(this, "hscLevels", QRect(10, 28, 150, 17), 7, caption1);
  leavesLabel_ = label(this, "lblLevels", QRect(170, 28, 50, 17), "1");
  levelsValue_ = label(this, "lblblueLevels", QRect(224, 28, 24, 17), "0");
  levelsValue_->setStyleSheet("color: blue");

  QLabel* caption2 = label(this, "Label2", QRect(10, 54, 160, 16), "# fractional divisions");
  fractionsBar_ = makeScroll(this, "hscFractions", QRect(10, 74, 150, 17), 1, caption2);
  groupSizeLabel_ = label(this, "lblFractions", QRect(170, 74, 50, 17), "1");
  fractionsValue_ = label(this, "lblblueFractions", QRect(224, 74, 24, 17), "0");
  fractionsValue_->setStyleSheet("color: blue");

  auto* regress = makeWidget<QRadioButton>(this, "optRegress", QRect(10, 100, 120, 20));
  regress->setText("regression");
  regress->setChecked(true);

  QLabel* caption4 = label(this, "Label4", QRect(10, 126, 60, 16), "order");
  orderBar_ = makeScroll(this, "hscOrder", QRect(10, 146, 150, 17), 3, caption4);
  orderName_ = label(this, "Label3", QRect(170, 146, 80, 17), kOrderNames[0]);

  auto* gaps = makeWidget<QGroupBox>(this, "Frame1", QRect(10, 172, 240, 56));
  gaps->setTitle("gap control");
  QLabel* offset = label(gaps, "Label6", QRect(8, 24, 44, 20), "offset");
  gapPeriodBox_ = makeWidget<QLineEdit>(gaps, "txtTailLaunch", QRect(54, 22, 60, 22));
  gapPeriodBox_->setText("4");
  offset->setBuddy(gapPeriodBox_);
  QLabel* length = label(gaps, "Label5", QRect(124, 24, 44, 20), "length");
  gapLengthBox_ = makeWidget<QLineEdit>(gaps, "txtTailLength", QRect(170, 22, 60, 22));
  gapLengthBox_->setText("4");
  length->setBuddy(gapLengthBox_);

  connect(levelsBar_, &QScrollBar::valueChanged, this, [this] { changeLevels(); });
  connect(fractionsBar_, &QScrollBar::valueChanged, this, [this] { changeFractions(); });
  connect(orderBar_, &QScrollBar::valueChanged, this, [this] { changeOrder(); });
  connect(gapPeriodBox_, &QLineEdit::textChanged, this, [this] { changeTailLaunch(); });
  connect(gapLengthBox_, &QLineEdit::textChanged, this, [this] { changeTailLength(); });
  setFixedSize(260, 238);
}

// 4^L leaves per cell; the fractions come down one step at a time until no
// more leaves share a digit than a cell has.
void DivisionDialog::changeLevels() {
  const int levels = levelsBar_->value();
  leavesLabel_->setText(QString::number(1 << (2 * levels)));
  levelsValue_->setText(QString::number(levels));
  while ((1 << (2 * levels)) < (1 << fractionsBar_->value()) && fractionsBar_->value() > 0) {
    fractionsBar_->setValue(fractionsBar_->value() - 1);
  }
  fractionsBar_->setMaximum(2 * levels);
  if (refreshCellCounts) refreshCellCounts();
}

void DivisionDialog::changeFractions() {
  const int f = fractionsBar_->value();
  groupSizeLabel_->setText(QString::number(1 << f));
  fractionsValue_->setText(QString::number(f));
}

void DivisionDialog::changeOrder() { orderName_->setText(kOrderNames[orderBar_->value() & 3]); }

void DivisionDialog::changeTailLaunch() { checkGapBox(gapPeriodBox_, lastGoodLaunch_, true); }
void DivisionDialog::changeTailLength() { checkGapBox(gapLengthBox_, lastGoodLength_, false); }

// Text that is no number becomes "4" with a beep. A number the pattern
// cannot use (a period below 1, anything beyond 16 bits) is refused with a
// message and the last good text comes back, so no render ever sees it.
void DivisionDialog::checkGapBox(QLineEdit* box, QString& lastGood, bool isPeriod) {
  if (restoring_) return;
  const QString text = box->text();
  const auto restore = [&](const QString& good) {
    restoring_ = true;
    box->setText(good);
    restoring_ = false;
  };
  if (!plainNumber(text)) {
    services_.beep();
    restore(QStringLiteral("4"));
    lastGood = QStringLiteral("4");
    return;
  }
  const std::optional<int16_t> value = gapValue(text);
  if (!value || (isPeriod && *value < 1)) {
    services_.message(isPeriod ? "the gap period must be a whole number from 1 to 32767"
                               : "the gap length must be a whole number from -32768 to 32767");
    restore(lastGood);
    return;
  }
  lastGood = text;
}

DivisionSettings DivisionDialog::settings() const {
  DivisionSettings s;
  s.levels = static_cast<int16_t>(levelsBar_->value());
  s.fractionsLimit = static_cast<int16_t>(fractionsBar_->maximum());
  s.fractions = static_cast<int16_t>(fractionsBar_->value());
  s.order = static_cast<int16_t>(orderBar_->value());
  s.tailLaunch = gapValue(gapPeriodBox_->text()).value_or(4);
  s.tailLength = gapValue(gapLengthBox_->text()).value_or(4);
  return s;
}

void DivisionDialog::applySettings(const DivisionSettings& s) {
  levelsBar_->setValue(s.levels);
  fractionsBar_->setMaximum(s.fractionsLimit);
  fractionsBar_->setValue(s.fractions);
  orderBar_->setValue(s.order);
  // Stored values were checked when they were typed or read from a file.
  restoring_ = true;
  lastGoodLength_ = QString::number(s.tailLength);
  lastGoodLaunch_ = QString::number(s.tailLaunch);
  gapLengthBox_->setText(lastGoodLength_);
  gapPeriodBox_->setText(lastGoodLaunch_);
  restoring_ = false;
}

double DivisionDialog::fractionsShown() const { return static_cast<double>(1 << fractionsBar_->value()); }

void DivisionDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
}

}  // namespace quill
