#include "support/RecordingMetafile.h"

namespace quill {

RecordingMetafile::Call* RecordingMetafile::add(Kind kind) {
  if (!valid()) return nullptr;
  return &calls_.emplace_back(Call{kind});
}

MetafileRecorder::Handle RecordingMetafile::create(Kind kind, int width, Color color, const FontSpec& font) {
  Call* call = add(kind);
  if (call == nullptr) return 0;
  const Handle handle = nextHandle_++;
  kinds_.emplace(handle, kind);
  live_.insert(handle);
  call->handle = handle;
  call->width = width;
  call->color = color;
  call->font = font;
  return handle;
}

MetafileRecorder::Handle RecordingMetafile::createPen(int width, Color color) {
  return create(Kind::Pen, width, color, {});
}

MetafileRecorder::Handle RecordingMetafile::createSolidBrush(Color color) { return create(Kind::Brush, 0, color, {}); }

MetafileRecorder::Handle RecordingMetafile::createFont(const FontSpec& font) { return create(Kind::Font, 0, 0, font); }

void RecordingMetafile::selectObject(Handle object) {
  Call* call = add(Kind::Select);
  if (call == nullptr) return;
  call->handle = object;
  if (!live_.contains(object)) {
    ++badHandleUses_;
    return;
  }
  const Kind kind = kinds_.at(object);
  if (kind == Kind::Pen) selectedPen_ = object;
  if (kind == Kind::Brush) selectedBrush_ = object;
}

void RecordingMetafile::deleteObject(Handle object) {
  Call* call = add(Kind::Delete);
  if (call == nullptr) return;
  call->handle = object;
  // A deleted object may stay selected, as on a metafile context; the next
  // polygon then still reports it.
  if (live_.erase(object) == 0) ++badHandleUses_;
}

void RecordingMetafile::polygon(const IntPoint* points, int count) {
  if (points == nullptr || count < 0) return;
  if (Call* call = add(Kind::Polygon)) {
    call->points.assign(points, points + count);
    call->pen = selectedPen_;
    call->brush = selectedBrush_;
  }
}

void RecordingMetafile::setTextColor(Color color) {
  if (Call* call = add(Kind::TextColor)) call->color = color;
}

void RecordingMetafile::setTransparentBackground(bool transparent) {
  if (Call* call = add(Kind::Transparent)) call->transparent = transparent;
}

void RecordingMetafile::textOut(int x, int y, const std::string& text) {
  if (Call* call = add(Kind::Text)) {
    call->x = x;
    call->y = y;
    call->text = text;
  }
}

bool RecordingMetafile::close() {
  if (add(Kind::Close) == nullptr) return false;
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
