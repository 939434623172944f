#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/PatternState.h"
#include "render/RenderState.h"
#include "render/Renderer.h"
#include "ui/RecordingSurface.h"

namespace quill::test {

// Palette entry i: red 16 i, green 100, blue 255 - 16 i, so every digit differs.
constexpr Color pal(int i) { return rgb(16 * i, 100, 255 - 16 * i); }

// A small, fully specified state: list mode, base 10, start 1, no division,
// every leaf drawn, lines and fills on, scale 1, 10-pixel grid cells.
class RenderFixture : public ::testing::Test {
 protected:
  RenderFixture() {
    KeyFrame& f = frame();
    for (int i = 0; i < 16; ++i) f.palette[i] = pal(i);
    f.numberBase = 10;
    f.startValue = 1;
    f.blendOn = kFalse16;
    f.blendWeights.fill(100);
    f.drawLines = 1;
    f.drawFills = 1;
    f.backColor = rgb(64, 64, 64);
    f.tailLaunch = 1;
    f.tailLength = 1;
    state->previewScale = 1.0f;
    rs.cellSize = 10;
  }

  KeyFrame& frame() { return state->curFrame; }

  void setGrid(int cols, int rows) {
    state->triangleMode = false;
    state->columnCount = static_cast<int16_t>(cols);
    state->rowCount = rows;
    frame().columnCount = static_cast<int16_t>(cols);
    frame().rowCount = static_cast<int16_t>(rows);
  }

  // Places vertices 1..n of curFrame as given; the centre stays at (0, 0).
  void setPolygon(const std::vector<Point>& vertices, int layers) {
    state->triangleMode = true;
    frame().vertexCount = static_cast<int16_t>(vertices.size());
    frame().layerCount = static_cast<int16_t>(layers);
    for (size_t i = 0; i < vertices.size(); ++i) frame().vertexPoints[i + 1] = vertices[i];
  }

  std::vector<RecordingSurface::Call> polygons() const { return surface.polygons(); }

  std::unique_ptr<PatternState> state = std::make_unique<PatternState>();
  RenderState rs;
  RecordingSurface surface{1000, 1000};
  Renderer renderer{*state, rs, surface};
};

// Pixel of a pattern point at scale 1.
inline IntPoint pix(double x, double y) {
  return {static_cast<int32_t>(std::floor(x + 312.5)), static_cast<int32_t>(std::floor(247 - y))};
}

inline std::vector<IntPoint> square(int x, int y, int side) {
  return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
}

}  // namespace quill::test
