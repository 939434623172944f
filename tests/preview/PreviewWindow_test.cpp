#include "preview/PreviewWindow.h"

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "engine/FrameCapture.h"
#include "gfx/QtColor.h"
#include "preview/PictureBox.h"
#include "support/ScriptedServices.h"

namespace quill {
namespace {

TEST(FitSurface, PolygonsAndGridsInTallAndWideAreas) {
  const struct {
    int w, h;
    bool polygon;
    double left, top, width, height;
    double unit;  // previewScale for polygons, cellSize for grids (12 columns, 10 rows)
  } cases[] = {
      {200, 300, true, 0, 73, 200, 160, 0.32},      // tall: takes the width
      {700, 400, true, 100, 3, 500, 400, 0.8},      // wide: takes the height
      {3000, 1400, true, 625, 3, 1750, 1400, 2.8},  // H x 25 past 16 bits
      {600, 400, false, 50.4, 0, 499.2, 416, 40},   // limited by the height
      {600, 800, false, 0, 150, 600, 516, 50},      // limited by the width
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << (c.polygon ? " polygon" : " grid"));
    const SurfaceFit fit = fitSurface(c.w, c.h, c.polygon, 10, 12);
    for (auto [got, want] : {std::pair{fit.left, c.left}, {fit.top, c.top}, {fit.width, c.width},
                             {fit.height, c.height}, {c.polygon ? fit.previewScale : fit.cellSize, c.unit}})
      EXPECT_FLOAT_EQ(got, want);
  }
  // Areas and counts under one count as one, so the picture stays drawable.
  EXPECT_EQ(fitSurface(-3, 0, false, 0, -4), (SurfaceFit{0, 0, 1, 17, 0, 1}));
  EXPECT_EQ(previewCaption(37.5), "KVT preview    38%");  // 12.5 gives 12: half to even
}

class PreviewWindowTest : public ::testing::Test {
 protected:
  PreviewWindowTest() {
    loadStartupDefaults(state);
    window = std::make_unique<PreviewWindow>(state, services);
  }
  // Sizes the window so that the fit sees an available area of w x h, and activates it.
  void activate(int w, int h) {
    window->resize(w + 8, h + 36);
    window->activate();
  }
  void useGrid(int rows, int columns, int16_t levels = 0) {
    state.triangleMode = false;
    state.curFrame.rowCount = static_cast<int16_t>(rows);
    state.curFrame.columnCount = static_cast<int16_t>(columns);
    state.curFrame.levels = levels;
  }
  void press(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    for (int i = 0; i < times; ++i) QTest::keyClick(window.get(), key, modifiers);
  }
  std::string caption() const { return window->windowTitle().toStdString(); }
  QRect box() const { return window->pictureBox()->geometry(); }
  QRgb pixel(int x, int y) { return window->picture().pixel(x, y); }

  PatternState state;
  ScriptedServices services;
  std::unique_ptr<PreviewWindow> window;
  const QRgb background = toQRgb(rgb(64, 64, 64));
};

// The arrow keys zoom about the window's centre, from 48 pixels up to 8000,
// beeping beyond, and Down fits again; Ctrl keys go to the main window. How the window fits itself
// on show and resize is left to the acceptance checks of the real window.
TEST_F(PreviewWindowTest, ZoomDoublesAndHalvesAboutTheCentreWithinItsLimitsAndCtrlKeysGoOn) {
  activate(200, 300);
  EXPECT_EQ(box(), QRect(0, 73, 200, 160));
  press(Qt::Key_Right);
  EXPECT_EQ(box(), QRect(-104, -22, 400, 320));
  EXPECT_EQ(std::pair(window->picture().size(), state.previewScale), std::pair(QSize(400, 320), 0.64f));
  press(Qt::Key_Left, 5);
  EXPECT_EQ(std::pair(box().width(), services.beeps), std::pair(25, 1));

  press(Qt::Key_Down);  // fits the window again
  // Ctrl with a key, and no other modifier, goes to the main window; what its
  // handler changes (here a grid of one row) is drawn afterwards.
  std::vector<std::pair<int, int>> passed;
  window->mainKeyDown = [&](int key, int shift) {
    passed.emplace_back(key, shift);
    useGrid(1, 100);
  };
  press(Qt::Key_Z, 1, Qt::ControlModifier | Qt::ShiftModifier);
  press(Qt::Key_A, 1, Qt::ControlModifier);
  press(Qt::Key_Z, 1, Qt::ControlModifier);
  EXPECT_EQ(passed, (std::vector<std::pair<int, int>>{{90, 2}}));
  EXPECT_DOUBLE_EQ(window->lastFit().cellSize, fitSurface(200, 300, false, 1, 100).cellSize);
  activate(1000, 100);
  press(Qt::Key_Right, 4);
  EXPECT_EQ(box().width(), 8000);
  EXPECT_EQ(services.beeps, 2);
}

TEST_F(PreviewWindowTest, EscDuringALongRenderKeepsThePartialPicture) {
  useGrid(10, 12, 5);  // 1024 leaves per 40-pixel cell
  window->setRenderYield(1024, 0);
  std::string seenCaption;
  services.onProcessEvents = [&] {
    seenCaption = caption();
    EXPECT_TRUE(window->rendering());
    // Anything that would start another render is turned away meanwhile.
    window->activate();
    window->keyDown(39, 0);
    press(Qt::Key_Escape);
    EXPECT_TRUE(state.stopRequested);
  };
  activate(600, 400);
  EXPECT_EQ(services.processEventsCalls, 1);
  EXPECT_EQ(seenCaption, "KVT preview    rendering... (Esc stops)");
  EXPECT_EQ(services.beeps, 1);
  EXPECT_EQ(caption(), "KVT preview    100%");
  EXPECT_EQ(window->renderState().cellIndex, 1024);
  // The first cell is drawn, the last one never was.
  bool firstCellDrawn = false;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) firstCellDrawn |= pixel(x, y) != background;
  EXPECT_TRUE(firstCellDrawn);
  for (int y = 361; y < 399; ++y)
    for (int x = 441; x < 479; ++x) ASSERT_EQ(pixel(x, y), background) << x << "," << y;

  // An Esc left over does not cancel the next render.
  services.onProcessEvents = nullptr;
  useGrid(10, 12, 1);
  window->setRenderYield(1, 0);
  state.stopRequested = true;
  window->activate();
  EXPECT_EQ(window->renderState().cellIndex, 480);
  EXPECT_FALSE(state.stopRequested);
}

}  // namespace
}  // namespace quill
