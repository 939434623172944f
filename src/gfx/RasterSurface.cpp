#include "gfx/RasterSurface.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

#include "gfx/QtColor.h"
#include "gfx/ScanlineFill.h"

namespace quill {
namespace {

constexpr int kMaxFontPixels = 4096;
constexpr int kMaxLineWidth = 4096;

// A positive height asks for the whole character cell (ascent + descent), as
// GDI reads it; Qt sizes fonts by the em, so convert through the face's ratio.
int emPixelsForCellHeight(const QFont& font, int cellHeight) {
  QFont probe(font);
  probe.setPixelSize(1000);
  const double cellPer1000 = QFontMetricsF(probe).height();
  if (cellPer1000 <= 0) return cellHeight;
  return static_cast<int>(std::lround(cellHeight * 1000.0 / cellPer1000));
}

QFont makeFont(const FontSpec& wanted) {
  QFont font(QString::fromStdString(wanted.face));
  font.setStyleStrategy(QFont::NoAntialias);
  if (wanted.height > 0)
    font.setPixelSize(std::clamp(emPixelsForCellHeight(font, wanted.height), 1, kMaxFontPixels));
  else if (wanted.height < 0)  // a negative height is the em itself
    font.setPixelSize(std::clamp(-static_cast<int64_t>(wanted.height), int64_t{1},
                                 int64_t{kMaxFontPixels}));
  if (wanted.width > 0) {
    // GDI's average width is about that of an 'x'; stretch the face to it.
    const double natural = QFontMetricsF(font).horizontalAdvance(QLatin1Char('x'));
    if (natural > 0) {
      const double stretch = std::round(100.0 * wanted.width / natural);
      font.setStretch(static_cast<int>(std::clamp(stretch, 1.0, 4000.0)));
    }
  }
  return font;
}

}  // namespace

RasterSurface::RasterSurface(int width, int height, PolygonFill fill)
    : polygonFill_(fill),
      font_(makeFont(fontSpec_)),
      threaded_(std::thread::hardware_concurrency() >= 2) {
  if (canAllocate(width, height)) {
    image_ = QImage(width, height, QImage::Format_RGB32);
    if (!image_.isNull()) image_.fill(toQRgb(background_));
  }
}

RasterSurface::~RasterSurface() {
  settle();
  endPainting();
}

bool RasterSurface::canAllocate(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  return int64_t{width} * height * 4 <= kMaxBytes;
}

bool RasterSurface::tryResize(int width, int height) {
  if (!image_.isNull() && width == image_.width() && height == image_.height()) return true;
  if (!canAllocate(width, height)) return false;
  QImage next(width, height, QImage::Format_RGB32);
  if (next.isNull()) return false;
  settle();
  endPainting();
  next.fill(toQRgb(background_));
  const int rows = std::min(height, image_.height());
  const size_t rowBytes = static_cast<size_t>(std::min(width, image_.width())) * 4;
  for (int y = 0; y < rows; ++y) std::memcpy(next.scanLine(y), image_.constScanLine(y), rowBytes);
  image_ = std::move(next);
  rows_ = {};
  return true;
}

void RasterSurface::clear(Color background) {
  background_ = background;
  settle();
  endPainting();
  if (!image_.isNull()) image_.fill(toQRgb(background));
}

void RasterSurface::setLineWidth(int pixels) {
  // A pen is never thinner than one pixel, as with GDI's width 0.
  const int width = std::clamp(pixels, 1, kMaxLineWidth);
  if (width != lineWidth_) settle();  // polygons handed over keep the width they had
  lineWidth_ = width;
}

void RasterSurface::setThreaded(bool threaded) {
  settle();
  threaded_ = threaded;
}

void RasterSurface::polygon(const IntPoint* points, int count, Color fill, Color outline) {
  if (points == nullptr || count < 3 || count > 4) return;
  if (polygonFill_ == PolygonFill::Painter) {
    painterPolygon(points, count, fill, outline);
    return;
  }
  SurfacePolygon one;
  std::copy(points, points + count, one.points);
  one.count = count;
  one.fill = fill;
  one.outline = outline;
  drawPolygons(&one, 1);
}

void RasterSurface::drawPolygons(const SurfacePolygon* list, int count) {
  if (polygonFill_ == PolygonFill::Painter) {
    Surface::drawPolygons(list, count);
    return;
  }
  if (image_.isNull() || list == nullptr || count <= 0) return;
  endPainting();
  pixelRows();  // the rows are fixed before any polygon goes to the drawing thread
  // The second thread pays when there are many small polygons, whose drawing
  // costs about as much as working them out; large ones it would only draw
  // more slowly than this thread, so they are drawn here, after the rest.
  if (threaded_ && PolygonStamps::small(list[0].points, std::clamp(list[0].count, 1, 4))) {
    pipeline_.add(list, count);
  } else {
    settle();
    drawBatch(list, count);
  }
}

void RasterSurface::drawSparsePolygons(const SurfacePolygon* list, int count) {
  if (polygonFill_ == PolygonFill::Painter) {
    Surface::drawPolygons(list, count);
    return;
  }
  if (image_.isNull() || list == nullptr || count <= 0) return;
  endPainting();
  pixelRows();
  settle();  // after every polygon handed over before
  drawBatch(list, count);
}

void RasterSurface::drawBatch(const SurfacePolygon* list, int count) {
  const PixelRows& rows = rows_;
  const int width = lineWidth_;
  for (const SurfacePolygon* p = list; p != list + count; ++p) {
    if (p->count < 3 || p->count > 4) continue;
    const uint32_t fill = toQRgb(p->fill), outline = toQRgb(p->outline);
    if (stamps_.draw(rows, p->points, p->count, width, fill, outline)) continue;
    fillPolygon(rows, p->points, p->count, fill);
    if (width == 1)
      strokeThin(rows, p->points, p->count, outline);
    else
      strokeWide(rows, p->points, p->count, width, outline);
  }
}

void RasterSurface::painterPolygon(const IntPoint* points, int count, Color fill, Color outline) {
  QPainter* p = painter();
  if (p == nullptr) return;
  QPoint corners[4];
  for (int i = 0; i < count; ++i) corners[i] = QPoint(points[i].x, points[i].y);
  // Miter joins give the square corners of a GDI outline; the rest of the
  // outline straddles the edge, so width 3 reaches one pixel either side.
  p->setPen(QPen(toQColor(outline), lineWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p->setBrush(toQColor(fill));
  p->drawPolygon(corners, count);
}

void RasterSurface::setFont(const FontSpec& font) {
  fontSpec_ = font;
  font_ = makeFont(font);
  fontAscent_ = -1;
  if (painter_.isActive()) painter_.setFont(font_);
}

void RasterSurface::text(int x, int y, const std::string& text) {
  if (text.empty()) return;
  settle();
  QPainter* p = painter();
  if (p == nullptr) return;
  p->setPen(toQColor(textColor_));
  p->setBackgroundMode(transparent_ ? Qt::TransparentMode : Qt::OpaqueMode);
  p->setBackground(toQColor(background_));
  if (fontAscent_ < 0) fontAscent_ = QFontMetrics(font_).ascent();
  // Qt places text by its baseline; callers give the top-left corner.
  p->drawText(QPoint(x, y + fontAscent_), QString::fromUtf8(text.data(),
                                                              static_cast<qsizetype>(text.size())));
}

// Whoever gets the image may keep a copy: the next polygon detaches from it.
const QImage& RasterSurface::image() {
  settle();
  endPainting();
  rows_ = {};
  return image_;
}

void RasterSurface::setPicture(const QImage& picture) {
  settle();
  endPainting();
  image_ = picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
  rows_ = {};
}

// bits() detaches, so a copy of the image handed out earlier keeps its pixels;
// the rows stay valid until the image is handed out, replaced or painted on.
const PixelRows& RasterSurface::pixelRows() {
  if (rows_.bits == nullptr)
    rows_ = {reinterpret_cast<uint32_t*>(image_.bits()), image_.bytesPerLine() / 4, image_.width(), image_.height()};
  return rows_;
}

namespace {

// A full disk can cut a file short while the write still reports success, so
// a saved file is checked for its end: the size a bitmap's header gives, and
// a PNG's closing chunk.
bool wholeBmp(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(6);
  if (head.size() < 6) return false;
  uint32_t declared = 0;
  for (int i = 5; i >= 2; --i) declared = declared << 8 | static_cast<uint8_t>(head[i]);
  return file.size() == static_cast<qint64>(declared);
}

bool wholePng(const QString& path) {
  static const QByteArray kEnd("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() < kEnd.size()) return false;
  file.seek(file.size() - kEnd.size());
  return file.read(kEnd.size()) == kEnd;
}

}  // namespace

bool RasterSurface::saveBmp(const std::string& path) {
  settle();
  endPainting();
  if (image_.isNull()) return false;
  // Qt writes an image without alpha at 24 bits per pixel straight from the
  // RGB32 rows, so big exports need no converted copy.
  const QString name = QString::fromStdString(path);
  return image_.save(name, "BMP") && wholeBmp(name);
}

bool RasterSurface::savePng(const std::string& path) {
  settle();
  endPainting();
  if (image_.isNull()) return false;
  const QString name = QString::fromStdString(path);
  return image_.save(name, "PNG") && wholePng(name);
}

QPainter* RasterSurface::painter() {
  if (painter_.isActive()) return &painter_;
  settle();
  rows_ = {};
  if (image_.isNull() || !painter_.begin(&image_)) return nullptr;
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
  painter_.setFont(font_);
  return &painter_;
}

void RasterSurface::endPainting() {
  if (painter_.isActive()) painter_.end();
}

}  // namespace quill
