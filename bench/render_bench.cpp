// Leaves per second of the render paths, each beside a baseline that draws the
// same polygons with a plain per-leaf QPainter loop. The ratio table at the end
// is path time / baseline time (below 1: faster than the plain loop).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/FrameCapture.h"
#include "render/Renderer.h"
#include "ui/MetafileRecorder.h"
#include "ui/NullSurface.h"
#include "ui/RasterSurface.h"
#include "ui/RecordingSurface.h"

namespace quill {
namespace {

constexpr int kWidth = 2000;
constexpr int kHeight = 1600;

struct Scene {
  std::unique_ptr<PatternState> state = std::make_unique<PatternState>();
  RenderState renderState;
  int width = kWidth;
  int height = kHeight;
};

// The start-up hexagon at a division depth, fitted to a 2000-pixel surface.
std::unique_ptr<Scene> hexagon(int levels) {
  auto scene = std::make_unique<Scene>();
  loadStartupDefaults(*scene->state);
  scene->state->curFrame.levels = static_cast<int16_t>(levels);
  scene->state->previewScale = static_cast<float>(kWidth / 625.0);
  translate(*scene->state);
  return scene;
}

// A 1600 x 1600 grid at level 0 on a 2000 x 2000 surface (1.25-pixel cells).
std::unique_ptr<Scene> bigGrid() {
  auto scene = std::make_unique<Scene>();
  loadStartupDefaults(*scene->state);
  PatternState& s = *scene->state;
  s.triangleMode = false;
  s.columnCount = 1600;
  s.rowCount = 1600;
  s.curFrame.triangleMode = kFalse16;
  s.curFrame.columnCount = 1600;
  s.curFrame.rowCount = 1600;
  scene->width = scene->height = 2000;
  scene->renderState.cellSize = 2000.0 / 1600;
  return scene;
}

// The polygons a render draws, for the baseline to draw again.
std::vector<RecordingSurface::Call> polygonsOf(Scene& scene) {
  RecordingSurface recording(scene.width, scene.height);
  RenderState rs = scene.renderState;
  Renderer renderer(*scene.state, rs, recording);
  renderer.draw();
  return recording.polygons();
}

QColor toQColor(Color c) { return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255); }

void reportLeaves(benchmark::State& st, int64_t leaves) {
  st.counters["leaves/s"] =
      benchmark::Counter(static_cast<double>(leaves), benchmark::Counter::kIsIterationInvariantRate);
}

void runRaster(benchmark::State& st, Scene& scene) {
  RasterSurface surface(scene.width, scene.height);
  int64_t leaves = 0;
  for (auto _ : st) {
    surface.clear(kWhite);
    Renderer renderer(*scene.state, scene.renderState, surface);
    renderer.draw();
    leaves = scene.renderState.cellIndex;
    benchmark::DoNotOptimize(surface.image().constBits());
  }
  reportLeaves(st, leaves);
}

void runBaseline(benchmark::State& st, Scene& scene) {
  const auto polygons = polygonsOf(scene);
  QImage image(scene.width, scene.height, QImage::Format_RGB32);
  for (auto _ : st) {
    image.fill(Qt::white);
    for (const auto& call : polygons) {
      QPainter painter(&image);  // the plain loop: one painter per leaf
      painter.setPen(QPen(toQColor(call.outline), 1));
      painter.setBrush(toQColor(call.fill));
      QPolygon polygon;
      for (const IntPoint& p : call.points) polygon << QPoint(p.x, p.y);
      painter.drawPolygon(polygon);
    }
    benchmark::DoNotOptimize(image.constBits());
  }
  reportLeaves(st, static_cast<int64_t>(polygons.size()));
}

void BM_HexagonRaster(benchmark::State& st) {
  auto scene = hexagon(static_cast<int>(st.range(0)));
  runRaster(st, *scene);
}
void BM_HexagonBaseline(benchmark::State& st) {
  auto scene = hexagon(static_cast<int>(st.range(0)));
  runBaseline(st, *scene);
}
void BM_Grid1600Raster(benchmark::State& st) {
  auto scene = bigGrid();
  runRaster(st, *scene);
}
void BM_Grid1600Baseline(benchmark::State& st) {
  auto scene = bigGrid();
  runBaseline(st, *scene);
}

void BM_HexagonEmfLevel5(benchmark::State& st) {
  auto scene = hexagon(5);
  const std::string path =
      (std::filesystem::temp_directory_path() / "quillaven-bench.emf").string();
  int64_t leaves = 0;
  for (auto _ : st) {
    NullSurface surface(kWidth, kHeight);
    auto recorder = createEmfRecorder(path, 0, 0, kWidth, kHeight, kWidth, kHeight);
    MetafileTarget target;
    target.recorder = recorder.get();
    target.whiteBrush = recorder->createSolidBrush(kWhite);
    target.blackPen = recorder->createPen(1, kBlack);
    scene->renderState.cellPenWidth = 1;
    Renderer renderer(*scene->state, scene->renderState, surface);
    renderer.setMetafile(&target);
    renderer.draw();
    recorder->deleteObject(target.whiteBrush);
    recorder->deleteObject(target.blackPen);
    recorder->close();
    leaves = scene->renderState.cellIndex;
  }
  std::filesystem::remove(path);
  reportLeaves(st, leaves);
}
void BM_HexagonEmfLevel5Baseline(benchmark::State& st) {
  auto scene = hexagon(5);
  runBaseline(st, *scene);
}

BENCHMARK(BM_HexagonRaster)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HexagonBaseline)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid1600Raster)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid1600Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HexagonEmfLevel5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HexagonEmfLevel5Baseline)->Unit(benchmark::kMillisecond);

// Console output plus a table of each path's time against its baseline.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\npath / baseline time:\n");
    for (const auto& [name, time] : times_) {
      std::string base = name;
      for (const char* path : {"Raster", "EmfLevel5"}) {
        const auto at = base.find(path);
        if (at != std::string::npos) {
          base.replace(at, std::string(path).size(),
                       std::string(path) == "Raster" ? "Baseline" : "EmfLevel5Baseline");
          break;
        }
      }
      if (base == name || !times_.count(base)) continue;
      std::printf("  %-28s %6.2f\n", name.c_str(), time / times_[base]);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace
}  // namespace quill

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  quill::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
