#include "animation/AnimationControls.h"

#include <array>
#include <cmath>

#include "engine/NumberText.h"
#include "engine/Rounding.h"

namespace quill {

namespace {

constexpr int kMaxSteps = 10000;
constexpr int kMaxFrames = 999;
constexpr int kMaxFramesPerSecond = 120;

struct NumericBox {
  std::string_view name;
  const char* message;  // when the text is no number
  const char* fallback;
};
constexpr std::array<NumericBox, 6> kNumericBoxes{{{"txtDelay", "delay value must be numeric", "0"},
                                                   {"txtKeyFrameDivs", "# frames must be numeric", "100"},
                                                   {"txtStart", "start value must be numeric", "1"},
                                                   {"txtTailLength", "tail length must be numeric", "160"},
                                                   {"txtTailStep", "tail step must be numeric", "1"},
                                                   {"txtTailLaunch", "tail launch must be numeric", "240"}}};

struct NamedBar {
  std::string_view name;
  int minimum, maximum;
};
constexpr std::array<NamedBar, 8> kBars{{{"hscGridChip", 1, 15},
                                         {"hscBaseStart", 2, 26},
                                         {"hscBaseEnd", 2, 26},
                                         {"hscCPstart", 1, 99},
                                         {"hscCPend", 1, 99},
                                         {"hscnVstart", 3, 23},
                                         {"hscnVend", 3, 23},
                                         {"hscRes", 0, 4}}};

constexpr std::array<std::string_view, 8> kOptions{"optDiscrete",     "optContinue",   "optGradient", "Option1",
                                                   "optNVcontinuous", "optNVdiscrete", "optInward",   "optOutward"};
constexpr std::array<std::string_view, 3> kChecks{"chkBackwards", "chktailReverse", "chkSaveImages"};

// Labels, frames, buttons and the progress window: named, but set by nobody.
constexpr std::array<std::string_view, 33> kShownOnly{
    "lblAniName",  "lblFrametotal", "lblGridChip",  "lblNotYet",  "lblOf",      "lblRes",       "lblframeWhat",
    "lblgeoBanner", "lblloopString", "lblmS",        "lblofWhat",  "picGradient", "bottomRow",   "grpNV",
    "grpSide",     "lblBaseStart",  "lblBaseEnd",   "lblCPstart", "lblCPend",   "lblnVstart",   "lblnVend",
    "Command1",    "Command2",      "Command3",     "Command4",   "cmdRun",     "cmdStep",      "cmdReset",
    "cmdClose",    "cmdRand",       "frmSeqStatus", "banner",     ""};
constexpr std::array<std::string_view, 6> kShownPerFeature{"frmFeature", "lblPriority", "lblLocked",
                                                          "picLock",    "picUnlock",   "lblIndex"};

// "txtnSteps3" is ("txtnSteps", 3).
bool isFeatureName(std::string_view name, std::string_view stem) {
  return name.size() == stem.size() + 1 && name.substr(0, stem.size()) == stem && name.back() >= '0' &&
         name.back() <= '7';
}

template <typename List>
bool listed(const List& list, std::string_view name) {
  for (const auto& entry : list)
    if (entry == name) return true;
  return false;
}

}  // namespace

std::optional<BoxRefusal> checkBoxText(std::string_view box, std::string_view text) {
  const std::optional<double> v = numericValue(text, NumberForm::WithExponent);
  if (isFeatureName(box, "txtnSteps")) {
    if (v && *v >= 1 && *v <= kMaxSteps) return std::nullopt;
    return BoxRefusal{v ? "# steps must > 0 and <= 100000" : "# steps must be numeric", !v, "20"};
  }
  if (box == "txtnFrames") {
    if (v && *v >= 1 && *v <= kMaxFrames) return std::nullopt;
    return BoxRefusal{v ? "# steps must > 0 and < 1000" : "# frames must be numeric", !v, "200"};
  }
  // Movie players and encoders want a whole rate; 1 to 120 covers them all.
  if (box == "txtFps") {
    if (v && *v >= 1 && *v <= kMaxFramesPerSecond && *v == std::floor(*v)) return std::nullopt;
    return BoxRefusal{v ? "fps must be a whole number from 1 to 120" : "fps must be numeric", !v, "25"};
  }
  for (const NumericBox& b : kNumericBoxes) {
    if (b.name != box) continue;
    if (!v) return BoxRefusal{b.message, true, b.fallback};
    // A gap period must be at least one cell: 0 or less never reaches a render.
    if (box == "txtTailLaunch" && roundHalfEven(*v) < 1) return BoxRefusal{"tail launch must be at least 1", false, "240"};
    return std::nullopt;
  }
  return std::nullopt;
}

ControlSpec controlSpec(std::string_view name) {
  if (isFeatureName(name, "txtnSteps") || name == "txtnFrames" || name == "txtFps") return {ControlKind::Text};
  for (const NumericBox& b : kNumericBoxes)
    if (b.name == name) return {ControlKind::Text};
  for (const NamedBar& bar : kBars)
    if (bar.name == name) return {ControlKind::Bar, bar.minimum, bar.maximum};
  if (listed(kOptions, name)) return {ControlKind::Option};
  if (listed(kChecks, name) || isFeatureName(name, "chkFeature")) return {ControlKind::Check};
  if (listed(kShownOnly, name)) return {ControlKind::ShownOnly};
  for (std::string_view stem : kShownPerFeature)
    if (isFeatureName(name, stem)) return {ControlKind::ShownOnly};
  return {};
}

}  // namespace quill
