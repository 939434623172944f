#include "preview/PreviewWindow.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <algorithm>
#include <climits>

#include "engine/PadUnits.h"
#include "engine/Rounding.h"
#include "preview/PictureBox.h"
#include "render/Renderer.h"
#include "gfx/QtColor.h"
#include "gfx/RasterSurface.h"

namespace quill {

namespace {

constexpr int kFrameWidth = 8;    // window border, left and right together
constexpr int kFrameHeight = 36;  // border and caption bar
constexpr int kZoomInLimit = 8000;
constexpr int kZoomOutLimit = 48;
// An activation this soon after a show's drawing is the show's own.
constexpr int kShowActivationMs = 1000;

// Surface sizes become whole pixels by truncation; at least one pixel.
int wholePixels(double size) {
  return static_cast<int>(std::clamp(size, 1.0, static_cast<double>(INT_MAX)));
}

// Qt's key to the code the key handlers compare against; -1 for keys nobody uses.
int keyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Down:
      return kKeyDown;
    default:
      break;
  }
  // Letters and digits share their codes with Qt's.
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return qtKey;
  return -1;
}

int shiftState(Qt::KeyboardModifiers modifiers) {
  int shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= kShiftBit;
  if (modifiers & Qt::ControlModifier) shift |= kCtrlBit;
  if (modifiers & Qt::AltModifier) shift |= kAltBit;
  return shift;
}

bool isMainWindowShortcut(int key) { return key == 'C' || key == 'D' || key == 'X' || key == 'Z'; }

}  // namespace

SurfaceFit fitSurface(int availableWidth, int availableHeight, bool triangleMode, int rows,
                      int columns) {
  // 64-bit: H x 25 outgrows 16 bits once the window is taller than 1310 pixels.
  const int64_t w = std::max(availableWidth, 1);
  const int64_t h = std::max(availableHeight, 1);
  SurfaceFit fit;
  if (triangleMode) {
    if (h > w) {
      fit.width = static_cast<double>(w);
      fit.height = static_cast<double>(w * 20) / 25;
      fit.top = (static_cast<double>(h) - fit.height) / 2 + 3;
      fit.left = 0;
      fit.previewScale = static_cast<float>(static_cast<double>(w) / kPadWidth);
    } else {
      // Slightly wide windows get a surface wider than themselves, cut off at both sides.
      fit.width = static_cast<double>(h * 25) / 20;
      fit.height = static_cast<double>(h);
      fit.top = 3;
      fit.left = (static_cast<double>(w) - fit.width) / 2;
      fit.previewScale = static_cast<float>(static_cast<double>(h) / -kPadHeight);
    }
    return fit;
  }
  const double r = std::max(rows, 1);
  const double n = std::max(columns, 1);
  const double wd = static_cast<double>(w);
  const double hd = static_cast<double>(h);
  if (wd / n <= hd / r) {
    fit.width = wd;
    fit.height = fit.width * r / n + 16;
    fit.cellSize = wd / n;
  } else {
    fit.height = hd + 16;
    fit.width = fit.height * n / r;
    fit.cellSize = hd / r;
  }
  fit.left = (wd - fit.width) / 2;
  fit.top = (hd - fit.height) / 2 + 8;
  return fit;
}

std::string previewCaption(double zoomPercent) {
  return "KVT preview    " + std::to_string(roundHalfEvenToInt(zoomPercent)) + "%";
}

