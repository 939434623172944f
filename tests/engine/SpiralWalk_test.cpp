#include "engine/SpiralWalk.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "engine/Rounding.h"

namespace quill {
namespace {

using Cell = std::pair<int, int>;  // (column, row)

// One state for the whole file: a PatternState carries the renderer's large
// corner table, too costly to build for each of thousands of grids.
PatternState& grid(int columns, double rows) {
  static PatternState s;
  s.columnCount = static_cast<int16_t>(columns);
  s.rowCount = rows;
  return s;
}

std::vector<Cell> walk(PatternState& s, int cells) {
  std::vector<Cell> out;
  spiralStart(s);
  for (int k = 0; k < cells; ++k) {
    out.emplace_back(s.spiralCol, s.spiralRow);
    spiralStep(s);
  }
  return out;
}

std::vector<Cell> walk(int columns, double rows) {
  PatternState& s = grid(columns, rows);
  return walk(s, static_cast<int>(columns * roundHalfEven(rows)));
}

// The first columns x rows positions visit every cell of the grid once.
::testing::AssertionResult coversOnce(int columns, int rows) {
  PatternState& s = grid(columns, rows);
  std::vector<bool> seen(static_cast<size_t>(columns) * rows);
  spiralStart(s);
  for (int64_t k = 0; k < int64_t{columns} * rows; ++k) {
    const int c = s.spiralCol, r = s.spiralRow;
    if (c < 0 || c >= columns || r < 0 || r >= rows) {
      return ::testing::AssertionFailure() << columns << "x" << rows << ": step " << k
                                           << " leaves the grid at (" << c << "," << r << ")";
    }
    const size_t at = static_cast<size_t>(r) * columns + c;
    if (seen[at]) {
      return ::testing::AssertionFailure() << columns << "x" << rows << ": (" << c << "," << r
                                           << ") visited twice";
    }
    seen[at] = true;
    spiralStep(s);
  }
  return ::testing::AssertionSuccess();
}

TEST(SpiralWalk, KnownSequences) {
  EXPECT_EQ(walk(5, 3), (std::vector<Cell>{{1, 1}, {2, 1}, {3, 1}, {3, 0}, {2, 0}, {1, 0}, {0, 0}, {0, 1},
                                           {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {4, 1}, {4, 0}}));
  EXPECT_EQ(walk(3, 5), (std::vector<Cell>{{1, 1}, {1, 2}, {1, 3}, {2, 3}, {2, 2}, {2, 1}, {2, 0}, {1, 0},
                                           {0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 4}, {2, 4}}));
  const auto square = walk(4, 4);
  EXPECT_EQ(std::vector<Cell>(square.begin(), square.begin() + 8),
            (std::vector<Cell>{{1, 2}, {2, 2}, {2, 1}, {1, 1}, {0, 1}, {0, 2}, {0, 3}, {1, 3}}));
  EXPECT_EQ(std::vector<Cell>(square.end() - 4, square.end()),
            (std::vector<Cell>{{3, 0}, {2, 0}, {1, 0}, {0, 0}}));
  const auto startup = walk(12, 10);
  EXPECT_EQ(std::vector<Cell>(startup.begin(), startup.begin() + 9),
            (std::vector<Cell>{{5, 5}, {6, 5}, {7, 5}, {7, 4}, {6, 4}, {5, 4}, {4, 4}, {4, 5}, {4, 6}}));
  EXPECT_EQ(walk(1, 4), (std::vector<Cell>{{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
  EXPECT_EQ(walk(4, 1), (std::vector<Cell>{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
  EXPECT_EQ(walk(1, 1), (std::vector<Cell>{{0, 0}}));
}

TEST(SpiralWalk, FractionalRowsRoundHalfToEven) {
  EXPECT_EQ(walk(12, 10.5), walk(12, 10));
  EXPECT_EQ(walk(3, 4.5), walk(3, 4));
  EXPECT_EQ(walk(3, 5.5), walk(3, 6));
}

TEST(SpiralWalk, UnknownDirectionStandsStill) {
  PatternState& s = grid(5, 5);
  spiralStart(s);
  s.spiralDir = 4;
  spiralStep(s);
  EXPECT_EQ(s.spiralCol, 2);
  EXPECT_EQ(s.spiralRow, 2);
  EXPECT_EQ(s.spiralMaxRow, 2);
}

TEST(SpiralWalk, CoversEverySmallGridOnce) {
  for (int columns = 1; columns <= 60; ++columns) {
    for (int rows = 1; rows <= 60; ++rows) ASSERT_TRUE(coversOnce(columns, rows));
  }
}

TEST(SpiralWalk, CoversLargeGridsOnce) {
  for (auto [columns, rows] : std::vector<Cell>{
           {1600, 1600}, {1600, 1}, {1, 1600}, {1599, 1600}, {1600, 1599}, {1600, 777}, {777, 1600}}) {
    EXPECT_TRUE(coversOnce(columns, rows));
  }
  std::mt19937 random(20240611);
  for (int k = 0; k < 6; ++k) {
    const int columns = 1 + static_cast<int>(random() % 1600);
    const int rows = 1 + static_cast<int>(random() % 1600);
    EXPECT_TRUE(coversOnce(columns, rows));
  }
}

}  // namespace
}  // namespace quill
