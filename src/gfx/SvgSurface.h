#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "gfx/Surface.h"

namespace quill {

// A vector surface that writes SVG: one <polygon> element per polygon call,
// in drawing order, and one <text> per text call. The background of the last
// clear fills the whole picture, strips added by resize included.
class SvgSurface : public Surface {
 public:
  SvgSurface(int width = 0, int height = 0) : width_(width), height_(height) {}

  int width() const override { return width_; }
  int height() const override { return height_; }
  void resize(int width, int height) override;
  void clear(Color background) override;
  void setLineWidth(int pixels) override;
  int lineWidth() const override { return lineWidth_; }
  void polygon(const IntPoint* points, int count, Color fill, Color outline) override;
  void setFont(const FontSpec& font) override { font_ = font; }
  void setTextColor(Color color) override { textColor_ = color; }
  void setTransparentBackground(bool transparent) override { transparent_ = transparent; }
  void text(int x, int y, const std::string& text) override;

  // The whole document.
  std::string document() const;
  bool save(const std::string& path) const;

 private:
  void writeTo(std::ostream& out) const;

  int width_;
  int height_;
  int lineWidth_ = 1;
  Color background_ = kWhite;
  FontSpec font_;
  Color textColor_ = kBlack;
  bool transparent_ = true;
  std::vector<std::string> elements_;
};

}  // namespace quill
