// Building the main window's settings panel: controls, captions, start-up
// values, positions and signal connections.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <cmath>
#include <numbers>

#include "editor/PadEditor.h"
#include "mainwindow/Form1.h"
#include "mainwindow/WindowDirectory.h"

namespace quill {

namespace {

constexpr QSize kIconSize(32, 24);

template <typename W>
W* make(QWidget* parent, const char* name, QRect geometry, const QString& text = {}) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(geometry);
  if constexpr (requires { widget->setText(text); }) {
    if (!text.isNull()) widget->setText(text);
  }
  return widget;
}

QScrollBar* makeScroll(QWidget* parent, const char* name, QRect geometry, int min, int max, int value) {
  auto* bar = make<QScrollBar>(parent, name, geometry);
  bar->setOrientation(Qt::Horizontal);
  bar->setRange(min, max);
  bar->setValue(value);
  return bar;
}

QPixmap gridIcon() {
  QPixmap pixmap(kIconSize);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  for (int x = 2; x <= 30; x += 7) painter.drawLine(x, 2, x, 22);
  for (int y = 2; y <= 22; y += 5) painter.drawLine(2, y, 30, y);
  return pixmap;
}

QPixmap hexagonIcon() {
  QPixmap pixmap(kIconSize);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  const QPointF centre(16, 12);
  QPolygonF hexagon;
  for (int i = 0; i < 6; ++i) {
    const double a = std::numbers::pi / 2 + i * std::numbers::pi / 3;
    hexagon << centre + QPointF(10 * std::cos(a), -10 * std::sin(a));
  }
  painter.drawPolygon(hexagon);
  for (const QPointF& corner : hexagon) painter.drawLine(centre, corner);
  return pixmap;
}

QToolButton* makePicture(QWidget* parent, const char* name, const QPixmap& icon) {
  auto* button = make<QToolButton>(parent, name, QRect(8, 6, 44, 34));
  button->setIcon(icon);
  button->setIconSize(kIconSize);
  return button;
}

}  // namespace

void Form1::createGeometryControls() {
  ui_.PicRect = makePicture(this, "PicRect", gridIcon());
  ui_.picHex = makePicture(this, "picHex", hexagonIcon());
  ui_.Label8 = make<QLabel>(this, "Label8", QRect(60, 14, 104, 18), "triangles");

  ui_.Label1 = make<QLabel>(this, "Label1", QRect(8, 48, 160, 16), "#  polygon vertices ");
  ui_.HScroll1 = makeScroll(this, "HScroll1", QRect(8, 66, 120, 17), 3, 23, 6);
  ui_.Label2 = make<QLabel>(this, "Label2", QRect(134, 66, 32, 17), "6");
  ui_.Label4 = make<QLabel>(this, "Label4", QRect(8, 90, 160, 16), "# concentric layers");
  ui_.HScroll2 = makeScroll(this, "HScroll2", QRect(8, 108, 120, 17), 1, 99, 4);
  ui_.Label5 = make<QLabel>(this, "Label5", QRect(134, 108, 32, 17), "4");
  ui_.Label7 = make<QLabel>(this, "Label7", QRect(8, 132, 120, 17), "96");
}

void Form1::createGridControls() {
  ui_.lblCols = make<QLabel>(this, "lblCols", QRect(8, 50, 70, 18), "# columns");
  ui_.txtDims[0] = make<QLineEdit>(this, "txtDims0", QRect(80, 48, 56, 22), "12");
  ui_.lblRows = make<QLabel>(this, "lblRows", QRect(8, 76, 70, 18), "# rows");
  ui_.txtDims[1] = make<QLineEdit>(this, "txtDims1", QRect(80, 74, 56, 22), "10");
  ui_.lblRects = make<QLabel>(this, "lblRects", QRect(8, 102, 120, 18), "120");
  // A lone option button: it only captures the ratio, and the boxes turn it off.
  ui_.optLock = make<QRadioButton>(this, "optLock", QRect(142, 62, 22, 20));
  ui_.optLock->setAutoExclusive(false);

  ui_.Frame2 = make<QGroupBox>(this, "Frame2", QRect(8, 122, 156, 42));
  ui_.optSpiral = make<QRadioButton>(ui_.Frame2, "optSpiral", QRect(8, 14, 70, 20), "spiral");
  ui_.optLinear = make<QRadioButton>(ui_.Frame2, "optLinear", QRect(80, 14, 70, 20), "book");
  ui_.optLinear->setChecked(true);
}

void Form1::createCountingControls() {
  ui_.Label6 = make<QLabel>(this, "Label6", QRect(8, 172, 120, 16), "number base");
  ui_.HScroll3 = makeScroll(this, "HScroll3", QRect(8, 190, 120, 17), 2, 16, 10);
  ui_.Label9 = make<QLabel>(this, "Label9", QRect(134, 190, 32, 17), "10");
  ui_.Label11 = make<QLabel>(this, "Label11", QRect(8, 214, 150, 16), "start counting at");
  ui_.startval = make<QLineEdit>(this, "startval", QRect(8, 232, 156, 22), "0");
  ui_.decimal = make<QCheckBox>(this, "decimal", QRect(8, 258, 80, 20), "decimal");
  ui_.locked = make<QCheckBox>(this, "locked", QRect(92, 258, 72, 20), "lock");
  ui_.locked->setChecked(true);
}

