#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "engine/DigitStream.h"
#include "engine/PatternState.h"
#include "render/RenderState.h"
#include "render/VisibleLeaves.h"
#include "media/MetafileRecorder.h"
#include "gfx/Surface.h"

namespace quill {

// The vertex and layer counts of a frame as far as the point tables can hold
// them: translate reads vertex slot n + 1 and position j + 1, so n stays within
// 0..24 and L within 0..100 whatever a loaded frame says.
struct PolygonExtent {
  int vertices = 0;
  int layers = 0;
};
PolygonExtent polygonExtent(const KeyFrame& frame);

// Fills layerPoints (with the ring closed at vertex n + 1) and cellCorners
// from curFrame's vertices, centre, vertex and layer counts.
void translate(PatternState& state);
// The corner points of every layer's edges from the closed layer rings
// (vertices 1..n + 1, layers 1..layers).
void divideLayerEdges(PatternState& state, int vertices, int layers);

// The fractional mix of a leaf k of a group of n towards the previous colour.
Color fadeColor(int64_t k, double n, Color previous, Color current);

// Whether leaf cellIndex is drawn under the gap pattern. A period below 1
// counts as 1.
bool gapOn(int64_t cellIndex, int64_t tailPhase, int32_t gapPeriod, int32_t gapLength,
           bool reverseDirection);

// The metafile side of a render: while set, every drawn leaf is also recorded.
struct MetafileTarget {
  MetafileRecorder* recorder = nullptr;
  MetafileRecorder::Handle whiteBrush = 0;
  MetafileRecorder::Handle blackPen = 0;
  // Triangles take lines/fills from the main window's check boxes at the time
  // of drawing; squares take them from curFrame.
  bool triangleLinesOn = true;
  bool triangleFillsOn = true;
};

// Division depth beyond which a cell is always a leaf. The dialog offers 0..7;
// the cap only keeps a damaged frame from recursing without end.
constexpr int16_t kDeepestLevel = 16;

// Draws curFrame on a surface: the top-level cell order (render, drawSpiralGrid,
// drawBookGrid) and the recursive painters (subdivideTriangle, subdivideSquare).
class Renderer {
 public:
  Renderer(PatternState& state, RenderState& renderState, Surface& surface);
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Recorded alongside the surface while set; nullptr to stop.
  void setMetafile(MetafileTarget* target) { metafile_ = target; }
  // The animation window's "reverse direction" box; unchecked by default.
  void setReverseDirection(bool reverse) { reverseDirection_ = reverse; }
  // The colour the grid procedures clear to; curFrame.backColor when unset.
  // Exports draw grids on white.
  void setBackground(std::optional<Color> background) { background_ = background; }
  // Asked every `leaves` leaves whether to stop; a stopped render keeps what it drew.
  void setStopCheck(std::function<bool()> check, int64_t leaves = 1 << 16);
  bool stopped() const { return stopped_; }
  // On a surface that fills by the scanline rules, leaves smaller than a pixel
  // are drawn only where no later leaf covers them, which gives the same
  // picture; set to draw every leaf all the same.
  void setDrawEveryLeaf(bool every) { drawEveryLeaf_ = every; }
  // Whether leaving out hidden leaves may take a second thread (where the
  // machine has a second core); off where other work already fills the cores.
  void setSecondThread(bool allowed) { secondThread_ = allowed; }

  // The entry point chosen by the rule: triangleMode -> drawPolygon, else
  // curFrame.spiralOrder -> drawSpiralGrid, else drawBookGrid.
  // Returns the digit counter the render leaves, where the next one goes on.
  int64_t draw();
  void drawPolygon();
  void drawSpiralGrid();
  void drawBookGrid();

  void subdivideTriangle(double x1, double y1, double x2, double y2, double x3, double y3, int16_t level);
  void subdivideSquare(double x, double y, double size, int16_t level);

 private:
  struct RenderSpan;
  void prologue(bool grid);
  Color nextColour();
  void subdivideCell(const Point& a, const Point& b, const Point& c) {
    subdivideTriangle(a.x, a.y, b.x, b.y, c.x, c.y, 0);
  }
  void triangleLeaf(double x1, double y1, double x2, double y2, double x3, double y3);
  // The four leaves of a cell one level above the leaves, from its corners and
  // midpoints converted to pixels once.
  void leafQuartet(double x1, double y1, double x2, double y2, double x3, double y3,
                   double x12, double y12, double x23, double y23, double x13, double y13);
  void triangleLeafAt(IntPoint a, IntPoint b, IntPoint c);
  IntPoint pixelOf(double x, double y) const;
  void squareLeaf(double x, double y, double size);
  // What every leaf of a render asks the same way: worked out once per render,
  // and afresh for each leaf when a painter is called on its own.
  struct LeafRule {
    int64_t period = 1;  // leaves that share one colour
    int64_t mask = -1;   // period - 1 when the period is a power of two
    bool gaps = false;   // whether any position falls in a gap
    bool reverse = false;
  };
  LeafRule leafRule() const;
  bool leafColour();  // steps 1-3 of a leaf; false when the gap skips it
  void drawLeaf(const IntPoint* points, int count, bool metaLinesOn, bool metaFillsOn);
  void recordLeaf(const IntPoint* points, int count, bool linesOn, bool fillsOn);
  bool pollStop();
  void flushLeaves();

