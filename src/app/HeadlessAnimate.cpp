#include "app/HeadlessAnimate.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <climits>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>
#include <variant>

#include "animation/AnimationDescription.h"
#include "animation/AnimationRun.h"
#include "animation/FrameWorkers.h"
#include "animation/SequenceOutput.h"
#include "app/HeadlessProgress.h"
#include "app/HeadlessRender.h"
#include "engine/StateFile.h"
#include "engine/FrameCapture.h"
#include "engine/FrameSettings.h"
#include "engine/KeyFrameHistory.h"
#include "engine/NumberText.h"
#include "gfx/RasterSurface.h"
#include "media/MovieEncoder.h"
#include "render/ExportPass.h"
#include "render/RenderCount.h"

namespace quill {

const char* const kHeadlessAnimationHelp =
    R"(usage: quillaven-render STATE.kvt --animate DESCRIPTION -o OUT.bmp [--frame N] [--frames N] [--fps N]
                       [--range A-B] [-j N]

Runs the parametric animation of a state file without a window and writes its
frames as OUT001.bmp, OUT002.bmp, ... (or .png), or as one movie OUT.mp4
(H.264), OUT.webm (VP9) or OUT.gif, exactly as the animation window's
"save images" does.

  STATE.kvt        a state file saved by Quillaven; its last record (or record
                   N with --frame N, counting from 1) is the pattern animated
  --animate FILE   the animation's settings, one per line ('#' starts a comment):
                     check I | uncheck I | lock I | unlock I   (feature I, 0..7)
                     NAME = VALUE   a control of the animation window by name,
                                    set as a user would (txtnSteps2 = 150,
                                    hscBaseEnd = 12, optOutward = 1, ...)
  --frames N       the number of frames (1..999), as "# of frames"
  --fps N          a movie's frames per second (1..120, default 25), as "fps"
  --range A-B      pictures only: write frames A to B of the run (from 1),
                   numbered and drawn exactly as the whole run writes them;
                   the frames before A are worked out without being drawn
  -j N             draw N frames at once, each on its own core (1..256; the
                   default is one per core); they are written in order, the
                   same files as one at a time
  -o OUT           .bmp or .png pictures, or an .mp4, .webm or .gif movie

A value the window refuses gives its message and exit status 1; an unknown
name or a malformed line names the line and gives exit status 2. Ctrl-C stops
at once with exit status 130; a movie stopped so leaves no file.
)";

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kMostWorkers = 256;

struct AnimateOptions {
  std::string statePath;
  std::string description;
  std::string output;
  std::optional<int> frame;
  std::optional<std::string> frames;
  std::optional<std::string> fps;
  std::optional<std::pair<int, int>> range;
  int workers = defaultFrameWorkers();
  bool help = false;
};

// "A-B" with 1 <= A <= B.
std::optional<std::pair<int, int>> frameRange(const std::string& text) {
  const auto dash = text.find('-');
  if (dash == std::string::npos) return std::nullopt;
  const auto first = numericValue(text.substr(0, dash));
  const auto last = numericValue(text.substr(dash + 1));
  if (!first || !last || *first < 1 || *last < *first || *last > INT32_MAX || *first != std::floor(*first) ||
      *last != std::floor(*last))
    return std::nullopt;
  return std::pair{static_cast<int>(*first), static_cast<int>(*last)};
}

