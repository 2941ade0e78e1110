// The keystroke script of the -E switch: the keys played as type-ahead right
// after auto-login has sent the user id.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Internal key codes of the script, in order. Each character is its own code
// except for the caret escapes: ^D Down, ^U Up, ^L Left, ^R Right, ^N Enter,
// ^T Tab, ^t Shift+Tab, ^I separator, ^^ a caret; a caret before any other
// character stands for itself, a caret at the end is ignored. Unless the last
// item is ^N, Enter, separator, Enter follow. The whole text is used, however
// long.
std::vector<int32_t> ParseKeystrokeScript(const std::string& script);
