#include "app/HeadlessRender.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <variant>

#include "app/HeadlessProgress.h"
#include "engine/DigitText.h"
#include "engine/FrameCapture.h"
#include "engine/FrameSettings.h"
#include "engine/KeyFrameCodec.h"
#include "engine/PrintableText.h"
#include "engine/StateFile.h"
#include "gfx/NullSurface.h"
#include "render/ExportPass.h"
#include "render/RenderCount.h"

namespace quill {

const char* const kHeadlessRenderHelp =
    R"(usage: quillaven-render [STATE.kvt] -o OUT [--frame N|all] [--width W] [--legend]

Renders a Quillaven pattern without a window.

  STATE.kvt     a state file saved by Quillaven; without one the start-up
                pattern (a hexagon of 4 layers counting from 0) is rendered
  -o OUT        the file to write; its extension chooses the format:
                .bmp (Windows bitmap), .png, .svg, or .emf (enhanced metafile)
  --frame N     render record N of the state file (0 is the start-up frame of
                the run that saved it); the default is the last record
  --frame all   render every record, numbering the files from 1 with at least
                three digits: -o night.bmp writes night001.bmp, night002.bmp, ...
  --width W     bitmap, PNG and SVG: the width of a polygon picture in pixels
                (1 to 16000, default 2000; the height is 4/5 of it).
                Metafile: 12000 or 16000 for the larger grids; anything else
                gives the standard 8000.
                Rectangle grids ignore it: every cell gets 10 pixels per side at
                the deepest division.
  --legend      polygons: draw the legend below the pattern (the digit
                triangles, the base and colour mode, the range of numbers)
  -h, --help    show this text
  --animate D   run the parametric animation of STATE.kvt described in D and
                write its frames (see quillaven-render --animate --help)
  --thumbnail SIZE STATE.kvt OUT.png
                the last record as a PNG fitted in SIZE x SIZE (8 to 1024),
                with fine divisions left out: for file managers' thumbnails

Pictures are drawn as Quillaven exports them: bitmaps on white with a line width
of W div 3200 + 1 pixels, metafiles with every drawn cell recorded. Each frame
is rendered with its own settings, geometry type included.

On a terminal, work of over a second shows its progress: a picture its share
done and the time left, --frame all and animations the frames done. Ctrl-C
stops at once: the file in hand is not written, files finished before stay.

Exit status: 0 when every file was written, 1 when the state file or the
output could not be used, 2 for a usage error, 130 when stopped by Ctrl-C.
)";

namespace {

using Format = ExportFormat;

struct Options {
  std::string statePath;
  std::string output;
  std::optional<int> frame;
  bool allFrames = false;
  int64_t width = 2000;
  bool legend = false;
  bool help = false;
};

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

std::optional<int64_t> parseInteger(const std::string& text) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

std::variant<Options, std::string> parseArgs(const std::vector<std::string>& args) {
  Options o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (a == "-h" || a == "--help") {
      o.help = true;
    } else if (a == "-o") {
      auto v = value();
      if (!v) return std::string("-o needs a file name");
      o.output = *v;
    } else if (a == "--frame") {
      auto v = value();
      if (!v) return std::string("--frame needs a record number or 'all'");
      if (*v == "all") {
        o.allFrames = true;
      } else {
        auto n = parseInteger(*v);
        if (!n || *n < 0 || *n > 32767) return "--frame: '" + *v + "' is not a record number";
        o.frame = static_cast<int>(*n);
      }
    } else if (a == "--legend") {
      o.legend = true;
    } else if (a == "--width") {
      auto v = value();
      auto n = v ? parseInteger(*v) : std::nullopt;
      if (!n || *n < 1 || *n > 16000)
        return std::string("--width must be a whole number from 1 to 16000");
      o.width = *n;
    } else if (!a.empty() && a[0] == '-') {
      return "unknown option '" + a + "'";
    } else if (o.statePath.empty()) {
      o.statePath = a;
    } else {
      return "more than one state file given ('" + o.statePath + "' and '" + a + "')";
    }
  }
  if (!o.help && o.output.empty()) return std::string("no output file given (-o OUT)");
  return o;
}

std::optional<Format> formatOf(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".bmp") return Format::Bmp;
  if (ext == ".png") return Format::Png;
  if (ext == ".emf") return Format::Emf;
  if (ext == ".svg") return Format::Svg;
  return std::nullopt;
}

// "night.bmp", 3 -> "night003.bmp"
std::string numberedName(const std::string& path, int number) {
  std::filesystem::path p(path);
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", number);
  std::filesystem::path name = p.stem().string() + digits + p.extension().string();
  return (p.parent_path() / name).string();
}


// The start value box as the program would show it for this frame.
std::string startText(const KeyFrame& frame) {
  return toDisplayText(frame.startValue, frame.decimalBox != 0 ? 10 : frame.numberBase);
}

