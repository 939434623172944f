#include "app/HeadlessAnimate.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

#include "animation/AnimateWindow.h"
#include "app/HeadlessServices.h"
#include "app/QuillavenApp.h"
#include "engine/PatternState.h"
#include "engine/NumberText.h"
#include "engine/PrintableText.h"
#include "mainwindow/Form1.h"
#include "media/MovieEncoder.h"

namespace quill {

const char* const kHeadlessAnimationHelp =
    R"(usage: quillaven-render STATE.kvt --animate DESCRIPTION -o OUT.bmp [--frame N] [--frames N] [--fps N]

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
  -o OUT           .bmp or .png pictures, or an .mp4, .webm or .gif movie

A value the window refuses gives its message and exit status 1; an unknown
name or a malformed line names the line and gives exit status 2.
)";

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct AnimateOptions {
  std::string statePath;
  std::string description;
  std::string output;
  std::optional<int> frame;
  std::optional<std::string> frames;
  std::optional<std::string> fps;
  bool help = false;
};

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
    if (a == "--animate" || a == "-o" || a == "--frame" || a == "--frames" || a == "--fps") {
      const auto v = value();
      if (!v) return a + " needs a value";
      if (a == "--animate") o.description = *v;
      if (a == "-o") o.output = *v;
      if (a == "--frames") o.frames = *v;
      if (a == "--fps") o.fps = *v;
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
  return std::nullopt;
}

std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// Runs one description line through the window's own controls. Returns an
// error text for the line, or nothing.
class DescriptionRunner {
 public:
  explicit DescriptionRunner(AnimateWindow& window) : window_(window) {}

  std::optional<std::string> run(const std::string& line) {
    std::istringstream words(line);
    std::string verb;
    int feature = -1;
    if (line.find('=') == std::string::npos) {
      words >> verb >> feature;
      std::string rest;
      if (words.fail() || (words >> rest) || feature < 0 || feature > 7) return "expected 'check I', 'uncheck I', 'lock I' or 'unlock I' with I 0..7";
      return feature_(verb, feature);
    }
    const auto at = line.find('=');
    return set(trimmed(line.substr(0, at)), trimmed(line.substr(at + 1)));
  }

 private:
  std::optional<std::string> feature_(const std::string& verb, int i) {
    auto* box = window_.findChild<QCheckBox*>(QString("chkFeature%1").arg(i));
    if (verb == "check" || verb == "uncheck") {
      if (!box->isEnabled()) return "feature " + std::to_string(i) + " cannot be used with this geometry";
      if (box->isChecked() != (verb == "check")) box->click();
      return std::nullopt;
    }
    if (verb == "lock" || verb == "unlock") {
      const LockIcon icon = window_.model().lockIcon(i);
      if (icon == LockIcon::None) return "feature " + std::to_string(i) + " is not checked after another one";
      verb == "lock" ? window_.picUnlock_Click(i) : window_.picLock_Click(i);
      return std::nullopt;
    }
    return "unknown command '" + printableText(verb) + "'";
  }

  std::optional<std::string> set(const std::string& name, const std::string& value) {
    QWidget* control = window_.findChild<QWidget*>(QString::fromStdString(name));
    if (!control || name == "chkSaveImages") return "no control named '" + printableText(name) + "' to set";
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
      box->setText(QString::fromStdString(value));
      return std::nullopt;
    }
    const std::optional<double> number = numericValue(value, NumberForm::WithExponent);
    if (!number) return "'" + printableText(value) + "' is not a number";
    if (auto* bar = qobject_cast<QScrollBar*>(control)) {
      if (*number < bar->minimum() || *number > bar->maximum() || *number != std::floor(*number))
        return name + " takes a whole number from " + std::to_string(bar->minimum()) + " to " +
               std::to_string(bar->maximum());
      bar->setValue(static_cast<int>(*number));
      return std::nullopt;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      if (*number != 0 && *number != 1) return name + " takes 1 (on) or 0 (off)";
      if (qobject_cast<QRadioButton*>(button) && *number == 0) return name + ": choose another option instead";
      if (!button->isEnabled()) return name + " is not available now";
      if (button->isChecked() != (*number == 1)) button->click();
      return std::nullopt;
    }
    return "'" + printableText(name) + "' is not a control that takes a value";
  }

  AnimateWindow& window_;
};

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

  auto owned = std::make_unique<HeadlessServices>(err);
  HeadlessServices& services = *owned;
  QuillavenApp app(std::move(owned));
  app.start();
  Form1& form = app.mainWindow();
  form.loadStateFile(o.statePath);
  if (services.messages > 0) return kExitFailure;
  const int loaded = form.history().currentPosition();
  if (o.frame && *o.frame > loaded) {
    err << "quillaven-render: the state file has " << loaded << " records after its start-up frame\n";
    return kExitUsage;
  }
  for (int i = loaded; o.frame && i > *o.frame; --i) form.stepBack();

  form.cmdAnimate_Click();
  AnimateWindow& window = app.animator();
  DescriptionRunner runner(window);
  std::string line;
  for (int number = 1; std::getline(description, line); ++number) {
    line = trimmed(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    if (auto error = runner.run(line)) {
      err << "quillaven-render: " << o.description << ":" << number << ": " << *error << "\n";
      return kExitUsage;
    }
    if (services.messages > 0) return kExitFailure;  // the window refused the value
  }
  if (o.frames) {
    window.findChild<QLineEdit*>("txtnFrames")->setText(QString::fromStdString(*o.frames));
    if (services.messages > 0) return kExitFailure;
  }
  if (o.fps) {
    window.findChild<QLineEdit*>("txtFps")->setText(QString::fromStdString(*o.fps));
    if (services.messages > 0) return kExitFailure;
  }

  services.saveAnswer = o.output;
  window.findChild<QCheckBox*>("chkSaveImages")->click();
  if (services.messages > 0) return kExitFailure;  // a movie type this FFmpeg can't write
  const int total = window.findChild<QLineEdit*>("txtnFrames")->text().toInt();
  const bool terminal = isatty(STDERR_FILENO) != 0;
  int done = 0;
  QElapsedTimer clock;
  clock.start();
  services.onProcessEvents = [&] {
    if (!window.running() || !terminal) return;
    ++done;
    const double seconds = std::max(clock.elapsed(), qint64{1}) / 1000.0;
    err << "\r" << done << " of " << total << " frames, " << static_cast<int>(done / seconds) << " frames/s"
        << std::flush;
  };
  window.cmdRun_Click();
  if (terminal) err << "\n";
  if (services.messages > 0) return kExitFailure;
  if (movieTypeOf(o.output)) {
    out << "wrote " << total << " frames: " << o.output << "\n";
  } else {
    out << "wrote " << total << " frames: " << o.output.substr(0, o.output.size() - 4) << "001"
        << o.output.substr(o.output.size() - 4) << " ...\n";
  }
  return 0;
}

}  // namespace quill
