#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "media/MetafileRecorder.h"

namespace quill {

// A metafile recorder for tests: keeps every call in order with its arguments.
// Handles count up from 1 in creation order, as a test can predict them. Each
// polygon also notes the pen and brush selected at that moment, so a test can
// pin the colours a leaf was recorded with.
class RecordingMetafile : public MetafileRecorder {
 public:
  enum class Kind { Pen, Brush, Font, Select, Delete, Polygon, TextColor, Transparent, Text, Close };
  struct Call {
    Kind kind;
    Handle handle = 0;               // Pen, Brush, Font (the new one); Select; Delete
    int width = 0;                   // Pen
    Color color = 0;                 // Pen, Brush, TextColor
    FontSpec font{};                 // Font
    std::vector<IntPoint> points{};  // Polygon
    Handle pen = 0, brush = 0;       // Polygon: selected at the time (0: none)
    bool transparent = false;        // Transparent
    int x = 0, y = 0;                // Text
    std::string text{};              // Text
  };
  // An invalid double behaves like a recorder whose file could not be made.
  explicit RecordingMetafile(bool valid = true) : valid_(valid) {}

  bool valid() const override { return valid_ && !closed_; }
  Handle createPen(int width, Color color) override;
  Handle createSolidBrush(Color color) override;
  Handle createFont(const FontSpec& font) override;
  void selectObject(Handle object) override;
  void deleteObject(Handle object) override;
  void polygon(const IntPoint* points, int count) override;
  void setTextColor(Color color) override;
  void setTransparentBackground(bool transparent) override;
  void textOut(int x, int y, const std::string& text) override;
  bool close() override;

  const std::vector<Call>& calls() const { return calls_; }
  std::vector<Call> polygons() const;
  // Objects created and not yet deleted.
  int liveObjects() const { return static_cast<int>(live_.size()); }
  // Selecting or deleting a handle that is not live: a leak or a double free
  // on a real device context.
  int badHandleUses() const { return badHandleUses_; }

 private:
  // The call appended to the log, or none once the recorder is invalid.
  Call* add(Kind kind);
  Handle create(Kind kind, int width, Color color, const FontSpec& font);

  bool valid_;
  bool closed_ = false;
  std::vector<Call> calls_;
  std::map<Handle, Kind> kinds_;  // every object ever created, also after it was deleted
  std::set<Handle> live_;
  Handle nextHandle_ = 1;
  Handle selectedPen_ = 0;
  Handle selectedBrush_ = 0;
  int badHandleUses_ = 0;
};

}  // namespace quill
