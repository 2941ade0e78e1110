#include "keystroke_script.h"

namespace {

constexpr int32_t kEnter = 13;
constexpr int32_t kSeparator = 1089;

// The code of "^c", or -1 when c is not an escape letter.
int32_t EscapeCode(char c) {
  switch (c) {
    case 'D': return 1000;  // Down
    case 'U': return 1001;  // Up
    case 'L': return 1002;  // Left
    case 'R': return 1003;  // Right
    case 'N': return kEnter;
    case 'T': return 9;     // Tab
    case 't': return 1062;  // Shift+Tab
    case 'I': return kSeparator;
    case '^': return '^';
    default: return -1;
  }
}

}  // namespace

std::vector<int32_t> ParseKeystrokeScript(const std::string& script) {
  std::vector<int32_t> codes;
  codes.reserve(script.size() + 3);
  bool lastWasEnterEscape = false;
  for (size_t i = 0; i < script.size(); ++i) {
    const uint8_t c = static_cast<uint8_t>(script[i]);
    if (c != '^') {
      codes.push_back(c);
      lastWasEnterEscape = false;
      continue;
    }
    if (i + 1 == script.size()) break;  // a caret at the end is no item
    const char next = script[++i];
    const int32_t code = EscapeCode(next);
    lastWasEnterEscape = next == 'N';
    if (code >= 0) {
      codes.push_back(code);
    } else {
      codes.push_back('^');
      codes.push_back(static_cast<uint8_t>(next));
    }
  }
  if (!lastWasEnterEscape) {
    codes.push_back(kEnter);
    codes.push_back(kSeparator);
    codes.push_back(kEnter);
  }
  return codes;
}
