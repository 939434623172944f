#include "render/ExportPass.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <memory>

#include "engine/DigitStream.h"
#include "engine/FrameCapture.h"
#include "render/Legend.h"
#include "support/FileBytes.h"
#include "gfx/QtColor.h"
#include "support/RecordingSurface.h"

namespace quill {
namespace {

using Kind = RecordingSurface::Kind;

std::vector<RecordingSurface::Call> callsOf(const RecordingSurface& surface, Kind kind) {
  std::vector<RecordingSurface::Call> out;
  for (const auto& c : surface.calls())
    if (c.kind == kind) out.push_back(c);
  return out;
}

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

TEST_F(ExportPassTest, BitmapPassSizesLineWidthAndScale) {
  const struct {
    bool grid;
    int64_t width;
    int w, h, lineWidth;
    float scale;
    double cellSize;
  } cases[] = {
      {false, 2000, 2000, 1600, 1, 3.2f, 0},
      {false, 6400, 6400, 5120, 3, 10.24f, 0},
      {true, 2000, 480, 400, 1, 0, 40},  // 12 x 10 at level 2: the width box does not matter
      {true, 9999, 480, 400, 1, 0, 40},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    loadStartupDefaults(*state);
    if (c.grid) useGrid(12, 10, 2);
    surface.reset();
    ExportOptions options;
    options.format = ExportFormat::Bmp;
    options.width = c.width;
    ASSERT_TRUE(drawBitmapPass(*state, rs, surface, options));
    ASSERT_GE(surface.calls().size(), 3u);
    EXPECT_EQ(surface.calls()[0].a, c.w);
    EXPECT_EQ(surface.calls()[0].b, c.h);
    EXPECT_EQ(surface.calls()[1].fill, kWhite);  // cleared white, whatever backColor says
    EXPECT_EQ(surface.lineWidth(), c.lineWidth);
    if (c.grid)
      EXPECT_DOUBLE_EQ(rs.cellSize, c.cellSize);
    else
      EXPECT_FLOAT_EQ(state->previewScale, c.scale);
  }
}

TEST_F(ExportPassTest, MaximumMetafileWithLegendShrinksThePattern) {
  ExportOptions options;
  options.format = ExportFormat::Emf;
  options.metafileWidth = 16000;
  options.legend = true;
  const std::string path = file("max.emf").toStdString();
  ASSERT_EQ(writeMetafilePass(*state, rs, surface, options, path), WriteResult::Saved);
  EXPECT_EQ(surface.width(), 16000);
  EXPECT_EQ(surface.height(), 12800);
  EXPECT_FLOAT_EQ(state->previewScale, 23.68f);
  const QByteArray b = fileBytes(file("max.emf"));
  ASSERT_GE(b.size(), 40);
  EXPECT_EQ(le32(b, 24 + 8), 16000);  // frame right and bottom, 0.01 mm
  EXPECT_EQ(le32(b, 24 + 12), 12800);
  // A grid ignores the grid size: 12 x 10 at level 2 is 480 x 400.
  useGrid(12, 10, 2);
  ASSERT_EQ(writeMetafilePass(*state, rs, surface, options, path), WriteResult::Saved);
  EXPECT_EQ(surface.width(), 480);
  EXPECT_DOUBLE_EQ(rs.cellSize, 40);
}

TEST_F(ExportPassTest, SizesTheMachineCannotHoldAreRefusedBeforeDrawing) {
  ExportOptions options;
  for (ExportFormat format : {ExportFormat::Bmp, ExportFormat::Png, ExportFormat::Svg, ExportFormat::Emf}) {
    options.format = format;
    useGrid(1600, 1600, 7);
    EXPECT_TRUE(exportRefusal(*state, options).has_value());
    useGrid(12, 10, 2);
    EXPECT_FALSE(exportRefusal(*state, options).has_value());
  }
  // The largest polygon record, 3.7 G cells, is drawn as pixels; as one shape
  // a cell it is too large.
  loadStartupDefaults(*state);
  state->curFrame.vertexCount = 23;
  state->curFrame.layerCount = 99;
  state->curFrame.levels = 7;
  for (ExportFormat format : {ExportFormat::Bmp, ExportFormat::Png, ExportFormat::Svg, ExportFormat::Emf}) {
    options.format = format;
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

TEST_F(ExportPassTest, LegendOfBaseTenInListMode) {
  state->chipColors[3] = rgb(64, 64, 64);   // dark: white label
  state->chipColors[4] = rgb(255, 255, 0);  // bright: black label
  state->blendOn = false;
  resetDigitStream(*state);
  for (int leaf = 0; leaf < 100; ++leaf) nextDigitColor(*state);
  const LegendText legend = legendText(*state, "0");
  EXPECT_EQ(legendRange(legend), "0 to 55");
  EXPECT_EQ(legendCaption(10, true), "base 10  blend");

  RecordingSurface strip(1440, 1000);
  drawLegendBmp(strip, legend, 1.0f);
  ASSERT_EQ(strip.calls()[0].kind, Kind::Resize);
  EXPECT_EQ(strip.calls()[0].b, 1100);
  const auto triangles = strip.polygons();
  ASSERT_EQ(triangles.size(), 10u);
  // Digit 0 points down, centred at x = -90; digit 1 points up at -70.
  EXPECT_EQ(triangles[0].points, (std::vector<IntPoint>{{207, 510}, {237, 510}, {222, 535}}));
  EXPECT_EQ(triangles[1].points, (std::vector<IntPoint>{{227, 535}, {257, 535}, {242, 510}}));
  EXPECT_EQ(triangles[0].outline, kBlack);
  std::vector<RecordingSurface::Call> texts;
  std::vector<Color> colours;
  Color current = -1;
  for (const auto& c : strip.calls()) {
    if (c.kind == Kind::TextColor) current = c.fill;
    if (c.kind == Kind::Text) {
      texts.push_back(c);
      colours.push_back(current);
    }
  }
  ASSERT_EQ(texts.size(), 12u);
  EXPECT_EQ(texts[0].text, "0");
  EXPECT_EQ(texts[0].a, 219);  // -105 + 11.5 = -93.5 -> 219
  EXPECT_EQ(texts[1].b, 519);  // odd digits move down by 6: -269.5 -> 519
  EXPECT_EQ(colours[3], kWhite);
  EXPECT_EQ(colours[4], kBlack);
  EXPECT_EQ(texts[10].text, "base 10  list");
  EXPECT_EQ(texts[10].a, 136);  // x = -176
  EXPECT_EQ(texts[10].b, 516);
  EXPECT_EQ(texts[11].text, "0 to 55");
  EXPECT_EQ(texts[11].a, 432);  // x = 120
  ASSERT_FALSE(callsOf(strip, Kind::Font).empty());
  EXPECT_EQ(callsOf(strip, Kind::Font)[0].font, (FontSpec{"arial", 25, 10}));  // k = 1440 / 1440
}

TEST_F(ExportPassTest, SvgHoldsOnePolygonPerLeafInTheBitmapsOrderAndColours) {
  ExportOptions options;
  options.format = ExportFormat::Svg;
  options.width = 625;
  state->curFrame.levels = 1;  // 384 leaves
  ASSERT_TRUE(drawBitmapPass(*state, rs, surface, options));
  const auto drawn = surface.polygons();
  ASSERT_EQ(drawn.size(), 384u);

  auto picture = makeExportPicture(ExportFormat::Svg, 625, 500);
  ASSERT_TRUE(drawBitmapPass(*state, rs, picture->surface(), options));
  ASSERT_TRUE(picture->save(file("hex.svg").toStdString()));
  auto bitmap = makeExportPicture(ExportFormat::Bmp, 625, 500);
  ASSERT_TRUE(drawBitmapPass(*state, rs, bitmap->surface(), options));
  ASSERT_TRUE(bitmap->save(file("hex.bmp").toStdString()));
  const QImage image(file("hex.bmp"));
  ASSERT_EQ(image.size(), QSize(625, 500));

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
      const Color fill = fromQColor(QColor(xml.attributes().value("fill").toString()));
      EXPECT_EQ(fill, leaf.fill);
    }
    xml.skipCurrentElement();
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(index, drawn.size());
  // The bitmap shows the same colour inside the first leaf.
  const auto& first = drawn.front().points;
  const int cx = (first[0].x + first[1].x + first[2].x) / 3;
  const int cy = (first[0].y + first[1].y + first[2].y) / 3;
  EXPECT_EQ(fromQRgb(image.pixel(cx, cy)), drawn.front().fill);
}

TEST_F(ExportPassTest, MetafileLegendIsReadByAnIndependentReader) {
  const QString converter = QStandardPaths::findExecutable("emf2svg-conv");
  if (converter.isEmpty()) GTEST_SKIP() << "emf2svg-conv is not installed (Debian package emf2svg)";
  ExportOptions options;
  options.legend = true;
  options.startText = "0";
  ASSERT_EQ(writeMetafilePass(*state, rs, surface, options, file("legend.emf").toStdString()),
            WriteResult::Saved);
  QProcess run;
  run.start(converter, {"-i", file("legend.emf"), "-o", file("legend.svg")});
  ASSERT_TRUE(run.waitForFinished(60000));
  ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
  const QString text = QString::fromUtf8(fileBytes(file("legend.svg")));
  // 96 leaves and 10 base triangles; the digits, the caption and the range.
  EXPECT_EQ(text.count("<path") + text.count("<polygon"), 96 + 10);
  EXPECT_TRUE(text.contains("[base 10  blend]"));
  EXPECT_TRUE(text.contains("[0 to 96]"));
  EXPECT_TRUE(text.contains("[9]"));
}

TEST_F(ExportPassTest, SequenceFrameIsTwelveHundredByThousandAtScaleTwo) {
  translate(*state);
  state->previewScale = 7;
  drawSequenceFrame(*state, rs, surface);
  EXPECT_EQ(surface.width(), 1200);
  EXPECT_EQ(surface.height(), 1000);
  EXPECT_EQ(surface.lineWidth(), 1);
  EXPECT_FLOAT_EQ(state->previewScale, 2);
  EXPECT_EQ(callsOf(surface, Kind::Clear).back().fill, state->curFrame.backColor);
  EXPECT_EQ(surface.polygons().size(), 96u);
  // Grid cells: the smaller of 1200 by the columns and 1000 by the rows.
  for (auto [columns, rows, cell] : {std::tuple{12, 10, 100.0}, {6, 10, 100.0}, {24, 5, 50.0}}) {
    useGrid(columns, rows, 0);
    drawSequenceFrame(*state, rs, surface);
    EXPECT_DOUBLE_EQ(rs.cellSize, cell) << columns << " x " << rows;
  }
}

}  // namespace
}  // namespace quill
