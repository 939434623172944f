// The one file that sees libEMF's Windows-style declarations.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <exception>
#include <utility>
#include <vector>
#if defined(__GLIBC__)
#include <stdio_ext.h>
#endif

#include "media/MetafileRecorder.h"

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
// not a metafile or cannot be written.
bool finishHeader(FILE* file, int deviceWidth, int deviceHeight) {
  std::array<unsigned char, kHeaderMinimum> header{};
  bool ok = std::fseek(file, 0, SEEK_SET) == 0 &&
            std::fread(header.data(), 1, header.size(), file) == header.size() &&
            readLe32(header.data()) == kHeaderRecordType &&
            readLe32(header.data() + kSignatureOffset) == kEmfSignature;
  if (ok && deviceWidth > 0 && deviceHeight > 0) {
    std::array<unsigned char, 16> bounds{};
    writeLe32(bounds.data() + 8, deviceWidth - 1);
    writeLe32(bounds.data() + 12, deviceHeight - 1);
    ok = std::fseek(file, kBoundsOffset, SEEK_SET) == 0 &&
         std::fwrite(bounds.data(), 1, bounds.size(), file) == bounds.size();
  }
  return ok && std::fflush(file) == 0 && std::ferror(file) == 0;
}

// libEMF writes a record a few bytes at a time; a large buffer, and no stream
// lock (only this recorder uses the stream), keep that from costing a call
// into the system or a lock per field.
FILE* openForRecording(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "w+b");
  if (file == nullptr) return nullptr;
  std::setvbuf(file, nullptr, _IOFBF, 1 << 20);
#if defined(__GLIBC__)
  __fsetlocking(file, FSETLOCKING_BYCALLER);
#endif
  return file;
}

class EmfRecorder final : public MetafileRecorder {
 public:
  EmfRecorder(const std::string& path, const RECT& frame, int deviceWidth, int deviceHeight)
      : deviceWidth_(deviceWidth), deviceHeight_(deviceHeight), file_(openForRecording(path)) {
    if (file_ != nullptr) dc_ = CreateEnhMetaFileWithFILEA(0, file_, &frame, nullptr);
  }
  ~EmfRecorder() override { close(); }

  bool valid() const override { return dc_ != 0 && !spoilt_; }

  Handle createPen(int width, Color color) override {
    HGDIOBJ object = 0;
    attempt([&] { object = CreatePen(PS_SOLID, width, static_cast<COLORREF>(color)); });
    return keep(object);
  }

  Handle createSolidBrush(Color color) override {
    HGDIOBJ object = 0;
    attempt([&] { object = CreateSolidBrush(static_cast<COLORREF>(color)); });
    return keep(object);
  }

  Handle createFont(const FontSpec& font) override {
    HGDIOBJ object = 0;
    attempt([&] {
      object = CreateFontA(font.height, font.width, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                           kAnsiCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           kVariablePitchSwiss, font.face.c_str());
    });
    return keep(object);
  }

  void selectObject(Handle object) override {
    if (auto it = find(object); it != objects_.end()) attempt([&] { SelectObject(dc_, it->second); });
  }

  void deleteObject(Handle object) override {
    auto it = find(object);
    if (it == objects_.end()) return;
    attempt([&] { DeleteObject(it->second); });
    objects_.erase(it);
  }

  void polygon(const IntPoint* points, int count) override {
    if (!valid() || points == nullptr || count < 2) return;
    std::array<POINT, 4> few;  // every leaf; longer outlines take the heap
    std::vector<POINT> many;
    POINT* corners = few.data();
    if (count > static_cast<int>(few.size())) {
      many.resize(static_cast<size_t>(count));
      corners = many.data();
    }
    for (int i = 0; i < count; ++i) corners[i] = POINT{points[i].x, points[i].y};
    attempt([&] { Polygon(dc_, corners, count); });
  }

  void setTextColor(Color color) override {
    attempt([&] { SetTextColor(dc_, static_cast<COLORREF>(color)); });
  }

  void setTransparentBackground(bool transparent) override {
    attempt([&] { SetBkMode(dc_, transparent ? TRANSPARENT : OPAQUE); });
  }

  void textOut(int x, int y, const std::string& text) override {
    if (text.size() > static_cast<size_t>(INT_MAX)) return;
    attempt([&] { TextOutA(dc_, x, y, text.c_str(), static_cast<INT>(text.size())); });
  }

  bool close() override {
    bool ok = valid();
    if (dc_ != 0) {
      // Objects the caller left behind are released while the recording can
      // still note it.
      for (auto& entry : objects_) attempt([&] { DeleteObject(entry.second); });
      objects_.clear();
      HENHMETAFILE metafile = 0;
      try {
        metafile = CloseEnhMetaFileWithFILE(dc_);
      } catch (const std::exception&) {
        ok = false;
      }
      dc_ = 0;
      ok = ok && metafile != 0 && finishHeader(file_, deviceWidth_, deviceHeight_);
      if (metafile != 0) DeleteEnhMetaFile(metafile);
    }
    if (file_ != nullptr) ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    return ok;
  }

 private:
  // libEMF reports a write that failed (a full disk) or memory it could not
  // have by throwing. The recording is spoilt from then on: nothing more is
  // recorded, and close() reports the failure.
  template <typename Call>
  void attempt(Call call) {
    if (!valid()) return;
    try {
      call();
    } catch (const std::exception&) {
      spoilt_ = true;
    }
  }

  Handle keep(HGDIOBJ object) {
    if (object == 0 || nextHandle_ == INT32_MAX) return 0;
    objects_.emplace_back(nextHandle_, object);
    return nextHandle_++;
  }

  // Few objects live at once and the newest are asked for most.
  std::vector<std::pair<Handle, HGDIOBJ>>::iterator find(Handle handle) {
    const auto it = std::find_if(objects_.rbegin(), objects_.rend(),
                                 [handle](const auto& entry) { return entry.first == handle; });
    return it == objects_.rend() ? objects_.end() : std::prev(it.base());
  }

  int deviceWidth_;
  int deviceHeight_;
  FILE* file_ = nullptr;
  HDC dc_ = 0;
  bool spoilt_ = false;
  // In creation order, so leftovers are released in that order.
  std::vector<std::pair<Handle, HGDIOBJ>> objects_;
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
