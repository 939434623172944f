#include "render/ExportPass.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <memory>

#include "engine/DigitStream.h"
#include "engine/FrameCapture.h"
#include "gfx/QtColor.h"
#include "render/Legend.h"
#include "support/FileBytes.h"
#include "support/RecordingSurface.h"

namespace quill {
namespace {

using Kind = RecordingSurface::Kind;

class ExportPassTest : public ::testing::Test {
 protected:
  ExportPassTest() { loadStartupDefaults(*state); }
  void useGrid(int columns, int rows, int16_t levels) {
    state->triangleMode = false;
    state->curFrame.columnCount = static_cast<int16_t>(columns);
    state->curFrame.rowCount = static_cast<int16_t>(rows);
    state->curFrame.levels = levels;
  }
  QString file(const char* name) const { return dir.filePath(name); }

  std::unique_ptr<PatternState> state = std::make_unique<PatternState>();
  RenderState rs;
  RecordingSurface surface;
  QTemporaryDir dir;
};

// Polygons take the width box; a grid takes 10 pixels per smallest cell
// whatever it says (12 x 10 at level 2: 480 x 400). Bitmaps are cleared white.
TEST_F(ExportPassTest, BitmapPassSizesLineWidthAndScale) {
  const struct {
    bool grid;
    int64_t width;
    int w, h, lineWidth;
    double unit;  // previewScale for polygons, cellSize for grids
  } cases[] = {{false, 2000, 2000, 1600, 1, 3.2}, {false, 6400, 6400, 5120, 3, 10.24},
               {true, 2000, 480, 400, 1, 40}, {true, 9999, 480, 400, 1, 40}};
  for (const auto& c : cases) {
    loadStartupDefaults(*state);
    if (c.grid) useGrid(12, 10, 2);
    surface.reset();
    ExportOptions options;
    options.format = ExportFormat::Bmp;
    options.width = c.width;
    ASSERT_TRUE(drawBitmapPass(*state, rs, surface, options));
    ASSERT_GE(surface.calls().size(), 3u);
    EXPECT_EQ(std::tuple(surface.calls()[0].a, surface.calls()[0].b, surface.calls()[1].fill, surface.lineWidth()),
              std::tuple(c.w, c.h, kWhite, c.lineWidth))
        << c.width;
    EXPECT_FLOAT_EQ(c.grid ? rs.cellSize : state->previewScale, c.unit) << c.width;
  }
}

// At the largest width a legend shrinks the pattern within the frame (0.01 mm);
// a grid ignores the grid size.
TEST_F(ExportPassTest, MaximumMetafileWithLegendShrinksThePattern) {
  ExportOptions options;
  options.format = ExportFormat::Emf;
  options.metafileWidth = 16000;
  options.legend = true;
  const std::string path = file("max.emf").toStdString();
  ASSERT_EQ(writeMetafilePass(*state, rs, surface, options, path), WriteResult::Saved);
  EXPECT_EQ(std::pair(surface.width(), surface.height()), std::pair(16000, 12800));
  EXPECT_FLOAT_EQ(state->previewScale, 23.68f);
  const QByteArray b = fileBytes(file("max.emf"));
  ASSERT_GE(b.size(), 40);
  EXPECT_EQ(std::pair(le32(b, 32), le32(b, 36)), std::pair(16000, 12800));
  useGrid(12, 10, 2);
  ASSERT_EQ(writeMetafilePass(*state, rs, surface, options, path), WriteResult::Saved);
  EXPECT_EQ(surface.width(), 480);
  EXPECT_DOUBLE_EQ(rs.cellSize, 40);
}

// Sizes the machine cannot hold are refused before drawing: the largest grid in
// every format; the largest polygon record (3.7 G cells) as one shape a cell,
// though it is drawn as pixels; widths outside 1..16000.
TEST_F(ExportPassTest, SizesTheMachineCannotHoldAreRefusedBeforeDrawing) {
  ExportOptions options;
  for (ExportFormat format : {ExportFormat::Bmp, ExportFormat::Png, ExportFormat::Svg, ExportFormat::Emf}) {
    options.format = format;
    useGrid(1600, 1600, 7);
    EXPECT_TRUE(exportRefusal(*state, options).has_value());
    useGrid(12, 10, 2);
    EXPECT_FALSE(exportRefusal(*state, options).has_value());
    loadStartupDefaults(*state);
    state->curFrame.vertexCount = 23, state->curFrame.layerCount = 99, state->curFrame.levels = 7;
    const bool vector = format == ExportFormat::Svg || format == ExportFormat::Emf;
    EXPECT_EQ(exportRefusal(*state, options).has_value(), vector) << static_cast<int>(format);
  }
  loadStartupDefaults(*state);
  options.format = ExportFormat::Bmp;
  for (int64_t width : {0, 16001}) {
    options.width = width;
    EXPECT_TRUE(exportRefusal(*state, options).has_value()) << width;
  }
}

// The strip below the pattern: a triangle per digit in its chip colour,
// down and up by turns, each digit labelled in black or white by its chip's
// brightness, then the caption and the range counted.
TEST_F(ExportPassTest, LegendOfBaseTenInListMode) {
  state->chipColors[3] = rgb(64, 64, 64);   // dark: white label
  state->chipColors[4] = rgb(255, 255, 0);  // bright: black label
  state->blendOn = false;
  resetDigitStream(*state);
  for (int leaf = 0; leaf < 100; ++leaf) nextDigitColor(*state);
  RecordingSurface strip(1440, 1000);
  drawLegendBmp(strip, legendText(*state, "0"), 1.0f);
  ASSERT_EQ(strip.calls()[0].kind, Kind::Resize);
  EXPECT_EQ(strip.calls()[0].b, 1100);
  const auto triangles = strip.polygons();
  ASSERT_EQ(triangles.size(), 10u);
  EXPECT_EQ(triangles[0].points, (std::vector<IntPoint>{{207, 510}, {237, 510}, {222, 535}}));
  EXPECT_EQ(triangles[1].points, (std::vector<IntPoint>{{227, 535}, {257, 535}, {242, 510}}));
  EXPECT_EQ(std::pair(triangles[4].fill, triangles[4].outline), std::pair(rgb(255, 255, 0), kBlack));
  std::vector<std::pair<std::string, Color>> texts;
  Color current = -1;
  for (const auto& c : strip.calls()) {
    if (c.kind == Kind::TextColor) current = c.fill;
    if (c.kind == Kind::Text) texts.emplace_back(c.text, current);
  }
  ASSERT_EQ(texts.size(), 12u);
  EXPECT_EQ(texts[0].first, "0");
  EXPECT_EQ(texts[3], std::pair(std::string("3"), kWhite));
  EXPECT_EQ(texts[4], std::pair(std::string("4"), kBlack));
  EXPECT_EQ(texts[10].first, "base 10  list");
  EXPECT_EQ(texts[11].first, "0 to 55");
  EXPECT_EQ(legendCaption(10, true), "base 10  blend");
}

// The SVG holds the leaves the bitmap pass draws, in order, with their points
// and colours; the bitmap file shows the same colour inside the first.
TEST_F(ExportPassTest, SvgHoldsOnePolygonPerLeafInTheBitmapsOrderAndColours) {
  ExportOptions options;
  options.format = ExportFormat::Svg;
  options.width = 625;
  state->curFrame.levels = 1;  // 384 leaves
  ASSERT_TRUE(drawBitmapPass(*state, rs, surface, options));
  const auto drawn = surface.polygons();
  ASSERT_EQ(drawn.size(), 384u);
  for (ExportFormat format : {ExportFormat::Svg, ExportFormat::Bmp}) {
    auto picture = makeExportPicture(format, 625, 500);
    ASSERT_TRUE(drawBitmapPass(*state, rs, picture->surface(), options));
    ASSERT_TRUE(picture->save(file(format == ExportFormat::Svg ? "hex.svg" : "hex.bmp").toStdString()));
  }
  QFile svg(file("hex.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svg);
  size_t index = 0;
  while (xml.readNextStartElement()) {
    if (xml.name() == u"svg") continue;
    if (xml.name() == u"polygon" && index < drawn.size()) {
      const auto& leaf = drawn[index++];
      QString points;
      for (const IntPoint& p : leaf.points) points += QString("%1,%2 ").arg(p.x).arg(p.y);
      EXPECT_EQ(xml.attributes().value("points").toString(), points.trimmed());
      EXPECT_EQ(fromQColor(QColor(xml.attributes().value("fill").toString())), leaf.fill);
    }
    xml.skipCurrentElement();
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(index, drawn.size());
  const QImage image(file("hex.bmp"));
  ASSERT_EQ(image.size(), QSize(625, 500));
  const auto& first = drawn.front().points;
  const QPoint inside((first[0].x + first[1].x + first[2].x) / 3, (first[0].y + first[1].y + first[2].y) / 3);
  EXPECT_EQ(fromQRgb(image.pixel(inside)), drawn.front().fill);
}

// 96 leaves and 10 base triangles; the digits, the caption and the range.
TEST_F(ExportPassTest, MetafileLegendIsReadByAnIndependentReader) {
  const QString converter = QStandardPaths::findExecutable("emf2svg-conv");
  if (converter.isEmpty()) GTEST_SKIP() << "emf2svg-conv is not installed (Debian package emf2svg)";
  ExportOptions options;
  options.legend = true;
  options.startText = "0";
  ASSERT_EQ(writeMetafilePass(*state, rs, surface, options, file("legend.emf").toStdString()), WriteResult::Saved);
  QProcess run;
  run.start(converter, {"-i", file("legend.emf"), "-o", file("legend.svg")});
  ASSERT_TRUE(run.waitForFinished(60000));
  ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
  const QString text = QString::fromUtf8(fileBytes(file("legend.svg")));
  EXPECT_EQ(text.count("<path") + text.count("<polygon"), 96 + 10);
  for (const char* shown : {"[base 10  blend]", "[0 to 96]", "[9]"}) EXPECT_TRUE(text.contains(shown)) << shown;
}

// A frame of a saved run is 1200 x 1000 at scale 2, on the frame's background;
// grid cells are the smaller of 1200 by the columns and 1000 by the rows.
TEST_F(ExportPassTest, SequenceFrameIsTwelveHundredByThousandAtScaleTwo) {
  translate(*state);
  state->previewScale = 7;
  drawSequenceFrame(*state, rs, surface);
  EXPECT_EQ(std::tuple(surface.width(), surface.height(), surface.lineWidth()), std::tuple(1200, 1000, 1));
  EXPECT_FLOAT_EQ(state->previewScale, 2);
  const auto clear = std::find_if(surface.calls().rbegin(), surface.calls().rend(),
                                  [](const auto& c) { return c.kind == Kind::Clear; });
  ASSERT_NE(clear, surface.calls().rend());
  EXPECT_EQ(clear->fill, state->curFrame.backColor);
  EXPECT_EQ(surface.polygons().size(), 96u);
  for (auto [columns, rows, cell] : {std::tuple{12, 10, 100.0}, {6, 10, 100.0}, {24, 5, 50.0}}) {
    useGrid(columns, rows, 0);
    drawSequenceFrame(*state, rs, surface);
    EXPECT_DOUBLE_EQ(rs.cellSize, cell) << columns << " x " << rows;
  }
}

}  // namespace
}  // namespace quill
