#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/Types.h"

namespace quill {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct FileDialogOptions {
  std::string title;            // "Save File"
  std::string filter;           // "Files (*.kvt)|*.kvt"
  std::string defaultExtension; // "kvt"
  bool overwritePrompt = false;
  bool pathMustExist = false;
};

// Everything the program asks of the desktop besides drawing. The Qt
// implementation talks to the user; tests use a scripted double.
class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  virtual void beep() = 0;
  virtual MessageAnswer message(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                                bool questionIcon = false, const std::string& title = {}) = 0;
  // nullopt when cancelled.
  virtual std::optional<std::string> saveFileName(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> openFileName(const FileDialogOptions& options) = 0;
  virtual std::optional<Color> pickColor(Color initial) = 0;
  virtual void processEvents() = 0;
  virtual void sleepMs(int milliseconds) = 0;
  // Uniform in [0, 1), from a generator seeded from the clock (or a test seed).
  virtual double random() = 0;
};

}  // namespace quill
