#include "render/RenderCount.h"

#include <algorithm>
#include <cmath>

#include "render/Renderer.h"

namespace quill {

namespace {

int64_t leavesPerCell(const KeyFrame& f) {
  const int levels = std::clamp<int>(f.levels, 0, kDeepestLevel);
  // A damaged child order draws nothing below the top cell.
  if (levels > 0 && (f.order < 0 || f.order > 3)) return 0;
  return int64_t{1} << (2 * levels);
}

// Numbers started by `digits` list-mode calls counting from v >= 1: each
// number hands out its digits one call at a time.
int64_t numbersForDigits(int64_t v, int64_t digits, int64_t base) {
  int64_t started = 0;
  while (digits > 0) {
    int64_t length = 0, bandEnd = 0;  // v's digit count, and the last number with as many
    for (int64_t rest = v; rest > 0; rest /= base) ++length;
    for (int64_t k = 0; k < length && bandEnd <= (INT64_MAX - base + 1) / base; ++k) bandEnd = bandEnd * base + base - 1;
    const int64_t needed = (digits + length - 1) / length;
    if (bandEnd < v || needed <= bandEnd - v + 1) return started + needed;
    started += bandEnd - v + 1;
    digits -= (bandEnd - v + 1) * length;
    v = bandEnd + 1;
  }
  return started;
}

}  // namespace

int64_t leafCount(const PatternState& state) {
  const KeyFrame& f = state.curFrame;
  int64_t cells = 0;
  if (state.triangleMode) {
    const auto [n, layers] = polygonExtent(f);
    cells = layers >= 1 ? int64_t{n} * layers * layers : 0;
  } else {
    cells = int64_t{std::max<int16_t>(f.rowCount, 0)} * std::max<int16_t>(f.columnCount, 0);
  }
  return cells * leavesPerCell(f);
}

int64_t counterAfterRender(const PatternState& state) {
  const KeyFrame& f = state.curFrame;
  const int64_t leaves = leafCount(state);
  const int64_t period = int64_t{1} << std::clamp<int>(f.fractions, 0, 62);
  int64_t calls = leaves == 0 ? 0 : (leaves - 1) / period + 1;
  int64_t v = f.startValue;
  // A blend rule the program does not know gives black and counts nothing.
  if (calls == 0 || (f.blendOn != 0 && (f.blendVariant < 0 || f.blendVariant > 2))) return v;
  if (v <= 0) {  // zero is one number of one digit
    v = 1;
    --calls;
  }
  if (f.blendOn != 0) return v + calls;
  return v + numbersForDigits(v, calls, std::max<int64_t>(f.numberBase, 2));
}

}  // namespace quill