std::optional<std::string> parse(const std::vector<std::string>& args, AnimateOptions& o) {
  for (const std::string& a : args) {
    if (a == "-h" || a == "--help") {
      o.help = true;
      return std::nullopt;
    }
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (a == "--animate" || a == "-o" || a == "--frame" || a == "--frames" || a == "--fps" || a == "--range" ||
        a == "-j") {
      const auto v = value();
      if (!v) return a + " needs a value";
      if (a == "--animate") o.description = *v;
      if (a == "-o") o.output = *v;
      if (a == "--frames") o.frames = *v;
      if (a == "--fps") o.fps = *v;
      if (a == "--range" && !(o.range = frameRange(*v))) return "--range needs the first and last frame, such as 10-20";
      if (a == "-j") {
        const auto n = numericValue(*v);
        if (!n || *n < 1 || *n > kMostWorkers || *n != std::floor(*n)) return "-j needs a number of workers from 1 to 256";
        o.workers = static_cast<int>(*n);
      }
      if (a == "--frame") {
        char* end = nullptr;
        const long n = std::strtol(v->c_str(), &end, 10);
        if (*end != '\0' || n < 1 || n > 32767) return "--frame needs a record number from 1";
        o.frame = static_cast<int>(n);
      }
    } else if (!a.empty() && a[0] != '-' && o.statePath.empty()) {
      o.statePath = a;
    } else {
      return "unknown argument '" + a + "'";
    }
  }
  if (o.statePath.empty()) return "an animation needs a state file";
  const std::string ext = o.output.size() < 5 ? std::string() : o.output.substr(o.output.size() - 4);
  if (ext != ".bmp" && ext != ".png" && !movieTypeOf(o.output))
    return "-o needs a file name ending in .bmp or .png, or a movie's .mp4, .webm or .gif";
  if (o.fps && !movieTypeOf(o.output)) return "--fps is for movies (.mp4, .webm, .gif)";
  if (o.range && movieTypeOf(o.output)) return "--range is for numbered pictures (.bmp, .png)";
  return std::nullopt;
}

std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The pattern to animate as the program holds it once the state file is
// loaded and the record chosen: put back into the settings, captured by the
// animation window, its tables cut and the preview's count made. Returns the
// key frame chosen, or the message that ends the run.
std::variant<KeyFrame, std::string> choosePattern(PatternState& state, KeyFrameHistory& history,
                                                  const AnimateOptions& o, bool& usage) {
  auto read = readStateFile(o.statePath);
  if (auto* message = std::get_if<std::string>(&read)) return *message;
  const auto& records = std::get<std::vector<KeyFrame>>(read);
  if (!history.appendLoaded(records))
    return "can't load " + o.statePath + ": the history cannot hold " + std::to_string(records.size() - 1) +
           " more frames";
  const int loaded = history.currentPosition();
  if (o.frame && *o.frame > loaded) {
    usage = true;
    return "the state file has " + std::to_string(loaded) + " records after its start-up frame";
  }
  while (o.frame && history.currentPosition() > *o.frame) history.stepBack();

  const int16_t liveLastWeight = state.blendWeights[15];  // no frame sets it
  state.curFrame = history.current();
  adoptFrameSettings(state);
  KeyFrame& f = state.curFrame;
  f.deleted = kFalse16;
  f.blendWeights[15] = liveLastWeight;
  if (f.triangleMode == kFalse16) f.legend = 0;  // a grid has no legend
  translate(state);
  state.digitCounter = counterAfterRender(state);
  return history.current();
}

// Writes a run's frames as numbered pictures or as one movie, drawn on
// `workers` threads and written in order. Returns the message that stopped
// it, if any.
std::optional<std::string> writeFrames(AnimationRun& run, PatternState& state, const SequenceTarget& target,
                                       std::pair<int, int> range, int fps, int workers, std::ostream& err) {
  const auto [first, last] = range;
  std::unique_ptr<MovieEncoder> movie;
  if (target.movie) {
    movie = makeFfmpegMovieEncoder(*target.movie);
    if (!movie || !movie->open(target.name, state.sequenceFrameWidth, state.sequenceFrameHeight, fps))
      return "can't write " + target.name + (movie ? ": " + movie->error() : std::string());
  }
  const FrameFile file = movie ? FrameFile::None : target.extension == ".png" ? FrameFile::Png : FrameFile::Bmp;
  FrameWorkers drawing({workers, file, movie != nullptr, [] { return stopSignalled(); }, {}});
  ProgressLine progress(err, isatty(STDERR_FILENO) != 0);
  run.skipTo(first);
  int handedIn = first;
  for (int written = first; written <= last; ++written) {
    for (; handedIn <= last && drawing.hasRoom(); ++handedIn) {
      run.step();
      drawing.submit(handedIn, state);
      state.digitCounter = counterAfterRender(state);  // where drawing the frame leaves it
    }
    const std::optional<DrawnFrame> frame = drawing.next();
    if (stopSignalled() || !frame || frame->stopped) return std::nullopt;  // an unfinished movie removes itself
    if (auto message = writeDrawnFrame(*frame, target, movie.get())) return message;
    progress.frames(written - first + 1, last - first + 1);
  }
  if (movie && last >= first && !movie->finish()) return "can't write " + target.name + ": " + movie->error() + "; no movie is left";
  return std::nullopt;
}

