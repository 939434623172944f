#include "app/Thumbnail.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <charconv>
#include <memory>
#include <ostream>
#include <variant>

#include "app/HeadlessRender.h"
#include "engine/StateFile.h"
#include "engine/FrameCapture.h"
#include "engine/FrameSettings.h"
#include "render/ExportPass.h"
#include "render/ExportSize.h"
#include "gfx/RasterSurface.h"
#include "media/SafeWrite.h"

namespace quill {

namespace {

constexpr int kSmallest = 8;
constexpr int kLargest = 1024;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A file manager asks for thumbnails of a whole folder at once, so each must
// come quickly whatever the record holds: divisions are dropped until there
// are no more leaves than pixels, since finer cells cannot show anyway. A
// record of millions of leaves then draws in milliseconds.
void capDetail(KeyFrame& frame, bool triangleMode, int64_t pixels) {
  while (frame.levels > 0 && leafCount(frame, triangleMode) > pixels) --frame.levels;
  const int16_t fractionMax = static_cast<int16_t>(std::max(1, 2 * frame.levels));
  frame.fractionsLimit = std::min(frame.fractionsLimit, fractionMax);
  frame.fractions = std::min(frame.fractions, frame.fractionsLimit);
}

}  // namespace

int runThumbnail(const std::vector<std::string>& args, std::ostream& err) {
  // args: --thumbnail SIZE FILE OUT
  int size = 0;
  const std::string* sizeText = args.size() == 4 ? &args[1] : nullptr;
  const auto parsed = sizeText ? std::from_chars(sizeText->data(), sizeText->data() + sizeText->size(), size)
                               : std::from_chars_result{};
  if (!sizeText || parsed.ec != std::errc() || parsed.ptr != sizeText->data() + sizeText->size() ||
      size < kSmallest || size > kLargest) {
    err << "quillaven-render: usage: --thumbnail SIZE FILE.kvt OUT.png (SIZE " << kSmallest << " to " << kLargest
        << ")\n";
    return kExitUsage;
  }
  auto read = readStateFile(args[2]);
  if (auto* error = std::get_if<std::string>(&read)) {
    err << "quillaven-render: " << *error << "\n";
    return kExitFailure;
  }
  auto state = std::make_unique<PatternState>();
  loadStartupDefaults(*state);
  state->curFrame = std::get<std::vector<KeyFrame>>(read).back();  // a file holds at least one record
  capDetail(state->curFrame, state->curFrame.triangleMode != 0, int64_t{size} * size);
  adoptFrameSettings(*state);
  translate(*state);
  // The proportions of the program's movie frames, centred on a clear square,
  // as icons and file managers want them.
  state->sequenceFrameWidth = size;
  state->sequenceFrameHeight = size * kSequenceFrameHeight / kSequenceFrameWidth;
  RasterSurface frame(size, state->sequenceFrameHeight);
  RenderState renderState;
  drawSequenceFrame(*state, renderState, frame);
  QImage square(size, size, QImage::Format_ARGB32);
  square.fill(Qt::transparent);
  QPainter(&square).drawImage(0, (size - state->sequenceFrameHeight) / 2, frame.image());
  if (!writeReplacing(args[3], [&](const std::string& path) { return square.save(QString::fromStdString(path), "PNG"); })) {
    err << "quillaven-render: cannot write '" << args[3] << "'\n";
    return kExitFailure;
  }
  return 0;
}

}  // namespace quill
