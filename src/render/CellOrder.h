#pragma once

namespace quill {

// The four children as indices into (middle, corner A, corner B, corner C) for
// triangles, and as (column, row) offsets in half sides for squares, by the
// frame's child order.
inline constexpr int kTriangleOrder[4][4] = {{0, 1, 2, 3}, {1, 2, 0, 3}, {1, 0, 2, 3}, {3, 1, 2, 0}};
// The children (middle, corner A, B, C) as indices into a divided triangle's
// corners 1, 2, 3 and midpoints 12, 23, 13.
inline constexpr int kTriangleChildPoints[4][3] = {{4, 3, 5}, {0, 5, 3}, {3, 1, 4}, {5, 4, 2}};
inline constexpr int kSquareOrder[4][4][2] = {
    {{0, 0}, {1, 0}, {1, 1}, {0, 1}},  // spiral out
    {{0, 0}, {1, 0}, {0, 1}, {1, 1}},  // book
    {{0, 0}, {1, 1}, {1, 0}, {0, 1}},  // cross
    {{0, 0}, {1, 1}, {0, 1}, {1, 0}},  // spiral in
};

}  // namespace quill
