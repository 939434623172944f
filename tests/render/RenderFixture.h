#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/PatternState.h"
#include "render/RenderState.h"
#include "render/Renderer.h"
#include "support/RecordingSurface.h"

namespace quill::test {

using Points = std::vector<IntPoint>;

// Palette entry i: red 16 i, green 100, blue 255 - 16 i, so every digit differs.
constexpr Color pal(int i) { return rgb(16 * i, 100, 255 - 16 * i); }

inline Points square(int x, int y, int side) {
  return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
}

// A small, fully specified state: list mode, base 10, start 1, no division,
// every leaf drawn, lines and fills on, scale 1, 10-pixel grid cells.
class RenderFixture : public ::testing::Test {
 protected:
  RenderFixture() {
    for (int i = 0; i < 16; ++i) frame().palette[i] = pal(i);
    frame().numberBase = 10;
    frame().startValue = 1;
    frame().drawLines = frame().drawFills = 1;
    frame().backColor = rgb(64, 64, 64);
    frame().tailLaunch = frame().tailLength = 1;
    state->previewScale = 1.0f;
    rs.cellSize = 10;
  }

  KeyFrame& frame() { return state->curFrame; }

  void setGrid(int cols, int rows) {
    state->triangleMode = false;
    frame().columnCount = state->columnCount = static_cast<int16_t>(cols);
    frame().rowCount = static_cast<int16_t>(rows);
    state->rowCount = rows;
  }

  // Places vertices 1..n of curFrame as given and cuts the layers.
  void setPolygon(const std::vector<Point>& vertices, int layers) {
    state->triangleMode = true;
    frame().vertexCount = static_cast<int16_t>(vertices.size());
    frame().layerCount = static_cast<int16_t>(layers);
    for (size_t i = 0; i < vertices.size(); ++i) frame().vertexPoints[i + 1] = vertices[i];
    translate(*state);
  }

  std::vector<RecordingSurface::Call> polygons() const { return surface.polygons(); }
  std::vector<Points> shapes() const {
    std::vector<Points> out;
    for (const auto& c : surface.polygons()) out.push_back(c.points);
    return out;
  }

  std::unique_ptr<PatternState> state = std::make_unique<PatternState>();
  RenderState rs;
  RecordingSurface surface{1000, 1000};
  Renderer renderer{*state, rs, surface};
};

}  // namespace quill::test
