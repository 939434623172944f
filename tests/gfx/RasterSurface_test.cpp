#include "gfx/RasterSurface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QTemporaryDir>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "gfx/QtColor.h"

namespace quill {
namespace {

constexpr Color kBack = rgb(10, 20, 30);
constexpr Color kFill = rgb(0, 200, 0);
constexpr Color kLine = rgb(200, 0, 0);

Color at(RasterSurface& s, int x, int y) { return fromQRgb(s.image().pixel(x, y)); }

void square(RasterSurface& s, int left, int top, int side) {
  const IntPoint p[4] = {
      {left, top}, {left + side, top}, {left + side, top + side}, {left, top + side}};
  s.polygon(p, 4, kFill, kLine);
}

// A wider line straddles the edge: the line covers the square's outline, the
// fill what lies within, and nothing else changes.
TEST(RasterSurface, SquareIsFilledAndOutlinedOnItsCornersWithOneOrThreePixelLines) {
  for (int width : {1, 3}) {
    RasterSurface s(20, 20);
    s.clear(kBack);
    s.setLineWidth(width);
    square(s, 4, 4, 10);
    const int half = width / 2;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        const bool inBox = x >= 4 - half && x <= 14 + half && y >= 4 - half && y <= 14 + half;
        const bool inside = x > 4 + half && x < 14 - half && y > 4 + half && y < 14 - half;
        ASSERT_EQ(at(s, x, y), inside ? kFill : inBox ? kLine : kBack) << width << ": " << x << "," << y;
      }
    }
  }
  RasterSurface s(4, 4);
  s.clear(kBack);
  EXPECT_EQ(s.image().pixel(0, 0) & 0xFFFFFFu, 0x0A141Eu);  // Qt keeps red in the high byte
  s.setLineWidth(0);
  EXPECT_EQ(s.lineWidth(), 1);
}

// No blending: slanted edges and text use only the given colours; text hangs
// from its corner, only the internal leading above capitals, all within the
// character cell.
TEST(RasterSurface, SlantedEdgesAndTextUseOnlyTheGivenColoursAndTextHangsFromItsCorner) {
  RasterSurface s(200, 60);
  s.clear(kBack);
  const IntPoint tri[3] = {{2, 3}, {57, 11}, {9, 55}};
  s.polygon(tri, 3, kFill, kLine);
  s.setFont({"arial", 30, 0});
  s.setTextColor(rgb(0, 0, 255));
  s.text(70, 15, "HEH 3/8");
  std::set<Color> colours;
  QRect ink;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      colours.insert(at(s, x, y));
      if (at(s, x, y) == rgb(0, 0, 255)) ink |= QRect(x, y, 1, 1);
    }
  }
  EXPECT_EQ(colours, (std::set<Color>{kBack, kFill, kLine, rgb(0, 0, 255)}));
  EXPECT_TRUE(ink.left() >= 70 && ink.left() <= 74) << ink.left();
  EXPECT_TRUE(ink.top() >= 15 && ink.top() <= 15 + 10) << ink.top();
  EXPECT_TRUE(ink.bottom() <= 15 + 30 && ink.height() >= 15) << ink.bottom();
}

TEST(RasterSurface, ImpossibleSizesAndCoordinatesAreRefusedOrClipped) {
  const struct { int w, h; bool ok; } sizes[] = {
      {2'000'000, 16'000, false}, {0, 10, false}, {10, -1, false}, {32768, 1, false}, {32767, 32767, false},
      {16000, 14080, true} /* the largest export with legend */, {1, 1, true}};
  for (const auto& c : sizes) EXPECT_EQ(RasterSurface::canAllocate(c.w, c.h), c.ok) << c.w << " x " << c.h;

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

// A missing folder or a full disk is a failed save.
TEST(RasterSurface, SavesA24BitWindowsBitmapAndAPng) {
  QTemporaryDir dir;
  const QString bmp = dir.filePath("out.bmp"), png = dir.filePath("out.png");
  RasterSurface s(5, 3);
  s.clear(kBack);
  square(s, 3, 1, 1);
  ASSERT_TRUE(s.saveBmp(bmp.toStdString()));
  ASSERT_TRUE(s.savePng(png.toStdString()));

  const QByteArray b = fileBytes(bmp);
  ASSERT_GE(b.size(), 54);
  EXPECT_EQ(b.left(2), QByteArray("BM"));
  EXPECT_EQ(le32(b, 2), b.size());
  EXPECT_EQ(le32(b, 18), 5);
  EXPECT_EQ(std::abs(le32(b, 22)), 3);
  EXPECT_EQ(le16(b, 28), 24);
  EXPECT_EQ(le32(b, 30), 0);                  // uncompressed
  EXPECT_EQ(b.size(), le32(b, 10) + 3 * 16);  // rows of 15 bytes padded to 16
  const QImage back(bmp);
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(fromQRgb(back.pixel(0, 0)), kBack);
  EXPECT_EQ(fromQRgb(back.pixel(4, 2)), kLine);

  EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), s.image());
  EXPECT_FALSE(s.savePng(dir.filePath("missing/out.png").toStdString()));
  EXPECT_FALSE(s.saveBmp(dir.filePath("missing/out.bmp").toStdString()));
  const FileSizeLimit limit(200);  // a full disk cuts the file short
  RasterSurface large(200, 100);
  EXPECT_FALSE(large.saveBmp(dir.filePath("cut.bmp").toStdString()));
  EXPECT_FALSE(large.savePng(dir.filePath("cut.png").toStdString()));
}

// Polygons go to the drawing thread in batches; everything else must wait for
// them, so the pictures (and copies taken on the way) match drawing in place.
TEST(RasterSurface, TheDrawingThreadKeepsTheOrderOfEveryCall) {
  auto draw = [](bool threaded) {
    std::vector<QImage> pictures;
    RasterSurface s(300, 200);
    s.setThreaded(threaded);
    s.clear(kBack);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-20, 320), nudge(-6, 6), colour(0, 0xFFFFFF);
    for (int round = 0; round < 6; ++round) {
      std::vector<SurfacePolygon> batch(5000);
      for (SurfacePolygon& p : batch) {
        p.count = 3 + round % 2;
        p.points[0] = {coordinate(random), coordinate(random)};
        for (int i = 1; i < p.count; ++i)
          p.points[i] = {p.points[0].x + nudge(random), p.points[0].y + nudge(random)};
        p.fill = colour(random);
        p.outline = colour(random);
      }
      s.drawPolygons(batch.data(), 2500);
      square(s, 10 * round, 20, 40);
      s.drawPolygons(batch.data() + 2500, 2500);
      if (round == 2) s.setLineWidth(3);
      if (round == 4) s.clear(kFill);
      s.text(5 + 30 * round, 150, "Q");
      pictures.push_back(s.image());  // a copy, which later drawing must leave alone
    }
    square(s, 100, 100, 5);  // left unfinished when the surface goes
    pictures.push_back(s.image());
    return pictures;
  };
  const std::vector<QImage> threaded = draw(true), inPlace = draw(false);
  ASSERT_EQ(threaded.size(), inPlace.size());
  for (size_t i = 0; i < threaded.size(); ++i) EXPECT_EQ(threaded[i], inPlace[i]) << i;
  EXPECT_NE(threaded[0], threaded[1]);

  RasterSurface abandoned(50, 50);  // goes with polygons still out
  std::vector<SurfacePolygon> many(9000, SurfacePolygon{{{1, 1}, {9, 1}, {1, 9}}, 3, kFill, kLine});
  abandoned.drawPolygons(many.data(), static_cast<int>(many.size()));
}

}  // namespace
}  // namespace quill
