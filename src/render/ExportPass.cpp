#include "render/ExportPass.h"

#include <algorithm>
#include <climits>

#include "engine/Rounding.h"
#include "media/MetafileRecorder.h"
#include "gfx/RasterSurface.h"
#include "media/SafeWrite.h"
#include "gfx/SvgSurface.h"

namespace quill {

namespace {

constexpr int64_t kMaxExportWidth = 16000;
// An enhanced metafile records its size in 32 bits; a drawn cell takes about
// 160 bytes of records (brush, pen, two selections, polygon, two deletions).
constexpr int64_t kMetafileBytesPerLeaf = 160;
constexpr int64_t kMetafileByteLimit = int64_t{1} << 32;
// An SVG is built in memory at about 100 bytes a cell.
constexpr int64_t kSvgLeafLimit = int64_t{1} << 22;
constexpr double kLegendStrip = 1.1;
constexpr double kLegendShrink = 0.925;

bool isBitmapPass(ExportFormat format) { return format != ExportFormat::Emf; }
bool wantsLegend(const PatternState& state, const ExportOptions& options) {
  return options.legend && state.triangleMode;
}

std::string sizeText(const ExportSize& size) {
  return std::to_string(size.width) + " x " + std::to_string(size.height) + " pixels";
}

class RasterPicture : public ExportPicture {
 public:
  RasterPicture(ExportFormat format, int width, int height)
      : format_(format), surface_(width, height) {}
  bool usable() const { return surface_.width() > 0; }
  Surface& surface() override { return surface_; }
  bool save(const std::string& path) override {
    return writeReplacing(path, [this](const std::string& temporary) {
      return format_ == ExportFormat::Png ? surface_.savePng(temporary)
                                          : surface_.saveBmp(temporary);
    });
  }

 private:
  ExportFormat format_;
  RasterSurface surface_;
};

class SvgPicture : public ExportPicture {
 public:
  SvgPicture(int width, int height) : surface_(width, height) {}
  Surface& surface() override { return surface_; }
  bool save(const std::string& path) override {
    return writeReplacing(path, [this](const std::string& temporary) {
      return surface_.save(temporary);
    });
  }

