#include "mainwindow/SettingsPanel.h"

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


void createGeometryControls(SettingsPanel& panel, QWidget* window) {
  // Named by the geometry each switches to.
  panel.rectanglesButton = makePicture(window, "PicRect", gridIcon(), "rectangles");
  panel.trianglesButton = makePicture(window, "picHex", hexagonIcon(), "triangles");
  panel.geometryLabel = makeWidget<QLabel>(window, "Label8", QRect(60, 14, 104, 18), "triangles");

  panel.vertexCaption = makeWidget<QLabel>(window, "Label1", QRect(8, 48, 160, 16), "#  polygon vertices ");
  panel.vertexBar = makeScroll(window, "HScroll1", QRect(8, 66, 120, 17), 3, 23, 6);
  panel.vertexCaption->setBuddy(panel.vertexBar);
  panel.vertexValue = makeWidget<QLabel>(window, "Label2", QRect(134, 66, 32, 17), "6");
  panel.layerCaption = makeWidget<QLabel>(window, "Label4", QRect(8, 90, 160, 16), "# concentric layers");
  panel.layerBar = makeScroll(window, "HScroll2", QRect(8, 108, 120, 17), 1, 99, 4);
  panel.layerCaption->setBuddy(panel.layerBar);
  panel.layerValueLabel = makeWidget<QLabel>(window, "Label5", QRect(134, 108, 32, 17), "4");
  panel.cellCountLabel = makeWidget<QLabel>(window, "Label7", QRect(8, 132, 120, 17), "96");
}

void createGridControls(SettingsPanel& panel, QWidget* window) {
  panel.columnsCaption = makeWidget<QLabel>(window, "lblCols", QRect(8, 50, 70, 18), "# columns");
  panel.gridBoxes[0] = makeWidget<QLineEdit>(window, "txtDims0", QRect(80, 48, 56, 22), "12");
  panel.columnsCaption->setBuddy(panel.gridBoxes[0]);
  panel.rowsCaption = makeWidget<QLabel>(window, "lblRows", QRect(8, 76, 70, 18), "# rows");
  panel.gridBoxes[1] = makeWidget<QLineEdit>(window, "txtDims1", QRect(80, 74, 56, 22), "10");
  panel.rowsCaption->setBuddy(panel.gridBoxes[1]);
  panel.rectangleCountLabel = makeWidget<QLabel>(window, "lblRects", QRect(8, 102, 120, 18), "120");
  // A lone option button: it only captures the ratio, and the boxes turn it off.
  panel.lockRatioOption = makeWidget<QRadioButton>(window, "optLock", QRect(142, 62, 22, 20));
  panel.lockRatioOption->setAutoExclusive(false);
  panel.lockRatioOption->setAccessibleName("lock ratio");

  panel.orderGroup = makeWidget<QGroupBox>(window, "Frame2", QRect(8, 122, 156, 42));
  panel.spiralOption = makeWidget<QRadioButton>(panel.orderGroup, "optSpiral", QRect(8, 14, 70, 20), "spiral");
  panel.bookOption = makeWidget<QRadioButton>(panel.orderGroup, "optLinear", QRect(80, 14, 70, 20), "book");
  panel.bookOption->setChecked(true);
}

void createCountingControls(SettingsPanel& panel, QWidget* window) {
  panel.baseCaption = makeWidget<QLabel>(window, "Label6", QRect(8, 172, 120, 16), "number base");
  panel.baseBar = makeScroll(window, "HScroll3", QRect(8, 190, 120, 17), 2, 16, 10);
  panel.baseCaption->setBuddy(panel.baseBar);
  panel.baseValue = makeWidget<QLabel>(window, "Label9", QRect(134, 190, 32, 17), "10");
  panel.startCaption = makeWidget<QLabel>(window, "Label11", QRect(8, 214, 150, 16), "start counting at");
  panel.startBox = makeWidget<QLineEdit>(window, "startval", QRect(8, 232, 128, 22), "0");
  panel.startCaption->setBuddy(panel.startBox);
  panel.decimalBox = makeWidget<QCheckBox>(window, "decimal", QRect(8, 258, 80, 20), "decimal");
  panel.lockBox = makeWidget<QCheckBox>(window, "locked", QRect(92, 258, 72, 20), "lock");
  panel.lockBox->setChecked(true);
}

void createColourControls(SettingsPanel& panel, QWidget* window) {
  panel.colourModeGroup = makeWidget<QGroupBox>(window, "Frame1", QRect(8, 282, 156, 42));
  panel.listOption = makeWidget<QRadioButton>(panel.colourModeGroup, "Option1", QRect(8, 14, 70, 20), "list");
  panel.blendOption = makeWidget<QRadioButton>(panel.colourModeGroup, "Option2", QRect(80, 14, 70, 20), "blend");
  panel.blendOption->setChecked(true);
  panel.linesBox = makeWidget<QCheckBox>(window, "Check1", QRect(8, 330, 80, 20), "lines");
  panel.fillsBox = makeWidget<QCheckBox>(window, "Check2", QRect(92, 330, 72, 20), "fills");
  panel.linesBox->setChecked(true);
  panel.fillsBox->setChecked(true);

  panel.backgroundLabel = makeWidget<QLabel>(window, "Label22", QRect(8, 356, 156, 22), "background");
  panel.backgroundLabel->setAlignment(Qt::AlignCenter);
  panel.backgroundLabel->setAutoFillBackground(true);
  QPalette palette = panel.backgroundLabel->palette();
  palette.setColor(QPalette::Window, QColor(64, 64, 64));
  palette.setColor(QPalette::WindowText, Qt::white);
  panel.backgroundLabel->setPalette(palette);

  panel.previewButton = makeWidget<QPushButton>(window, "Command2", QRect(8, 386, 100, 28), "preview");
  panel.liveBox = makeWidget<QCheckBox>(window, "chkLive", QRect(114, 390, 52, 20), "live");
  panel.hidePreviewButton = makeWidget<QPushButton>(window, "cmdHide", QRect(8, 418, 156, 24), "hide preview");
}

void createCommandControls(SettingsPanel& panel, QWidget* window) {
  panel.restartButton = makeWidget<QPushButton>(window, "Command4", QRect(140, 232, 24, 22), "R");
  QFont bold = panel.restartButton->font();
  bold.setBold(true);
  panel.restartButton->setFont(bold);
  panel.restartButton->setToolTip("the start value of the last preview");
  panel.divideButton = makeWidget<QPushButton>(window, "cmdRecurse", QRect(8, 556, 76, 24), "divide");
  panel.animateButton = makeWidget<QPushButton>(window, "cmdAnimate", QRect(88, 556, 76, 24), "animate");
  panel.saveStateButton = makeWidget<QPushButton>(window, "Command5", QRect(8, 584, 76, 24), "save state");
  panel.loadStateButton = makeWidget<QPushButton>(window, "Command7", QRect(88, 584, 76, 24), "load state");
  panel.saveImageButton = makeWidget<QPushButton>(window, "bmap_button", QRect(8, 612, 156, 24), "save image");
}

}  // namespace

void SettingsPanel::createSettings(QWidget* window) {
  createGeometryControls(*this, window);
  createGridControls(*this, window);
  createCountingControls(*this, window);
  createColourControls(*this, window);
}

void SettingsPanel::createCommands(QWidget* window) { createCommandControls(*this, window); }

}  // namespace quill
