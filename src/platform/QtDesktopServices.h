#pragma once
#include <random>
#include <string>

#include "platform/DesktopServices.h"

namespace quill {

// "Files (*.kvt)|*.kvt" (description|patterns, pairs joined by '|', patterns
// separated by ';') as a Qt name filter: "Files (*.kvt)", pairs joined by ";;".
std::string toQtNameFilter(const std::string& filter);

// The extension a Qt name filter writes: "mp4" for "H.264 movie (*.mp4)", or ""
// when its first pattern names no single extension ("All (*.*)").
std::string suffixOfNameFilter(const std::string& qtFilter);

// The desktop services on Qt: the system beep, message boxes, the standard
// file and colour dialogs, the event loop and the clock.
class QtDesktopServices : public DesktopServices {
 public:
  QtDesktopServices();

  void beep() override;
  MessageAnswer message(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                        bool questionIcon = false, const std::string& title = {}) override;
  std::optional<std::string> saveFileName(const FileDialogOptions& options) override;
  std::optional<std::string> openFileName(const FileDialogOptions& options) override;
  std::optional<Color> pickColor(Color initial) override;
  void processEvents() override;
  void sleepMs(int milliseconds) override;
  double random() override;

 private:
  std::mt19937 generator_;
};

}  // namespace quill
