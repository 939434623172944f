// Building the animation window: the eight feature frames, stacked in
// priority order below the row of check boxes, and the window-wide controls.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

#include "animation/AnimateWindow.h"
#include "platform/MakeWidget.h"

namespace quill {

namespace {

constexpr int kWidth = 480;
constexpr int kFrameWidth = 464;

struct FeatureLook {
  const char* check;
  const char* frame;
  int height;
  const char* steps;
};
constexpr FeatureLook kLooks[kFeatureCount] = {
    {"start counting", "start counting at", 72, "200"}, {"color pallette", "color pallette", 100, "160"},
    {"base", "base", 72, "150"},         {"# conc. polygons", "# conc polygons", 100, "100"},
    {"# vertices", "# vertices", 72, "100"}, {"# rows / columns", "# rows / columns", 66, "20"},
    {"tail chaser", "tail chaser", 72, "200"}, {"geometry", "geometry", 100, "100"}};

QLabel* caption(QWidget* parent, QRect geometry, const QString& text, QWidget* buddy) {
  auto* label = makeWidget<QLabel>(parent, QString(), geometry, text);
  label->setBuddy(buddy);
  return label;
}

QScrollBar* rangeBar(QWidget* parent, const char* name, QRect geometry, int min, int max, int value) {
  auto* bar = makeWidget<QScrollBar>(parent, name, geometry);
  bar->setOrientation(Qt::Horizontal);
  bar->setRange(min, max);
  bar->setPageStep(1);
  bar->setValue(value);
  return bar;
}

// A small padlock, closed or open.
QPixmap padlock(bool closed) {
  QPixmap pixmap(18, 18);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 2));
  p.drawArc(QRectF(4, closed ? 1 : -2, 10, 12), 0, 180 * 16);
  if (closed) p.drawLine(QPointF(4, 7), QPointF(4, 9));
  p.fillRect(QRectF(2, 8, 14, 9), closed ? QColor(160, 40, 40) : QColor(60, 140, 60));
  return pixmap;
}

}  // namespace

void AnimateWindow::createFeatures() {
  for (int i = 0; i < kFeatureCount; ++i) {
    FeatureWidgets& f = features_[i];
    f.check = makeWidget<QCheckBox>(this, QString("chkFeature%1").arg(i), QRect(), kLooks[i].check);
    f.frame = makeWidget<QGroupBox>(this, QString("frmFeature%1").arg(i), QRect(8, 0, kFrameWidth, kLooks[i].height));
    f.frame->setTitle(kLooks[i].frame);
    f.frame->hide();
    f.nSteps = makeWidget<QLineEdit>(f.frame, QString("txtnSteps%1").arg(i), QRect(76, 18, 56, 22), kLooks[i].steps);
    caption(f.frame, QRect(8, 20, 66, 18), "# of steps", f.nSteps);
    f.priority = makeWidget<QLabel>(f.frame, QString("lblPriority%1").arg(i), QRect(140, 20, 76, 18), "priority");
    f.locked = makeWidget<QLabel>(f.frame, QString("lblLocked%1").arg(i), QRect(218, 20, 100, 18), "unlocked");
    f.lockIcon = makeWidget<QLabel>(f.frame, QString("picLock%1").arg(i), QRect(322, 18, 20, 20));
    f.lockIcon->setPixmap(padlock(true));
    f.lockIcon->setAccessibleName("unlock");
    f.unlockIcon = makeWidget<QLabel>(f.frame, QString("picUnlock%1").arg(i), QRect(322, 18, 20, 20));
    f.unlockIcon->setPixmap(padlock(false));
    f.unlockIcon->setAccessibleName("lock");
    for (QLabel* icon : {f.lockIcon, f.unlockIcon}) {
      icon->hide();
      icon->setCursor(Qt::PointingHandCursor);
      icon->installEventFilter(this);
    }
    makeWidget<QLabel>(f.frame, QString("lblIndex%1").arg(i), QRect(400, 20, 56, 18),
                 i == 7 ? QString("index7") : QString("index %1").arg(i));
    createFeatureControls(i, f.frame);
  }
  placeFeatureChecks();
}

