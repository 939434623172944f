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
#include "mainwindow/MainWindow.h"
#include "mainwindow/HistoryBar.h"
#include "mainwindow/KeyPreview.h"
#include "mainwindow/PaletteBar.h"
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

void MainWindow::createGeometryControls() {
  // Named by the geometry each switches to.
  ui_.rectanglesButton = makePicture(this, "PicRect", gridIcon(), "rectangles");
  ui_.trianglesButton = makePicture(this, "picHex", hexagonIcon(), "triangles");
  ui_.geometryLabel = makeWidget<QLabel>(this, "Label8", QRect(60, 14, 104, 18), "triangles");

  ui_.vertexCaption = makeWidget<QLabel>(this, "Label1", QRect(8, 48, 160, 16), "#  polygon vertices ");
  ui_.vertexBar = makeScroll(this, "HScroll1", QRect(8, 66, 120, 17), 3, 23, 6);
  ui_.vertexCaption->setBuddy(ui_.vertexBar);
  ui_.vertexValue = makeWidget<QLabel>(this, "Label2", QRect(134, 66, 32, 17), "6");
  ui_.layerCaption = makeWidget<QLabel>(this, "Label4", QRect(8, 90, 160, 16), "# concentric layers");
  ui_.layerBar = makeScroll(this, "HScroll2", QRect(8, 108, 120, 17), 1, 99, 4);
  ui_.layerCaption->setBuddy(ui_.layerBar);
  ui_.layerValueLabel = makeWidget<QLabel>(this, "Label5", QRect(134, 108, 32, 17), "4");
  ui_.cellCountLabel = makeWidget<QLabel>(this, "Label7", QRect(8, 132, 120, 17), "96");
}

void MainWindow::createGridControls() {
  ui_.columnsCaption = makeWidget<QLabel>(this, "lblCols", QRect(8, 50, 70, 18), "# columns");
  ui_.gridBoxes[0] = makeWidget<QLineEdit>(this, "txtDims0", QRect(80, 48, 56, 22), "12");
  ui_.columnsCaption->setBuddy(ui_.gridBoxes[0]);
  ui_.rowsCaption = makeWidget<QLabel>(this, "lblRows", QRect(8, 76, 70, 18), "# rows");
  ui_.gridBoxes[1] = makeWidget<QLineEdit>(this, "txtDims1", QRect(80, 74, 56, 22), "10");
  ui_.rowsCaption->setBuddy(ui_.gridBoxes[1]);
  ui_.rectangleCountLabel = makeWidget<QLabel>(this, "lblRects", QRect(8, 102, 120, 18), "120");
  // A lone option button: it only captures the ratio, and the boxes turn it off.
  ui_.lockRatioOption = makeWidget<QRadioButton>(this, "optLock", QRect(142, 62, 22, 20));
  ui_.lockRatioOption->setAutoExclusive(false);
  ui_.lockRatioOption->setAccessibleName("lock ratio");

  ui_.orderGroup = makeWidget<QGroupBox>(this, "Frame2", QRect(8, 122, 156, 42));
  ui_.spiralOption = makeWidget<QRadioButton>(ui_.orderGroup, "optSpiral", QRect(8, 14, 70, 20), "spiral");
  ui_.bookOption = makeWidget<QRadioButton>(ui_.orderGroup, "optLinear", QRect(80, 14, 70, 20), "book");
  ui_.bookOption->setChecked(true);
}

void MainWindow::createCountingControls() {
  ui_.baseCaption = makeWidget<QLabel>(this, "Label6", QRect(8, 172, 120, 16), "number base");
  ui_.baseBar = makeScroll(this, "HScroll3", QRect(8, 190, 120, 17), 2, 16, 10);
  ui_.baseCaption->setBuddy(ui_.baseBar);
  ui_.baseValue = makeWidget<QLabel>(this, "Label9", QRect(134, 190, 32, 17), "10");
  ui_.startCaption = makeWidget<QLabel>(this, "Label11", QRect(8, 214, 150, 16), "start counting at");
  ui_.startBox = makeWidget<QLineEdit>(this, "startval", QRect(8, 232, 128, 22), "0");
  ui_.startCaption->setBuddy(ui_.startBox);
  ui_.decimalBox = makeWidget<QCheckBox>(this, "decimal", QRect(8, 258, 80, 20), "decimal");
  ui_.lockBox = makeWidget<QCheckBox>(this, "locked", QRect(92, 258, 72, 20), "lock");
  ui_.lockBox->setChecked(true);
}

