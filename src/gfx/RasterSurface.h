#pragma once
#include <cstdint>
#include <string>

#include <QFont>
#include <QImage>
#include <QPainter>

#include "gfx/PolygonPipeline.h"
#include "gfx/PolygonStamps.h"
#include "gfx/Surface.h"

namespace quill {

// A surface on an in-memory RGB32 image, drawn without antialiasing so every
// pixel carries one of the colours asked for.
//
// Polygons are filled straight into the image rows (PolygonFill::Scanline),
// which is what the program draws with, by this coverage rule:
// - fill: a pixel takes the fill colour when its centre lies inside the polygon
//   (odd-even rule); a centre exactly on a slanted edge counts as lying just
//   left of it, so it is inside on the polygon's right side only;
// - outline, width 1, drawn after the fill: each edge walks its longer axis one
//   pixel per step and sets the pixel under the line at the middle of the step
//   (at the step's start when the other coordinate falls), corners set once and
//   a corner pixel added where the two edges would leave a diagonal gap;
// - outline, width w > 1: every pixel whose centre lies within w/2 of an edge,
//   measured square to it, plus the mitred outer corner; a miter tip farther
//   than 2w from the ends of the outer sides is cut where both have run on 2w.
// PolygonFill::Painter draws them with QPainter instead; it is the reference
// the scanline rule is checked against: away from the edges (farther than one
// line width; for wider lines, than a cut miter's reach of 2w + 1) both give
// the same pixel, and the start-up pictures come out identical. Text always goes through QPainter,
// which stays open between text calls and is closed before rows are written.
//
// With two or more cores, batches of small scanline polygons are drawn on a
// second thread while the caller works out the next ones, in the order they
// came, so the picture is the same either way; everything else, large polygons
// included, waits for them first.
enum class PolygonFill { Scanline, Painter };

class RasterSurface : public Surface {
 public:
  static constexpr int kMaxSide = 32767;
  static constexpr int64_t kMaxBytes = int64_t{1} << 30;

  // Starts white. A size that canAllocate refuses gives an empty surface on
  // which drawing does nothing.
  explicit RasterSurface(int width = 0, int height = 0,
                         PolygonFill fill = PolygonFill::Scanline);
  ~RasterSurface() override;
  RasterSurface(const RasterSurface&) = delete;
  RasterSurface& operator=(const RasterSurface&) = delete;

  // Refuses sizes that are not positive, wider or higher than kMaxSide, or
  // would need more than kMaxBytes, without trying to allocate them.
  static bool canAllocate(int width, int height);

  int width() const override { return image_.width(); }
  int height() const override { return image_.height(); }
  // Keeps the picture in the top-left corner and fills any new area with the
  // background colour, so a strip can be added below a finished drawing.
  // A refused size leaves the surface as it was.
  void resize(int width, int height) override { tryResize(width, height); }
  bool tryResize(int width, int height);
  void clear(Color background) override;
  Color background() const { return background_; }
  void setLineWidth(int pixels) override;
  int lineWidth() const override { return lineWidth_; }
  void polygon(const IntPoint* points, int count, Color fill, Color outline) override;
  void drawPolygons(const SurfacePolygon* list, int count) override;
  void drawSparsePolygons(const SurfacePolygon* list, int count) override;
  PolygonFill polygonFill() const { return polygonFill_; }
  bool opaqueScanline() const override { return polygonFill_ == PolygonFill::Scanline; }
  // Whether scanline polygons go to the second thread; on by default when the
  // machine has a second core.
  void setThreaded(bool threaded);
  bool threaded() const { return threaded_; }
  void setFont(const FontSpec& font) override;
  const FontSpec& font() const { return fontSpec_; }
  void setTextColor(Color color) override { textColor_ = color; }
  // An opaque text background uses the colour of the last clear.
  void setTransparentBackground(bool transparent) override { transparent_ = transparent; }
  void text(int x, int y, const std::string& text) override;

  const QImage& image();
  // The surface becomes the picture, shared with it until either is drawn on.
  void setPicture(const QImage& picture);
  // A Windows bitmap with 24 bits per pixel.
  bool saveBmp(const std::string& path);
  bool savePng(const std::string& path);

 private:
  QPainter* painter();
  void endPainting();
  void painterPolygon(const IntPoint* points, int count, Color fill, Color outline);
  // Draws scanline polygons into rows_; runs on the drawing thread when threaded.
  void drawBatch(const SurfacePolygon* list, int count);
  // Waits until every polygon handed over is in the image.
  void settle() { pipeline_.finish(); }
  const PixelRows& pixelRows();

  QImage image_;
  QPainter painter_;
  PolygonStamps stamps_;
  PixelRows rows_;  // of image_, while no copy of it has been handed out
  PolygonFill polygonFill_ = PolygonFill::Scanline;
  Color background_ = kWhite;
  int lineWidth_ = 1;
  FontSpec fontSpec_;
  QFont font_;
  int fontAscent_ = -1;  // measured at the first text, so shapes need no font system
  Color textColor_ = kBlack;
  bool transparent_ = true;
  bool threaded_ = false;
  // Last, so it is gone (its thread joined) before anything it draws with.
  PolygonPipeline pipeline_{[this](const SurfacePolygon* list, int count) { drawBatch(list, count); }};
};

}  // namespace quill