// Two rows of four check boxes: each column as wide as its longer caption in
// the platform's font, the room left over shared out between them.
void AnimateWindow::placeFeatureChecks() {
  constexpr int kColumns = kFeatureCount / 2;
  int widths[kColumns] = {};
  int used = 0;
  for (int c = 0; c < kColumns; ++c) {
    widths[c] = std::max(features_[c].check->sizeHint().width(), features_[c + kColumns].check->sizeHint().width());
    used += widths[c];
  }
  const int spare = std::max(0, kFrameWidth - used) / kColumns;
  int x = 8;
  for (int c = 0; c < kColumns; ++c) {
    for (int i : {c, c + kColumns}) features_[i].check->setGeometry(x, 4 + (i / kColumns) * 20, widths[c] + spare, 20);
    x += widths[c] + spare;
  }
}

void AnimateWindow::createFeatureControls(int i, QGroupBox* frame) {
  switch (i) {
    case 0: return createStartControls(frame);
    case 1: return createPaletteControls(frame);
    case 2: return createBaseControls(frame);
    case 3: return createLayerControls(frame);
    case 4: return createVertexControls(frame);
    case 5:
      makeWidget<QLabel>(frame, "lblNotYet", QRect(8, 44, 200, 18), "not yet implemented");
      return;
    case 6: return createTailControls(frame);
    default: return createGeometryControls(frame);
  }
}

void AnimateWindow::createStartControls(QGroupBox* frame) {
  startStepBox = makeWidget<QLineEdit>(frame, "txtStart", QRect(42, 44, 56, 22), "1");
  caption(frame, QRect(8, 46, 32, 18), "step", startStepBox);
  discreteStepsOption = makeWidget<QRadioButton>(frame, "optDiscrete", QRect(106, 44, 110, 22), "discrete steps");
  continuationOption = makeWidget<QRadioButton>(frame, "optContinue", QRect(218, 44, 104, 22), "continuation");
  discreteStepsOption->setChecked(true);
  backwardsBox = makeWidget<QCheckBox>(frame, "chkBackwards", QRect(324, 44, 136, 22), "count backwards");
}

void AnimateWindow::createPaletteControls(QGroupBox* frame) {
  gridChipBar = rangeBar(frame, "hscGridChip", QRect(96, 46, 110, 17), 1, 15, 7);
  caption(frame, QRect(8, 46, 86, 18), "# color chips", gridChipBar);
  gridChipValue = makeWidget<QLabel>(frame, "lblGridChip", QRect(210, 46, 24, 18), "7");
  gradientOption = makeWidget<QRadioButton>(frame, "optGradient", QRect(240, 44, 84, 22), "gradient");
  discreteChipsOption = makeWidget<QRadioButton>(frame, "Option1", QRect(326, 44, 84, 22), "discrete");
  gradientOption->setChecked(true);
  gradientStrip = makeWidget<QLabel>(frame, "picGradient", QRect(8, 70, 164, 26));
  gradientStrip->setAccessibleName("gradient");
}

// "start at" and "end at" scroll bars, each with the label that shows its value.
void AnimateWindow::createRange(QGroupBox* frame, const RangeLook& look, QScrollBar*& start, QScrollBar*& end) {
  start = rangeBar(frame, look.start, QRect(60, 46, 110, 17), look.min, look.max, look.first);
  caption(frame, QRect(8, 46, 50, 18), "start at", start);
  rangeLabels_[look.labels] = makeWidget<QLabel>(frame, look.startLabel, QRect(174, 46, 30, 18),
                                                 QString::number(look.first));
  end = rangeBar(frame, look.end, QRect(268, 46, 110, 17), look.min, look.max, look.last);
  caption(frame, QRect(216, 46, 50, 18), "end at", end);
  rangeLabels_[look.labels + 1] = makeWidget<QLabel>(frame, look.endLabel, QRect(382, 46, 30, 18),
                                                     QString::number(look.last + look.endShown));
}