 private:
  SvgSurface surface_;
};

// Sets the scale (polygons) or the cell side (grids) of an export size.
void applySize(PatternState& state, RenderState& renderState, const ExportSize& size) {
  if (state.triangleMode)
    state.previewScale = size.previewScale;
  else
    renderState.cellSize = size.cellSize;
}

}  // namespace

ExportSize exportSize(const PatternState& state, const ExportOptions& options) {
  if (!isBitmapPass(options.format))
    return metafileExportSize(state.curFrame, state.triangleMode, options.metafileWidth);
  ExportSize size = bitmapExportSize(state.curFrame, state.triangleMode, options.width);
  if (wantsLegend(state, options))
    size.height = roundHalfEvenToInt(static_cast<double>(size.height) * kLegendStrip);
  return size;
}

std::optional<std::string> exportRefusal(const PatternState& state, const ExportOptions& options) {
  if (state.triangleMode && isBitmapPass(options.format) &&
      (options.width < 1 || options.width > kMaxExportWidth))
    return "width must be from 1 to 16000";
  const ExportSize size = exportSize(state, options);
  const int64_t leaves = leafCount(state.curFrame, state.triangleMode);
  const bool fitsInt = size.width >= 1 && size.height >= 1 && size.width <= INT32_MAX &&
                       size.height <= INT32_MAX;
  switch (options.format) {
    case ExportFormat::Bmp:
    case ExportFormat::Png:
      if (fitsInt && RasterSurface::canAllocate(static_cast<int>(size.width),
                                                static_cast<int>(size.height)))
        return std::nullopt;
      break;
    case ExportFormat::Svg:
      if (fitsInt && leaves <= kSvgLeafLimit) return std::nullopt;
      break;
    case ExportFormat::Emf:
      if (fitsInt && leaves <= kMetafileByteLimit / kMetafileBytesPerLeaf) return std::nullopt;
      break;
  }
  return "a picture of " + sizeText(size) + " and " + std::to_string(leaves) +
         " cells is too large to save";
}

LegendText legendText(const PatternState& state, const std::string& startText) {
  LegendText legend;
  legend.base = state.numberBase;
  legend.chips = state.chipColors;
  legend.blend = state.blendOn;
  legend.startText = startText;
  legend.digitCounter = state.digitCounter;
  return legend;
}

std::unique_ptr<ExportPicture> makeExportPicture(ExportFormat format, int width, int height) {
  if (format == ExportFormat::Svg) return std::make_unique<SvgPicture>(width, height);
  auto raster = std::make_unique<RasterPicture>(format, width, height);
  if (!raster->usable()) return nullptr;
  return raster;
}

bool drawBitmapPass(PatternState& state, RenderState& renderState, Surface& surface,
                    const ExportOptions& options, const RenderHook& hook) {
  const ExportSize size = bitmapExportSize(state.curFrame, state.triangleMode, options.width);
  surface.resize(static_cast<int>(size.width), static_cast<int>(size.height));
  surface.clear(kWhite);
  surface.setLineWidth(size.lineWidth);
  applySize(state, renderState, size);
  translate(state);
  Renderer renderer(state, renderState, surface);
  renderer.setBackground(kWhite);
  if (hook) hook(renderer);
  renderer.draw();
  if (renderer.stopped()) return false;
  if (wantsLegend(state, options))
    drawLegendBmp(surface, legendText(state, options.startText), state.previewScale);
  return true;
}

WriteResult writeMetafilePass(PatternState& state, RenderState& renderState, Surface& surface,
                              const ExportOptions& options, const std::string& path,
                              const RenderHook& hook) {
  const ExportSize size = metafileExportSize(state.curFrame, state.triangleMode,
                                             options.metafileWidth);
  const int width = static_cast<int>(size.width), height = static_cast<int>(size.height);
  surface.resize(width, height);
  surface.clear(kWhite);
  bool stopped = false;
  const bool saved = writeReplacing(path, [&](const std::string& temporary) {
    auto recorder = createEmfRecorder(temporary, 0, 0, width, height, width, height);
    if (!recorder || !recorder->valid()) return false;
    MetafileTarget target;
    target.recorder = recorder.get();
    target.whiteBrush = recorder->createSolidBrush(kWhite);
    target.blackPen = recorder->createPen(1, kBlack);
    target.triangleLinesOn = state.curFrame.drawLines != 0;
    target.triangleFillsOn = state.curFrame.drawFills != 0;
    renderState.cellPenWidth = 1;
    applySize(state, renderState, size);
    const bool legend = wantsLegend(state, options);
    // The legend needs room below the pattern.
    if (legend) state.previewScale = static_cast<float>(state.previewScale * kLegendShrink);

    translate(state);
    Renderer renderer(state, renderState, surface);
    renderer.setBackground(kWhite);
    renderer.setMetafile(&target);
    if (hook) hook(renderer);
    renderer.draw();
    if (renderer.stopped()) {
      stopped = true;
      return false;
    }
    if (legend) drawLegendEmf(surface, target, legendText(state, options.startText), state.previewScale);
    recorder->deleteObject(target.whiteBrush);
    recorder->deleteObject(target.blackPen);
    return recorder->close();
  });
  if (saved) return WriteResult::Saved;
  return stopped ? WriteResult::Stopped : WriteResult::Failed;
}

// The frame keeps the 1200 x 1000 picture's proportions at every size: scale 2
// there, and as much more as the frame is wider.
void drawSequenceFrame(PatternState& state, RenderState& renderState, Surface& surface, const RenderHook& hook) {
  const int width = state.sequenceFrameWidth;
  const int height = state.sequenceFrameHeight;
  surface.setLineWidth(1);
  surface.resize(width, height);
  state.previewScale = static_cast<float>(2.0 * width / kSequenceFrameWidth);
  const double columns = std::max<int>(state.curFrame.columnCount, 1);
  const double rows = std::max<int>(state.curFrame.rowCount, 1);
  const double byWidth = width / columns;
  const double byHeight = height / rows;
  renderState.cellSize = byWidth <= byHeight ? byWidth : byHeight;
  surface.clear(state.curFrame.backColor);
  Renderer renderer(state, renderState, surface);
  if (hook) hook(renderer);
  renderer.draw();
}

}  // namespace quill
