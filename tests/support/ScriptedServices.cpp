#include "support/ScriptedServices.h"

namespace quill {

namespace {
template <typename T>
T popOr(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T value = queue.front();
  queue.pop_front();
  return value;
}
}  // namespace

MessageAnswer ScriptedServices::message(const std::string& text, MessageButtons buttons,
                                        bool questionIcon, const std::string&) {
  messages.push_back({text, buttons, questionIcon});
  const MessageAnswer fallback = buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
  return popOr(answers, fallback);
}

std::optional<std::string> ScriptedServices::saveFileName(const FileDialogOptions& options) {
  fileDialogs.push_back(options);
  return popOr<std::optional<std::string>>(fileNames, std::nullopt);
}

std::optional<std::string> ScriptedServices::openFileName(const FileDialogOptions& options) {
  fileDialogs.push_back(options);
  return popOr<std::optional<std::string>>(fileNames, std::nullopt);
}

std::optional<Color> ScriptedServices::pickColor(Color) {
  return popOr<std::optional<Color>>(colors, std::nullopt);
}

void ScriptedServices::processEvents() {
  ++processEventsCalls;
  if (onProcessEvents) onProcessEvents();
}

double ScriptedServices::random() { return popOr(randoms, 0.5); }

}  // namespace quill