void Form1::createColourControls() {
  ui_.Frame1 = make<QGroupBox>(this, "Frame1", QRect(8, 282, 156, 42));
  ui_.Option1 = make<QRadioButton>(ui_.Frame1, "Option1", QRect(8, 14, 70, 20), "list");
  ui_.Option2 = make<QRadioButton>(ui_.Frame1, "Option2", QRect(80, 14, 70, 20), "blend");
  ui_.Option2->setChecked(true);
  ui_.Check1 = make<QCheckBox>(this, "Check1", QRect(8, 330, 80, 20), "lines");
  ui_.Check2 = make<QCheckBox>(this, "Check2", QRect(92, 330, 72, 20), "fills");
  ui_.Check1->setChecked(true);
  ui_.Check2->setChecked(true);

  ui_.Label22 = make<QLabel>(this, "Label22", QRect(8, 356, 156, 22), "background");
  ui_.Label22->setAlignment(Qt::AlignCenter);
  ui_.Label22->setAutoFillBackground(true);
  QPalette palette = ui_.Label22->palette();
  palette.setColor(QPalette::Window, QColor(64, 64, 64));
  palette.setColor(QPalette::WindowText, Qt::white);
  ui_.Label22->setPalette(palette);

  ui_.Command2 = make<QPushButton>(this, "Command2", QRect(8, 386, 156, 28), "preview");
  ui_.cmdHide = make<QPushButton>(this, "cmdHide", QRect(8, 418, 156, 24), "hide preview");
  ui_.bmap_button = make<QPushButton>(this, "bmap_button", QRect(8, 556, 156, 24), "save image");
}

void Form1::createPaletteControls() {
  static const char* const kNames[16] = {"chip0",  "chip1",  "chip2",  "chip3", "chip4",  "chip5",
                                         "chip6",  "chip7",  "chip8",  "chip9", "chip10", "chip11",
                                         "chip12", "chip13", "chip14", "chip15"};
  constexpr int kChipWidth = 19;
  constexpr int kChipHeight = 20;
  for (int k = 0; k < 16; ++k) {
    const QRect place(8 + (k % 8) * 20 - (k % 8 == 7 ? 1 : 0), 450 + (k / 8) * 22, kChipWidth, kChipHeight);
    QLabel* chip = make<QLabel>(this, kNames[k], place);
    chip->setAlignment(Qt::AlignCenter);
    chip->setAutoFillBackground(true);
    chip->setFrameShape(QFrame::Box);
    chip->setCursor(Qt::PointingHandCursor);
    chip->installEventFilter(this);
    ui_.chip[k] = chip;
  }
  ui_.Label22->installEventFilter(this);
  ui_.Label22->setCursor(Qt::PointingHandCursor);
  ui_.Command3 = make<QPushButton>(this, "Command3", QRect(8, 498, 76, 24), "bright");
  ui_.Command1 = make<QPushButton>(this, "Command1", QRect(88, 498, 76, 24), "random");
  ui_.Command6 = make<QPushButton>(this, "Command6", QRect(8, 526, 156, 24), "blend options");
}

void Form1::createPad() {
  pad_ = new PadEditor(state_, windows_.services(), this);
  pad_->move(kPanelWidthTwips / kTwipsPerPixel, 0);
  pad_->recomputeTables = [this] { hscroll2_change(); };
}

void Form1::connectSignals() {
  connect(ui_.PicRect, &QToolButton::clicked, this, [this] { PicRect_Click(); });
  connect(ui_.picHex, &QToolButton::clicked, this, [this] { picHex_Click(); });
  connect(ui_.HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
  connect(ui_.HScroll2, &QScrollBar::valueChanged, this, [this] { hscroll2_change(); });
  connect(ui_.HScroll3, &QScrollBar::valueChanged, this, [this] { HScroll3_Change(); });
  // textChanged also fires when code sets the text, which is what the boxes'
  // handlers rely on.
  for (int i = 0; i < 2; ++i) {
    connect(ui_.txtDims[i], &QLineEdit::textChanged, this, [this, i] { txtDims_Change(i); });
  }
  connect(ui_.startval, &QLineEdit::textChanged, this, [this] { startval_Change(); });
  connect(ui_.decimal, &QCheckBox::toggled, this, [this] { decimal_Click(); });
  connect(ui_.optLock, &QRadioButton::clicked, this, [this] {
    ui_.optLock->setChecked(true);  // clicking an option button never turns it off
    optLock_Click();
  });
  // Option buttons answer when they are turned on, by a click or by code.
  const auto onTurnedOn = [this](QRadioButton* button, void (Form1::*handler)()) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
      if (on) (this->*handler)();
    });
  };
  onTurnedOn(ui_.optSpiral, &Form1::optSpiral_Click);
  onTurnedOn(ui_.optLinear, &Form1::optLinear_Click);
  onTurnedOn(ui_.Option1, &Form1::Option1_Click);
  onTurnedOn(ui_.Option2, &Form1::Option2_Click);
  connect(ui_.cmdHide, &QPushButton::clicked, this, [this] { cmdHide_Click(); });
  connect(ui_.Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(ui_.Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(ui_.Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
  connect(ui_.bmap_button, &QPushButton::clicked, this, [this] { bmap_button_Click(); });
  ui_.Command2->installEventFilter(this);
}

}  // namespace quill
