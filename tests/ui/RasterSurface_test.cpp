#include "ui/RasterSurface.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRect>
#include <QTemporaryDir>
#include <set>

#include "support/FileSizeLimit.h"
#include "ui/QtColor.h"

namespace quill {
namespace {

constexpr Color kBack = rgb(10, 20, 30);
constexpr Color kFill = rgb(0, 200, 0);
constexpr Color kLine = rgb(200, 0, 0);

Color at(RasterSurface& s, int x, int y) { return fromQRgb(s.image().pixel(x, y)); }

// Every colour in the picture, and the smallest rectangle holding those equal to `c`.
struct Scan {
  std::set<Color> colours;
  QRect ink;
};
Scan scan(RasterSurface& s, Color c) {
  Scan out;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      out.colours.insert(at(s, x, y));
      if (at(s, x, y) == c) out.ink |= QRect(x, y, 1, 1);
    }
  }
  return out;
}

void square(RasterSurface& s, int left, int top, int side) {
  const IntPoint p[4] = {
      {left, top}, {left + side, top}, {left + side, top + side}, {left, top + side}};
  s.polygon(p, 4, kFill, kLine);
}

TEST(RasterSurface, SquareIsFilledAndOutlinedOnItsCornersWithOneOrThreePixelLines) {
  for (int width : {1, 3}) {
    SCOPED_TRACE(width);
    RasterSurface s(20, 20);
    s.clear(kBack);
    s.setLineWidth(width);
    square(s, 4, 4, 10);
    const int half = width / 2;  // a wider line straddles the edge
    EXPECT_EQ(scan(s, kLine).ink, QRect(4 - half, 4 - half, 11 + 2 * half, 11 + 2 * half));
    for (int i = 4 - half; i <= 14 + half; ++i) {
      for (int edge : {4 - half, 4 + half, 14 - half, 14 + half}) {
        EXPECT_EQ(at(s, i, edge), kLine) << i << " " << edge;
        EXPECT_EQ(at(s, edge, i), kLine) << i << " " << edge;
      }
    }
    EXPECT_EQ(at(s, 9, 9), kFill);
    EXPECT_EQ(at(s, 5 + half, 5 + half), kFill);
    EXPECT_EQ(at(s, 13 - half, 13 - half), kFill);
    EXPECT_EQ(at(s, 3 - half, 3 - half), kBack);
    EXPECT_EQ(at(s, 15 + half, 15 + half), kBack);
    EXPECT_EQ(at(s, 9, 3 - half), kBack);
    EXPECT_EQ(at(s, 9, 15 + half), kBack);
  }
  RasterSurface s(4, 4);
  s.clear(kBack);
  EXPECT_EQ(s.image().pixel(0, 0) & 0xFFFFFFu, 0x0A141Eu);  // Qt keeps red in the high byte
  s.setLineWidth(0);
  EXPECT_EQ(s.lineWidth(), 1);
}

TEST(RasterSurface, SlantedEdgesAndTextUseOnlyTheGivenColoursAndTextHangsFromItsCorner) {
  RasterSurface s(200, 60);
  s.clear(kBack);
  const IntPoint tri[3] = {{2, 3}, {57, 11}, {9, 55}};
  s.polygon(tri, 3, kFill, kLine);
  s.setFont({"arial", 30, 0});
  s.setTextColor(rgb(0, 0, 255));
  s.text(70, 15, "HEH 3/8");
  const Scan text = scan(s, rgb(0, 0, 255));
  EXPECT_EQ(text.colours, (std::set<Color>{kBack, kFill, kLine, rgb(0, 0, 255)}));
  EXPECT_TRUE(text.ink.left() >= 70 && text.ink.left() <= 74) << text.ink.left();
  // Only the internal leading lies above capitals, all within the character cell.
  EXPECT_TRUE(text.ink.top() >= 15 && text.ink.top() <= 15 + 10) << text.ink.top();
  EXPECT_TRUE(text.ink.bottom() <= 15 + 30 && text.ink.height() >= 15) << text.ink.bottom();
}

