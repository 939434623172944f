// Leaves per second of the render paths. Each scanline row has its QPainter
// reference row (the same render on a PolygonFill::Painter surface) in the same
// run; the table at the end prints reference time / path time (the speed-up).
// Scanline rows draw on a second thread where the machine has one; OneThread
// rows are the same render drawn on the caller's thread alone.
// Plain per-leaf QPainter loops of the same polygons are kept as Baseline rows.
// PixelBound rows leave out the leaves that cannot show, as every raster render
// does; their EveryLeaf reference draws every leaf of the same record.
#include <benchmark/benchmark.h>

#include "BuildType.h"

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

#include "engine/CellGeometry.h"
#include "engine/FrameCapture.h"
#include "render/Renderer.h"
#include "media/MetafileRecorder.h"
#include "gfx/NullSurface.h"
#include "gfx/RasterSurface.h"
#include "support/RecordingSurface.h"

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

// The largest record the windows allow: 23 vertices and 99 layers, fitted
// to a 2000-pixel surface.
std::unique_ptr<Scene> record23x99(int levels) {
  auto scene = hexagon(levels);
  PatternState& s = *scene->state;
  placeRegularVertices(s, 23);
  s.curFrame.vertexPoints = s.vertexPoints;
  s.curFrame.vertexCount = 23;
  s.curFrame.layerCount = 99;
  translate(s);
  return scene;
}

// A square grid of `cells` a side at a division depth on a `side`-pixel surface.
std::unique_ptr<Scene> grid(int cells, int side, int levels) {
  auto scene = std::make_unique<Scene>();
  loadStartupDefaults(*scene->state);
  PatternState& s = *scene->state;
  s.triangleMode = false;
  s.columnCount = static_cast<int16_t>(cells);
  s.rowCount = cells;
  s.curFrame.triangleMode = kFalse16;
  s.curFrame.columnCount = static_cast<int16_t>(cells);
  s.curFrame.rowCount = static_cast<int16_t>(cells);
  s.curFrame.levels = static_cast<int16_t>(levels);
  scene->width = scene->height = side;
  scene->renderState.cellSize = static_cast<double>(side) / cells;
  return scene;
}
std::unique_ptr<Scene> bigGrid() { return grid(1600, 2000, 0); }

