#pragma once

namespace quill {

// Key codes and shift bits as every window's key handler takes them: letters
// and digits as their upper-case character, Esc 27, the arrows 37 to 40.
constexpr int kKeyEscape = 27;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kShiftBit = 1;
constexpr int kCtrlBit = 2;
constexpr int kAltBit = 4;

}  // namespace quill
