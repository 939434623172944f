#pragma once
#include <string>
#include <vector>

#include "gfx/Surface.h"

namespace quill {

// A surface that keeps every call in order, for tests that pin what was drawn.
class RecordingSurface : public Surface {
 public:
  enum class Kind { Resize, Clear, LineWidth, Polygon, Font, TextColor, Transparent, Text };
  struct Call {
    Kind kind;
    std::vector<IntPoint> points;  // Polygon
    Color fill = 0;                // Polygon; Clear (background); TextColor
    Color outline = 0;             // Polygon
    int a = 0, b = 0;              // Resize (w, h); LineWidth (a); Transparent (a); Text (x, y)
    FontSpec font;                 // Font
    std::string text;              // Text
  };

  explicit RecordingSurface(int width = 0, int height = 0) : width_(width), height_(height) {}

  int width() const override { return width_; }
  int height() const override { return height_; }
  void resize(int width, int height) override;
  void clear(Color background) override;
  void setLineWidth(int pixels) override;
  int lineWidth() const override { return lineWidth_; }
  void polygon(const IntPoint* points, int count, Color fill, Color outline) override;
  void setFont(const FontSpec& font) override;
  void setTextColor(Color color) override;
  void setTransparentBackground(bool transparent) override;
  void text(int x, int y, const std::string& text) override;

  const std::vector<Call>& calls() const { return calls_; }
  std::vector<Call> polygons() const;
  void reset() { calls_.clear(); }

 private:
  int width_;
  int height_;
  int lineWidth_ = 1;
  std::vector<Call> calls_;
};

}  // namespace quill