void AnimateWindow::createBaseControls(QGroupBox* frame) {
  createRange(frame, {"hscBaseStart", "hscBaseEnd", "lblBaseStart", "lblBaseEnd", 2, 26, 2, 16, 0, 0}, baseStartBar,
              baseEndBar);
}

void AnimateWindow::createLayerControls(QGroupBox* frame) {
  // "end at" shows one more: the continuous sweep runs up to end + 1 layers.
  createRange(frame, {"hscCPstart", "hscCPend", "lblCPstart", "lblCPend", 1, 99, 10, 19, 2, 1}, layersStartBar,
              layersEndBar);
  auto* mode = makeWidget<QWidget>(frame, "grpNV", QRect(8, 70, 200, 24));
  continuousLayersOption = makeWidget<QRadioButton>(mode, "optNVcontinuous", QRect(0, 0, 96, 22), "continuous");
  discreteLayersOption = makeWidget<QRadioButton>(mode, "optNVdiscrete", QRect(100, 0, 90, 22), "discrete");
  continuousLayersOption->setChecked(true);
  auto* side = makeWidget<QWidget>(frame, "grpSide", QRect(216, 70, 200, 24));
  inwardOption = makeWidget<QRadioButton>(side, "optInward", QRect(0, 0, 80, 22), "inward");
  outwardOption = makeWidget<QRadioButton>(side, "optOutward", QRect(84, 0, 90, 22), "outward");
  inwardOption->setChecked(true);
}

void AnimateWindow::createVertexControls(QGroupBox* frame) {
  createRange(frame, {"hscnVstart", "hscnVend", "lblnVstart", "lblnVend", 3, 23, 6, 10, 4, 0}, verticesStartBar, verticesEndBar);
}

void AnimateWindow::createTailControls(QGroupBox* frame) {
  tailLaunchBox = makeWidget<QLineEdit>(frame, "txtTailLaunch", QRect(76, 44, 44, 22), "240");
  caption(frame, QRect(8, 46, 66, 18), "tail launch", tailLaunchBox);
  tailLengthBox = makeWidget<QLineEdit>(frame, "txtTailLength", QRect(194, 44, 44, 22), "160");
  caption(frame, QRect(126, 46, 66, 18), "tail length", tailLengthBox);
  tailStepBox = makeWidget<QLineEdit>(frame, "txtTailStep", QRect(276, 44, 40, 22), "1");
  caption(frame, QRect(244, 46, 30, 18), "step", tailStepBox);
  reverseBox = makeWidget<QCheckBox>(frame, "chktailReverse", QRect(322, 44, 136, 22), "reverse direction");
}

void AnimateWindow::createGeometryControls(QGroupBox* frame) {
  framesPerKeyFrameBox = makeWidget<QLineEdit>(frame, "txtKeyFrameDivs", QRect(124, 44, 44, 22), "100");
  caption(frame, QRect(8, 46, 114, 18), "frames / keyframe", framesPerKeyFrameBox);
  keyFramesBanner = makeWidget<QLabel>(frame, "lblgeoBanner", QRect(172, 46, 150, 18), "using 0 key frames");
  keyFrameNumberLabel = makeWidget<QLabel>(frame, "lblframeWhat", QRect(326, 46, 30, 18), "0");
  keyFrameNumberLabel->setCursor(Qt::PointingHandCursor);
  keyFrameNumberLabel->setToolTip("click: one sweep through the key frames up to this one");
  keyFrameNumberLabel->installEventFilter(this);
  makeWidget<QLabel>(frame, "lblOf", QRect(358, 46, 20, 18), "of");
  keyFrameTotalLabel = makeWidget<QLabel>(frame, "lblofWhat", QRect(380, 46, 30, 18), "0");
  animationNameLabel = makeWidget<QLabel>(frame, "lblAniName", QRect(8, 72, 180, 18), "animation name");
  const char* names[] = {"Command4", "Command1", "Command2", "Command3"};
  const char* captions[] = {"<<", "<", ">", ">>"};
  for (int b = 0; b < 4; ++b) makeWidget<QPushButton>(frame, names[b], QRect(230 + 44 * b, 70, 40, 24), captions[b]);
}

