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
                        const std::string& title) override;
  std::optional<std::string> saveFileName(const FileDialogOptions& options) override;
  std::optional<std::string> openFileName(const FileDialogOptions& options) override;
  std::optional<Color> pickColor(Color initial) override;
  void processEvents() override;
  void sleepMs(int) override {}
  double random() override;

  // Scripts.
  std::deque<MessageAnswer> answers;                    // default: Ok / No for questions
  std::deque<std::optional<std::string>> fileNames;     // default: cancelled
  std::deque<std::optional<Color>> colors;              // default: cancelled
  std::deque<double> randoms;                           // default: 0.5
  std::function<void()> onProcessEvents;                // e.g. press Esc mid-render

  // Log.
  int beeps = 0;
  std::vector<Message> messages;
  std::vector<FileDialogOptions> fileDialogs;
  int processEventsCalls = 0;

  std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }
};

}  // namespace quill
