// The scanline surface against the QPainter surface on whole pictures: the
// start-up hexagon at every division depth and the start-up grid.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "engine/FrameCapture.h"
#include "render/Renderer.h"
#include "gfx/RasterSurface.h"

namespace quill {
namespace {

constexpr int kWidth = 2000;
constexpr int kHeight = 1600;

struct Scene {
  std::unique_ptr<PatternState> state = std::make_unique<PatternState>();
  RenderState renderState;
};

std::unique_ptr<Scene> startup(bool grid, int levels) {
  auto scene = std::make_unique<Scene>();
  PatternState& s = *scene->state;
  loadStartupDefaults(s);
  s.curFrame.levels = static_cast<int16_t>(levels);
  s.previewScale = static_cast<float>(kWidth / 625.0);
  scene->renderState.cellSize = static_cast<double>(kHeight) / s.curFrame.rowCount;
  if (grid) {
    s.triangleMode = false;
    s.curFrame.triangleMode = kFalse16;
  }
  translate(s);
  return scene;
}

QImage picture(bool grid, int levels, PolygonFill fill, bool threaded) {
  RasterSurface surface(kWidth, kHeight, fill);
  surface.setThreaded(threaded);
  auto scene = startup(grid, levels);
  surface.clear(kWhite);
  Renderer(*scene->state, scene->renderState, surface).draw();
  return surface.image();
}

// Share of pixels that differ between two pictures.
double differingShare(const QImage& a, const QImage& b) {
  int64_t differing = 0;
  for (int y = 0; y < kHeight; ++y) {
    const auto* ra = reinterpret_cast<const uint32_t*>(a.constScanLine(y));
    const auto* rb = reinterpret_cast<const uint32_t*>(b.constScanLine(y));
    for (int x = 0; x < kWidth; ++x) differing += ra[x] != rb[x];
  }
  return static_cast<double>(differing) / (double{kWidth} * kHeight);
}

// The drawing thread changes nothing: its pictures are the single thread's.
TEST(RasterScenes, ScanlineSurfaceDiffersFromThePainterOnAtMostOnePercentOfPixels) {
  struct Case {
    bool grid;
    int maxLevel;
  };
  for (const Case c : {Case{false, 7}, Case{true, 3}}) {
    for (int level = 0; level <= c.maxLevel; ++level) {
      const QImage fast = picture(c.grid, level, PolygonFill::Scanline, true);
      EXPECT_EQ(fast, picture(c.grid, level, PolygonFill::Scanline, false)) << level;
      const double share =
          differingShare(fast, picture(c.grid, level, PolygonFill::Painter, false));
      std::printf("%s level %d: %.4f%% of pixels differ\n", c.grid ? "grid 12 x 10" : "hexagon",
                  level, 100 * share);
      EXPECT_LE(share, 0.01) << (c.grid ? "grid" : "hexagon") << " level " << level;
    }
  }
}

}  // namespace
}  // namespace quill
