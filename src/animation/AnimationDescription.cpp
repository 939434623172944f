#include "animation/AnimationDescription.h"

#include <cmath>
#include <sstream>

#include "animation/AnimationControls.h"
#include "engine/NumberText.h"
#include "engine/PrintableText.h"

namespace quill {

namespace {

std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// "txtnSteps3" -> 3; -1 for any other name.
int featureOf(const std::string& name, std::string_view stem) {
  if (name.size() != stem.size() + 1 || name.compare(0, stem.size(), stem) != 0) return -1;
  return name.back() >= '0' && name.back() <= '7' ? name.back() - '0' : -1;
}

DescriptionError usage(std::string message) { return {std::move(message), true}; }

// Text quoted from a description, made printable. (Built by appending: GCC 12
// warns falsely about a string literal added in front of a temporary.)
std::string quoted(const std::string& text) { return std::string("'").append(printableText(text)).append("'"); }

}  // namespace

AnimationDescription::AnimationDescription(AnimationRun& run, PatternState& state) : run_(run), state_(state) {}

std::optional<DescriptionError> AnimationDescription::apply(const std::string& line) {
  const auto at = line.find('=');
  if (at != std::string::npos) return set(trimmed(line.substr(0, at)), trimmed(line.substr(at + 1)));
  std::istringstream words(line);
  std::string verb, rest;
  int feature = -1;
  words >> verb >> feature;
  if (words.fail() || (words >> rest) || feature < 0 || feature > 7)
    return usage("expected 'check I', 'uncheck I', 'lock I' or 'unlock I' with I 0..7");
  return setFeature(verb, feature);
}

bool AnimationDescription::featureAvailable(int feature) const {
  return featureFitsGeometry(feature, state_.triangleMode);
}

std::optional<DescriptionError> AnimationDescription::setFeature(const std::string& verb, int i) {
  if (verb == "check" || verb == "uncheck") {
    if (!featureAvailable(i)) return usage("feature " + std::to_string(i) + " cannot be used with this geometry");
    if (run_.model().isChecked(i) != (verb == "check")) run_.setChecked(i, verb == "check");
    return std::nullopt;
  }
  if (verb == "lock" || verb == "unlock") {
    if (run_.model().lockIcon(i) == LockIcon::None)
      return usage("feature " + std::to_string(i) + " is not checked after another one");
    verb == "lock" ? run_.lock(i) : run_.unlock(i);
    return std::nullopt;
  }
  return usage("unknown command " + quoted(verb));
}

std::optional<DescriptionError> AnimationDescription::set(const std::string& name, const std::string& value) {
  const ControlSpec control = controlSpec(name);
  if (control.kind == ControlKind::None || name == "chkSaveImages")
    return usage("no control named " + quoted(name) + " to set");
  if (control.kind == ControlKind::Text) return setBox(name, value);
  const std::optional<double> number = numericValue(value, NumberForm::WithExponent);
  if (!number) return usage(quoted(value) + " is not a number");
  if (control.kind == ControlKind::Bar) {
    if (*number < control.minimum || *number > control.maximum || *number != std::floor(*number))
      return usage(name + " takes a whole number from " + std::to_string(control.minimum) + " to " +
                   std::to_string(control.maximum));
    return setBar(name, static_cast<int>(*number));
  }
  if (control.kind == ControlKind::Option || control.kind == ControlKind::Check) {
    if (*number != 0 && *number != 1) return usage(name + " takes 1 (on) or 0 (off)");
    return setButton(name, *number == 1, control.kind == ControlKind::Option);
  }
  return usage(quoted(name) + " is not a control that takes a value");
}

std::optional<DescriptionError> AnimationDescription::setBox(const std::string& name, const std::string& text) {
  if (auto refusal = checkBoxText(name, text)) return DescriptionError{refusal->message, false};
  const double v = *numericValue(text, NumberForm::WithExponent);
  FeatureControls& c = run_.controls;
  if (const int i = featureOf(name, "txtnSteps"); i >= 0) {
    c.steps[static_cast<size_t>(i)] = v;
    if (isFeature(i, Feature::Geometry)) run_.rebuildGeos();
    run_.buildLoops();
  } else if (name == "txtnFrames") {
    frames_ = static_cast<int>(v);
  } else if (name == "txtFps") {
    fps_ = static_cast<int>(v);
  } else if (name == "txtKeyFrameDivs") {
    c.framesPerKeyFrame = v;
  } else if (name == "txtStart") {
    c.startStep = v;
  } else if (name == "txtTailLaunch") {
    c.tailLaunch = v;
  } else if (name == "txtTailLength") {
    c.tailLength = v;
  } else if (name == "txtTailStep") {
    c.tailStep = v;
  }
  return std::nullopt;  // the delay: a run without a window does not wait
}

std::optional<DescriptionError> AnimationDescription::setBar(const std::string& name, int value) {
  FeatureControls& c = run_.controls;
  if (name == "hscGridChip" && value != c.gridChips) {
    c.gridChips = value;
    run_.rebuildGradient();
  }
  if (name == "hscBaseStart") c.baseStart = value;
  if (name == "hscBaseEnd") c.baseEnd = value;
  if (name == "hscCPstart") c.layersStart = value;
  if (name == "hscCPend") c.layersEnd = value;
  if (name == "hscnVstart") c.verticesStart = value;
  if (name == "hscnVend") c.verticesEnd = value;
  if (name == "hscRes") {
    state_.sequenceFrameWidth = kSequenceSizes[static_cast<size_t>(value)].width;
    state_.sequenceFrameHeight = kSequenceSizes[static_cast<size_t>(value)].height;
  }
  return std::nullopt;
}

std::optional<DescriptionError> AnimationDescription::setButton(const std::string& name, bool on, bool option) {
  if (option && !on) return usage(name + ": choose another option instead");
  FeatureControls& c = run_.controls;
  const int feature = featureOf(name, "chkFeature");
  const bool available = feature >= 0                                  ? featureAvailable(feature)
                         : name == "chkBackwards"                      ? !c.continuation
                         : name == "optInward" || name == "optOutward" ? c.layersContinuous
                                                                       : true;
  if (!available) return usage(name + " is not available now");
  if (feature >= 0) {
    if (run_.model().isChecked(feature) != on) run_.setChecked(feature, on);
  } else if (name == "optDiscrete" || name == "optContinue") {
    c.continuation = name == "optContinue";
  } else if (name == "optGradient") {
    if (!c.gradient) {
      c.gradient = true;
      run_.rebuildGradient();
    }
  } else if (name == "Option1") {
    c.gradient = false;
  } else if (name == "optNVcontinuous" || name == "optNVdiscrete") {
    c.layersContinuous = name == "optNVcontinuous";
  } else if (name == "optInward" || name == "optOutward") {
    c.inward = name == "optInward";
  } else if (name == "chkBackwards") {
    c.backwards = on;
  } else if (name == "chktailReverse") {
    state_.tailReverse = on;
  }
  return std::nullopt;
}

}  // namespace quill