  // Drawing only what shows (PixelBound.cpp): cells whose leaves are below a
  // pixel join a run of neighbouring cells; a run is walked backwards for the
  // leaves some pixel of which no later leaf covers, and those are drawn in order.
  struct RunCell {
    double x1, y1, x2, y2, x3, y3;  // a square keeps x, y and size in x1, y1, x2
    int16_t level;
    int64_t first;  // the cell index of its first leaf
  };
  struct ShownLeaf {
    int64_t index;
    IntPoint points[4];
    int count;
  };
  bool pixelBoundTriangle(double x1, double y1, double x2, double y2, double x3, double y3,
                          int16_t level);
  bool pixelBoundSquare(double x, double y, double size, int16_t level);
  // One run and what its backward walk found; a second thread walks runs
  // ahead of the drawing where the machine has a second core.
  struct RunWalk {
    enum class Stage { Waiting, Walking, Walked };
    Stage stage = Stage::Waiting;
    std::vector<RunCell> cells;
    PixelBox box;
    VisibleLeaves visible;
    std::vector<ShownLeaf> shown;  // last first
  };
  // What a walk reads of the pattern, taken as the render starts: the walks
  // run beside whatever the stop check lets happen.
  struct WalkRule {
    double scale = 1;
    int16_t maxLevel = 0;
    int16_t order = 0;
    bool triangles = true;
    int64_t tailPhase = 0;
    int32_t gapPeriod = 0;
    int32_t gapLength = 0;
  };
  class RunQueue;
  struct DividedTriangle;
  bool runnable(const PixelBox& box, int16_t level);
  bool drawnLeafByLeaf();
  void joinRun(const RunCell& cell, const PixelBox& box);
  void startWalks();
  IntPoint walkPixel(double x, double y) const;
  void handOverRun();
  void queueRun();
  void drawWalked(bool wait);
  void passOver(int64_t leaves);
  void flushRun();
  void walkRun(RunWalk& walk) const;
  void walkRunTriangle(RunWalk& walk, const RunCell& cell) const;
  void walkTriangle(RunWalk& walk, const DividedTriangle& cell, int16_t level, int64_t first) const;
  void walkSquare(RunWalk& walk, double x, double y, double size, int16_t level,
                  int64_t first) const;
  void considerLeaf(RunWalk& walk, int64_t index, const IntPoint* points, int count) const;
  static void addShown(RunWalk& walk, int64_t index, const IntPoint* points, int count);
  void drawShown(const std::vector<ShownLeaf>& shown);
  void drawShownLeaves(const std::vector<ShownLeaf>& shown);
  Color groupColour(int64_t group);
  void catchUpStream();
  void endPixelBound();

  static constexpr int64_t kNever = std::numeric_limits<int64_t>::max();

  PatternState& state_;
  RenderState& rs_;
  Surface& surface_;
  MetafileTarget* metafile_ = nullptr;
  bool reverseDirection_ = false;
  std::optional<Color> background_;
  // Between a render's prologue and its end the colours come from the cursor;
  // painters called on their own take them straight from the stream.
  DigitCursor digits_;
  bool inRender_ = false;
  LeafRule rule_;
  // A render's leaves go to the surface in batches; painters called on their
  // own draw each leaf at once.
  static constexpr int kBatch = 256;
  std::array<SurfacePolygon, kBatch> batch_;
  int batched_ = 0;
  std::function<bool()> stopCheck_;
  int64_t stopEvery_ = 1 << 16;
  int64_t nextStopPoll_ = kNever;  // cellIndex at which the stop check is next asked
  bool stopped_ = false;

  bool drawEveryLeaf_ = false;
  bool sparseLeaves_ = false;    // the batch holds leaves a walk left standing
  bool pixelBound_ = false;      // this render leaves out what cannot show
  int16_t checkDepth_ = kDeepestLevel;  // cells deeper than this are drawn leaf by leaf
  bool streamBehind_ = false;    // leaves passed over since the stream last moved
  Color firstColour_ = kBlack;   // the colour before the first group
  int64_t streamAt_ = -1;        // groups the cursor has handed out, when known
  struct GroupColour {
    int64_t group = -1;
    Color colour = kBlack;
  };
  std::array<GroupColour, 2> groupColours_{};
  std::vector<RunCell> run_;
  PixelBox runBox_;
  bool secondThread_ = true;
  WalkRule walkRule_;
  std::unique_ptr<RunQueue> runs_;
  std::vector<std::unique_ptr<RunWalk>> spareWalks_;
};

}  // namespace quill
