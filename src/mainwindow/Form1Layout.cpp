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
#include "mainwindow/KeyPreview.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/MakeWidget.h"

namespace quill {

namespace {

constexpr QSize kIconSize(32, 24);

QScrollBar* makeScroll(QWidget* parent, const char* name, QRect geometry, int min, int max, int value) {
  auto* bar = makeWidget<QScrollBar>(parent, name, geometry);
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

QToolButton* makePicture(QWidget* parent, const char* name, const QPixmap& icon, const char* geometry) {
  auto* button = makeWidget<QToolButton>(parent, name, QRect(8, 6, 44, 34));
  button->setAccessibleName(geometry);
  button->setToolTip(geometry);
  button->setIcon(icon);
  button->setIconSize(kIconSize);
  return button;
}

}  // namespace

void Form1::createGeometryControls() {
  // Named by the geometry each switches to.
  ui_.PicRect = makePicture(this, "PicRect", gridIcon(), "rectangles");
  ui_.picHex = makePicture(this, "picHex", hexagonIcon(), "triangles");
  ui_.Label8 = makeWidget<QLabel>(this, "Label8", QRect(60, 14, 104, 18), "triangles");

  ui_.Label1 = makeWidget<QLabel>(this, "Label1", QRect(8, 48, 160, 16), "#  polygon vertices ");
  ui_.HScroll1 = makeScroll(this, "HScroll1", QRect(8, 66, 120, 17), 3, 23, 6);
  ui_.Label1->setBuddy(ui_.HScroll1);
  ui_.Label2 = makeWidget<QLabel>(this, "Label2", QRect(134, 66, 32, 17), "6");
  ui_.Label4 = makeWidget<QLabel>(this, "Label4", QRect(8, 90, 160, 16), "# concentric layers");
  ui_.HScroll2 = makeScroll(this, "HScroll2", QRect(8, 108, 120, 17), 1, 99, 4);
  ui_.Label4->setBuddy(ui_.HScroll2);
  ui_.Label5 = makeWidget<QLabel>(this, "Label5", QRect(134, 108, 32, 17), "4");
  ui_.Label7 = makeWidget<QLabel>(this, "Label7", QRect(8, 132, 120, 17), "96");
}

void Form1::createGridControls() {
  ui_.lblCols = makeWidget<QLabel>(this, "lblCols", QRect(8, 50, 70, 18), "# columns");
  ui_.txtDims[0] = makeWidget<QLineEdit>(this, "txtDims0", QRect(80, 48, 56, 22), "12");
  ui_.lblCols->setBuddy(ui_.txtDims[0]);
  ui_.lblRows = makeWidget<QLabel>(this, "lblRows", QRect(8, 76, 70, 18), "# rows");
  ui_.txtDims[1] = makeWidget<QLineEdit>(this, "txtDims1", QRect(80, 74, 56, 22), "10");
  ui_.lblRows->setBuddy(ui_.txtDims[1]);
  ui_.lblRects = makeWidget<QLabel>(this, "lblRects", QRect(8, 102, 120, 18), "120");
  // A lone option button: it only captures the ratio, and the boxes turn it off.
  ui_.optLock = makeWidget<QRadioButton>(this, "optLock", QRect(142, 62, 22, 20));
  ui_.optLock->setAutoExclusive(false);
  ui_.optLock->setAccessibleName("lock ratio");

  ui_.Frame2 = makeWidget<QGroupBox>(this, "Frame2", QRect(8, 122, 156, 42));
  ui_.optSpiral = makeWidget<QRadioButton>(ui_.Frame2, "optSpiral", QRect(8, 14, 70, 20), "spiral");
  ui_.optLinear = makeWidget<QRadioButton>(ui_.Frame2, "optLinear", QRect(80, 14, 70, 20), "book");
  ui_.optLinear->setChecked(true);
}

void Form1::createCountingControls() {
  ui_.Label6 = makeWidget<QLabel>(this, "Label6", QRect(8, 172, 120, 16), "number base");
  ui_.HScroll3 = makeScroll(this, "HScroll3", QRect(8, 190, 120, 17), 2, 16, 10);
  ui_.Label6->setBuddy(ui_.HScroll3);
  ui_.Label9 = makeWidget<QLabel>(this, "Label9", QRect(134, 190, 32, 17), "10");
  ui_.Label11 = makeWidget<QLabel>(this, "Label11", QRect(8, 214, 150, 16), "start counting at");
  ui_.startval = makeWidget<QLineEdit>(this, "startval", QRect(8, 232, 128, 22), "0");
  ui_.Label11->setBuddy(ui_.startval);
  ui_.decimal = makeWidget<QCheckBox>(this, "decimal", QRect(8, 258, 80, 20), "decimal");
  ui_.locked = makeWidget<QCheckBox>(this, "locked", QRect(92, 258, 72, 20), "lock");
  ui_.locked->setChecked(true);
}

void Form1::createColourControls() {
  ui_.Frame1 = makeWidget<QGroupBox>(this, "Frame1", QRect(8, 282, 156, 42));
  ui_.Option1 = makeWidget<QRadioButton>(ui_.Frame1, "Option1", QRect(8, 14, 70, 20), "list");
  ui_.Option2 = makeWidget<QRadioButton>(ui_.Frame1, "Option2", QRect(80, 14, 70, 20), "blend");
  ui_.Option2->setChecked(true);
  ui_.Check1 = makeWidget<QCheckBox>(this, "Check1", QRect(8, 330, 80, 20), "lines");
  ui_.Check2 = makeWidget<QCheckBox>(this, "Check2", QRect(92, 330, 72, 20), "fills");
  ui_.Check1->setChecked(true);
  ui_.Check2->setChecked(true);

  ui_.Label22 = makeWidget<QLabel>(this, "Label22", QRect(8, 356, 156, 22), "background");
  ui_.Label22->setAlignment(Qt::AlignCenter);
  ui_.Label22->setAutoFillBackground(true);
  QPalette palette = ui_.Label22->palette();
  palette.setColor(QPalette::Window, QColor(64, 64, 64));
  palette.setColor(QPalette::WindowText, Qt::white);
  ui_.Label22->setPalette(palette);

  ui_.Command2 = makeWidget<QPushButton>(this, "Command2", QRect(8, 386, 100, 28), "preview");
  ui_.chkLive = makeWidget<QCheckBox>(this, "chkLive", QRect(114, 390, 52, 20), "live");
  ui_.cmdHide = makeWidget<QPushButton>(this, "cmdHide", QRect(8, 418, 156, 24), "hide preview");
}

void Form1::createPaletteControls() {
  static const char* const kNames[16] = {"chip0",  "chip1",  "chip2",  "chip3", "chip4",  "chip5",
                                         "chip6",  "chip7",  "chip8",  "chip9", "chip10", "chip11",
                                         "chip12", "chip13", "chip14", "chip15"};
  constexpr int kChipWidth = 19;
  constexpr int kChipHeight = 20;
  for (int k = 0; k < 16; ++k) {
    const QRect place(8 + (k % 8) * 20 - (k % 8 == 7 ? 1 : 0), 450 + (k / 8) * 22, kChipWidth, kChipHeight);
    QLabel* chip = makeWidget<QLabel>(this, kNames[k], place);
    chip->setAlignment(Qt::AlignCenter);
    chip->setAutoFillBackground(true);
    chip->setFrameShape(QFrame::Box);
    chip->setCursor(Qt::PointingHandCursor);
    chip->installEventFilter(this);
    ui_.chip[k] = chip;
  }
  ui_.Label22->installEventFilter(this);
  ui_.Label22->setCursor(Qt::PointingHandCursor);
  ui_.Command3 = makeWidget<QPushButton>(this, "Command3", QRect(8, 498, 76, 24), "bright");
  ui_.Command1 = makeWidget<QPushButton>(this, "Command1", QRect(88, 498, 76, 24), "random");
  ui_.Command6 = makeWidget<QPushButton>(this, "Command6", QRect(8, 526, 156, 24), "blend options");
}

void Form1::createPad() {
  pad_ = new PadEditor(state_, windows_.services(), this);
  pad_->move(kPanelWidthTwips / kTwipsPerPixel, 0);
  pad_->recomputeTables = [this] { hscroll2_change(); };
}

void Form1::createCommandControls() {
  ui_.Command4 = makeWidget<QPushButton>(this, "Command4", QRect(140, 232, 24, 22), "R");
  QFont bold = ui_.Command4->font();
  bold.setBold(true);
  ui_.Command4->setFont(bold);
  ui_.Command4->setToolTip("the start value of the last preview");
  ui_.cmdRecurse = makeWidget<QPushButton>(this, "cmdRecurse", QRect(8, 556, 76, 24), "divide");
  ui_.cmdAnimate = makeWidget<QPushButton>(this, "cmdAnimate", QRect(88, 556, 76, 24), "animate");
  ui_.Command5 = makeWidget<QPushButton>(this, "Command5", QRect(8, 584, 76, 24), "save state");
  ui_.Command7 = makeWidget<QPushButton>(this, "Command7", QRect(88, 584, 76, 24), "load state");
  ui_.bmap_button = makeWidget<QPushButton>(this, "bmap_button", QRect(8, 612, 156, 24), "save image");
}

// One set of history buttons in the panel, which stays in view with the
// narrow grid window, and one under the pad.
void Form1::createHistoryControls() {
  struct Row {
    const char* names[2];
    const char* caption;
    std::array<QPushButton*, 2>* buttons;
    int x, width;
  };
  const Row rows[] = {{{"cmdJumpBack", "Command11"}, "<<", &ui_.jumpBack, 0, 37},
                      {{"Command8", "Command12"}, "<", &ui_.stepBack, 39, 37},
                      {{"Command9", "Command13"}, ">", &ui_.stepForward, 78, 37},
                      {{"cmdJumpFwd", "Command14"}, ">>", &ui_.jumpForward, 117, 39}};
  const int padLeft = kPanelWidthTwips / kTwipsPerPixel;
  constexpr int kHistoryUnderPadTop = PadEditor::kToolsBottom + 8;
  for (const Row& r : rows) {
    (*r.buttons)[0] = makeWidget<QPushButton>(this, r.names[0], QRect(8 + r.x, 644, r.width, 24), r.caption);
    (*r.buttons)[1] = makeWidget<QPushButton>(this, r.names[1], QRect(padLeft + 6 + r.x, kHistoryUnderPadTop, r.width, 24), r.caption);
  }
  ui_.modify[0] = makeWidget<QPushButton>(this, "Command10", QRect(8, 672, 156, 24), "modify frame");
  ui_.modify[1] = makeWidget<QPushButton>(this, "cmdModify2", QRect(padLeft + 172, kHistoryUnderPadTop, 100, 24), "modify frame");
  ui_.cmdNewAni = makeWidget<QPushButton>(this, "cmdNewAni", QRect(8, 700, 156, 24), "new animation");
  ui_.lblXofY = makeWidget<QLabel>(this, "lblXofY", QRect(8, 726, 56, 18), "0 of 0");
  ui_.Label3 = makeWidget<QLabel>(this, "Label3", QRect(66, 726, 98, 18), "frame 1 of 1");
  ui_.lblAniName = makeWidget<QLabel>(this, "lblAniName", QRect(padLeft + 286, kHistoryUnderPadTop + 4, 200, 18), "");
}

void Form1::connectCommands() {
  const auto onClick = [this](QPushButton* button, auto handler) {
    connect(button, &QPushButton::clicked, this, handler);
  };
  onClick(ui_.Command4, [this] { Command4_Click(); });
  onClick(ui_.cmdRecurse, [this] { cmdRecurse_Click(); });
  onClick(ui_.cmdAnimate, [this] { cmdAnimate_Click(); });
  onClick(ui_.Command5, [this] { Command5_Click(); });
  onClick(ui_.Command7, [this] { Command7_Click(); });
  onClick(ui_.cmdNewAni, [this] { cmdNewAni_Click(); });
  for (int i = 0; i < 2; ++i) {
    onClick(ui_.jumpBack[i], [this] { cmdJumpBack_Click(); });
    onClick(ui_.jumpForward[i], [this] { cmdJumpFwd_Click(); });
    // The step buttons are the Ctrl+Z and Ctrl+X of the key handler.
    onClick(ui_.stepBack[i], [this] { Form_KeyDown('Z', kCtrlBit); });
    onClick(ui_.stepForward[i], [this] { Form_KeyDown('X', kCtrlBit); });
    onClick(ui_.modify[i], [this] { Command10_Click(); });
  }
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
  connectLiveRedraws();
}

}  // namespace quill