PreviewWindow::PreviewWindow(PatternState& state, DesktopServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      services_(services),
      pictureBox_(new PictureBox(this)) {
  setObjectName("canvas");
  setWindowTitle("KVT preview");
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  connect(pictureBox_, &PictureBox::mouseDown, this, &PreviewWindow::picturePressed);
  connect(pictureBox_, &PictureBox::mouseMoved, this, &PreviewWindow::pictureDragged);
  connect(pictureBox_, &PictureBox::mouseUp, this, [this] { pictureReleased(); });
}

PreviewWindow::~PreviewWindow() = default;

const QImage& PreviewWindow::picture() { return pictureBox_->image(); }

void PreviewWindow::setRenderYield(int64_t everyLeaves, int afterMs) {
  yieldEveryLeaves_ = std::max<int64_t>(everyLeaves, 1);
  yieldAfterMs_ = std::max(afterMs, 0);
}

// --- Activation and fit ---------------------------------------------------

void PreviewWindow::activate() {
  if (isMinimized() || rendering_) return;
  view_.zoomed = false;
  pictureBackground_ = state_.curFrame.backColor;

  // A pending export runs only from the dialog's "save" (startExport): the
  // requests are set as soon as the dialog opens, and an activation meanwhile
  // must not write a file nobody has named yet.
  const std::optional<SequenceFrame> armed = armedSequenceFrame ? armedSequenceFrame() : std::nullopt;
  if (!armed) {
    translate(state_);
    fitToWindow();
    return;
  }
  sequenceFramePass(*armed);
}

void PreviewWindow::fitToWindow() {
  if (isMinimized() || view_.dragging || view_.zoomed || rendering_) return;
  const KeyFrame& frame = state_.curFrame;
  pictureBackground_ = frame.backColor;
  setWindowBackground(frame.backColor);

  const QRect outer = frameGeometry();
  const int availableWidth = outer.width() - kFrameWidth;
  const int availableHeight = outer.height() - kFrameHeight;
  view_.zoomPercent = 100;
  updateCaption();

  lastFit_ = fitSurface(availableWidth, availableHeight, state_.triangleMode, frame.rowCount,
                        frame.columnCount);
  if (!placeSurface(lastFit_)) {
    services_.beep();
    return;
  }
  if (state_.triangleMode)
    state_.previewScale = lastFit_.previewScale;
  else
    renderState_.cellSize = lastFit_.cellSize;
  renderPicture();
}

bool PreviewWindow::placeSurface(const SurfaceFit& fit) {
  return pictureBox_->place(floorToPixel(fit.left), floorToPixel(fit.top), wholePixels(fit.width),
                        wholePixels(fit.height));
}

// --- Keys, zoom and clicks ----------------------------------------------------

void PreviewWindow::keyDown(int key, int shift) {
  if (key == kKeyEscape) {
    state_.stopRequested = true;
  } else if (key == kKeyRight) {
    zoomIn();
  } else if (key == kKeyLeft) {
    zoomOut();
  } else if (key == kKeyDown) {
    if (rendering_) return;
    view_.zoomed = false;
    fitToWindow();
  } else if (shift == kCtrlBit && isMainWindowShortcut(key)) {
    // The main window's handler may change curFrame, which must not happen
    // under a render that is still reading it.
    if (rendering_) return;
    if (mainKeyDown) mainKeyDown(key, shift);
    translate(state_);
    fitToWindow();
  }
}

void PreviewWindow::zoomIn() {
  const int width = pictureBox_->surface().width();
  const int height = pictureBox_->surface().height();
  if (rendering_ || width >= kZoomInLimit || height > kZoomInLimit) {
    services_.beep();
    return;
  }
  // Doubling about the window's centre keeps the point in view where it was.
  const QPoint at = pictureBox_->pos();
  applyZoom(2, floorToPixel(2.0 * at.x() - this->width() / 2.0),
            floorToPixel(2.0 * at.y() - this->height() / 2.0), 2 * width, 2 * height);
}

void PreviewWindow::zoomOut() {
  const int width = pictureBox_->surface().width();
  const int height = pictureBox_->surface().height();
  if (rendering_ || width <= kZoomOutLimit) {
    services_.beep();
    return;
  }
  const QPoint at = pictureBox_->pos();
  applyZoom(0.5, floorToPixel(this->width() / 4.0 + at.x() / 2.0),
            floorToPixel(this->height() / 4.0 + at.y() / 2.0), std::max(width / 2, 1),
            std::max(height / 2, 1));
}

void PreviewWindow::applyZoom(double factor, int left, int top, int width, int height) {
  // A picture too big for memory is refused like one past the size limit.
  if (!pictureBox_->place(left, top, width, height)) {
    services_.beep();
    return;
  }
  view_.zoomed = true;
  state_.previewScale = static_cast<float>(state_.previewScale * factor);
  renderState_.cellSize *= factor;
  view_.zoomPercent *= factor;
  updateCaption();
  renderPicture();
}

void PreviewWindow::clickBesidePicture() {
  if (rendering_) return;
  translate(state_);
  fitToWindow();
}

// --- Drawing ---------------------------------------------------------------------

bool PreviewWindow::renderPicture() {
  RasterSurface& surface = pictureBox_->surface();
  rendering_ = true;
  // An Esc pressed before this render must not cut it short.
  state_.stopRequested = false;
  surface.clear(pictureBackground_);

  QElapsedTimer clock;
  clock.start();
  bool showingProgress = false;
  Renderer renderer(state_, renderState_, surface);
  renderer.setBackground(pictureBackground_);
  renderer.setStopCheck([&] { return !keepRendering(clock, showingProgress); }, yieldEveryLeaves_);
  counted_ = renderer.draw();

  rendering_ = false;
  if (showingProgress) updateCaption();
  pictureBox_->update();
  return !renderer.stopped();
}

// A render that takes long shows what it has so far and lets events run, so
// that Esc (or closing the window) can end it; the partial picture stays.
bool PreviewWindow::keepRendering(const QElapsedTimer& clock, bool& showingProgress) {
  if (!state_.stopRequested && clock.elapsed() >= yieldAfterMs_) {
    if (!showingProgress) {
      setWindowTitle(kRenderingCaption);
      showingProgress = true;
    }
    pictureBox_->update();
    services_.processEvents();
  }
  return !state_.stopRequested;
}

void PreviewWindow::updateCaption() {
  setWindowTitle(QString::fromStdString(previewCaption(view_.zoomPercent)));
}

void PreviewWindow::setWindowBackground(Color color) {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, toQColor(color));
  setPalette(colours);
}

