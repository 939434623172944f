// The preview window's export and sequence-frame passes: the drawing itself
// is the render library's; here are the dialogs, messages and the Esc watch.
#include <QApplication>
#include <QKeyEvent>

#include "animation/SequenceOutput.h"
#include "render/ExportFiles.h"
#include "preview/PictureBox.h"
#include "preview/PreviewWindow.h"
#include "media/MovieEncoder.h"
#include "gfx/NullSurface.h"

namespace quill {

std::optional<std::string> PreviewWindow::startExport(const ExportOptions& options, const std::string& metafilePath) {
  if (rendering_) return std::nullopt;
  view_.zoomed = false;
  pictureBackground_ = state_.curFrame.backColor;
  if (options.format != ExportFormat::Emf) return bitmapPass(options);
  if (!metafilePass(options, metafilePath)) return std::nullopt;
  return metafilePath;
}

std::optional<std::string> PreviewWindow::bitmapPass(const ExportOptions& options) {
  hide();
  const auto refusal = exportRefusal(state_, options);
  const ExportSize size = bitmapExportSize(state_.curFrame, state_.triangleMode, options.width);
  auto picture = refusal ? nullptr
                         : makeExportPicture(options.format, static_cast<int>(size.width),
                                             static_cast<int>(size.height));
  if (!picture) {
    services_.message(refusal.value_or("the picture is too large to save"));
    return std::nullopt;
  }
  bool drawn = false;
  exportRender([&](const RenderHook& hook) {
    drawn = drawBitmapPass(state_, renderState_, picture->surface(), options, hook);
  });
  services_.processEvents();
  if (!drawn) {
    services_.message(kExportStopped);
    return std::nullopt;
  }
  return saveBitmap(*picture, options.format);
}

std::optional<std::string> PreviewWindow::saveBitmap(ExportPicture& picture, ExportFormat format) {
  const ExportFileKind kind = exportFileKind(format);
  const auto name = services_.saveFileName({kSaveFileTitle, kind.filter, kind.extension, true, true});
  if (!name || name->empty() || !picture.save(*name)) {
    services_.message(kind.failure);
    return std::nullopt;
  }
  services_.processEvents();
  return *name;
}

// The metafile goes where the dialog chose before the pass. Nobody sees the
// surface of this pass, so it keeps no pixels.
bool PreviewWindow::metafilePass(const ExportOptions& options, const std::string& path) {
  if (const auto refusal = exportRefusal(state_, options)) {
    services_.message(*refusal);
    return false;
  }
  if (path.empty()) return false;
  NullSurface surface;
  WriteResult result = WriteResult::Failed;
  exportRender([&](const RenderHook& hook) {
    result = writeMetafilePass(state_, renderState_, surface, options, path, hook);
  });
  if (result == WriteResult::Saved) return true;
  services_.message(result == WriteResult::Stopped ? kExportStopped
                                                   : exportFileKind(ExportFormat::Emf).failure);
  return false;
}

// The animation has prepared the point tables; the flag stays set for its
// next frame. False when the frame could not be written: the run stops there.
bool PreviewWindow::sequenceFramePass(const SequenceFrame& frame) {
  if (!pictureBox_->place(0, 0, state_.sequenceFrameWidth, state_.sequenceFrameHeight)) return false;
  RasterSurface& surface = pictureBox_->surface();
  drawSequenceFrame(state_, renderState_, surface);
  pictureBox_->update();
  if (frame.movie) return frame.movie->addFrame(surface.image());
  // A movie is written only by a whole run; a single step or an activation
  // while one is armed draws the frame and writes nothing.
  if (movieTypeOf(frame.path)) return true;
  return writeSequencePicture(surface, frame.path, frame.png);
}

void PreviewWindow::showAnimationPicture(const QImage& picture) {
  if (!pictureBox_->place(0, 0, picture.width(), picture.height())) return;
  pictureBox_->surface().setPicture(picture);
  pictureBox_->update();
}

bool PreviewWindow::drawAnimationFrame(const SequenceFrame* frame) {
  if (rendering_) return true;
  if (frame) return sequenceFramePass(*frame);
  renderPicture();
  return true;
}

// A long export shows its progress and lets Esc, pressed in any window, stop it.
void PreviewWindow::exportRender(const std::function<void(const RenderHook&)>& draw) {
  rendering_ = true;
  exporting_ = true;
  state_.stopRequested = false;
  exportProgressShown_ = false;
  exportClock_.start();
  qApp->installEventFilter(this);
  draw([this](Renderer& renderer) {
    renderer.setStopCheck([this] { return !keepExporting(); }, yieldEveryLeaves_);
  });
  qApp->removeEventFilter(this);
  if (exportProgressShown_ && exportProgress) exportProgress({});
  exporting_ = false;
  rendering_ = false;
}

bool PreviewWindow::keepExporting() {
  if (!state_.stopRequested && exportClock_.elapsed() >= yieldAfterMs_) {
    if (!exportProgressShown_ && exportProgress) exportProgress(kRenderingCaption);
    exportProgressShown_ = true;
    services_.processEvents();
  }
  return !state_.stopRequested;
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (exporting_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    state_.stopRequested = true;
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quill
