#pragma once
#include <string>
#include <vector>

#include "media/MetafileRecorder.h"

namespace quill {

// A metafile recorder for tests: logs every call in order as a line of text
// ("brush 255 -> 3", "pen 1 255 -> 4", "select 2", "polygon 0,0 40,0 0,40",
// "delete 3"). Handles count up from 1 in creation order, as a test can predict them.
class RecordingMetafile : public MetafileRecorder {
 public:
  bool valid() const override { return true; }
  Handle createPen(int width, Color color) override { return create("pen " + n(width) + " " + n(color)); }
  Handle createSolidBrush(Color color) override { return create("brush " + n(color)); }
  Handle createFont(const FontSpec& font) override { return create("font " + font.face); }
  void selectObject(Handle object) override { log.push_back("select " + n(object)); }
  void deleteObject(Handle object) override { log.push_back("delete " + n(object)); }
  void polygon(const IntPoint* points, int count) override {
    log.emplace_back("polygon");
    for (int i = 0; i < count; ++i) log.back() += " " + n(points[i].x) + "," + n(points[i].y);
  }
  void setTextColor(Color color) override { log.push_back("text colour " + n(color)); }
  void setTransparentBackground(bool transparent) override { log.push_back("transparent " + n(transparent)); }
  void textOut(int x, int y, const std::string& text) override { log.push_back("text " + n(x) + "," + n(y) + " " + text); }
  bool close() override { return true; }

  std::vector<std::string> log;

 private:
  static std::string n(int64_t v) { return std::to_string(v); }
  Handle create(const std::string& line) {
    log.push_back(line + " -> " + n(++handles_));
    return handles_;
  }
  Handle handles_ = 0;
};

}  // namespace quill
