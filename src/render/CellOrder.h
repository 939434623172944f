#pragma once

namespace quill {

// The four children as indices into (middle, corner A, corner B, corner C) for
// triangles, and as (column, row) offsets in half sides for squares, by the
// frame's child order.
inline constexpr int kTriangleOrder[4][4] = {{0, 1, 2, 3}, {1, 2, 0, 3}, {1, 0, 2, 3}, {3, 1, 2, 0}};
inline constexpr int kSquareOrder[4][4][2] = {
    {{0, 0}, {1, 0}, {1, 1}, {0, 1}},  // spiral out
    {{0, 0}, {1, 0}, {0, 1}, {1, 1}},  // book
    {{0, 0}, {1, 1}, {1, 0}, {0, 1}},  // cross
    {{0, 0}, {1, 1}, {0, 1}, {1, 0}},  // spiral in
};

}  // namespace quill
