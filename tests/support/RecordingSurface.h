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
    std::string text;              // Text; Font (the face)
  };

  explicit RecordingSurface(int width = 0, int height = 0) : width_(width), height_(height) {}

  int width() const override { return width_; }
  int height() const override { return height_; }
  void resize(int width, int height) override {
    width_ = width, height_ = height;
    add(Kind::Resize, 0, width, height);
  }
  void clear(Color background) override { add(Kind::Clear, background); }
  void setLineWidth(int pixels) override { add(Kind::LineWidth, 0, lineWidth_ = pixels); }
  int lineWidth() const override { return lineWidth_; }
  void polygon(const IntPoint* points, int count, Color fill, Color outline) override {
    add(Kind::Polygon, fill).points.assign(points, points + count);
    calls_.back().outline = outline;
  }
  void setFont(const FontSpec& font) override { add(Kind::Font).text = font.face; }
  void setTextColor(Color color) override { add(Kind::TextColor, color); }
  void setTransparentBackground(bool transparent) override { add(Kind::Transparent, 0, transparent); }
  void text(int x, int y, const std::string& text) override { add(Kind::Text, 0, x, y).text = text; }

  const std::vector<Call>& calls() const { return calls_; }
  std::vector<Call> polygons() const {
    std::vector<Call> out;
    for (const Call& c : calls_)
      if (c.kind == Kind::Polygon) out.push_back(c);
    return out;
  }
  void reset() { calls_.clear(); }

 private:
  Call& add(Kind kind, Color fill = 0, int a = 0, int b = 0) {
    Call& call = calls_.emplace_back();
    call.kind = kind, call.fill = fill, call.a = a, call.b = b;
    return call;
  }
  int width_;
  int height_;
  int lineWidth_ = 1;
  std::vector<Call> calls_;
};

}  // namespace quill