// --- Mouse on the picture -------------------------------------------------------

void PreviewWindow::picturePressed(Qt::MouseButton button, QPointF position) {
  if (button != Qt::LeftButton) return;
  view_.dragging = true;
  view_.dragStartX = position.x();
  view_.dragStartY = position.y();
}

// The box follows the mouse, so the grab point stays under the cursor and the
// start point never needs updating.
void PreviewWindow::pictureDragged(Qt::MouseButtons buttons, QPointF position) {
  if (!view_.dragging || !(buttons & Qt::LeftButton)) return;
  const QPoint at = pictureBox_->pos();
  pictureBox_->move(floorToPixel(at.x() + (position.x() - view_.dragStartX)),
                floorToPixel(at.y() + (position.y() - view_.dragStartY)));
}

void PreviewWindow::pictureReleased() { view_.dragging = false; }

// --- Window events ---------------------------------------------------------------

bool PreviewWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    const bool broughtByShow = shownAt_.isValid() && shownAt_.elapsed() < kShowActivationMs;
    shownAt_.invalidate();
    if (!broughtByShow) activate();
  } else if (event->type() == QEvent::WindowDeactivate) {
    shownAt_.invalidate();
  }
  return QWidget::event(event);
}

// Showing draws at once, so whoever showed the window can read what the
// render left behind (the next counting number) straight afterwards.
void PreviewWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  activate();
  shownAt_.start();
}

void PreviewWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  shownAt_.invalidate();
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The resize that comes before the first show is followed by the activation's own fit.
  if (isVisible()) fitToWindow();
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
  state_.previewOpen = false;
  // Nobody will look at the rest of a picture in a closed window.
  if (rendering_) state_.stopRequested = true;
  event->accept();
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
  const int key = keyCode(event->key());
  if (key < 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  keyDown(key, shiftState(event->modifiers()));
}

void PreviewWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) clickBesidePicture();
}

}  // namespace quill
