#include "render/PreviewWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>

#include "engine/FrameCapture.h"
#include "render/PictureBox.h"
#include "ui/QtColor.h"
#include "ui/ScriptedServices.h"

namespace quill {
namespace {

// --- The fit as plain arithmetic ---------------------------------------------------

TEST(FitSurface, PolygonInTallAreaTakesTheWidth) {
  const SurfaceFit fit = fitSurface(200, 300, true, 10, 12);
  EXPECT_DOUBLE_EQ(fit.width, 200);
  EXPECT_DOUBLE_EQ(fit.height, 160);
  EXPECT_DOUBLE_EQ(fit.left, 0);
  EXPECT_DOUBLE_EQ(fit.top, 73);
  EXPECT_EQ(fit.previewScale, 0.32f);
}

TEST(FitSurface, PolygonInWideAreaTakesTheHeight) {
  SurfaceFit fit = fitSurface(700, 400, true, 10, 12);
  EXPECT_DOUBLE_EQ(fit.width, 500);
  EXPECT_DOUBLE_EQ(fit.height, 400);
  EXPECT_DOUBLE_EQ(fit.left, 100);
  EXPECT_DOUBLE_EQ(fit.top, 3);
  EXPECT_EQ(fit.previewScale, 0.8f);

  // Slightly wider than high: the surface overhangs both sides.
  fit = fitSurface(450, 400, true, 10, 12);
  EXPECT_DOUBLE_EQ(fit.width, 500);
  EXPECT_DOUBLE_EQ(fit.left, -25);

  // Heights past 1310 pixels would overflow 16 bits in H x 25.
  fit = fitSurface(3000, 1400, true, 10, 12);
  EXPECT_DOUBLE_EQ(fit.width, 1750);
  EXPECT_EQ(fit.previewScale, 2.8f);
}

TEST(FitSurface, GridLimitedByHeightOrByWidth) {
  SurfaceFit fit = fitSurface(600, 400, false, 10, 12);
  EXPECT_DOUBLE_EQ(fit.height, 416);
  EXPECT_DOUBLE_EQ(fit.width, 499.2);
  EXPECT_DOUBLE_EQ(fit.cellSize, 40);
  EXPECT_DOUBLE_EQ(fit.left, 50.4);
  EXPECT_DOUBLE_EQ(fit.top, 0);

  fit = fitSurface(600, 800, false, 10, 12);
  EXPECT_DOUBLE_EQ(fit.width, 600);
  EXPECT_DOUBLE_EQ(fit.height, 516);
  EXPECT_DOUBLE_EQ(fit.cellSize, 50);
  EXPECT_DOUBLE_EQ(fit.left, 0);
  EXPECT_DOUBLE_EQ(fit.top, 150);
}

TEST(FitSurface, DegenerateAreasAndCountsStayDrawable) {
  const SurfaceFit fit = fitSurface(-3, 0, false, 0, 0);
  EXPECT_GT(fit.width, 0);
  EXPECT_GT(fit.height, 0);
  EXPECT_GT(fit.cellSize, 0);
}

TEST(PreviewCaption, WholePercentRoundedHalfToEven) {
  EXPECT_EQ(previewCaption(100), "KVT preview    100%");
  EXPECT_EQ(previewCaption(12.5), "KVT preview    12%");
  EXPECT_EQ(previewCaption(37.5), "KVT preview    38%");
}

// --- The window ------------------------------------------------------------------------

class PreviewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadStartupDefaults(state);
    window = std::make_unique<PreviewWindow>(state, services);
  }

