#pragma once
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/KeyFrameHistory.h"
#include "engine/FrameCapture.h"
#include "engine/PatternState.h"
#include "mainwindow/SettingsPanel.h"

class QTimer;

namespace quill {

class DesktopServices;
class KeyPreview;
class PaletteBar;
class HistoryBar;
class DivisionDialog;
class PadEditor;
class WindowDirectory;

// The main window: the settings panel in a left column with the preview
// buttons and the background colour label, the palette bar (PaletteBar) and
// the history bar (HistoryBar) below it. The area to the right is the pad's.
// The handlers are public, named for what they do, so other windows and tests
// can call them as the controls would.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTwipsPerPixel = 15;
  static constexpr int kRectanglesWidthTwips = 2760;  // cuts the pad off
  static constexpr int kTrianglesWidthTwips = 13515;  // shows the whole pad
  static constexpr int kPanelWidthTwips = 2580;       // the pad starts here
  static constexpr int kHeightPixels = 748;

  // Builds the controls and runs the load handler.
  MainWindow(PatternState& state, WindowDirectory& windows, QWidget* parent = nullptr);

  // Start-up: the defaults of the pattern state and the controls that mirror them.
  void loadStartupSettings();

  // Geometry switch.
  void switchToRectangles();
  void switchToTriangles();
  // "#  polygon vertices " and "# concentric layers"; changeLayerCount also
  // recomputes the layer tables for the pad and frame apply.
  void changeVertexCount();
  void changeLayerCount();
  // Rows and columns boxes: 0 columns, 1 rows.
  void changeGridSize(int index);
  void lockGridRatio();
  void chooseSpiralOrder();
  void chooseBookOrder();
  void chooseListColours();
  void chooseBlendColours();
  void changeNumberBase();
  void changeStartText();
  void toggleDecimal();
  void togglePreview();
  void previewAndCapture();
  // "live" (MainWindowLive.cpp): while ticked, every settings change redraws the
  // preview soon after, without capturing a key frame.
  void settingsChanged();
  void liveRedraw();
  // A redraw is waiting for the changes of the moment to end.
  bool liveRedrawPending() const;
  void openSaveImage();
  void keyDown(int keyCode, int shift);

  // The palette bar under the panel: chips, presets, "random", "blend options".
  PaletteBar& palette() { return *palette_; }
  void pickBackground();  // background

  PadEditor& pad() { return *pad_; }

  // Key frames (MainWindowHistory.cpp).
  void jumpBack();  // "<<"
  void jumpForward();   // ">>"
  void stepBack();           // "<", Ctrl+Z
  void stepForward();        // ">", Ctrl+X
  void deleteFrame();        // Ctrl+D
  void clearHistory();       // Ctrl+C
  void modifyFrame();    // "modify frame"
  void newAnimation();    // "new animation"
  void showCurrentFrame();
  // The naming dialog's "OK".
  void showAnimationName(const QString& name);
  const KeyFrameHistory& history() const { return history_; }
  bool unsavedEdits() const { return unsavedEdits_; }
  const std::string& statePath() const { return statePath_; }

  // Puts curFrame back into the live settings and every control (MainWindowApply.cpp).
  void applyFrame();

  // State files (MainWindowFiles.cpp): "save state", "load state", and a file
  // opened from the command line or dropped on the window. Save returns
  // whether the file was written.
  bool saveState();
  void loadState();
  // False when the file was refused (the message has been shown).
  bool loadStateFile(const std::string& path);
  // Loads the frames a crashed run left behind; they count as unsaved work.
  bool recoverStateFile(const std::string& path);

  // Commands (MainWindowCommands.cpp).
  void showDivision();  // "divide"
  void showAnimation();  // "animate"
  void restoreStartValue();    // "R"
  // The close box: may ask to save; false when the user cancels.
  bool confirmClose();

  // Refreshes the triangle count label (the division dialog calls it too).
  void triCount();
  // The number the division dialog's fractions label shows; 1 until that
  // dialog exists.
  double fractionsShown() const;

  // What captureFrame reads from the controls.
  FrameControls controls() const;

  // Writes a value into the start value box in its current base (decimal or
  // numberBase), the way the program itself fills the box.
  void showStartValue(int64_t value);

  // The preview counts as shown while the toggle offers to hide it.
  bool previewMarkedShown() const;

  float aspectRatio() const { return aspectRatio_; }
  const QString& lastGoodStart() const { return lastGoodStart_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:

  // Construction (MainWindowLayout.cpp).
  void createPaletteControls();
  void createPad();
  void createHistoryControls();
  void connectCommands();
  void connectSignals();
  void connectLiveRedraws();
  void watchControls(QWidget* window);

  DesktopServices& services();
  void switchGeometry(bool triangles);
  void showGeometryControls(bool triangles);
  void restoreDims(int index);
  void refuseDims(int index, const char* message);
  int startBase() const;
  std::optional<int32_t> readStartText(const QString& text, int base) const;
  void writeStartText(const QString& text);
  Color backColor() const;
  void setBackground(Color color);
  DivisionDialog& division() const;
  void captureKeyFrame();
  void finishNavigation(bool letEventsRun);
  void applyPanelSettings(const KeyFrame& f);
  void applyColourSettings(const KeyFrame& f);
  bool writeStateFile(const std::vector<KeyFrame>& records, const std::string& path);

  PatternState& state_;
  WindowDirectory& windows_;
  SettingsPanel panel_;
  KeyPreview* keyPreview_ = nullptr;
  PaletteBar* palette_ = nullptr;
  HistoryBar* historyBar_ = nullptr;
  PadEditor* pad_ = nullptr;
  KeyFrameHistory history_;
  bool unsavedEdits_ = false;
  std::string statePath_;
  // Set while the program closes itself, so no question is asked.
  bool closingQuietly_ = false;
  float aspectRatio_ = 0.8f;  // rows per column
  QString lastGoodStart_ = QStringLiteral("0");
  Color background_ = rgb(64, 64, 64);
  // Set while the program itself writes the controls (a frame put back, a
  // value reformatted): their handlers, and live redraws, hold off.
  bool writingControls_ = false;
  bool previewShown_ = true;  // the hide/show toggle offers to hide the preview
  QTimer* liveTimer_ = nullptr;
  bool liveRendering_ = false;
  bool liveWatchingDialogs_ = false;
  // Set while a refused box gets its old text back, so a bad old text cannot
  // bounce back and forth.
  std::array<bool, 2> restoringDims_{};
};

}  // namespace quill
