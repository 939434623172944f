#pragma once
#include <cstdint>
#include <string>

#include "engine/Types.h"

namespace quill {

struct FontSpec {
  std::string face = "arial";
  int height = 0;  // character height in pixels
  int width = 0;   // average character width in pixels (0: the face's own)
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// One polygon of a batch: 3 or 4 points, as polygon() takes them.
struct SurfacePolygon {
  IntPoint points[4];
  int count = 0;
  Color fill = 0;
  Color outline = 0;
};

// What the painters draw on: the preview, the exports and the headless renderer
// all go through this one interface.
class Surface {
 public:
  virtual ~Surface() = default;

  virtual int width() const = 0;
  virtual int height() const = 0;
  // Resizes the drawing area; the contents are undefined until the next clear.
  virtual void resize(int width, int height) = 0;
  virtual void clear(Color background) = 0;
  virtual void setLineWidth(int pixels) = 0;
  virtual int lineWidth() const = 0;
  // A closed polygon of 3 or 4 points, filled and outlined.
  virtual void polygon(const IntPoint* points, int count, Color fill, Color outline) = 0;
  // Polygons in order, exactly as calling polygon() for each; a render hands
  // its leaves over this way, so a surface can draw them without a call apiece.
  virtual void drawPolygons(const SurfacePolygon* list, int count) {
    for (int i = 0; i < count; ++i)
      polygon(list[i].points, list[i].count, list[i].fill, list[i].outline);
  }
  // As drawPolygons, for polygons that took far longer to work out than they
  // take to draw: a surface with a drawing thread of its own draws these in
  // place rather than keep that thread waiting on them.
  virtual void drawSparsePolygons(const SurfacePolygon* list, int count) {
    drawPolygons(list, count);
  }
  // Whether each polygon sets its pixels by the scanline rules (ScanlineFill.h,
  // PolygonStamps), opaque and regardless of what lay beneath: then a polygon
  // that a later one covers wholly can be left out without changing a pixel.
  virtual bool opaqueScanline() const { return false; }
  virtual void setFont(const FontSpec& font) = 0;
  virtual void setTextColor(Color color) = 0;
  virtual void setTransparentBackground(bool transparent) = 0;
  // Text with its top-left corner at (x, y).
  virtual void text(int x, int y, const std::string& text) = 0;
};

}  // namespace quill