// The start-up 12 x 10 grid divided seven times on the 2000 x 1600 surface.
std::unique_ptr<Scene> startupGrid7() {
  auto scene = std::make_unique<Scene>();
  loadStartupDefaults(*scene->state);
  PatternState& s = *scene->state;
  s.triangleMode = false;
  s.curFrame.triangleMode = kFalse16;
  s.curFrame.levels = 7;
  scene->renderState.cellSize = static_cast<double>(kHeight) / s.curFrame.rowCount;
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

void runRaster(benchmark::State& st, Scene& scene, PolygonFill fill = PolygonFill::Scanline,
               bool threaded = true, bool everyLeaf = false) {
  RasterSurface surface(scene.width, scene.height, fill);
  surface.setThreaded(threaded && fill == PolygonFill::Scanline);
  int64_t leaves = 0;
  for (auto _ : st) {
    surface.clear(kWhite);
    Renderer renderer(*scene.state, scene.renderState, surface);
    renderer.setDrawEveryLeaf(everyLeaf);
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

void BM_HexagonScanline(benchmark::State& st) {
  auto scene = hexagon(static_cast<int>(st.range(0)));
  runRaster(st, *scene);
}
void BM_HexagonOneThread(benchmark::State& st) {
  auto scene = hexagon(static_cast<int>(st.range(0)));
  runRaster(st, *scene, PolygonFill::Scanline, false);
}
// The render core alone: the leaves worked out and handed to a surface that drops them.
void BM_HexagonCoreOnly(benchmark::State& st) {
  auto scene = hexagon(static_cast<int>(st.range(0)));
  NullSurface surface(kWidth, kHeight);
  for (auto _ : st) Renderer(*scene->state, scene->renderState, surface).draw();
  reportLeaves(st, scene->renderState.cellIndex);
}
void BM_HexagonPainter(benchmark::State& st) {
  auto scene = hexagon(static_cast<int>(st.range(0)));
  runRaster(st, *scene, PolygonFill::Painter);
}
void BM_HexagonBaseline(benchmark::State& st) {
  auto scene = hexagon(static_cast<int>(st.range(0)));
  runBaseline(st, *scene);
}
void BM_HexagonEveryLeaf(benchmark::State& st) {
  auto scene = hexagon(static_cast<int>(st.range(0)));
  runRaster(st, *scene, PolygonFill::Scanline, true, true);
}
void BM_Record23x99PixelBound(benchmark::State& st) {
  auto scene = record23x99(static_cast<int>(st.range(0)));
  runRaster(st, *scene);
}
void BM_Record23x99EveryLeaf(benchmark::State& st) {
  auto scene = record23x99(static_cast<int>(st.range(0)));
  runRaster(st, *scene, PolygonFill::Scanline, true, true);
}
void BM_Grid1600Scanline(benchmark::State& st) {
  auto scene = bigGrid();
  runRaster(st, *scene);
}
void BM_Grid1600OneThread(benchmark::State& st) {
  auto scene = bigGrid();
  runRaster(st, *scene, PolygonFill::Scanline, false);
}
void BM_Grid1600Painter(benchmark::State& st) {
  auto scene = bigGrid();
  runRaster(st, *scene, PolygonFill::Painter);
}
void BM_Grid12x10L7Scanline(benchmark::State& st) {
  auto scene = startupGrid7();
  runRaster(st, *scene);
}
void BM_Grid12x10L7OneThread(benchmark::State& st) {
  auto scene = startupGrid7();
  runRaster(st, *scene, PolygonFill::Scanline, false);
}
void BM_Grid12x10L7Painter(benchmark::State& st) {
  auto scene = startupGrid7();
  runRaster(st, *scene, PolygonFill::Painter);
}

// The metafile recorder alone (the raster side drawn on a null surface).
void BM_HexagonEmf(benchmark::State& st) {
  auto scene = hexagon(static_cast<int>(st.range(0)));
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

// Writing a finished 2000 x 1600 picture (the hexagon at level 5) on its own.
void runWrite(benchmark::State& st, bool png) {
  auto scene = hexagon(5);
  RasterSurface surface(kWidth, kHeight);
  surface.clear(kWhite);
  Renderer(*scene->state, scene->renderState, surface).draw();
  const std::string path =
      (std::filesystem::temp_directory_path() / (png ? "quillaven-bench.png" : "quillaven-bench.bmp"))
          .string();
  for (auto _ : st) benchmark::DoNotOptimize(png ? surface.savePng(path) : surface.saveBmp(path));
  std::filesystem::remove(path);
}
void BM_WriteBmp(benchmark::State& st) { runWrite(st, false); }
void BM_WritePng(benchmark::State& st) { runWrite(st, true); }

// Wall-clock time throughout: the scanline rows draw on a second thread.
BENCHMARK(BM_HexagonScanline)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HexagonOneThread)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HexagonCoreOnly)->Arg(7)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HexagonPainter)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HexagonBaseline)->Arg(7)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HexagonEveryLeaf)->Arg(7)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Record23x99PixelBound)->Arg(5)->Arg(7)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Record23x99EveryLeaf)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_Grid1600Scanline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Grid1600OneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Grid1600Painter)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Grid12x10L7Scanline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Grid12x10L7OneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Grid12x10L7Painter)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HexagonEmf)->Arg(5)->Arg(7)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_WriteBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePng)->Unit(benchmark::kMillisecond);

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
    std::printf("\nspeed-up against the reference in this run (reference time / path time):\n");
    for (const auto& [name, time] : times_) {
      for (const std::string& base : referencesOf(name)) {
        if (!times_.count(base)) continue;
        std::printf("  %-34s %-34s %8.2f\n", name.c_str(), base.c_str(), times_[base] / time);
      }
    }
  }

 private:
  // Scanline rows (both threads or one) pair with their Painter row; metafile
  // rows with the QPainter raster render of the same hexagon. Raster rows that
  // leave out hidden leaves pair with drawing every leaf of the same record,
  // and the deepest record with every leaf of the 5-level one, which it must beat.
  static std::vector<std::string> referencesOf(std::string name) {
    std::vector<std::string> refs;
    for (const std::string path : {"Scanline", "OneThread", "Emf", "Baseline"}) {
      const auto at = name.find(path);
      if (at != std::string::npos) {
        refs.push_back(std::string(name).replace(at, path.size(), "Painter"));
        break;
      }
    }
    for (const std::string path : {"HexagonScanline", "PixelBound"}) {
      const auto at = name.find(path);
      if (at == std::string::npos) continue;
      const std::string every = path == "PixelBound" ? "EveryLeaf" : "HexagonEveryLeaf";
      refs.push_back(std::string(name).replace(at, path.size(), every));
      if (path == "PixelBound") refs.push_back(name.substr(0, at) + "EveryLeaf/5/real_time");
    }
    return refs;
  }

  std::map<std::string, double> times_;
};

}  // namespace
}  // namespace quill

int main(int argc, char** argv) {
  printBuildType();
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  quill::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
