#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/DesktopServices.h"

namespace quill {

// Test double for the desktop: answers come from scripts queued beforehand
// (defaults when a script runs dry) and every message and beep is logged.
class ScriptedServices : public DesktopServices {
 public:
  struct Message {
    std::string text;
    MessageButtons buttons;
    bool questionIcon;
  };

  void beep() override { ++beeps; }
  MessageAnswer message(const std::string& text, MessageButtons buttons, bool questionIcon,
                        const std::string&) override {
    messages.push_back({text, buttons, questionIcon});
    return next(answers, buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No);
  }
  std::optional<std::string> saveFileName(const FileDialogOptions& options) override { return openFileName(options); }
  std::optional<std::string> openFileName(const FileDialogOptions& options) override {
    fileDialogs.push_back(options);
    return next<std::optional<std::string>>(fileNames, std::nullopt);
  }
  std::optional<Color> pickColor(Color) override { return next<std::optional<Color>>(colors, std::nullopt); }
  void processEvents() override {
    ++processEventsCalls;
    if (onProcessEvents) onProcessEvents();
  }
  void sleepMs(int) override {}
  double random() override { return next(randoms, 0.5); }

  // Scripts.
  std::deque<MessageAnswer> answers;                 // default: Ok / No for questions
  std::deque<std::optional<std::string>> fileNames;  // default: cancelled
  std::deque<std::optional<Color>> colors;           // default: cancelled
  std::deque<double> randoms;                        // default: 0.5
  std::function<void()> onProcessEvents;             // e.g. press Esc mid-render

  // Log.
  int beeps = 0;
  std::vector<Message> messages;
  std::vector<FileDialogOptions> fileDialogs;
  int processEventsCalls = 0;

  std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }

 private:
  template <typename T>
  static T next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

}  // namespace quill