ExportOptions exportOptions(const KeyFrame& frame, const Options& o, Format format) {
  ExportOptions options;
  options.format = format;
  options.width = o.width;
  options.metafileWidth = (o.width == 12000 || o.width == 16000) ? o.width : 8000;
  options.legend = o.legend;
  options.startText = startText(frame);
  return options;
}

// What became of one file.
enum class Outcome { Written, Failed, Stopped };

// Renders state.curFrame (already adopted into the live settings) to one
// file, through the same passes as the program's exports. A stop signal ends
// the render; nothing is written then.
Outcome renderToFile(PatternState& state, const ExportOptions& options, const std::string& path,
                     ProgressLine* progress, std::string& message) {
  if (auto refusal = exportRefusal(state, options)) {
    message = *refusal;
    return Outcome::Failed;
  }
  RenderState renderState;
  const double leaves = std::max<double>(static_cast<double>(leafCount(state)), 1);
  const RenderHook watch = [&](Renderer& renderer) {
    renderer.setStopCheck([&] {
      if (progress) progress->picture(static_cast<double>(renderState.cellIndex) / leaves);
      return stopSignalled();
    });
  };
  if (options.format == Format::Emf) {
    NullSurface surface;
    const WriteResult result = writeMetafilePass(state, renderState, surface, options, path, watch);
    if (result == WriteResult::Saved) return Outcome::Written;
    message = "cannot write '" + path + "'";
    return result == WriteResult::Stopped ? Outcome::Stopped : Outcome::Failed;
  }
  const ExportSize size = bitmapExportSize(state.curFrame, state.triangleMode, options.width);
  auto picture = makeExportPicture(options.format, static_cast<int>(size.width),
                                   static_cast<int>(size.height));
  if (!picture) {
    message = "the picture is too large to draw";
    return Outcome::Failed;
  }
  if (!drawBitmapPass(state, renderState, picture->surface(), options, watch) || stopSignalled())
    return Outcome::Stopped;
  if (picture->save(path)) return Outcome::Written;
  message = "cannot write '" + path + "'";
  return Outcome::Failed;
}

Outcome renderFrame(const KeyFrame& frame, const Options& o, Format format, const std::string& path,
                    ProgressLine* progress, std::string& message) {
  auto state = std::make_unique<PatternState>();
  loadStartupDefaults(*state);
  state->curFrame = frame;
  adoptFrameSettings(*state);
  return renderToFile(*state, exportOptions(frame, o, format), path, progress, message);
}

std::variant<std::vector<KeyFrame>, std::string> framesToRender(const Options& o) {
  std::vector<KeyFrame> frames;
  if (o.statePath.empty()) {
    auto state = std::make_unique<PatternState>();
    loadStartupDefaults(*state);
    frames.push_back(state->curFrame);
  } else {
    auto read = readStateFile(o.statePath);
    if (auto* error = std::get_if<std::string>(&read)) return *error;
    frames = std::move(std::get<std::vector<KeyFrame>>(read));
  }
  if (o.allFrames) return frames;
  const int index = o.frame.value_or(static_cast<int>(frames.size()) - 1);
  if (index < 0 || index >= static_cast<int>(frames.size()))
    return "--frame " + std::to_string(index) + " is out of range: the file holds records 0 to " +
           std::to_string(frames.size() - 1);
  return std::vector<KeyFrame>{frames[index]};
}

}  // namespace

int runHeadlessRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto parsed = parseArgs(args);
  if (auto* error = std::get_if<std::string>(&parsed)) {
    err << "quillaven-render: " << *error << "\n(try --help)\n";
    return kExitUsage;
  }
  const Options& o = std::get<Options>(parsed);
  if (o.help) {
    out << kHeadlessRenderHelp;
    return 0;
  }
  const auto format = formatOf(o.output);
  if (!format) {
    err << "quillaven-render: unknown output format '" << o.output
        << "': use .bmp, .png, .svg or .emf\n";
    return kExitUsage;
  }
  auto frames = framesToRender(o);
  if (auto* error = std::get_if<std::string>(&frames)) {
    err << "quillaven-render: " << *error << "\n";
    return kExitFailure;
  }
  const auto& list = std::get<std::vector<KeyFrame>>(frames);
  ProgressLine progress(err, isatty(STDERR_FILENO) != 0);
  const int total = static_cast<int>(list.size());
  for (int i = 0; i < total; ++i) {
    const std::string path = o.allFrames ? numberedName(o.output, i + 1) : o.output;
    std::string message;
    // A sequence counts its files; a single picture shows how far it has got.
    switch (renderFrame(list[static_cast<size_t>(i)], o, *format, path, o.allFrames ? nullptr : &progress, message)) {
      case Outcome::Written: break;
      case Outcome::Stopped: return kExitInterrupted;
      case Outcome::Failed: err << "quillaven-render: " << message << "\n"; return kExitFailure;
    }
    out << path << "\n";
    if (o.allFrames) progress.frames(i + 1, total);
    if (stopSignalled()) return kExitInterrupted;
  }
  return 0;
}

}  // namespace quill
