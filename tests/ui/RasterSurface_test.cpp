#include "ui/RasterSurface.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRect>
#include <QTemporaryDir>
#include <set>

#include "ui/QtColor.h"

namespace quill {
namespace {

constexpr Color kBack = rgb(10, 20, 30);
constexpr Color kFill = rgb(0, 200, 0);
constexpr Color kLine = rgb(200, 0, 0);

Color at(RasterSurface& s, int x, int y) { return fromQRgb(s.image().pixel(x, y)); }

std::set<Color> coloursOf(RasterSurface& s) {
  std::set<Color> out;
  const QImage& img = s.image();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) out.insert(fromQRgb(img.pixel(x, y)));
  return out;
}

// Smallest rectangle holding every pixel of the colour; empty when none.
QRect inkOf(RasterSurface& s, Color c) {
  QRect box;
  const QImage& img = s.image();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (fromQRgb(img.pixel(x, y)) == c) box |= QRect(x, y, 1, 1);
  return box;
}

void square(RasterSurface& s, int left, int top, int side) {
  const IntPoint p[4] = {{left, top}, {left + side, top}, {left + side, top + side},
                         {left, top + side}};
  s.polygon(p, 4, kFill, kLine);
}

TEST(RasterSurface, SquareIsFilledAndOutlinedOnItsCorners) {
  RasterSurface s(20, 20);
  s.clear(kBack);
  square(s, 4, 4, 10);
  EXPECT_EQ(at(s, 9, 9), kFill);
  EXPECT_EQ(at(s, 5, 5), kFill);
  EXPECT_EQ(at(s, 13, 13), kFill);
  for (int i = 4; i <= 14; ++i) {
    EXPECT_EQ(at(s, i, 4), kLine) << i;
    EXPECT_EQ(at(s, i, 14), kLine) << i;
    EXPECT_EQ(at(s, 4, i), kLine) << i;
    EXPECT_EQ(at(s, 14, i), kLine) << i;
  }
  EXPECT_EQ(at(s, 3, 3), kBack);
  EXPECT_EQ(at(s, 15, 15), kBack);
  EXPECT_EQ(at(s, 9, 3), kBack);
  EXPECT_EQ(at(s, 9, 15), kBack);
  EXPECT_EQ(inkOf(s, kLine), QRect(4, 4, 11, 11));
}

TEST(RasterSurface, WiderLineStraddlesTheEdge) {
  RasterSurface s(20, 20);
  s.clear(kBack);
  s.setLineWidth(3);
  EXPECT_EQ(s.lineWidth(), 3);
  square(s, 4, 4, 10);
  EXPECT_EQ(inkOf(s, kLine), QRect(3, 3, 13, 13));
  EXPECT_EQ(at(s, 3, 9), kLine);
  EXPECT_EQ(at(s, 5, 9), kLine);
  EXPECT_EQ(at(s, 6, 9), kFill);
  EXPECT_EQ(at(s, 2, 9), kBack);
  EXPECT_EQ(at(s, 3, 3), kLine);  // the corner is closed
  s.setLineWidth(0);
  EXPECT_EQ(s.lineWidth(), 1);
}

TEST(RasterSurface, SlantedEdgesAndTextUseOnlyTheGivenColours) {
  RasterSurface s(120, 60);
  s.clear(kBack);
  const IntPoint tri[3] = {{2, 3}, {57, 11}, {9, 55}};
  s.polygon(tri, 3, kFill, kLine);
  s.setFont({"arial", 24, 0});
  s.setTextColor(rgb(0, 0, 255));
  s.text(60, 10, "Wavy 3/8");
  EXPECT_EQ(coloursOf(s), (std::set<Color>{kBack, kFill, kLine, rgb(0, 0, 255)}));
}

TEST(RasterSurface, ColoursCrossIntoQtRedInTheLowByte) {
  RasterSurface s(4, 4);
  s.clear(rgb(1, 2, 3));
  EXPECT_EQ(s.image().pixel(0, 0) & 0xFFFFFFu, 0x010203u);
  EXPECT_EQ(toQColor(0x7F000000 | rgb(4, 5, 6)), QColor(4, 5, 6));
  EXPECT_EQ(fromQColor(QColor(4, 5, 6, 7)), rgb(4, 5, 6));
}

TEST(RasterSurface, TextHangsFromItsTopLeftCorner) {
  RasterSurface s(200, 80);
  s.clear(kWhite);
  s.setFont({"arial", 30, 0});
  s.setTextColor(kLine);
  s.text(20, 25, "HEH");
  const QRect ink = inkOf(s, kLine);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GE(ink.left(), 20);
  EXPECT_LE(ink.left(), 24);
  EXPECT_GE(ink.top(), 25);
  EXPECT_LE(ink.top(), 25 + 10);        // only the internal leading above capitals
  EXPECT_LE(ink.bottom(), 25 + 30);     // within the character cell
  EXPECT_GE(ink.height(), 15);
  EXPECT_EQ(coloursOf(s), (std::set<Color>{kWhite, kLine}));
}

TEST(RasterSurface, AverageWidthWidensTheText) {
  auto inkWidth = [](int averageWidth) {
    RasterSurface s(400, 60);
    s.clear(kWhite);
    s.setFont({"arial", 30, averageWidth});
    s.setTextColor(kBlack);
    s.text(5, 5, "xxxxxx");
    return inkOf(s, kBlack).width();
  };
  const int natural = inkWidth(0);
  ASSERT_GT(natural, 0);
  EXPECT_GT(inkWidth(26), natural * 3 / 2);
  EXPECT_LT(inkWidth(6), natural * 3 / 4);
}

TEST(RasterSurface, OpaqueTextPaintsTheBackgroundColourBehindIt) {
  RasterSurface s(200, 60);
  s.clear(kWhite);
  const IntPoint all[4] = {{0, 0}, {199, 0}, {199, 59}, {0, 59}};
  s.polygon(all, 4, kFill, kFill);
  s.setFont({"arial", 24, 0});
  s.setTextColor(kBlack);
  s.text(10, 10, "ab");
  EXPECT_TRUE(inkOf(s, kWhite).isEmpty());  // transparent by default
  s.setTransparentBackground(false);
  s.text(100, 10, "ab");
  const QRect paper = inkOf(s, kWhite);
  ASSERT_FALSE(paper.isEmpty());
  EXPECT_GE(paper.left(), 100);
  EXPECT_GE(paper.top(), 10);
}

TEST(RasterSurface, ResizeKeepsThePictureAndAddsBackground) {
  RasterSurface s(20, 20);
  s.clear(kBack);
  square(s, 4, 4, 10);
  s.resize(30, 22);
  ASSERT_EQ(s.width(), 30);
  ASSERT_EQ(s.height(), 22);
  EXPECT_EQ(at(s, 9, 9), kFill);
  EXPECT_EQ(at(s, 4, 4), kLine);
  EXPECT_EQ(at(s, 25, 5), kBack);
  EXPECT_EQ(at(s, 5, 21), kBack);
  // Drawing goes on after the resize.
  square(s, 20, 10, 5);
  EXPECT_EQ(at(s, 22, 12), kFill);
}

TEST(RasterSurface, RefusesImpossibleSizesWithoutTouchingThePicture) {
  EXPECT_FALSE(RasterSurface::canAllocate(2'000'000, 16'000));
  EXPECT_FALSE(RasterSurface::canAllocate(0, 10));
  EXPECT_FALSE(RasterSurface::canAllocate(10, -1));
  EXPECT_FALSE(RasterSurface::canAllocate(32768, 1));
  EXPECT_FALSE(RasterSurface::canAllocate(32767, 32767));
  EXPECT_TRUE(RasterSurface::canAllocate(16000, 14080));  // largest export with legend
  EXPECT_TRUE(RasterSurface::canAllocate(1, 1));

  RasterSurface s(8, 8);
  s.clear(kBack);
  EXPECT_FALSE(s.tryResize(2'000'000, 16'000));
  s.resize(0, 5);
  EXPECT_EQ(s.width(), 8);
  EXPECT_EQ(s.height(), 8);
  EXPECT_EQ(at(s, 7, 7), kBack);

  RasterSurface empty(-3, 5);
  EXPECT_EQ(empty.width(), 0);
  square(empty, 0, 0, 2);
  empty.text(0, 0, "x");
  QTemporaryDir dir;
  EXPECT_FALSE(empty.saveBmp(dir.filePath("e.bmp").toStdString()));
}

TEST(RasterSurface, HugeCoordinatesAreClippedNotFatal) {
  RasterSurface s(50, 50);
  s.clear(kBack);
  const IntPoint p[3] = {{10, 10}, {2'000'000'000, 10}, {10, 2'000'000'000}};
  s.polygon(p, 3, kFill, kLine);
  EXPECT_EQ(at(s, 49, 49), kFill);
  EXPECT_EQ(at(s, 30, 10), kLine);
  EXPECT_EQ(at(s, 9, 9), kBack);
}

TEST(RasterSurface, SavesA24BitWindowsBitmap) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("out.bmp").toStdString();
  RasterSurface s(5, 3);
  s.clear(kBack);
  square(s, 3, 1, 1);
  ASSERT_TRUE(s.saveBmp(path));

  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray b = file.readAll();
  ASSERT_GE(b.size(), 54);
  auto le32 = [&](int at) {
    return static_cast<int32_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 |
                                static_cast<uint8_t>(b[at + 2]) << 16 |
                                static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24);
  };
  EXPECT_EQ(b.left(2), QByteArray("BM"));
  EXPECT_EQ(le32(2), b.size());
  EXPECT_EQ(le32(18), 5);
  EXPECT_EQ(std::abs(le32(22)), 3);
  EXPECT_EQ(static_cast<uint8_t>(b[28]) | static_cast<uint8_t>(b[29]) << 8, 24);
  EXPECT_EQ(le32(30), 0);            // uncompressed
  EXPECT_EQ(b.size(), le32(10) + 3 * 16);  // rows of 15 bytes padded to 16

  const QImage back(QString::fromStdString(path));
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(fromQRgb(back.pixel(0, 0)), kBack);
  EXPECT_EQ(fromQRgb(back.pixel(4, 2)), kLine);
}

TEST(RasterSurface, PngRoundTripsAndBadPathsFail) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("out.png").toStdString();
  RasterSurface s(30, 20);
  s.clear(kBack);
  square(s, 2, 2, 12);
  ASSERT_TRUE(s.savePng(path));
  const QImage back = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(back, s.image());
  EXPECT_FALSE(s.savePng(dir.filePath("missing/out.png").toStdString()));
  EXPECT_FALSE(s.saveBmp(dir.filePath("missing/out.bmp").toStdString()));
}

}  // namespace
}  // namespace quill