// The description's settings line by line, then --frames and --fps, as a
// user would set them; the exit status of the first one refused, else 0.
int applyDescription(AnimationDescription& settings, std::istream& description, const AnimateOptions& o,
                     std::ostream& err) {
  std::string line;
  for (int number = 1; std::getline(description, line); ++number) {
    line = trimmed(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    if (auto error = settings.apply(line)) {
      err << "quillaven-render: " << (error->usage ? o.description + ":" + std::to_string(number) + ": " : "")
          << error->message << "\n";
      return error->usage ? kExitUsage : kExitFailure;
    }
  }
  for (const auto& [box, text] : {std::pair{"txtnFrames", o.frames}, std::pair{"txtFps", o.fps}}) {
    if (!text) continue;
    if (auto error = settings.setBox(box, *text)) {
      err << "quillaven-render: " << error->message << "\n";
      return kExitFailure;
    }
  }
  return 0;
}

// Why a run cannot start, said before anything is drawn: a movie type the
// libraries cannot write, or in-between frames beyond their 16-bit index.
std::optional<std::string> cannotRun(const AnimationRun& run, const SequenceTarget& target) {
  if (target.movie) {
    if (auto message = missingEncoderMessage(target.name, *target.movie, makeFfmpegMovieEncoder)) return message;
  }
  if (!run.geometryFits())
    return "too many in-between frames: \"frames / keyframe\" times the key frames before this one must stay "
           "below 16384";
  return std::nullopt;
}

}  // namespace

int runHeadlessAnimation(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  AnimateOptions o;
  if (auto error = parse(args, o)) {
    err << "quillaven-render: " << *error << "\n(try --animate --help)\n";
    return kExitUsage;
  }
  if (o.help) {
    out << kHeadlessAnimationHelp;
    return 0;
  }
  std::ifstream description(o.description);
  if (!description) {
    err << "quillaven-render: can't read the animation description " << o.description << "\n";
    return kExitFailure;
  }

  auto state = std::make_unique<PatternState>();
  loadStartupDefaults(*state);
  KeyFrameHistory history;
  history.start(state->curFrame);
  bool usage = false;
  auto chosen = choosePattern(*state, history, o, usage);
  if (auto* message = std::get_if<std::string>(&chosen)) {
    err << "quillaven-render: " << *message << "\n";
    return usage ? kExitUsage : kExitFailure;
  }
  const KeyFrame& keyFrame = std::get<KeyFrame>(chosen);

  AnimationRun run(*state);
  run.activate();
  run.buildLoops();
  run.setKeyFrames(keyFrame.frameNo,
                   keyFrame.frameNo > 1 ? history.framesUpToCurrent(keyFrame.frameNo) : std::vector<KeyFrame>{});
  AnimationDescription settings(run, *state);
  if (const int status = applyDescription(settings, description, o, err)) return status;

  const SequenceTarget target = SequenceTarget::forName(o.output);
  if (auto message = cannotRun(run, target)) {
    err << "quillaven-render: " << *message << "\n";
    return kExitFailure;
  }
  const auto [first, last] = o.range.value_or(std::pair{1, settings.frames()});
  if (last > settings.frames()) {
    err << "quillaven-render: --range " << first << "-" << last << " goes beyond the run's " << settings.frames()
        << " frames\n";
    return kExitUsage;
  }
  if (auto message = writeFrames(run, *state, target, {first, last}, settings.framesPerSecond(), o.workers, err)) {
    err << "quillaven-render: " << *message << "\n";
    return kExitFailure;
  }
  if (stopSignalled()) return kExitInterrupted;
  const size_t stem = o.output.size() - 4;  // parse() made sure of an extension
  out << "wrote " << last - first + 1 << " frames: "
      << (target.movie ? o.output : o.output.substr(0, stem) + frameNumberText(first) + o.output.substr(stem) + " ...")
      << "\n";
  return 0;
}

}  // namespace quill