TEST(RasterSurface, ImpossibleSizesAndCoordinatesAreRefusedOrClipped) {
  EXPECT_FALSE(RasterSurface::canAllocate(2'000'000, 16'000));
  EXPECT_FALSE(RasterSurface::canAllocate(0, 10));
  EXPECT_FALSE(RasterSurface::canAllocate(10, -1));
  EXPECT_FALSE(RasterSurface::canAllocate(32768, 1));
  EXPECT_FALSE(RasterSurface::canAllocate(32767, 32767));
  EXPECT_TRUE(RasterSurface::canAllocate(16000, 14080));  // largest export with legend
  EXPECT_TRUE(RasterSurface::canAllocate(1, 1));

  RasterSurface s(50, 50);
  s.clear(kBack);
  EXPECT_FALSE(s.tryResize(2'000'000, 16'000));
  s.resize(0, 5);
  EXPECT_EQ(s.width(), 50);
  const IntPoint huge[3] = {{10, 10}, {2'000'000'000, 10}, {10, 2'000'000'000}};
  s.polygon(huge, 3, kFill, kLine);
  EXPECT_EQ(at(s, 49, 49), kFill);
  EXPECT_EQ(at(s, 30, 10), kLine);
  EXPECT_EQ(at(s, 9, 9), kBack);
  s.resize(60, 55);  // keeps the picture, adds background
  EXPECT_EQ(at(s, 49, 49), kFill);

  RasterSurface empty(-3, 5);
  EXPECT_EQ(empty.width(), 0);
  square(empty, 0, 0, 2);
  empty.text(0, 0, "x");
  QTemporaryDir dir;
  EXPECT_FALSE(empty.saveBmp(dir.filePath("e.bmp").toStdString()));
}

TEST(RasterSurface, SavesA24BitWindowsBitmapAndAPng) {
  QTemporaryDir dir;
  const QString bmp = dir.filePath("out.bmp"), png = dir.filePath("out.png");
  RasterSurface s(5, 3);
  s.clear(kBack);
  square(s, 3, 1, 1);
  ASSERT_TRUE(s.saveBmp(bmp.toStdString()));
  ASSERT_TRUE(s.savePng(png.toStdString()));

  QFile file(bmp);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray b = file.readAll();
  ASSERT_GE(b.size(), 54);
  auto le = [&](int at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
    return static_cast<int32_t>(v);
  };
  EXPECT_EQ(b.left(2), QByteArray("BM"));
  EXPECT_EQ(le(2, 4), b.size());
  EXPECT_EQ(le(18, 4), 5);
  EXPECT_EQ(std::abs(le(22, 4)), 3);
  EXPECT_EQ(le(28, 2), 24);
  EXPECT_EQ(le(30, 4), 0);                  // uncompressed
  EXPECT_EQ(b.size(), le(10, 4) + 3 * 16);  // rows of 15 bytes padded to 16
  const QImage back(bmp);
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(fromQRgb(back.pixel(0, 0)), kBack);
  EXPECT_EQ(fromQRgb(back.pixel(4, 2)), kLine);

  EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), s.image());
  EXPECT_FALSE(s.savePng(dir.filePath("missing/out.png").toStdString()));
  EXPECT_FALSE(s.saveBmp(dir.filePath("missing/out.bmp").toStdString()));
}

// A full disk cuts the file short; the save must say so.
TEST(RasterSurface, AFileCutShortIsAFailedSave) {
  QTemporaryDir dir;
  RasterSurface s(200, 100);
  s.clear(kBack);
  const FileSizeLimit limit(200);
  EXPECT_FALSE(s.saveBmp(dir.filePath("cut.bmp").toStdString()));
  EXPECT_FALSE(s.savePng(dir.filePath("cut.png").toStdString()));
}

}  // namespace
}  // namespace quill