  // Sizes a hidden window so that the fit sees an available area of w x h.
  void setArea(int w, int h) { window->resize(w + 8, h + 36); }
  void useGrid(int rows, int columns, int16_t levels = 0) {
    state.triangleMode = false;
    state.curFrame.triangleMode = kFalse16;
    state.curFrame.rowCount = static_cast<int16_t>(rows);
    state.curFrame.columnCount = static_cast<int16_t>(columns);
    state.curFrame.levels = levels;
  }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window.get(), key, modifiers);
  }
  std::string caption() const { return window->windowTitle().toStdString(); }
  QSize surfaceSize() const { return window->picBox()->size(); }
  QRgb pixel(int x, int y) { return window->picture().pixel(x, y); }
  void mouseOnPicture(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, window->picBox()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(window->picBox(), &event);
  }

  PatternState state;
  ScriptedServices services;
  std::unique_ptr<PreviewWindow> window;
  const QRgb background = toQRgb(rgb(64, 64, 64));
};

TEST_F(PreviewWindowTest, ShowingDrawsTheStartupHexagonFittedToTheWindow) {
  window->resize(208, 336);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

  EXPECT_EQ(window->objectName(), "canvas");
  EXPECT_EQ(caption(), "KVT preview    100%");
  const QRect outer = window->frameGeometry();
  EXPECT_EQ(window->lastFit(), fitSurface(outer.width() - 8, outer.height() - 36, true, 10, 12));
  EXPECT_EQ(state.previewScale, window->lastFit().previewScale);
  EXPECT_EQ(surfaceSize().width(), static_cast<int>(window->lastFit().width));
  EXPECT_EQ(window->findChild<PictureBox*>("picBox"), window->picBox());

  // The hexagon's centre is coloured, the corners are background.
  const int cx = static_cast<int>(312.5 * state.previewScale);
  const int cy = static_cast<int>(247 * state.previewScale);
  EXPECT_NE(pixel(cx + 2, cy + 2), background);
  EXPECT_EQ(pixel(0, 0), background);
  EXPECT_GT(state.digitCounter, 0);
}

TEST_F(PreviewWindowTest, ActivationStopsEarlyForControlUpdatesAndPendingPasses) {
  setArea(200, 300);
  window->Form_activate();
  press(Qt::Key_Right);
  ASSERT_TRUE(window->view().zoomed);

  state.updatingControls = true;
  window->Form_activate();
  EXPECT_FALSE(window->view().zoomed);
  EXPECT_EQ(caption(), "KVT preview    200%");  // no refit
  state.updatingControls = false;

  // Export and sequence passes are not plain previews: no fit, no render.
  state.digitCounter = 0;
  state.bmpExportPending = true;
  window->Form_activate();
  state.bmpExportPending = false;
  state.sequenceFramePending = true;
  window->Form_activate();
  EXPECT_EQ(state.digitCounter, 0);
  EXPECT_EQ(caption(), "KVT preview    200%");

  // A plain activation restores the fit.
  state.sequenceFramePending = false;
  window->Form_activate();
  EXPECT_EQ(caption(), "KVT preview    100%");
  EXPECT_EQ(surfaceSize(), QSize(200, 160));
}

TEST_F(PreviewWindowTest, ZoomDoublesAndHalvesAboutTheWindowCentre) {
  setArea(200, 300);  // window 208 x 336
  window->Form_activate();
  EXPECT_EQ(window->picBox()->geometry(), QRect(0, 73, 200, 160));

  press(Qt::Key_Right);
  EXPECT_EQ(window->picBox()->geometry(), QRect(-104, -22, 400, 320));
  press(Qt::Key_Right);
  EXPECT_EQ(caption(), "KVT preview    400%");
  EXPECT_EQ(surfaceSize(), QSize(800, 640));
  EXPECT_EQ(window->picture().size(), QSize(800, 640));
  EXPECT_EQ(state.previewScale, 1.28f);
  EXPECT_TRUE(window->view().zoomed);

  press(Qt::Key_Left);
  EXPECT_EQ(window->picBox()->geometry(), QRect(-104, -22, 400, 320));
  EXPECT_EQ(state.previewScale, 0.64f);
  EXPECT_EQ(services.beeps, 0);
}

