#pragma once
#include "gfx/Surface.h"

namespace quill {

// A surface that keeps only its size: for passes whose pixels nobody looks at,
// such as a metafile written without a window.
class NullSurface : public Surface {
 public:
  NullSurface(int width = 0, int height = 0) : width_(width), height_(height) {}
  int width() const override { return width_; }
  int height() const override { return height_; }
  void resize(int width, int height) override {
    width_ = width;
    height_ = height;
  }
  void clear(Color) override {}
  void setLineWidth(int pixels) override { lineWidth_ = pixels; }
  int lineWidth() const override { return lineWidth_; }
  void polygon(const IntPoint*, int, Color, Color) override {}
  void drawPolygons(const SurfacePolygon*, int) override {}
  void setFont(const FontSpec&) override {}
  void setTextColor(Color) override {}
  void setTransparentBackground(bool) override {}
  void text(int, int, const std::string&) override {}

 private:
  int width_;
  int height_;
  int lineWidth_ = 1;
};

}  // namespace quill
