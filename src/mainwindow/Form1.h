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

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QToolButton;

namespace quill {

class DesktopServices;
class KeyPreview;
class DivisionDialog;
class PadEditor;
class WindowDirectory;

// The main window: the settings panel in a left column, the preview buttons and
// the background colour label. The area to the right is the pad's.
// Handlers carry the names of the controls and events they answer, so other
// windows and tests can call them as the controls would.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTwipsPerPixel = 15;
  static constexpr int kRectanglesWidthTwips = 2760;  // cuts the pad off
  static constexpr int kTrianglesWidthTwips = 13515;  // shows the whole pad
  static constexpr int kPanelWidthTwips = 2580;       // the pad starts here
  static constexpr int kHeightPixels = 748;

  // Builds the controls and runs the load handler.
  Form1(PatternState& state, WindowDirectory& windows, QWidget* parent = nullptr);

  // Start-up: the defaults of the pattern state and the controls that mirror them.
  void Form_Load();

  // Geometry switch.
  void PicRect_Click();
  void picHex_Click();
  // "#  polygon vertices " and "# concentric layers"; hscroll2_change also
  // recomputes the layer tables for the pad and frame apply.
  void HScroll1_Change();
  void hscroll2_change();
  // Rows and columns boxes: 0 columns, 1 rows.
  void txtDims_Change(int index);
  void optLock_Click();
  void optSpiral_Click();
  void optLinear_Click();
  void Option1_Click();
  void Option2_Click();
  void HScroll3_Change();
  void startval_Change();
  void decimal_Click();
  void cmdHide_Click();
  void command2_mouseup();
  // "live" (Form1Live.cpp): while ticked, every settings change redraws the
  // preview soon after, without capturing a key frame.
  void settingsChanged();
  void liveRedraw();
  // A redraw is waiting for the changes of the moment to end.
  bool liveRedrawPending() const;
  void bmap_button_Click();
  void Form_KeyDown(int keyCode, int shift);

  // Palette (Form1Palette.cpp). applyPalette: 0 "spectrum", 1 "bright", 2 "dark".
  void applyPalette(int16_t which);
  void refreshChips();
  Color getcolor(Color initial);
  void Command3_Click();  // preset palette
  void Command1_Click();  // "random"
  void chip_MouseUp(int index, Qt::MouseButton button);
  void Label22_Click();   // background
  void Command6_Click();  // "blend options"
  Color chipColor(int index) const;
  bool swapPending() const { return swapPending_; }

  PadEditor& pad() { return *pad_; }

  // Key frames (Form1History.cpp).
  void cmdJumpBack_Click();  // "<<"
  void cmdJumpFwd_Click();   // ">>"
  void stepBack();           // "<", Ctrl+Z
  void stepForward();        // ">", Ctrl+X
  void deleteFrame();        // Ctrl+D
  void clearHistory();       // Ctrl+C
  void Command10_Click();    // "modify frame"
  void cmdNewAni_Click();    // "new animation"
  void showCurrentFrame();
  // The naming dialog's "OK".
  void showAnimationName(const QString& name);
  const KeyFrameHistory& history() const { return history_; }
  bool unsavedEdits() const { return unsavedEdits_; }
  const std::string& statePath() const { return statePath_; }

  // Puts curFrame back into the live settings and every control (Form1Apply.cpp).
  void applyFrame();

  // State files (Form1Files.cpp): "save state", "load state", and a file
  // opened from the command line or dropped on the window. Save returns
  // whether the file was written.
  bool Command5_Click();
  void Command7_Click();
  // False when the file was refused (the message has been shown).
  bool loadStateFile(const std::string& path);
  // Loads the frames a crashed run left behind; they count as unsaved work.
  bool recoverStateFile(const std::string& path);

  // Commands (Form1Commands.cpp).
  void cmdRecurse_Click();  // "divide"
  void cmdAnimate_Click();  // "animate"
  void Command4_Click();    // "R"
  // The close box: may ask to save; false when the user cancels.
  bool Form_QueryUnload();

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
  struct Panel {
    QToolButton* PicRect = nullptr;
    QToolButton* picHex = nullptr;
    QLabel* Label8 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    // The indexed boxes txtDims(0) and txtDims(1) are named txtDims0 and txtDims1.
    std::array<QLineEdit*, 2> txtDims{};
    QLabel* lblCols = nullptr;
    QLabel* lblRows = nullptr;
    QLabel* lblRects = nullptr;
    QRadioButton* optLock = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* optSpiral = nullptr;
    QRadioButton* optLinear = nullptr;
    QScrollBar* HScroll3 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* startval = nullptr;
    QLabel* Label11 = nullptr;
    QCheckBox* decimal = nullptr;
    QCheckBox* locked = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QLabel* Label22 = nullptr;
    QPushButton* Command2 = nullptr;
    QCheckBox* chkLive = nullptr;
    QPushButton* cmdHide = nullptr;
    std::array<QLabel*, 16> chip{};
    QPushButton* Command3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* bmap_button = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* cmdRecurse = nullptr;
    QPushButton* cmdAnimate = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command7 = nullptr;
    // The history buttons come twice: in the panel and under the pad.
    std::array<QPushButton*, 2> jumpBack{};
    std::array<QPushButton*, 2> stepBack{};
    std::array<QPushButton*, 2> stepForward{};
    std::array<QPushButton*, 2> jumpForward{};
    std::array<QPushButton*, 2> modify{};
    QPushButton* cmdNewAni = nullptr;
    QLabel* lblXofY = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblAniName = nullptr;
  };

  // Construction (Form1Layout.cpp).
  void createGeometryControls();
  void createGridControls();
  void createCountingControls();
  void createColourControls();
  void createPaletteControls();
  void createPad();
  void createCommandControls();
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
  static void paintLabel(QLabel* label, Color color);
  void setChipColor(int index, Color color);
  void showPreviewIfOpen();
  DivisionDialog& division() const;
  void captureKeyFrame();
  void showFrameLabels();
  void finishNavigation(bool letEventsRun);
  void applyPanelSettings(const KeyFrame& f);
  void applyColourSettings(const KeyFrame& f);
  bool writeStateFile(const std::vector<KeyFrame>& records);

  PatternState& state_;
  WindowDirectory& windows_;
  Panel ui_;
  KeyPreview* keyPreview_ = nullptr;
  PadEditor* pad_ = nullptr;
  KeyFrameHistory history_;
  bool unsavedEdits_ = false;
  std::string statePath_;
  // Set while the program closes itself, so no question is asked.
  bool closingQuietly_ = false;
  bool swapPending_ = false;
  int16_t swapFirst_ = 0;
  float aspectRatio_ = 0.8f;  // rows per column
  QString lastGoodStart_ = QStringLiteral("0");
  QTimer* liveTimer_ = nullptr;
  bool liveRendering_ = false;
  bool liveWatchingDialogs_ = false;
  // Set while a refused box gets its old text back, so a bad old text cannot
  // bounce back and forth.
  std::array<bool, 2> restoringDims_{};
};

}  // namespace quill
