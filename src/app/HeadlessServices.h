#pragma once
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "platform/DesktopServices.h"

namespace quill {

// The desktop for a run without a user: messages go to the error stream,
// file dialogs answer with the names given beforehand, nothing waits.
class HeadlessServices : public DesktopServices {
 public:
  explicit HeadlessServices(std::ostream& err) : err_(err) {}

  void beep() override {}
  MessageAnswer message(const std::string& text, MessageButtons buttons, bool, const std::string&) override {
    ++messages;
    err_ << "quillaven-render: " << text << "\n";
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
  }
  std::optional<std::string> saveFileName(const FileDialogOptions&) override { return saveAnswer; }
  std::optional<std::string> openFileName(const FileDialogOptions&) override { return openAnswer; }
  std::optional<Color> pickColor(Color) override { return std::nullopt; }
  void processEvents() override {
    if (onProcessEvents) onProcessEvents();
  }
  void sleepMs(int) override {}
  double random() override { return std::uniform_real_distribution<double>(0, 1)(generator_); }

  int messages = 0;
  std::optional<std::string> saveAnswer;
  std::optional<std::string> openAnswer;
  std::function<void()> onProcessEvents;

 private:
  std::ostream& err_;
  std::mt19937 generator_{20261207};
};

}  // namespace quill
