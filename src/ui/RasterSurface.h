#pragma once
#include <cstdint>
#include <string>

#include <QFont>
#include <QImage>
#include <QPainter>

#include "ui/Surface.h"

namespace quill {

// A surface on an in-memory RGB32 image, drawn without antialiasing so every
// pixel carries one of the colours asked for. The painter stays open between
// calls and is closed only when the image itself is needed.
class RasterSurface : public Surface {
 public:
  static constexpr int kMaxSide = 32767;
  static constexpr int64_t kMaxBytes = int64_t{1} << 30;

  // Starts white. A size that canAllocate refuses gives an empty surface on
  // which drawing does nothing.
  explicit RasterSurface(int width = 0, int height = 0);
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
  void setFont(const FontSpec& font) override;
  const FontSpec& font() const { return fontSpec_; }
  void setTextColor(Color color) override { textColor_ = color; }
  // An opaque text background uses the colour of the last clear.
  void setTransparentBackground(bool transparent) override { transparent_ = transparent; }
  void text(int x, int y, const std::string& text) override;

  const QImage& image();
  // A Windows bitmap with 24 bits per pixel.
  bool saveBmp(const std::string& path);
  bool savePng(const std::string& path);

 private:
  QPainter* painter();
  void endPainting();

  QImage image_;
  QPainter painter_;
  Color background_ = kWhite;
  int lineWidth_ = 1;
  FontSpec fontSpec_;
  QFont font_;
  int fontAscent_ = -1;  // measured at the first text, so shapes need no font system
  Color textColor_ = kBlack;
  bool transparent_ = true;
};

}  // namespace quill
