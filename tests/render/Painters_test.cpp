
#include <string>

#include "render/RenderFixture.h"
#include "support/RecordingMetafile.h"

namespace quill::test {
namespace {

class PaintersTest : public RenderFixture {
 protected:
  // Ready to call a painter directly: one level of division, every leaf drawn.
  void divideOnce() {
    rs.maxLevel = 1;
    rs.fractionPeriod = 1;
    state->gapPeriod = state->gapLength = 1;
  }
  // Corners at pixels A (0, 0), B (40, 0), C (0, 40): every midpoint is whole.
  void curseTriangle() { renderer.subdivideTriangle(-312.5, 247, -272.5, 247, -312.5, 207, 0); }
};

TEST_F(PaintersTest, ChildrenFollowTheOrder) {
  const Points m = {{20, 20}, {20, 0}, {0, 20}}, a = {{0, 0}, {0, 20}, {20, 0}};
  const Points b = {{20, 0}, {40, 0}, {20, 20}}, c = {{0, 20}, {20, 20}, {0, 40}};
  const struct {
    std::vector<Points> triangles;
    Points squareCorners;
  } orders[] = {{{m, a, b, c}, {{0, 0}, {4, 0}, {4, 4}, {0, 4}}},   // spiral out
                {{a, b, m, c}, {{0, 0}, {4, 0}, {0, 4}, {4, 4}}},   // book
                {{a, m, b, c}, {{0, 0}, {4, 4}, {4, 0}, {0, 4}}},   // cross
                {{c, a, b, m}, {{0, 0}, {4, 4}, {0, 4}, {4, 0}}}};  // spiral in
  divideOnce();
  for (int16_t order = 0; order < 4; ++order) {
    SCOPED_TRACE(order);
    frame().order = order;
    surface.reset();
    curseTriangle();
    EXPECT_EQ(shapes(), orders[order].triangles);
    surface.reset();
    renderer.subdivideSquare(0, 0, 8, 0);
    std::vector<Points> squares;
    for (const auto& p : orders[order].squareCorners) squares.push_back(square(p.x, p.y, 4));
    EXPECT_EQ(shapes(), squares);
  }
}

TEST_F(PaintersTest, ColoursChangeOnlyAtGroupStartsEvenWhenSkipped) {
  // Groups of 4 leaves; the gap (offset 8, length 2) draws leaves 0, 7, 8, 15
  // and 16, so the groups starting at 4 and 12 take their digit undrawn.
  setGrid(20, 1);
  frame().fractions = 2;
  frame().tailLaunch = 8;
  frame().tailLength = 2;
  renderer.drawBookGrid();
  const auto drawn = polygons();
  ASSERT_EQ(drawn.size(), 5u);
  const int xs[5] = {0, 70, 80, 150, 160};
  const Color fills[5] = {pal(1), rgb(20, 100, 235), pal(3), rgb(52, 100, 203), pal(5)};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(drawn[i].points[0].x, xs[i]) << i;
    EXPECT_EQ(drawn[i].fill, fills[i]) << i;
  }
  EXPECT_EQ(rs.cellIndex, 20);        // skipped leaves count too
  EXPECT_EQ(state->digitCounter, 6);  // digits 1..5, one per group
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

TEST_F(PaintersTest, LinesAndFillsChooseOutlineAndFill) {
  setGrid(1, 1);
  const Color c = pal(1);
  const struct {
    int16_t lines, fills;
    Color fill, outline;
  } cases[] = {{1, 1, c, kBlack}, {0, 1, c, c}, {1, 0, kWhite, kBlack}, {0, 0, kWhite, c}};
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << "lines " << k.lines << " fills " << k.fills);
    surface.reset();
    frame().drawLines = k.lines;
    frame().drawFills = k.fills;
    renderer.drawBookGrid();
    ASSERT_EQ(polygons().size(), 1u);
    EXPECT_EQ(polygons()[0].fill, k.fill);
    EXPECT_EQ(polygons()[0].outline, k.outline);
  }
}

// Each drawn leaf gets a brush and a pen of its own, selected, then released
// after its polygon, leaving only the target's own objects (1 and 2) live.
TEST_F(PaintersTest, MetafileRecordsEachDrawnLeafWithItsOwnPenAndBrush) {
  RecordingMetafile meta;
  MetafileTarget target{&meta, meta.createSolidBrush(kWhite), meta.createPen(1, kBlack)};
  target.triangleLinesOn = false;
  renderer.setMetafile(&target);
  // Squares follow curFrame: lines on, fills off.
  setGrid(2, 1);
  frame().drawFills = 0;
  frame().tailLaunch = 2;  // the first leaf is skipped and records nothing
  renderer.drawBookGrid();
  // Triangles follow the target's boxes (lines off), whatever curFrame says.
  divideOnce();
  rs.maxLevel = rs.cellIndex = 0;
  rs.cellPenWidth = 3;
  curseTriangle();  // takes the next digit, 3
  const std::string c2 = std::to_string(pal(2)), c3 = std::to_string(pal(3));
  EXPECT_EQ(std::vector<std::string>(meta.log.begin() + 2, meta.log.end()),
            (std::vector<std::string>{"brush " + c2 + " -> 3", "pen 1 " + c2 + " -> 4", "select 2", "select 1",
                                      "polygon 10,0 20,0 20,10 10,10", "delete 3", "delete 4",
                                      "brush " + c3 + " -> 5", "pen 3 " + c3 + " -> 6", "select 6", "select 5",
                                      "polygon 0,0 40,0 0,40", "delete 5", "delete 6"}));
}

}  // namespace
}  // namespace quill::test
