// From a change of a setting to the finished picture in the preview, with
// "live" ticked, for the start-up hexagon divided 6 times (393,216 cells) in
// the preview's own 800 x 640 surface; beside it, the same change followed by
// a press of "preview", which captures a key frame and draws the same picture.
#include <benchmark/benchmark.h>

#include "WidgetBenchMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QScrollBar>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/QuillavenApp.h"
#include "editor/DivisionDialog.h"
#include "mainwindow/MainWindow.h"
#include "preview/PreviewWindow.h"
#include "support/ScriptedServices.h"

namespace quill {
namespace {

struct HexagonAtLevels {
  explicit HexagonAtLevels(int levels, bool live) : app(std::make_unique<ScriptedServices>()) {
    app.start();
    app.divisionDialog().findChild<QScrollBar*>("hscLevels")->setValue(levels);
    form().findChild<QCheckBox*>("chkLive")->setChecked(live);
    base = form().findChild<QScrollBar*>("HScroll3");
    app.showPreview();
    settle();
  }
  MainWindow& form() { return app.mainWindow(); }
  void settle() {
    do QCoreApplication::processEvents();
    while (form().liveRedrawPending());
  }
  // A different base each time, so every picture is new.
  void change() { base->setValue(base->value() == 10 ? 11 : 10); }

  QuillavenApp app;
  QScrollBar* base = nullptr;
};

void BM_LiveChangeToPicture(benchmark::State& st) {
  HexagonAtLevels hexagon(static_cast<int>(st.range(0)), true);
  for (auto _ : st) {
    hexagon.change();
    hexagon.settle();
  }
  benchmark::DoNotOptimize(hexagon.app.preview().picture().constBits());
  st.counters["cells"] = static_cast<double>(int64_t{96} << (2 * st.range(0)));
}

void BM_ChangeThenPreviewReference(benchmark::State& st) {
  HexagonAtLevels hexagon(static_cast<int>(st.range(0)), false);
  for (auto _ : st) {
    hexagon.change();
    hexagon.form().previewAndCapture();
    hexagon.settle();
  }
  benchmark::DoNotOptimize(hexagon.app.preview().picture().constBits());
}

BENCHMARK(BM_LiveChangeToPicture)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ChangeThenPreviewReference)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quill

int main(int argc, char** argv) {
  return runWidgetBenchmarks(argc, argv, "live preview, change to finished picture; target: under 50 ms at 6 levels");
}
