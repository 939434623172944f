#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

#include "gfx/ScanlineFill.h"

namespace quill {

namespace {

// Directions of travel along the longer axis; a reversal shows as dir ^ mask.
enum Direction { kNoDirection = 0, kDown = 1, kUp = 2, kRight = 4, kLeft = 8 };
constexpr int kVerticalMask = 3;
constexpr int kHorizontalMask = 12;
enum Caps { kCapBegin = 1, kCapEnd = 2 };

struct Pixel {
  int64_t x = INT64_MIN;
  int64_t y = INT64_MIN;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

// What one edge leaves for the next, so corners are neither doubled nor dropped.
struct Joint {
  Pixel last;
  int lastDir = kNoDirection;
  bool lastAxisAligned = false;
};

// One edge in 26.6 fixed point along its longer (major) axis; the minor
// coordinate is carried in 16.16 and advanced by `inc` per step.
struct Edge {
  bool vertical = false;
  bool swapped = false;
  int dir = kNoDirection;
  int64_t major1 = 0, major2 = 0;  // 26.6, major1 < major2
  int64_t minor1 = 0;              // 26.6, at major1
  int64_t inc = 0;                 // 16.16 minor step per pixel

  Pixel at(int64_t major, int64_t minor16) const {
    const int64_t minor = minor16 >> 16;
    return vertical ? Pixel{minor, major} : Pixel{major, minor};
  }
};

// False for an edge of no length.
bool makeEdge(const IntPoint& a, const IntPoint& b, Edge& e) {
  const int64_t dx = std::abs(int64_t{b.x} - a.x), dy = std::abs(int64_t{b.y} - a.y);
  e.vertical = dx < dy;
  if (!e.vertical && dx == 0) return false;
  int64_t m1 = 64 * int64_t{e.vertical ? a.y : a.x}, n1 = 64 * int64_t{e.vertical ? a.x : a.y};
  int64_t m2 = 64 * int64_t{e.vertical ? b.y : b.x}, n2 = 64 * int64_t{e.vertical ? b.x : b.y};
  e.swapped = m1 > m2;
  if (e.swapped) {
    std::swap(m1, m2);
    std::swap(n1, n2);
  }
  e.dir = e.vertical ? (e.swapped ? kUp : kDown) : (e.swapped ? kLeft : kRight);
  e.major1 = m1;
  e.major2 = m2;
  e.minor1 = n1;
  e.inc = (n2 - n1) * 65536 / (m2 - m1);
  return true;
}

int64_t majorOf(const Edge& e, const Pixel& p) { return e.vertical ? p.y : p.x; }

// Edges are walked only within a pixel of the picture; one that leaves it has
// no corner to join on that side, and one wholly outside is not walked at all.
struct Reach {
  bool endOutside = false;
  bool allOutside = false;
};
Reach reachOf(const PixelRows& rows, const IntPoint& a, const IntPoint& b) {
  const int64_t xmin = -1, ymin = -1, xmax = rows.width + 1, ymax = rows.height + 1;
  Reach r;
  r.endOutside = b.x < xmin || b.x > xmax || b.y < ymin || b.y > ymax;
  r.allOutside = (a.x < xmin && b.x <= xmin) || (a.x > xmax && b.x >= xmax) ||
                 (a.y < ymin && b.y <= ymin) || (a.y > ymax && b.y >= ymax);
  return r;
}

inline void setPixel(const PixelRows& rows, const Pixel& p, uint32_t value) {
  if (p.x >= 0 && p.x < rows.width && p.y >= 0 && p.y < rows.height)
    rows.bits[p.y * rows.stride + p.x] = value;
}

// The pixel the closing edge ends on, so the first edge can join it.
void primeJoint(const PixelRows& rows, const IntPoint& a, const IntPoint& b, Joint& joint) {
  joint = Joint{};
  const Reach reach = reachOf(rows, a, b);
  Edge e;
  if (reach.endOutside || reach.allOutside || !makeEdge(a, b, e)) return;
  const int64_t from = (e.major1 + 32) >> 6, to = (e.major2 + 32) >> 6;
  if (from == to) return;
  const int64_t round = e.inc > 0 ? 32 : 0;
  const int64_t m = e.minor1 * 1024 + ((from * 64 + round - e.major1) * e.inc >> 6);
  joint.last = e.swapped ? e.at(from, m) : e.at(to - 1, m + (to - from - 1) * e.inc);
  joint.lastDir = e.dir;
  joint.lastAxisAligned = std::abs(e.inc) < (1 << 14);
}

// Fits an edge's steps [from, to) and its minor coordinate m to the pixel the
// previous edge ended on, so the corner between them is neither doubled nor
// dropped; last is the edge's own last pixel, moved if the edge is shifted.
inline void joinCorner(const Edge& e, const Joint& joint, bool axisAligned, const Pixel& first, Pixel& last,
                       int64_t& from, int64_t& to, int64_t& m) {
  const int64_t offX = std::abs(joint.last.x - first.x), offY = std::abs(joint.last.y - first.y);
  if (first == joint.last) {  // already set by the previous edge
    if (e.swapped) {
      --to;
    } else {
      ++from;
      m += e.inc;
    }
  } else if (joint.lastDir != e.dir &&
             ((axisAligned && joint.lastAxisAligned && offX != 0 && offY != 0) || offX > 1 ||
              offY > 1)) {  // a gap at the corner: step once more
    if (e.swapped) {
      ++to;
    } else {
      --from;
      m -= e.inc;
    }
  } else if (joint.lastDir == e.dir && offX <= 1 && offY > 1) {
    m += e.inc >> 1;
    last = e.swapped ? e.at(majorOf(e, last), m) : e.at(to - 1, m + (to - from - 1) * e.inc);
  }
}

void strokeEdge(const PixelRows& rows, const IntPoint& a, const IntPoint& b, Joint& joint,
                uint32_t value) {
  const Reach reach = reachOf(rows, a, b);
  if (reach.endOutside || reach.allOutside) joint.last = Pixel{};
  Edge e;
  if (reach.allOutside || !makeEdge(a, b, e)) return;
  const int mask = e.vertical ? kVerticalMask : kHorizontalMask;
  int64_t begin = e.major1, end = e.major2;
  int64_t m = e.minor1 * 1024;
  // A reversal of direction caps the new edge by half a pixel at the turn.
  const int caps = (joint.lastDir ^ mask) == e.dir ? (e.swapped ? kCapEnd : kCapBegin) : 0;
  if (caps & kCapBegin) {
    begin -= 32;
    m -= e.inc >> 1;
  }
  if (caps & kCapEnd) end += 32;
  int64_t from = (begin + 32) >> 6, to = (end + 32) >> 6;
  if ((caps & kCapBegin) && majorOf(e, joint.last) == from + 1) ++from;
  if (from == to) return;

  const int64_t round = e.inc > 0 ? 32 : 0;
  m += (from * 64 + round - begin) * e.inc >> 6;
  Pixel first = e.at(from, m), last = e.at(to - 1, m + (to - from - 1) * e.inc);
  if (e.swapped) std::swap(first, last);
  const bool axisAligned = std::abs(e.inc) < (1 << 14);
  if (joint.last.x != INT64_MIN) joinCorner(e, joint, axisAligned, first, last, from, to, m);
  joint.lastDir = e.dir;
  joint.lastAxisAligned = axisAligned;
  joint.last = last;

  // Steps off the picture are skipped, so far-away points cost nothing.
  const int64_t limit = (e.vertical ? rows.height : rows.width) + 1;
  if (from < -1) {
    m += (-1 - from) * e.inc;
    from = -1;
  }
  to = std::min(to, limit);
  // At least one pixel, even when the corner rules above emptied the range.
  do {
    setPixel(rows, e.at(from, m), value);
    m += e.inc;
  } while (++from < to);
}

}  // namespace

void strokeThin(const PixelRows& rows, const IntPoint* p, int count, uint32_t value) {
  if (p == nullptr || count < 2 || count > 4 || rows.bits == nullptr) return;
  Joint joint;
  primeJoint(rows, p[count - 1], p[0], joint);
  for (int i = 0; i < count; ++i) strokeEdge(rows, p[i], p[i + 1 == count ? 0 : i + 1], joint, value);
}

}  // namespace quill
