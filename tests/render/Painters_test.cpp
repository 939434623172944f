#include <gtest/gtest.h>

#include <string>

#include "render/RenderFixture.h"
#include "ui/MetafileRecorder.h"

namespace quill::test {
namespace {

using Points = std::vector<IntPoint>;

std::vector<Points> shapesOf(const std::vector<RecordingSurface::Call>& calls) {
  std::vector<Points> out;
  for (const auto& c : calls) out.push_back(c.points);
  return out;
}

// Logs every call as text; handles count up from 100.
class LoggingMetafile : public MetafileRecorder {
 public:
  bool valid() const override { return true; }
  Handle createPen(int width, Color color) override {
    log.push_back("pen " + std::to_string(width) + " " + std::to_string(color) + " -> " +
                  std::to_string(next));
    return next++;
  }
  Handle createSolidBrush(Color color) override {
    log.push_back("brush " + std::to_string(color) + " -> " + std::to_string(next));
    return next++;
  }
  Handle createFont(const FontSpec&) override { return next++; }
  void selectObject(Handle h) override { log.push_back("select " + std::to_string(h)); }
  void deleteObject(Handle h) override { log.push_back("delete " + std::to_string(h)); }
  void polygon(const IntPoint* p, int count) override {
    std::string s = "polygon";
    for (int i = 0; i < count; ++i)
      s += " " + std::to_string(p[i].x) + "," + std::to_string(p[i].y);
    log.push_back(s);
  }
  void setTextColor(Color) override {}
  void setTransparentBackground(bool) override {}
  void textOut(int, int, const std::string&) override {}
  bool close() override { return true; }

