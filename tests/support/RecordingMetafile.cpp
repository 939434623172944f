#include "support/RecordingMetafile.h"

namespace quill {

MetafileRecorder::Handle RecordingMetafile::create(Call call) {
  if (!valid()) return 0;
  const Handle handle = nextHandle_++;
  kinds_.emplace(handle, call.kind);
  live_.insert(handle);
  call.handle = handle;
  calls_.push_back(std::move(call));
  return handle;
}

MetafileRecorder::Handle RecordingMetafile::createPen(int width, Color color) {
  Call call{Kind::Pen};
  call.width = width;
  call.color = color;
  return create(std::move(call));
}

MetafileRecorder::Handle RecordingMetafile::createSolidBrush(Color color) {
  Call call{Kind::Brush};
  call.color = color;
  return create(std::move(call));
}

MetafileRecorder::Handle RecordingMetafile::createFont(const FontSpec& font) {
  Call call{Kind::Font};
  call.font = font;
  return create(std::move(call));
}

void RecordingMetafile::selectObject(Handle object) {
  if (!valid()) return;
  Call call{Kind::Select};
  call.handle = object;
  calls_.push_back(std::move(call));
  if (!live_.contains(object)) {
    ++badHandleUses_;
    return;
  }
  const Kind kind = kinds_.at(object);
  if (kind == Kind::Pen) selectedPen_ = object;
  if (kind == Kind::Brush) selectedBrush_ = object;
}

void RecordingMetafile::deleteObject(Handle object) {
  if (!valid()) return;
  Call call{Kind::Delete};
  call.handle = object;
  calls_.push_back(std::move(call));
  // A deleted object may stay selected, as on a metafile context; the next
  // polygon then still reports it.
  if (live_.erase(object) == 0) ++badHandleUses_;
}

void RecordingMetafile::polygon(const IntPoint* points, int count) {
  if (!valid() || points == nullptr || count < 0) return;
  Call call{Kind::Polygon};
  call.points.assign(points, points + count);
  call.pen = selectedPen_;
  call.brush = selectedBrush_;
  calls_.push_back(std::move(call));
}

void RecordingMetafile::setTextColor(Color color) {
  if (!valid()) return;
  Call call{Kind::TextColor};
  call.color = color;
  calls_.push_back(std::move(call));
}

void RecordingMetafile::setTransparentBackground(bool transparent) {
  if (!valid()) return;
  Call call{Kind::Transparent};
  call.transparent = transparent;
  calls_.push_back(std::move(call));
}

void RecordingMetafile::textOut(int x, int y, const std::string& text) {
  if (!valid()) return;
  Call call{Kind::Text};
  call.x = x;
  call.y = y;
  call.text = text;
  calls_.push_back(std::move(call));
}

bool RecordingMetafile::close() {
  if (!valid()) return false;
  calls_.push_back(Call{Kind::Close});
  closed_ = true;
  return true;
}

std::vector<RecordingMetafile::Call> RecordingMetafile::polygons() const {
  std::vector<Call> out;
  for (const Call& c : calls_)
    if (c.kind == Kind::Polygon) out.push_back(c);
  return out;
}

}  // namespace quill