void AnimateWindow::createWindowControls() {
  bottomRow_ = makeWidget<QWidget>(this, "bottomRow", QRect(8, 0, kFrameWidth, 106));
  QWidget* row = bottomRow_;
  const char* names[] = {"cmdRun", "cmdStep", "cmdReset", "cmdClose", "cmdRand"};
  const char* captions[] = {"run", "step", "reset", "close", "randomate"};
  QPushButton** buttons[] = {&runButton, &stepButton, &resetButton, &closeButton, &randomiseButton};
  for (int b = 0; b < 5; ++b) *buttons[b] = makeWidget<QPushButton>(row, names[b], QRect(b * 92, 0, 88, 26), captions[b]);
  randomiseButton->setEnabled(false);  // offered, as ever, with nothing behind it
  saveImagesBox = makeWidget<QCheckBox>(row, "chkSaveImages", QRect(0, 32, 104, 22), "save images");
  delayBox = makeWidget<QLineEdit>(row, "txtDelay", QRect(150, 32, 50, 22), "0");
  caption(row, QRect(110, 34, 38, 18), "delay", delayBox);
  makeWidget<QLabel>(row, "lblmS", QRect(204, 34, 24, 18), "mS");
  frameTotalLabel = makeWidget<QLabel>(row, "lblFrametotal", QRect(236, 34, 228, 18), "# frames = 1 of 1");
  frameCountBox = makeWidget<QLineEdit>(row, "txtnFrames", QRect(80, 60, 50, 22), "200");
  frameCountCaption = caption(row, QRect(0, 62, 78, 18), "# of frames", frameCountBox);
  resolutionBar = rangeBar(row, "hscRes", QRect(212, 62, 100, 17), 0, 4, 0);
  resolutionCaption = caption(row, QRect(140, 62, 70, 18), "resolution", resolutionBar);
  resolutionValue = makeWidget<QLabel>(row, "lblRes", QRect(318, 62, 72, 18), "small");
  fpsBox = makeWidget<QLineEdit>(row, "txtFps", QRect(424, 60, 36, 22), "25");
  fpsCaption = caption(row, QRect(396, 62, 26, 18), "fps", fpsBox);
  fpsBox->setToolTip("frames per second of a movie (.mp4, .webm, .gif)");
  loopLabel = makeWidget<QLabel>(row, "lblloopString", QRect(0, 86, kFrameWidth, 18), "debug info");
  loopLabel->setStyleSheet("color: rgb(0, 0, 255)");
  loopLabel->hide();
  showSavingControls(false);
}

// The checked features' frames in priority order below the check boxes; the
// window grows to the stack.
void AnimateWindow::stackFrames() {
  for (const FeatureWidgets& f : features_) f.frame->hide();
  int y = frameStackTop_;
  for (int p = 0; p < run_.model().activeCount(); ++p) {
    QGroupBox* frame = features_[run_.model().priorityAt(p)].frame;
    frame->move(8, y);
    frame->show();
    y += frame->height() + 2;
  }
  setFixedSize(kWidth, y + bottomRow_->height() + 8);
  placeBottomRow();
}

void AnimateWindow::placeBottomRow() { bottomRow_->move(8, height() - bottomRow_->height() - 4); }

}  // namespace quill