  std::vector<std::string> log;
  Handle next = 100;
};

class PaintersTest : public RenderFixture {
 protected:
  // Ready to call a painter directly: one level of division, every leaf drawn.
  void divideOnce() {
    rs.maxLevel = 1;
    rs.fractionPeriod = 1;
    state->gapPeriod = 1;
    state->gapLength = 1;
  }
};

TEST_F(PaintersTest, SquareChildrenFollowTheOrder) {
  const int expected[4][4][2] = {
      {{0, 0}, {4, 0}, {4, 4}, {0, 4}},  // spiral out
      {{0, 0}, {4, 0}, {0, 4}, {4, 4}},  // book: row by row
      {{0, 0}, {4, 4}, {4, 0}, {0, 4}},  // cross: diagonal first
      {{0, 0}, {4, 4}, {0, 4}, {4, 0}},  // spiral in
  };
  setGrid(1, 1);
  rs.cellSize = 8;
  frame().levels = 1;
  for (int order = 0; order < 4; ++order) {
    surface.reset();
    frame().order = static_cast<int16_t>(order);
    renderer.render_book();
    std::vector<Points> want;
    for (const auto& c : expected[order]) want.push_back(square(c[0], c[1], 4));
    EXPECT_EQ(shapesOf(polygons()), want) << order;
  }
}

TEST_F(PaintersTest, TriangleChildrenFollowTheOrder) {
  // A at pixel (0, 0), B at (40, 0), C at (0, 40): every midpoint is whole.
  const Points middle = {{20, 20}, {20, 0}, {0, 20}};
  const Points cornerA = {{0, 0}, {0, 20}, {20, 0}};
  const Points cornerB = {{20, 0}, {40, 0}, {20, 20}};
  const Points cornerC = {{0, 20}, {20, 20}, {0, 40}};
  const std::vector<Points> expected[4] = {{middle, cornerA, cornerB, cornerC},
                                           {cornerA, cornerB, middle, cornerC},
                                           {cornerA, middle, cornerB, cornerC},
                                           {cornerC, cornerA, cornerB, middle}};
  divideOnce();
  for (int order = 0; order < 4; ++order) {
    surface.reset();
    frame().order = static_cast<int16_t>(order);
    renderer.curse(-312.5, 247, -272.5, 247, -312.5, 207, 0);
    EXPECT_EQ(shapesOf(polygons()), expected[order]) << order;
  }
}

TEST_F(PaintersTest, UnknownOrderPaintsNothingAboveTheDeepestLevel) {
  divideOnce();
  for (int16_t order : {int16_t{-1}, int16_t{4}}) {
    frame().order = order;
    renderer.curse(-312.5, 247, -272.5, 247, -312.5, 207, 0);
    renderer.Gcurse(0, 0, 8, 0);
    EXPECT_TRUE(polygons().empty());
    EXPECT_EQ(rs.cellIndex, 0);

    rs.maxLevel = 0;  // a leaf needs no order
    renderer.Gcurse(0, 0, 8, 0);
    EXPECT_EQ(polygons().size(), 1u);
    surface.reset();
    rs.cellIndex = 0;
    rs.maxLevel = 1;
  }
}

TEST_F(PaintersTest, ColoursChangeOnlyAtGroupStartsEvenWhenSkipped) {
  // Groups of 4 leaves; the gap (offset 8, length 2) draws leaves 0, 7, 8, 15
  // and 16, so the groups starting at 4 and 12 take their digit undrawn.
  setGrid(20, 1);
  frame().fractions = 2;
  frame().tailLaunch = 8;
  frame().tailLength = 2;
  renderer.render_book();
  const auto drawn = polygons();
  ASSERT_EQ(drawn.size(), 5u);
  const int xs[5] = {0, 70, 80, 150, 160};
  const Color fills[5] = {pal(1), rgb(20, 100, 235), pal(3), rgb(52, 100, 203), pal(5)};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(drawn[i].points[0].x, xs[i]) << i;
    EXPECT_EQ(drawn[i].fill, fills[i]) << i;
  }
  EXPECT_EQ(rs.cellIndex, 20);
  EXPECT_EQ(state->digitCounter, 6);  // digits 1..5, one per group
}

TEST_F(PaintersTest, SkippedLeavesKeepTheGapAlignedWithTheCellOrder) {
  setGrid(8, 1);
  frame().tailLaunch = 4;
  frame().tailLength = 2;
  auto drawnColumns = [&] {
    surface.reset();
    renderer.render_book();
    std::vector<int> cols;
    for (const auto& p : polygons()) cols.push_back(p.points[0].x / 10);
    return cols;
  };
  EXPECT_EQ(drawnColumns(), (std::vector<int>{0, 3, 4, 7}));
  EXPECT_EQ(polygons()[1].fill, pal(4));  // column 3 still gets the fourth digit
  renderer.setReverseDirection(true);
  EXPECT_EQ(drawnColumns(), (std::vector<int>{0, 1, 4, 5}));
  state->tailPhase = 1;
  EXPECT_EQ(drawnColumns(), (std::vector<int>{0, 3, 4, 7}));
}

TEST(GapOn, PeriodsBelowOneDrawAllOrNothing) {
  for (int32_t period : {0, -3}) {
    for (int64_t k : {0, 1, 5, 1000}) {
      EXPECT_TRUE(gapOn(k, 0, period, 1, false)) << period << " " << k;
      EXPECT_TRUE(gapOn(k, 3, period, 1, true));
      EXPECT_FALSE(gapOn(k, 0, period, 0, false));
    }
  }
  // Truncating remainder: a negative position always counts as drawn.
  EXPECT_TRUE(gapOn(0, -5, 4, 1, true));
  // Forward, the position is |k - p + 1|: 2 here, not -2.
  EXPECT_FALSE(gapOn(0, 3, 4, 2, false));
  EXPECT_TRUE(gapOn(5, 2, 4, 1, false));
  EXPECT_FALSE(gapOn(6, 2, 4, 1, false));
}

TEST(FadeColor, MovesFromTheNewColourTowardsTheOldOne) {
  EXPECT_EQ(fadeColor(0, 4, kWhite, rgb(1, 2, 3)), rgb(1, 2, 3));
  EXPECT_EQ(fadeColor(1, 2, kWhite, kBlack), rgb(127, 127, 127));
  EXPECT_EQ(fadeColor(3, 4, rgb(200, 0, 100), rgb(0, 200, 100)), rgb(150, 50, 100));
  EXPECT_EQ(fadeColor(1, 3, rgb(255, 0, 0), kBlack), rgb(85, 0, 0));
  // Out-of-range mixes stay between the two colours.
  EXPECT_EQ(fadeColor(0, 0, kWhite, rgb(1, 2, 3)), rgb(1, 2, 3));
  EXPECT_EQ(fadeColor(9, 4, kWhite, rgb(1, 2, 3)), kWhite);
  EXPECT_EQ(fadeColor(-1, 4, kWhite, rgb(1, 2, 3)), rgb(1, 2, 3));
}

TEST_F(PaintersTest, LinesAndFillsChooseOutlineAndFill) {
  setGrid(1, 1);
  const Color c = pal(1);
  const struct {
    int16_t lines, fills;
    Color fill, outline;
  } cases[] = {{1, 1, c, kBlack}, {0, 1, c, c}, {1, 0, kWhite, kBlack}, {0, 0, kWhite, c}};
  for (const auto& k : cases) {
    surface.reset();
    frame().drawLines = k.lines;
    frame().drawFills = k.fills;
    renderer.render_book();
    ASSERT_EQ(polygons().size(), 1u);
    EXPECT_EQ(polygons()[0].fill, k.fill) << k.lines << k.fills;
    EXPECT_EQ(polygons()[0].outline, k.outline) << k.lines << k.fills;
  }
}

TEST_F(PaintersTest, BlendModeTakesOneWholeNumberPerGroup) {
  setGrid(2, 1);
  frame().startValue = 10;
  frame().blendOn = kTrue16;
  renderer.render_book();
  ASSERT_EQ(polygons().size(), 2u);
  EXPECT_EQ(polygons()[0].fill, rgb(8, 100, 247));  // the average of entries 1 and 0
  EXPECT_EQ(polygons()[1].fill, pal(1));            // 11
}

TEST_F(PaintersTest, MetafileRecordsEachDrawnLeafWithItsOwnPenAndBrush) {
  LoggingMetafile meta;
  MetafileTarget target{&meta, 7, 8, false, true};
  renderer.setMetafile(&target);
  // Squares follow curFrame: lines on, fills off.
  setGrid(2, 1);
  frame().drawFills = 0;
  frame().tailLaunch = 2;  // the first leaf is skipped and records nothing
  renderer.render_book();
  const std::string c2 = std::to_string(pal(2));
  EXPECT_EQ(meta.log,
            (std::vector<std::string>{"brush " + c2 + " -> 100", "pen 1 " + c2 + " -> 101",
                                      "select 8", "select 7", "polygon 10,0 20,0 20,10 10,10",
                                      "delete 100", "delete 101"}));

  // Triangles follow the target's boxes, whatever curFrame says.
  meta.log.clear();
  divideOnce();
  rs.maxLevel = 0;
  rs.cellIndex = 0;
  rs.cellPenWidth = 3;
  state->digitCounter = 1;
  state->pendingDigits = 0;
  renderer.curse(-312.5, 247, -272.5, 247, -312.5, 207, 0);
  const std::string c = std::to_string(pal(1));
  EXPECT_EQ(meta.log, (std::vector<std::string>{"brush " + c + " -> 102", "pen 3 " + c + " -> 103",
                                                "select 103", "select 102", "polygon 0,0 40,0 0,40",
                                                "delete 102", "delete 103"}));

  // Without a target nothing more is recorded.
  renderer.setMetafile(nullptr);
  meta.log.clear();
  renderer.render_book();
  EXPECT_TRUE(meta.log.empty());
  EXPECT_FALSE(polygons().empty());
}

}  // namespace
}  // namespace quill::test