void MainWindow::createColourControls() {
  ui_.colourModeGroup = makeWidget<QGroupBox>(this, "Frame1", QRect(8, 282, 156, 42));
  ui_.listOption = makeWidget<QRadioButton>(ui_.colourModeGroup, "Option1", QRect(8, 14, 70, 20), "list");
  ui_.blendOption = makeWidget<QRadioButton>(ui_.colourModeGroup, "Option2", QRect(80, 14, 70, 20), "blend");
  ui_.blendOption->setChecked(true);
  ui_.linesBox = makeWidget<QCheckBox>(this, "Check1", QRect(8, 330, 80, 20), "lines");
  ui_.fillsBox = makeWidget<QCheckBox>(this, "Check2", QRect(92, 330, 72, 20), "fills");
  ui_.linesBox->setChecked(true);
  ui_.fillsBox->setChecked(true);

  ui_.backgroundLabel = makeWidget<QLabel>(this, "Label22", QRect(8, 356, 156, 22), "background");
  ui_.backgroundLabel->setAlignment(Qt::AlignCenter);
  ui_.backgroundLabel->setAutoFillBackground(true);
  QPalette palette = ui_.backgroundLabel->palette();
  palette.setColor(QPalette::Window, QColor(64, 64, 64));
  palette.setColor(QPalette::WindowText, Qt::white);
  ui_.backgroundLabel->setPalette(palette);

  ui_.previewButton = makeWidget<QPushButton>(this, "Command2", QRect(8, 386, 100, 28), "preview");
  ui_.liveBox = makeWidget<QCheckBox>(this, "chkLive", QRect(114, 390, 52, 20), "live");
  ui_.hidePreviewButton = makeWidget<QPushButton>(this, "cmdHide", QRect(8, 418, 156, 24), "hide preview");
}

void MainWindow::createPaletteControls() {
  palette_ = new PaletteBar(state_, windows_, this);
  ui_.backgroundLabel->installEventFilter(this);
  ui_.backgroundLabel->setCursor(Qt::PointingHandCursor);
}

void MainWindow::createPad() {
  pad_ = new PadEditor(state_, windows_.services(), this);
  pad_->move(kPanelWidthTwips / kTwipsPerPixel, 0);
  pad_->recomputeTables = [this] { changeLayerCount(); };
}

void MainWindow::createCommandControls() {
  ui_.restartButton = makeWidget<QPushButton>(this, "Command4", QRect(140, 232, 24, 22), "R");
  QFont bold = ui_.restartButton->font();
  bold.setBold(true);
  ui_.restartButton->setFont(bold);
  ui_.restartButton->setToolTip("the start value of the last preview");
  ui_.divideButton = makeWidget<QPushButton>(this, "cmdRecurse", QRect(8, 556, 76, 24), "divide");
  ui_.animateButton = makeWidget<QPushButton>(this, "cmdAnimate", QRect(88, 556, 76, 24), "animate");
  ui_.saveStateButton = makeWidget<QPushButton>(this, "Command5", QRect(8, 584, 76, 24), "save state");
  ui_.loadStateButton = makeWidget<QPushButton>(this, "Command7", QRect(88, 584, 76, 24), "load state");
  ui_.saveImageButton = makeWidget<QPushButton>(this, "bmap_button", QRect(8, 612, 156, 24), "save image");
}

// One set of history buttons in the panel, which stays in view with the
// narrow grid window, and one under the pad.
void MainWindow::createHistoryControls() { historyBar_ = new HistoryBar(*this); }

void MainWindow::connectCommands() {
  const auto onClick = [this](QPushButton* button, auto handler) {
    connect(button, &QPushButton::clicked, this, handler);
  };
  onClick(ui_.restartButton, [this] { restoreStartValue(); });
  onClick(ui_.divideButton, [this] { showDivision(); });
  onClick(ui_.animateButton, [this] { showAnimation(); });
  onClick(ui_.saveStateButton, [this] { saveState(); });
  onClick(ui_.loadStateButton, [this] { loadState(); });
}

void MainWindow::connectSignals() {
  connect(ui_.rectanglesButton, &QToolButton::clicked, this, [this] { switchToRectangles(); });
  connect(ui_.trianglesButton, &QToolButton::clicked, this, [this] { switchToTriangles(); });
  connect(ui_.vertexBar, &QScrollBar::valueChanged, this, [this] { changeVertexCount(); });
  connect(ui_.layerBar, &QScrollBar::valueChanged, this, [this] { changeLayerCount(); });
  connect(ui_.baseBar, &QScrollBar::valueChanged, this, [this] { changeNumberBase(); });
  // textChanged also fires when code sets the text, which is what the boxes'
  // handlers rely on.
  for (int i = 0; i < 2; ++i) {
    connect(ui_.gridBoxes[i], &QLineEdit::textChanged, this, [this, i] { changeGridSize(i); });
  }
  connect(ui_.startBox, &QLineEdit::textChanged, this, [this] { changeStartText(); });
  connect(ui_.decimalBox, &QCheckBox::toggled, this, [this] { toggleDecimal(); });
  connect(ui_.lockRatioOption, &QRadioButton::clicked, this, [this] {
    ui_.lockRatioOption->setChecked(true);  // clicking an option button never turns it off
    lockGridRatio();
  });
  // Option buttons answer when they are turned on, by a click or by code.
  const auto onTurnedOn = [this](QRadioButton* button, void (MainWindow::*handler)()) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
      if (on) (this->*handler)();
    });
  };
  onTurnedOn(ui_.spiralOption, &MainWindow::chooseSpiralOrder);
  onTurnedOn(ui_.bookOption, &MainWindow::chooseBookOrder);
  onTurnedOn(ui_.listOption, &MainWindow::chooseListColours);
  onTurnedOn(ui_.blendOption, &MainWindow::chooseBlendColours);
  connect(ui_.hidePreviewButton, &QPushButton::clicked, this, [this] { togglePreview(); });
  connect(ui_.saveImageButton, &QPushButton::clicked, this, [this] { openSaveImage(); });
  ui_.previewButton->installEventFilter(this);
  connectLiveRedraws();
}

}  // namespace quill