TEST_F(PreviewWindowTest, ZoomInStopsAtEightThousandPixels) {
  useGrid(1, 100);
  setArea(1000, 100);
  window->Form_activate();
  ASSERT_EQ(surfaceSize().width(), 1000);

  press(Qt::Key_Right);
  press(Qt::Key_Right);
  EXPECT_EQ(surfaceSize().width(), 4000);
  EXPECT_EQ(caption(), "KVT preview    400%");
  EXPECT_DOUBLE_EQ(window->renderState().cellSize, 40);
  press(Qt::Key_Right);
  EXPECT_EQ(surfaceSize().width(), 8000);

  press(Qt::Key_Right);
  EXPECT_EQ(services.beeps, 1);
  EXPECT_EQ(surfaceSize().width(), 8000);
  EXPECT_EQ(caption(), "KVT preview    800%");
  EXPECT_DOUBLE_EQ(window->renderState().cellSize, 80);
}

TEST_F(PreviewWindowTest, ZoomInStopsOnceTheHeightPassesEightThousand) {
  useGrid(40, 1);
  setArea(600, 400);
  window->Form_activate();
  ASSERT_EQ(surfaceSize(), QSize(10, 416));
  for (int i = 0; i < 5; ++i) press(Qt::Key_Right);  // 6656 is still allowed
  EXPECT_EQ(surfaceSize(), QSize(320, 13312));
  EXPECT_EQ(services.beeps, 0);
  press(Qt::Key_Right);
  EXPECT_EQ(services.beeps, 1);
  EXPECT_EQ(surfaceSize(), QSize(320, 13312));
}

TEST_F(PreviewWindowTest, ZoomOutStopsAtFortyEightPixels) {
  setArea(200, 300);
  window->Form_activate();
  for (int i = 0; i < 3; ++i) press(Qt::Key_Left);
  EXPECT_EQ(surfaceSize().width(), 25);
  EXPECT_EQ(caption(), "KVT preview    12%");
  EXPECT_EQ(services.beeps, 0);
  press(Qt::Key_Left);
  EXPECT_EQ(services.beeps, 1);
  EXPECT_EQ(surfaceSize().width(), 25);
}

TEST_F(PreviewWindowTest, ResizeKeepsTheZoomUntilDownArrowRefits) {
  window->resize(208, 336);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  press(Qt::Key_Right);
  const QSize zoomedSize = surfaceSize();

  window->resize(408, 636);
  EXPECT_EQ(caption(), "KVT preview    200%");
  EXPECT_EQ(surfaceSize(), zoomedSize);

  press(Qt::Key_Down);
  EXPECT_FALSE(window->view().zoomed);
  EXPECT_EQ(caption(), "KVT preview    100%");
  const QRect outer = window->frameGeometry();
  EXPECT_EQ(window->lastFit(), fitSurface(outer.width() - 8, outer.height() - 36, true, 10, 12));

  // Not zoomed, a resize refits by itself.
  window->resize(308, 536);
  EXPECT_EQ(surfaceSize().width(), static_cast<int>(window->lastFit().width));
  EXPECT_EQ(window->lastFit().width, window->frameGeometry().width() - 8);
}

