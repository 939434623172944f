#pragma once
#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "animation/AnimationRun.h"
#include "animation/FrameWorkers.h"
#include "animation/SequenceOutput.h"
#include "engine/PatternState.h"
#include "media/MovieEncoder.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace quill {

class AnimatorHost;
class SeqStatus;

// "parametric animation": eight features, each varied from frame to frame in
// nested loops; step, run, reset, close, and saving the run as numbered files.
class AnimateWindow : public QWidget {
  Q_OBJECT

 public:
  AnimateWindow(PatternState& state, AnimatorHost& host, QWidget* parent = nullptr);
  ~AnimateWindow() override;

  void activate();
  void keyDown(int keyCode, int shift);

  // Features (AnimateWindow.cpp).
  void toggleFeature(int feature);
  void lockFeature(int feature);
  void unlockFeature(int feature);
  void buildLoops();
  void updateGeos();
  void rebuildGradient();
  void sweepKeyFrames();

  // Running (AnimateWindowRun.cpp).
  void stepOnce();
  // Starts a run; it goes on from a timer until its last frame or Esc.
  void runAnimation();
  // Ends a run at once, as Esc does before the next frame.
  void stopRun();
  void resetAnimation();
  void closeRestoring();
  void toggleSaveImages();
  bool running() const { return running_; }
  // The frame an armed "save images" writes next, as the preview draws it
  // when it is activated meanwhile; nothing when no run is armed.
  std::optional<SequenceFrame> armedFrame() const;

  // The controls as a step reads them.
  FeatureControls featureControls() const;
  const AnimationModel& model() const { return run_.model(); }
  const std::vector<GeoFrame>& geos() const { return run_.geos(); }
  SeqStatus* seqStatus() const { return seqStatus_; }

 signals:
  // Frame `frame` of a run (counting from 1) is shown, and written when saving.
  void frameShown(int frame);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct FeatureWidgets {
    QCheckBox* check = nullptr;
    QGroupBox* frame = nullptr;
    QLineEdit* nSteps = nullptr;
    QLabel* priority = nullptr;
    QLabel* locked = nullptr;
    QLabel* lockIcon = nullptr;
    QLabel* unlockIcon = nullptr;
  };

  // Construction (AnimateLayout.cpp).
  void createFeatures();
  void placeFeatureChecks();
  void createFeatureControls(int i, QGroupBox* frame);
  void createStartControls(QGroupBox* frame);
  void createPaletteControls(QGroupBox* frame);
  struct RangeLook {
    const char* start;
    const char* end;
    const char* startLabel;
    const char* endLabel;
    int min, max, first, last;
    int labels;     // index of the start label in rangeLabels_
    int endShown;   // what the end label adds to the value
  };
  void createRange(QGroupBox* frame, const RangeLook& look, QScrollBar*& start, QScrollBar*& end);
  void createBaseControls(QGroupBox* frame);
  void createLayerControls(QGroupBox* frame);
  void createVertexControls(QGroupBox* frame);
  void createTailControls(QGroupBox* frame);
  void createGeometryControls(QGroupBox* frame);
  void createWindowControls();
  void connectControls();
  void stackFrames();
  void placeBottomRow();

  // Handlers (AnimateWindow.cpp).
  void enableForGeometry();
  void showLockState(int feature);
  bool refuseText(QLineEdit* box);
  void changeSteps(int feature);
  void changeFrameCount();
  void showScrollLabels();
  void showLoops();
  // The run takes the controls' values before anything that reads them.
  void syncControls() { run_.controls = featureControls(); }
  bool previewKey(QObject* target, QKeyEvent* key);

  // Running (AnimateWindowRun.cpp).
  // A saved run in progress: where it writes, and the frames drawn, handed
  // to the workers and written so far.
  struct SavedRun {
    SequenceTarget target;
    std::unique_ptr<MovieEncoder> movie;
    std::unique_ptr<FrameWorkers> workers;
    QString total;
    int frames = 0;
    int handedIn = 0;
    int written = 0;
  };
  bool stepFrame(MovieEncoder* movie = nullptr);
  void runNextFrame();
  bool startSavedRun();
  void handInFrames();
  void savedRunStep();
  void endSavedRun();
  std::unique_ptr<MovieEncoder> openMovie();
  bool armMovie(const std::string& name, MovieType type);
  void finishRun();
  bool geometryFits();
  int delayMs() const;
  void showSavingControls(bool shown);

  PatternState& state_;
  AnimatorHost& host_;
  AnimationRun run_;
  std::array<FeatureWidgets, kFeatureCount> features_{};
  SeqStatus* seqStatus_ = nullptr;
  bool running_ = false;
  QTimer* runTimer_ = nullptr;
  int framesShown_ = 0;
  int frameTotal_ = 0;  // of a run that saves nothing
  std::unique_ptr<SavedRun> savedRun_;
  // "save images" armed: where the run writes, and the file in hand (the
  // chosen name until a run numbers its pictures).
  std::optional<SequenceTarget> sequence_;
  std::string sequenceFile_;
  bool activating_ = false;
  QElapsedTimer activatedAt_;
  int frameStackTop_ = 45;

  // Feature controls.
  QLineEdit* startStepBox = nullptr;
  QRadioButton* discreteStepsOption = nullptr;
  QRadioButton* continuationOption = nullptr;
  QCheckBox* backwardsBox = nullptr;
  QScrollBar* gridChipBar = nullptr;
  QLabel* gridChipValue = nullptr;
  QRadioButton* gradientOption = nullptr;
  QRadioButton* discreteChipsOption = nullptr;
  QLabel* gradientStrip = nullptr;
  QScrollBar* baseStartBar = nullptr;
  QScrollBar* baseEndBar = nullptr;
  QScrollBar* layersStartBar = nullptr;
  QScrollBar* layersEndBar = nullptr;
  QRadioButton* continuousLayersOption = nullptr;
  QRadioButton* discreteLayersOption = nullptr;
  QRadioButton* inwardOption = nullptr;
  QRadioButton* outwardOption = nullptr;
  QScrollBar* verticesStartBar = nullptr;
  QScrollBar* verticesEndBar = nullptr;
  std::array<QLabel*, 6> rangeLabels_{};  // beside the six range scroll bars
  QLineEdit* tailLaunchBox = nullptr;
  QLineEdit* tailLengthBox = nullptr;
  QLineEdit* tailStepBox = nullptr;
  QCheckBox* reverseBox = nullptr;
  QLineEdit* framesPerKeyFrameBox = nullptr;
  QLabel* keyFramesBanner = nullptr;
  QLabel* keyFrameNumberLabel = nullptr;
  QLabel* keyFrameTotalLabel = nullptr;
  QLabel* animationNameLabel = nullptr;

  // Window-wide controls.
  QWidget* bottomRow_ = nullptr;
  QPushButton* runButton = nullptr;
  QPushButton* stepButton = nullptr;
  QPushButton* resetButton = nullptr;
  QPushButton* closeButton = nullptr;
  QPushButton* randomiseButton = nullptr;
  QCheckBox* saveImagesBox = nullptr;
  QLineEdit* delayBox = nullptr;
  QLineEdit* frameCountBox = nullptr;
  QLabel* frameCountCaption = nullptr;
  QScrollBar* resolutionBar = nullptr;
  QLabel* resolutionCaption = nullptr;
  QLabel* resolutionValue = nullptr;
  QLineEdit* fpsBox = nullptr;
  QLabel* fpsCaption = nullptr;
  QLabel* frameTotalLabel = nullptr;
  QLabel* loopLabel = nullptr;
};

}  // namespace quill
