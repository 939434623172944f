// The one file that sees libEMF's Windows-style declarations.
#include <array>
#include <climits>
#include <cstdio>
#include <map>
#include <vector>

#include "ui/MetafileRecorder.h"

#define NOMINMAX
#include <libEMF/emf.h>

namespace quill {
namespace {

static_assert(sizeof(LONG) == 4 && sizeof(POINT) == 8, "libEMF's 32-bit GDI types");

// Header layout of an enhanced metafile: record type, size, then the bounds
// rectangle in device pixels.
constexpr long kBoundsOffset = 8;
constexpr long kHeaderMinimum = 88;
constexpr uint32_t kHeaderRecordType = 1;
constexpr long kSignatureOffset = 40;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"

constexpr BYTE kAnsiCharset = 0;
constexpr BYTE kVariablePitchSwiss = 32;

uint32_t readLe32(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void writeLe32(unsigned char* p, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// libEMF has no real reference device, so it derives the header's bounds from
// the frame at its own 1024 x 768 screen. Readers that size the picture by
// those bounds would show only a corner of the drawing; state the reference
// surface instead, as a recording made on it would. False when the file is
// missing or not a metafile.
bool finishHeader(const std::string& path, int deviceWidth, int deviceHeight) {
  FILE* file = std::fopen(path.c_str(), "r+b");
  if (file == nullptr) return false;
  std::array<unsigned char, kHeaderMinimum> header{};
  bool ok = std::fread(header.data(), 1, header.size(), file) == header.size() &&
            readLe32(header.data()) == kHeaderRecordType &&
            readLe32(header.data() + kSignatureOffset) == kEmfSignature;
  if (ok && deviceWidth > 0 && deviceHeight > 0) {
    std::array<unsigned char, 16> bounds{};
    writeLe32(bounds.data() + 8, deviceWidth - 1);
    writeLe32(bounds.data() + 12, deviceHeight - 1);
    ok = std::fseek(file, kBoundsOffset, SEEK_SET) == 0 &&
         std::fwrite(bounds.data(), 1, bounds.size(), file) == bounds.size();
  }
  return std::fclose(file) == 0 && ok;
}

class EmfRecorder final : public MetafileRecorder {
 public:
  EmfRecorder(const std::string& path, const RECT& frame, int deviceWidth, int deviceHeight)
      : path_(path), deviceWidth_(deviceWidth), deviceHeight_(deviceHeight) {
    dc_ = CreateEnhMetaFileA(0, path.c_str(), &frame, nullptr);
  }
  ~EmfRecorder() override { close(); }

  bool valid() const override { return dc_ != 0; }

  Handle createPen(int width, Color color) override {
    if (!valid()) return 0;
    return keep(CreatePen(PS_SOLID, width, static_cast<COLORREF>(color)));
  }

  Handle createSolidBrush(Color color) override {
    if (!valid()) return 0;
    return keep(CreateSolidBrush(static_cast<COLORREF>(color)));
  }

  Handle createFont(const FontSpec& font) override {
    if (!valid()) return 0;
    return keep(CreateFontA(font.height, font.width, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                            kAnsiCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, kVariablePitchSwiss, font.face.c_str()));
  }

  void selectObject(Handle object) override {
    if (auto it = objects_.find(object); valid() && it != objects_.end())
      SelectObject(dc_, it->second);
  }

  void deleteObject(Handle object) override {
    auto it = objects_.find(object);
    if (!valid() || it == objects_.end()) return;
    DeleteObject(it->second);
    objects_.erase(it);
  }

  void polygon(const IntPoint* points, int count) override {
    if (!valid() || points == nullptr || count < 2) return;
    std::vector<POINT> corners(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) corners[i] = POINT{points[i].x, points[i].y};
    Polygon(dc_, corners.data(), count);
  }

  void setTextColor(Color color) override {
    if (valid()) SetTextColor(dc_, static_cast<COLORREF>(color));
  }

  void setTransparentBackground(bool transparent) override {
    if (valid()) SetBkMode(dc_, transparent ? TRANSPARENT : OPAQUE);
  }

  void textOut(int x, int y, const std::string& text) override {
    if (!valid() || text.size() > static_cast<size_t>(INT_MAX)) return;
    TextOutA(dc_, x, y, text.c_str(), static_cast<INT>(text.size()));
  }

  bool close() override {
    if (!valid()) return false;
    // Objects the caller left behind are released while the recording can
    // still note it.
    for (auto& [handle, object] : objects_) DeleteObject(object);
    objects_.clear();
    HENHMETAFILE metafile = CloseEnhMetaFile(dc_);
    dc_ = 0;
    if (metafile == 0) return false;
    DeleteEnhMetaFile(metafile);
    return finishHeader(path_, deviceWidth_, deviceHeight_);
  }

 private:
  Handle keep(HGDIOBJ object) {
    if (object == 0 || nextHandle_ == INT32_MAX) return 0;
    objects_.emplace(nextHandle_, object);
    return nextHandle_++;
  }

  std::string path_;
  int deviceWidth_;
  int deviceHeight_;
  HDC dc_ = 0;
  std::map<Handle, HGDIOBJ> objects_;  // ordered, so leftovers are released in creation order
  Handle nextHandle_ = 1;
};

}  // namespace

std::unique_ptr<MetafileRecorder> createEmfRecorder(const std::string& path, int32_t frameLeft,
                                                    int32_t frameTop, int32_t frameRight,
                                                    int32_t frameBottom, int deviceWidth,
                                                    int deviceHeight) {
  const RECT frame{frameLeft, frameTop, frameRight, frameBottom};
  return std::make_unique<EmfRecorder>(path, frame, deviceWidth, deviceHeight);
}

}  // namespace quill
