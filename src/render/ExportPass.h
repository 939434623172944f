#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/PatternState.h"
#include "render/ExportSize.h"
#include "render/Legend.h"
#include "render/RenderState.h"
#include "render/Renderer.h"
#include "gfx/Surface.h"

namespace quill {

// Bitmap, PNG and SVG share the bitmap pass; the metafile has its own.
enum class ExportFormat { Bmp, Png, Emf, Svg };

// What an export is asked to make: the export dialog's choices and the main
// window's start value text for the legend.
struct ExportOptions {
  ExportFormat format = ExportFormat::Emf;
  int64_t width = 2000;          // polygons in the bitmap pass, 1..16000
  int64_t metafileWidth = 8000;  // "large" 8000, "extra large" 12000, "maximum" 16000
  bool legend = false;           // drawn for polygons only
  std::string startText = "0";
};

// Lets the caller watch a render, e.g. to stop it on Esc.
using RenderHook = std::function<void(Renderer&)>;

// The size an export draws at, the legend strip of the bitmap pass included.
ExportSize exportSize(const PatternState& state, const ExportOptions& options);

// A picture this machine cannot hold (or a file format cannot describe),
// said before anything is allocated; nullopt when the export can go ahead.
std::optional<std::string> exportRefusal(const PatternState& state, const ExportOptions& options);

// The legend's inputs from the live settings after a render.
LegendText legendText(const PatternState& state, const std::string& startText);

// The surface of the bitmap pass: a raster for BMP and PNG, SVG for SVG.
class ExportPicture {
 public:
  virtual ~ExportPicture() = default;
  virtual Surface& surface() = 0;
  // Writes through a temporary file; false leaves any file at path untouched.
  virtual bool save(const std::string& path) = 0;
};
// nullptr when the size cannot be had.
std::unique_ptr<ExportPicture> makeExportPicture(ExportFormat format, int width, int height);

// The bitmap pass up to the file: white surface of the export size, line
// width, translate, draw, legend. False when the render was stopped.
bool drawBitmapPass(PatternState& state, RenderState& renderState, Surface& surface,
                    const ExportOptions& options, const RenderHook& hook = {});

enum class WriteResult { Saved, Stopped, Failed };

// The metafile pass: records the pattern (shrunk for the legend when there is
// one) into path through a temporary file. The surface is drawn on too.
WriteResult writeMetafilePass(PatternState& state, RenderState& renderState, Surface& surface,
                              const ExportOptions& options, const std::string& path,
                              const RenderHook& hook = {});

// One frame of an image sequence: 1200 x 1000 at scale 2 on curFrame's
// background, drawn from the point tables as they are (no translate).
constexpr int kSequenceFrameWidth = 1200;
constexpr int kSequenceFrameHeight = 1000;
// An animation frame at state.sequenceFrameWidth x Height (1200 x 1000 unless
// the run chose another resolution), from the tables as they stand.
void drawSequenceFrame(PatternState& state, RenderState& renderState, Surface& surface,
                       const RenderHook& hook = {});

}  // namespace quill
