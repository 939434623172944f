#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/Types.h"
#include "gfx/Surface.h"

namespace quill {

// GDI-style recording of an enhanced metafile. Objects are created, selected,
// used and deleted explicitly, as the file records them.
class MetafileRecorder {
 public:
  using Handle = int32_t;  // 0 is "no object"

  virtual ~MetafileRecorder() = default;

  // False when the file could not be created; every call is then a no-op.
  virtual bool valid() const = 0;
  virtual Handle createPen(int width, Color color) = 0;  // solid
  virtual Handle createSolidBrush(Color color) = 0;
  virtual Handle createFont(const FontSpec& font) = 0;
  virtual void selectObject(Handle object) = 0;
  virtual void deleteObject(Handle object) = 0;
  virtual void polygon(const IntPoint* points, int count) = 0;
  virtual void setTextColor(Color color) = 0;
  virtual void setTransparentBackground(bool transparent) = 0;
  virtual void textOut(int x, int y, const std::string& text) = 0;
  // Ends the recording and writes the file; false when nothing was written.
  virtual bool close() = 0;
};

// frame: left, top, right, bottom in 0.01 mm units; deviceWidth/Height: the
// reference surface in pixels. The result is invalid (not null) when the file
// cannot be created.
std::unique_ptr<MetafileRecorder> createEmfRecorder(const std::string& path, int32_t frameLeft,
                                                    int32_t frameTop, int32_t frameRight,
                                                    int32_t frameBottom, int deviceWidth,
                                                    int deviceHeight);

}  // namespace quill
