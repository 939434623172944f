#include "mainwindow/BlendModeDialog.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "mainwindow/WindowDirectory.h"

namespace quill {

namespace {
constexpr int kBarLeft = 12;
constexpr int kBarStep = 26;
constexpr int kBarTop = 92;
constexpr int kBarHeight = 120;
}  // namespace

BlendModeDialog::BlendModeDialog(PatternState& state, WindowDirectory& windows, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), windows_(windows) {
  setObjectName("blendmode");
  setWindowTitle("blending options");

  auto* frame = new QGroupBox("blend mode", this);
  frame->setObjectName("Frame1");
  frame->setGeometry(8, 6, 220, 44);
  const char* names[] = {"Option1", "Option2", "Option3"};
  const char* captions[] = {"ave", "add", "sub"};
  for (int v = 0; v < 3; ++v) {
    auto* option = new QRadioButton(captions[v], frame);
    option->setObjectName(names[v]);
    option->setGeometry(10 + 70 * v, 18, 60, 20);
    connect(option, &QRadioButton::clicked, this, [this, v] { chooseVariant(v); });
    options_[v] = option;
  }
  options_[0]->setChecked(true);

  auto* title = new QLabel("digits", this);
  title->setObjectName("Label1");
  title->setGeometry(kBarLeft, 56, 120, 16);
  for (int i = 0; i < kBars; ++i) {
    const int x = kBarLeft + kBarStep * i;
    auto* digits = new QLabel(QString::number(i + 2), this);
    digits->setObjectName(QString("lblDigits%1").arg(i));
    digits->setGeometry(x, 74, 22, 16);
    digits->setAlignment(Qt::AlignCenter);

    auto* bar = new QScrollBar(Qt::Vertical, this);
    bar->setObjectName(QString("CV%1").arg(i));
    bar->setGeometry(x + 3, kBarTop, 16, kBarHeight);
    bar->setRange(0, 100);
    bar->setInvertedAppearance(true);  // 100 at the top, 0 at the bottom
    bar->setInvertedControls(true);
    bar->setValue(100);
    digits->setBuddy(bar);
    connect(bar, &QScrollBar::valueChanged, this, [this, i] { changeWeight(i); });
    bars_[i] = bar;

    auto* percent = new QLabel("100", this);
    percent->setObjectName(QString("dpct%1").arg(i));
    percent->setGeometry(x - 2, kBarTop + kBarHeight + 2, 26, 16);
    percent->setAlignment(Qt::AlignCenter);
    percents_[i] = percent;
  }

  auto* revertButton = new QPushButton("revert", this);
  revertButton->setObjectName("Command2");
  revertButton->setGeometry(kBarLeft, kBarTop + kBarHeight + 26, 80, 26);
  connect(revertButton, &QPushButton::clicked, this, [this] { revert(); });
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Command1");
  ok->setGeometry(kBarLeft + kBarStep * kBars - 84, kBarTop + kBarHeight + 26, 80, 26);
  connect(ok, &QPushButton::clicked, this, [this] { accept(); });

  setFixedSize(kBarLeft * 2 + kBarStep * kBars, kBarTop + kBarHeight + 62);
}

void BlendModeDialog::hidePreviewWhileOpen() { windows_.hidePreview(); }

void BlendModeDialog::chooseVariant(int variant) {
  for (int v = 0; v < 3; ++v) options_[v]->setChecked(v == variant);
  state_.blendVariant = static_cast<int16_t>(variant);
}

void BlendModeDialog::setBar(int index, int value) {
  {
    const QSignalBlocker quiet(bars_[index]);  // the caller keeps the bars in step
    bars_[index]->setValue(value);
  }
  percents_[index]->setText(QString::number(value));
  state_.blendWeights[index] = static_cast<int16_t>(value);
}

// A bar carries all the bars for longer numbers with it; shorter ones stay.
void BlendModeDialog::changeWeight(int index) {
  const int w = bars_[index]->value();
  percents_[index]->setText(QString::number(w));
  state_.blendWeights[index] = static_cast<int16_t>(w);
  for (int j = index + 1; j < kBars; ++j) setBar(j, w);
}

void BlendModeDialog::revert() {
  for (int i = 0; i < kBars; ++i) setBar(i, 100);
}

void BlendModeDialog::accept() {
  if (state_.previewOpen) windows_.showPreview();
  hide();
}

bool BlendModeDialog::chooseVariant(int16_t variant) {
  const bool known = variant >= 0 && variant < 3;
  for (int v = 0; v < 3; ++v) {
    options_[v]->setAutoExclusive(false);  // "none chosen" must be possible
    options_[v]->setChecked(v == variant);
    options_[v]->setAutoExclusive(true);
  }
  state_.blendVariant = variant;
  return known;
}

void BlendModeDialog::showWeights(const std::array<int16_t, 16>& weights) {
  for (int i = 0; i < kBars; ++i) setBar(i, weights[i]);
}

// The close box only hides the dialog, as "OK" does.
void BlendModeDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  accept();
}

}  // namespace quill
