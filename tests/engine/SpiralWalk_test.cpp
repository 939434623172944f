#include "engine/SpiralWalk.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

namespace quill {
namespace {

using Cell = std::pair<int, int>;  // (column, row)
using Cells = std::vector<Cell>;

// One state for the whole file: a PatternState carries the renderer's large
// corner table, too costly to build for each of thousands of grids.
PatternState& started(int columns, double rows) {
  static PatternState s;
  s.columnCount = static_cast<int16_t>(columns);
  s.rowCount = rows;
  spiralStart(s);
  return s;
}

Cells walk(int columns, double rows, int cells) {
  PatternState& s = started(columns, rows);
  Cells out;
  for (int k = 0; k < cells; ++k, spiralStep(s)) out.emplace_back(s.spiralCol, s.spiralRow);
  return out;
}

// The first columns x rows positions visit every cell of the grid once.
::testing::AssertionResult coversOnce(int columns, int rows) {
  PatternState& s = started(columns, rows);
  std::vector<bool> seen(static_cast<size_t>(columns) * rows);
  for (int64_t k = 0; k < int64_t{columns} * rows; ++k, spiralStep(s)) {
    const int c = s.spiralCol, r = s.spiralRow;
    const bool inside = c >= 0 && c < columns && r >= 0 && r < rows;
    if (!inside || seen[static_cast<size_t>(r) * columns + c]) {
      return ::testing::AssertionFailure() << columns << "x" << rows << ": step " << k << " at (" << c << ","
                                           << r << ") is " << (inside ? "visited twice" : "off the grid");
    }
    seen[static_cast<size_t>(r) * columns + c] = true;
  }
  return ::testing::AssertionSuccess();
}

// The 5 x 3 walk is pinned with the squares the renderer draws.
TEST(SpiralWalk, KnownSequences) {
  EXPECT_EQ(walk(3, 5, 15), (Cells{{1, 1}, {1, 2}, {1, 3}, {2, 3}, {2, 2}, {2, 1}, {2, 0}, {1, 0},
                                   {0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 4}, {2, 4}}));
  const Cells square = walk(4, 4, 16);
  EXPECT_EQ(Cells(square.begin(), square.begin() + 8),
            (Cells{{1, 2}, {2, 2}, {2, 1}, {1, 1}, {0, 1}, {0, 2}, {0, 3}, {1, 3}}));
  EXPECT_EQ(Cells(square.end() - 4, square.end()), (Cells{{3, 0}, {2, 0}, {1, 0}, {0, 0}}));
  EXPECT_EQ(walk(12, 10, 9), (Cells{{5, 5}, {6, 5}, {7, 5}, {7, 4}, {6, 4}, {5, 4}, {4, 4}, {4, 5}, {4, 6}}));
  EXPECT_EQ(walk(1, 4, 4), (Cells{{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
  EXPECT_EQ(walk(4, 1, 4), (Cells{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
  // Fractional rows round half to even.
  EXPECT_EQ(walk(12, 10.5, 120), walk(12, 10, 120));
  EXPECT_EQ(walk(3, 4.5, 12), walk(3, 4, 12));
  EXPECT_EQ(walk(3, 5.5, 18), walk(3, 6, 18));
}

TEST(SpiralWalk, CoversEverySmallGridAndSomeLargeOnesOnce) {
  for (int columns = 1; columns <= 60; ++columns) {
    for (int rows = 1; rows <= 60; ++rows) ASSERT_TRUE(coversOnce(columns, rows));
  }
  Cells large{{1600, 1600}, {1600, 1}, {1, 1600}, {1599, 1600}, {1600, 1599}, {1600, 777}, {777, 1600}};
  std::mt19937 random(20240611);
  for (int k = 0; k < 6; ++k) {
    const int columns = 1 + static_cast<int>(random() % 1600);
    large.emplace_back(columns, 1 + static_cast<int>(random() % 1600));
  }
  for (auto [columns, rows] : large) EXPECT_TRUE(coversOnce(columns, rows));
}

}  // namespace
}  // namespace quill
