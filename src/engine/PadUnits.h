#pragma once

namespace quill {

// The pad's units, in which every pattern is held: x from -312.5 at the left
// edge across 625 units, y from 250 at the top down 500 units (the height is
// negative: y grows upward). Every picture maps these onto its pixels.
constexpr double kPadLeft = -312.5;
constexpr double kPadWidth = 625;
constexpr double kPadTop = 250;
constexpr double kPadHeight = -500;
// A picture of the pattern starts 3 units below the pad's top edge; its
// legend is measured from the pad's top.
constexpr double kPictureTop = 247;

}  // namespace quill
