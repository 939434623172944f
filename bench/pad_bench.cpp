// One redraw of the pad (frame and mesh) for the largest shape the pad takes,
// 23 vertices and 99 layers, beside the same lines drawn one QPainter call at
// a time. The drag redraws the frame alone; mouse-up adds the mesh.
#include <benchmark/benchmark.h>

#include "WidgetBenchMain.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "editor/PadEditor.h"
#include "engine/CellGeometry.h"
#include "support/ScriptedServices.h"

namespace quill {
namespace {

struct LargestPad {
  LargestPad() : editor(state, services) {
    state.vertexCount = 23;
    state.layerCount = 99;
    placeRegularVertices(state, 23);
    computeLayerTables(state);
  }
  PatternState state;
  ScriptedServices services;
  PadEditor editor;
};

void BM_PadFrameAndMesh(benchmark::State& st) {
  LargestPad pad;
  for (auto _ : st) {
    pad.editor.drawframe();
    pad.editor.drawMesh();
    benchmark::DoNotOptimize(pad.editor.image().constBits());
  }
  st.counters["lines"] = static_cast<double>(pad.editor.scene().size());
}

void BM_PadFrameOnly(benchmark::State& st) {
  LargestPad pad;
  for (auto _ : st) pad.editor.drawframe();
}

// The same scene, one drawLine per line.
void BM_PadLineByLineBaseline(benchmark::State& st) {
  LargestPad pad;
  pad.editor.drawframe();
  pad.editor.drawMesh();
  const PadScene scene = pad.editor.scene();
  QImage image(PadEditor::kPadPixelsWide, PadEditor::kPadPixelsHigh, QImage::Format_RGB32);
  for (auto _ : st) {
    image.fill(Qt::white);
    QPainter painter(&image);
    for (const PadShape& s : scene) {
      painter.setPen(QColor(s.color & 255, (s.color >> 8) & 255, s.color >> 16));
      const QPointF a(s.a.x + 312.5, 250 - s.a.y);
      if (s.kind == PadShape::Line) {
        painter.drawLine(a, QPointF(s.b.x + 312.5, 250 - s.b.y));
      } else {
        painter.drawEllipse(a, s.radius, s.radius);
      }
    }
  }
}

BENCHMARK(BM_PadFrameAndMesh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PadFrameOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PadLineByLineBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quill

int main(int argc, char** argv) {
  return runWidgetBenchmarks(argc, argv, "pad redraw; target: frame and mesh under 5 ms");
}
