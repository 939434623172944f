#pragma once
#include <QElapsedTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "animation/SequenceOutput.h"
#include "engine/PatternState.h"
#include "render/ExportPass.h"
#include "platform/KeyCodes.h"
#include "render/RenderState.h"
#include "platform/DesktopServices.h"

class QImage;

namespace quill {

class PictureBox;
class MovieEncoder;

// Where the picture surface goes in an available area of W x H pixels and the
// scale that makes the pattern fill it. Position and size stay fractional here;
// the window truncates them to whole pixels.
struct SurfaceFit {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  float previewScale = 0;  // polygons only
  double cellSize = 0;     // grids only
  friend bool operator==(const SurfaceFit&, const SurfaceFit&) = default;
};

// The fit of a polygon (4:5 picture) or of a grid of rows x columns cells.
// Areas under one pixel and counts under one are taken as one.
SurfaceFit fitSurface(int availableWidth, int availableHeight, bool triangleMode, int rows,
                      int columns);

// "KVT preview    " and the zoom as a whole percentage.
std::string previewCaption(double zoomPercent);
inline constexpr char kRenderingCaption[] = "KVT preview    rendering... (Esc stops)";


// The view of the picture: zoom and the drag in progress.
struct PreviewView {
  double zoomPercent = 0;
  bool zoomed = false;  // while set a resize does not refit
  bool dragging = false;
  double dragStartX = 0;
  double dragStartY = 0;
};

// The preview window `canvas`: fits the picture surface to the window, draws
// curFrame on it, zooms with the arrow keys and pans by dragging. It also runs
// the export passes and the animation's sequence frames (PreviewExport.cpp).
class PreviewWindow : public QWidget {
  Q_OBJECT

 public:
  PreviewWindow(PatternState& state, DesktopServices& services, QWidget* parent = nullptr);
  ~PreviewWindow() override;

  // The main window's key handler, for the Ctrl shortcuts pressed here.
  std::function<void(int key, int shift)> mainKeyDown;
  // Shows the progress caption of a long export (the window itself is hidden
  // then); an empty caption when the export ends.
  // The frame an armed animation run would write now: an activation draws
  // and writes it instead of the fitted picture.
  std::function<std::optional<SequenceFrame>()> armedSequenceFrame;
  std::function<void(const std::string& caption)> exportProgress;

  // Runs on every activation; callable directly.
  void activate();
  void resized() { fitToWindow(); }
  void fitToWindow();
  void keyDown(int key, int shift);
  // A click on the window beside the picture.
  void clickBesidePicture();

  // The export dialog's "save": the bitmap pass (which asks for the file
  // name) or the metafile pass into the name the dialog chose. The name of
  // the file saved, or nothing when none was.
  std::optional<std::string> startExport(const ExportOptions& options, const std::string& metafilePath = {});

  // One animation frame from the tables as they stand: drawn in the current
  // fit, or drawn at sequence size and written while a saved run is armed
  // (into `movie` when a movie is being written). False when the frame could
  // not be written.
  bool drawAnimationFrame(const SequenceFrame* frame = nullptr);
  // A frame of a saved run, drawn by the frame workers, at its own size.
  void showAnimationPicture(const QImage& picture);

  bool rendering() const { return rendering_; }
  // The counter the last picture drawn left, once: nothing when none was
  // drawn since the last call.
  std::optional<int64_t> takeCount() { return std::exchange(counted_, std::nullopt); }
  const PreviewView& view() const { return view_; }
  // The geometry of the most recent fit, before rounding to pixels.
  const SurfaceFit& lastFit() const { return lastFit_; }
  RenderState& renderState() { return renderState_; }
  PictureBox* pictureBox() const { return pictureBox_; }
  const QImage& picture();

  // A long render shows its progress and reads the keyboard every
  // `everyLeaves` leaves once `afterMs` milliseconds have passed.
  void setRenderYield(int64_t everyLeaves, int afterMs);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void picturePressed(Qt::MouseButton button, QPointF position);
  void pictureDragged(Qt::MouseButtons buttons, QPointF position);
  void pictureReleased();

  void zoomIn();
  void zoomOut();
  void applyZoom(double factor, int left, int top, int width, int height);
  bool placeSurface(const SurfaceFit& fit);
  bool renderPicture();
  bool keepRendering(const QElapsedTimer& clock, bool& showingProgress);
  void updateCaption();

  // Export passes (PreviewExport.cpp).
  std::optional<std::string> bitmapPass(const ExportOptions& options);
  std::optional<std::string> saveBitmap(ExportPicture& picture, ExportFormat format);
  bool metafilePass(const ExportOptions& options, const std::string& path);
  bool sequenceFramePass(const SequenceFrame& frame);
  void exportRender(const std::function<void(const RenderHook&)>& draw);
  bool keepExporting();
  void setWindowBackground(Color color);

  PatternState& state_;
  DesktopServices& services_;
  std::optional<int64_t> counted_;
  RenderState renderState_;
  PreviewView view_;
  SurfaceFit lastFit_;
  PictureBox* pictureBox_;
  Color pictureBackground_ = 0;
  bool rendering_ = false;
  bool exporting_ = false;
  QElapsedTimer exportClock_;
  bool exportProgressShown_ = false;
  // Started when a show has drawn, so the activation that the show brings
  // does not draw the same picture again.
  QElapsedTimer shownAt_;
  int64_t yieldEveryLeaves_ = int64_t{1} << 16;
  int yieldAfterMs_ = 300;
};

}  // namespace quill
