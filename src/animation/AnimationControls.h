#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// What the animation window's text boxes take, shared by the window and the
// descriptions the headless renderer reads. A refused text gets a message;
// the box goes back to its fallback, with a beep when the text was no number.
struct BoxRefusal {
  std::string message;
  bool beep = false;
  const char* fallback = "";
};
// nullopt when the box named takes the text (or no box has that name).
std::optional<BoxRefusal> checkBoxText(std::string_view box, std::string_view text);

// The kinds of the window's named controls, as a description sets them.
enum class ControlKind { None, Text, Bar, Option, Check, ShownOnly };
struct ControlSpec {
  ControlKind kind = ControlKind::None;
  int minimum = 0;  // scroll bars
  int maximum = 0;
};
// The control by its objectName; kind None when the window has none of that
// name, ShownOnly for labels, frames and buttons, which take no value.
ControlSpec controlSpec(std::string_view name);

}  // namespace quill
