#include "render/Legend.h"

#include <algorithm>
#include <cmath>

#include "engine/DigitText.h"
#include "engine/PadUnits.h"
#include "engine/Rounding.h"

namespace quill {

namespace {

// The legend lies in pattern space under the pattern, measured from the pad's
// top, where the pattern itself starts a little lower.
IntPoint legendPixel(double x, double y, float previewScale) {
  const double scale = previewScale;
  return {floorToPixel((x - kPadLeft) * scale), floorToPixel((kPadTop - y) * scale)};
}

int clampedBase(int base) { return std::clamp(base, 2, 16); }

// Draws on the surface and, when there is one, into the metafile.
class LegendPainter {
 public:
  LegendPainter(Surface& surface, MetafileTarget* metafile, float previewScale)
      : surface_(surface), meta_(metafile ? metafile->recorder : nullptr), scale_(previewScale) {}

  void font(const FontSpec& font) {
    surface_.setFont(font);
    surface_.setTransparentBackground(true);
    if (meta_ == nullptr) return;
    font_ = meta_->createFont(font);
    meta_->selectObject(font_);
  }

  void triangle(const Point (&corners)[3], Color fill) {
    IntPoint p[3];
    for (int i = 0; i < 3; ++i) p[i] = legendPixel(corners[i].x, corners[i].y, scale_);
    surface_.polygon(p, 3, fill, kBlack);
    if (meta_ == nullptr) return;
    const MetafileRecorder::Handle brush = meta_->createSolidBrush(fill);
    meta_->selectObject(brush);
    meta_->polygon(p, 3);
    meta_->deleteObject(brush);
  }

  void text(double x, double y, Color color, const std::string& text) {
    const IntPoint at = legendPixel(x, y, scale_);
    surface_.setTextColor(color);
    surface_.text(at.x, at.y, text);
    if (meta_ == nullptr) return;
    meta_->setTextColor(color);
    meta_->textOut(at.x, at.y, text);
  }

  void finish() {
    if (meta_ != nullptr && font_ != 0) meta_->deleteObject(font_);
  }

 private:
  Surface& surface_;
  MetafileRecorder* meta_;
  float scale_;
  MetafileRecorder::Handle font_ = 0;
};

void drawLegend(LegendPainter& painter, const LegendText& legend) {
  const int b = clampedBase(legend.base);
  double x = 10 - 10.0 * b;
  for (int d = 0; d < b; ++d) {
    const bool up = d % 2 == 1;
    const Point corners[3] = {{x - 15, up ? -285.0 : -260.0},
                              {x + 15, up ? -285.0 : -260.0},
                              {x, up ? -260.0 : -285.0}};
    x += 20;
    const Color chip = legend.chips[d];
    painter.triangle(corners, chip);
    Point label{corners[0].x + 11.5, -263.5};
    if (up) label = {label.x + 1, label.y - 6};
    if (d > 9) label.x -= 1;
    painter.text(label.x, label.y, isDark(chip) ? kWhite : kBlack, std::to_string(d));
  }
  const std::string caption = legendCaption(b, legend.blend);
  painter.text(15 - 10.0 * b - 7.0 * static_cast<double>(caption.size()), -266.5, kBlack, caption);
  painter.text(10.0 * b + 20, -266.5, kBlack, legendRange(legend));
  painter.finish();
}

}  // namespace

std::string legendCaption(int base, bool blend) {
  return "base " + std::to_string(base) + (blend ? "  blend" : "  list");
}

std::string legendRange(const LegendText& legend) {
  return legend.startText + " to " + toDisplayText(legend.digitCounter, clampedBase(legend.base));
}

void drawLegendBmp(Surface& surface, const LegendText& legend, float previewScale) {
  const float k = static_cast<float>(surface.width()) / 1440.0f;
  surface.resize(surface.width(), static_cast<int>(roundHalfEvenToInt(surface.height() * 1.1)));
  LegendPainter painter(surface, nullptr, previewScale);
  painter.font({"arial", static_cast<int>(std::floor(25 * k)), static_cast<int>(std::floor(10 * k))});
  drawLegend(painter, legend);
}

void drawLegendEmf(Surface& surface, MetafileTarget& metafile, const LegendText& legend,
                   float previewScale) {
  LegendPainter painter(surface, &metafile, previewScale);
  painter.font({"arial", static_cast<int>(roundHalfEvenToInt(12.0 * previewScale)),
                static_cast<int>(roundHalfEvenToInt(5.0 * previewScale))});
  drawLegend(painter, legend);
}

}  // namespace quill
