#include "support/RecordingSurface.h"

#include <utility>

namespace quill {

void RecordingSurface::resize(int width, int height) {
  width_ = width;
  height_ = height;
  calls_.push_back({Kind::Resize, {}, 0, 0, width, height, {}, {}});
}

void RecordingSurface::clear(Color background) {
  calls_.push_back({Kind::Clear, {}, background, 0, 0, 0, {}, {}});
}

void RecordingSurface::setLineWidth(int pixels) {
  lineWidth_ = pixels;
  calls_.push_back({Kind::LineWidth, {}, 0, 0, pixels, 0, {}, {}});
}

void RecordingSurface::polygon(const IntPoint* points, int count, Color fill, Color outline) {
  calls_.push_back({Kind::Polygon, std::vector<IntPoint>(points, points + count), fill, outline, 0,
                    0, {}, {}});
}

void RecordingSurface::setFont(const FontSpec& font) {
  calls_.push_back({Kind::Font, {}, 0, 0, 0, 0, font, {}});
}

void RecordingSurface::setTextColor(Color color) {
  calls_.push_back({Kind::TextColor, {}, color, 0, 0, 0, {}, {}});
}

void RecordingSurface::setTransparentBackground(bool transparent) {
  calls_.push_back({Kind::Transparent, {}, 0, 0, transparent ? 1 : 0, 0, {}, {}});
}

void RecordingSurface::text(int x, int y, const std::string& text) {
  // Built member by member: GCC 12's optimiser misreads the braced temporary's
  // default font as uninitialised.
  Call call{Kind::Text, {}, 0, 0, x, y, {}, {}};
  call.text = text;
  calls_.push_back(std::move(call));
}

std::vector<RecordingSurface::Call> RecordingSurface::polygons() const {
  std::vector<Call> out;
  for (const Call& c : calls_)
    if (c.kind == Kind::Polygon) out.push_back(c);
  return out;
}

}  // namespace quill
