#include "animation/AnimateWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <cmath>

#include "animation/AnimationControls.h"
#include "animation/AnimatorHost.h"
#include "animation/SeqStatus.h"
#include "engine/NumberText.h"
#include "engine/Rounding.h"
#include "platform/DesktopServices.h"
#include "platform/KeyCodes.h"
#include "gfx/QtColor.h"

namespace quill {

namespace {

std::optional<double> boxNumber(const QLineEdit* box) {
  return numericValue(box->text().toStdString(), NumberForm::WithExponent);
}
}  // namespace

AnimateWindow::AnimateWindow(PatternState& state, AnimatorHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), host_(host), run_(state) {
  setObjectName("frmAnimate");
  setWindowTitle("parametric animation");
  createFeatures();
  createWindowControls();
  connectControls();
  seqStatus_ = new SeqStatus(this);
  runTimer_ = new QTimer(this);
  runTimer_->setSingleShot(true);
  connect(runTimer_, &QTimer::timeout, this, [this] { runNextFrame(); });
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  stackFrames();
  buildLoops();
}

AnimateWindow::~AnimateWindow() = default;

void AnimateWindow::connectControls() {
  for (int i = 0; i < kFeatureCount; ++i) {
    connect(features_[i].check, &QCheckBox::clicked, this, [this, i] { toggleFeature(i); });
    connect(features_[i].nSteps, &QLineEdit::textChanged, this, [this, i] { changeSteps(i); });
  }
  connect(frameCountBox, &QLineEdit::textChanged, this, [this] { changeFrameCount(); });
  for (QLineEdit* box : {fpsBox, delayBox, framesPerKeyFrameBox, startStepBox, tailLaunchBox, tailLengthBox, tailStepBox})
    connect(box, &QLineEdit::textChanged, this, [this, box] { refuseText(box); });
  for (QScrollBar* bar : {baseStartBar, baseEndBar, layersStartBar, layersEndBar, verticesStartBar, verticesEndBar, resolutionBar}) {
    connect(bar, &QScrollBar::valueChanged, this, [this] { showScrollLabels(); });
  }
  connect(gridChipBar, &QScrollBar::valueChanged, this, [this] {
    gridChipValue->setText(QString::number(gridChipBar->value()));
    rebuildGradient();
  });
  connect(discreteStepsOption, &QRadioButton::clicked, this, [this] {
    startStepBox->setEnabled(true);
    backwardsBox->setEnabled(true);
  });
  connect(continuationOption, &QRadioButton::clicked, this, [this] {
    startStepBox->setEnabled(false);
    backwardsBox->setEnabled(false);
  });
  for (QRadioButton* option : {continuousLayersOption, discreteLayersOption}) {
    connect(option, &QRadioButton::clicked, this, [this] {
      inwardOption->setEnabled(continuousLayersOption->isChecked());
      outwardOption->setEnabled(continuousLayersOption->isChecked());
    });
  }
  connect(gradientOption, &QRadioButton::clicked, this, [this] { rebuildGradient(); });
  connect(reverseBox, &QCheckBox::toggled, this, [this](bool on) { state_.tailReverse = on; });
  const auto geometryButton = [this](const char* name, auto action) {
    connect(findChild<QPushButton*>(name), &QPushButton::clicked, this, [this, action] {
      action();
      host_.services().processEvents();
    });
  };
  geometryButton("Command1", [this] { host_.mainKeyDown('Z', kCtrlBit); });
  geometryButton("Command2", [this] { host_.mainKeyDown('X', kCtrlBit); });
  geometryButton("Command3", [this] { host_.jumpForward(); });
  geometryButton("Command4", [this] { host_.jumpBack(); });
  connect(stepButton, &QPushButton::clicked, this, [this] {
    if (!running_) stepOnce();
  });
  connect(runButton, &QPushButton::clicked, this, [this] { runAnimation(); });
  // A run ends with a reset anyway.
  connect(resetButton, &QPushButton::clicked, this, [this] { running_ ? stopRun() : resetAnimation(); });
  connect(closeButton, &QPushButton::clicked, this, [this] {
    stopRun();
    closeRestoring();
  });
  connect(saveImagesBox, &QCheckBox::clicked, this, [this] { toggleSaveImages(); });
}

// --- Activation and keys ------------------------------------------------------

// Every activation takes the main window's settings afresh as the pattern to
// animate and to restore on "close".
void AnimateWindow::activate() {
  if (running_ || activating_) return;
  activating_ = true;
  activatedAt_.start();
  state_.animatorOpen = true;
  enableForGeometry();
  host_.captureMainSettings();
  syncControls();
  run_.activate();
  placeBottomRow();
  rebuildGradient();
  host_.fitPreview();
  activating_ = false;
}

void AnimateWindow::enableForGeometry() {
  const bool triangles = state_.triangleMode;
  const auto allow = [this](int i, bool allowed) {
    if (!allowed && run_.model().isChecked(i)) {
      features_[i].check->setChecked(false);
      toggleFeature(i);
    }
    features_[i].check->setEnabled(allowed);
  };
  for (int i = 0; i < kFeatureCount; ++i) allow(i, featureFitsGeometry(i, triangles));
}

void AnimateWindow::keyDown(int keyCode, int shift) {
  (void)shift;
  if (keyCode == kKeyEscape) {
    state_.stopRequested = true;
  } else if (keyCode == 'C' || keyCode == 'Z' || keyCode == 'X' || keyCode == 'D') {
    host_.mainKeyDown(keyCode, kCtrlBit);
  }
}

// --- Features -----------------------------------------------------------------

void AnimateWindow::toggleFeature(int i) {
  const bool checked = features_[i].check->isChecked();
  if (checked && isFeature(i, Feature::Geometry)) updateGeos();
  syncControls();
  run_.setChecked(i, checked);
  for (int f = 0; f < kFeatureCount; ++f) showLockState(f);
  stackFrames();
  showLoops();
}

void AnimateWindow::lockFeature(int i) {
  syncControls();
  run_.lock(i);
  showLockState(i);
  showLoops();
}

void AnimateWindow::unlockFeature(int i) {
  syncControls();
  run_.unlock(i);
  showLockState(i);
  showLoops();
}

void AnimateWindow::showLockState(int i) {
  const AnimationModel& model = run_.model();
  const FeatureState& f = model.feature(i);
  features_[i].priority->setText(model.isChecked(i) ? "priority " + QString::number(f.priority) : "priority");
  features_[i].locked->setText(QString::fromStdString(f.lockLabel));
  const LockIcon icon = model.lockIcon(i);
  features_[i].lockIcon->setVisible(icon == LockIcon::Locked);
  features_[i].unlockIcon->setVisible(icon == LockIcon::Unlocked);
}

void AnimateWindow::buildLoops() {
  syncControls();
  run_.buildLoops();
  showLoops();
}

void AnimateWindow::showLoops() {
  const AnimationModel& model = run_.model();
  frameTotalLabel->setText(QString::fromStdString(
      model.frameTotalText(saveImagesBox->isChecked(), frameCountBox->text().toStdString())));
  loopLabel->setText(QString::fromStdString(model.loopString()));
}

FeatureControls AnimateWindow::featureControls() const {
  FeatureControls c;
  const auto value = [](const QLineEdit* box, double fallback) { return boxNumber(box).value_or(fallback); };
  c.startStep = value(startStepBox, 1);
  c.continuation = continuationOption->isChecked();
  c.backwards = backwardsBox->isChecked();
  c.gridChips = gridChipBar->value();
  c.gradient = gradientOption->isChecked();
  c.baseStart = baseStartBar->value();
  c.baseEnd = baseEndBar->value();
  c.layersStart = layersStartBar->value();
  c.layersEnd = layersEndBar->value();
  c.layersContinuous = !discreteLayersOption->isChecked();
  c.inward = inwardOption->isChecked();
  c.verticesStart = verticesStartBar->value();
  c.verticesEnd = verticesEndBar->value();
  c.tailLaunch = value(tailLaunchBox, 240);
  c.tailLength = value(tailLengthBox, 160);
  c.tailStep = value(tailStepBox, 1);
  c.framesPerKeyFrame = value(framesPerKeyFrameBox, 100);
  for (int i = 0; i < kFeatureCount; ++i) c.steps[i] = value(features_[i].nSteps, 20);
  return c;
}

// --- Text boxes and labels ----------------------------------------------------

// Every box checks what is typed into it: refused text gets its message, the
// box's fallback back and, when it was no number at all, a beep.
bool AnimateWindow::refuseText(QLineEdit* box) {
  const auto refusal = checkBoxText(box->objectName().toStdString(), box->text().toStdString());
  if (!refusal) return false;
  {
    const QSignalBlocker quiet(box);
    box->setText(refusal->fallback);
  }
  host_.services().message(refusal->message);
  if (refusal->beep) host_.services().beep();
  if (box == delayBox) host_.services().processEvents();
  return true;
}

void AnimateWindow::changeSteps(int i) {
  if (refuseText(features_[i].nSteps)) return;
  if (isFeature(i, Feature::Geometry)) updateGeos();
  buildLoops();
}

void AnimateWindow::changeFrameCount() {
  if (!refuseText(frameCountBox)) buildLoops();
}

void AnimateWindow::showScrollLabels() {
  const QScrollBar* bars[] = {baseStartBar, baseEndBar, layersStartBar, layersEndBar, verticesStartBar, verticesEndBar};
  for (int b = 0; b < 6; ++b) rangeLabels_[b]->setText(QString::number(bars[b]->value() + (b == 3 ? 1 : 0)));
  const SequenceSize& size = kSequenceSizes[static_cast<size_t>(resolutionBar->value())];
  resolutionValue->setText(size.name);
  state_.sequenceFrameWidth = size.width;
  state_.sequenceFrameHeight = size.height;
}

// --- Key-frame geometry and the gradient ------------------------------------

void AnimateWindow::updateGeos() {
  const KeyFrame current = host_.currentKeyFrame();
  keyFrameNumberLabel->setText(QString::number(current.frameNo));
  keyFrameTotalLabel->setText(QString::number(current.frameTotal));
  animationNameLabel->setText(QString::fromLatin1(current.aniName.data(), static_cast<qsizetype>(current.aniName.size())));
  keyFramesBanner->setText("using " + keyFrameNumberLabel->text() + (current.frameNo == 1 ? " key frame" : " key frames"));
  // A setting too large for the in-between index builds nothing; Run says why.
  syncControls();
  run_.setKeyFrames(current.frameNo, current.frameNo > 1 ? host_.keyFramesUpToCurrent(current.frameNo)
                                                         : std::vector<KeyFrame>{});
  run_.rebuildGeos();
}

void AnimateWindow::sweepKeyFrames() {
  const int k = run_.keyFrameNumber();
  const double d = boxNumber(framesPerKeyFrameBox).value_or(100);
  features_[7].nSteps->setText(QString::fromStdString(shortestText(k > 1 ? d * (k - 1) : d)));
}

void AnimateWindow::rebuildGradient() {
  syncControls();
  run_.rebuildGradient();
  const FeatureControls& c = run_.controls;
  QPixmap strip(164, 26);
  QPainter painter(&strip);
  for (int x = 0; x < 164; ++x) {
    painter.setPen(toQColor(gradientStripColor(x, state_.chipColors, c.gridChips)));
    painter.drawLine(x, 0, x, 25);
  }
  gradientStrip->setPixmap(strip);
}

// --- Window events ------------------------------------------------------------

bool AnimateWindow::event(QEvent* event) {
  // The activation that showing the window brings has already been run.
  if (event->type() == QEvent::WindowActivate && !(activatedAt_.isValid() && activatedAt_.elapsed() < 300))
    activate();
  if (event->type() == QEvent::KeyPress && previewKey(this, static_cast<QKeyEvent*>(event))) return true;
  return QWidget::event(event);
}

// The window sees keys before its controls. C, Z, X and D act as with Ctrl
// in the main window, except while typed into a text box without Ctrl.
bool AnimateWindow::previewKey(QObject* target, QKeyEvent* key) {
  const bool ctrl = key->modifiers() & Qt::ControlModifier;
  if (key->key() == Qt::Key_Escape) {
    keyDown(kKeyEscape, 0);
    return true;
  }
  const int code = key->key();
  if (code != Qt::Key_C && code != Qt::Key_Z && code != Qt::Key_X && code != Qt::Key_D) return false;
  if (qobject_cast<QLineEdit*>(target) && !ctrl) return false;
  keyDown(code, ctrl ? kCtrlBit : 0);
  return true;
}

bool AnimateWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && previewKey(watched, static_cast<QKeyEvent*>(event))) return true;
  if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLabel*>(watched)) return true;
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == keyFrameNumberLabel) sweepKeyFrames();
    for (int i = 0; i < kFeatureCount; ++i) {
      if (watched == features_[i].unlockIcon) lockFeature(i);
      if (watched == features_[i].lockIcon) unlockFeature(i);
    }
  }
  return QWidget::eventFilter(watched, event);
}

// The close box hides the window without restoring the pattern.
void AnimateWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  stopRun();
  hide();
  host_.restoreMainWindow();
  state_.animatorOpen = false;
}

void AnimateWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeBottomRow();
}

}  // namespace quill