TEST_F(PreviewWindowTest, EscAndTheMainWindowShortcuts) {
  setArea(200, 300);
  window->Form_activate();
  press(Qt::Key_Escape);
  EXPECT_TRUE(state.stopRequested);

  std::vector<std::pair<int, int>> passed;
  window->mainKeyDown = [&](int key, int shift) {
    passed.emplace_back(key, shift);
    useGrid(10, 12);  // what the handler changes is drawn afterwards
  };
  press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  press(Qt::Key_A, Qt::ControlModifier);
  press(Qt::Key_Z);
  EXPECT_TRUE(passed.empty());

  press(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(passed.size(), 1u);
  EXPECT_EQ(passed[0], std::make_pair(90, 2));
  EXPECT_DOUBLE_EQ(window->lastFit().cellSize, fitSurface(200, 300, false, 10, 12).cellSize);
}

TEST_F(PreviewWindowTest, DraggingWithTheLeftButtonPansThePicture) {
  setArea(200, 300);
  window->Form_activate();
  const QPoint start = window->picBox()->pos();

  mouseOnPicture(QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
  EXPECT_FALSE(window->view().dragging);
  mouseOnPicture(QEvent::MouseButtonRelease, {10, 10}, Qt::RightButton, Qt::NoButton);

  mouseOnPicture(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(window->view().dragging);
  mouseOnPicture(QEvent::MouseMove, {15, 30}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(window->picBox()->pos(), start + QPoint(5, 20));
  mouseOnPicture(QEvent::MouseMove, {40, 40}, Qt::NoButton, Qt::NoButton);  // button no longer held
  EXPECT_EQ(window->picBox()->pos(), start + QPoint(5, 20));

  press(Qt::Key_Down);  // no refit in the middle of a drag
  EXPECT_EQ(window->picBox()->pos(), start + QPoint(5, 20));

  mouseOnPicture(QEvent::MouseButtonRelease, {15, 30}, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(window->view().dragging);
  press(Qt::Key_Down);
  EXPECT_EQ(window->picBox()->pos(), start);
}

TEST_F(PreviewWindowTest, SwitchingBackToTheWindowRedrawsAndDropsTheZoom) {
  window->resize(208, 336);
  window->show();
  press(Qt::Key_Right);
  QEvent away(QEvent::WindowDeactivate);
  QApplication::sendEvent(window.get(), &away);
  QEvent back(QEvent::WindowActivate);
  QApplication::sendEvent(window.get(), &back);
  EXPECT_FALSE(window->view().zoomed);
  EXPECT_EQ(caption(), "KVT preview    100%");
}

TEST_F(PreviewWindowTest, ClosingClearsPreviewOpen) {
  window->resize(208, 336);
  window->show();
  state.previewOpen = true;
  window->close();
  EXPECT_FALSE(state.previewOpen);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(PreviewWindowTest, EscDuringALongRenderKeepsThePartialPicture) {
  useGrid(10, 12, 5);  // 1024 leaves per cell
  setArea(600, 400);   // 40-pixel cells
  window->setRenderYield(1024, 0);
  std::string seenCaption;
  bool sawRendering = false;
  services.onProcessEvents = [&] {
    seenCaption = caption();
    sawRendering = window->rendering();
    // Anything that would start another render is turned away meanwhile.
    window->Form_activate();
    window->Form_KeyDown(39, 0);
    state.stopRequested = true;  // the user pressed Esc
  };
  window->Form_activate();

  EXPECT_EQ(services.processEventsCalls, 1);
  EXPECT_TRUE(sawRendering);
  EXPECT_EQ(seenCaption, "KVT preview    rendering... (Esc stops)");
  EXPECT_EQ(services.beeps, 1);
  EXPECT_FALSE(window->rendering());
  EXPECT_EQ(caption(), "KVT preview    100%");
  EXPECT_EQ(window->renderState().cellIndex, 1024);

  // The first cell is drawn, the last one never was.
  bool firstCellDrawn = false;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) firstCellDrawn |= pixel(x, y) != background;
  EXPECT_TRUE(firstCellDrawn);
  for (int y = 361; y < 399; ++y)
    for (int x = 441; x < 479; ++x) ASSERT_EQ(pixel(x, y), background) << x << "," << y;
}

TEST_F(PreviewWindowTest, AnEarlierEscDoesNotCancelTheNextRender) {
  useGrid(10, 12, 1);
  setArea(600, 400);
  window->setRenderYield(1, 0);
  state.stopRequested = true;
  window->Form_activate();
  EXPECT_EQ(window->renderState().cellIndex, 480);
  EXPECT_GT(services.processEventsCalls, 0);
  EXPECT_FALSE(state.stopRequested);
}

TEST_F(PreviewWindowTest, ClickBesideThePictureTranslatesAndRefits) {
  setArea(200, 300);
  window->Form_activate();
  state.curFrame.vertexCount = 3;  // as if a new frame had arrived
  state.digitCounter = 0;
  QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(state.digitCounter, 3 * 16);  // 3 vertices, 4 layers: 48 one-digit numbers
}

}  // namespace
}  // namespace quill
