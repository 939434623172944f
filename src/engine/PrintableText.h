#pragma once
#include <string>
#include <string_view>

namespace quill {

// Bytes read from a file, fit to quote in a message on a terminal or in a
// message box: printable ASCII and well-formed UTF-8 stay as they are; control
// bytes, C1 controls and bytes that are no valid UTF-8 become escapes ("\x07").
std::string printableText(std::string_view bytes);

}  // namespace quill
