#include "edit_text_ops.h"

#include <cstdio>

const char kCopyTooLargeText[] = "Selected text is too large to copy";
const char kCopyFailedText[] = "Unable to copy data to clipboard";
const char kPasteFailedText[] = "Unable to read data from clipboard";

std::vector<std::string> SplitPastedText(const std::string& text) {
  std::vector<std::string> pieces(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

int IndentOf(const std::string& line) {
  int n = 0;
  while (static_cast<size_t>(n) < line.size() && line[static_cast<size_t>(n)] == ' ') ++n;
  return n;
}

int NextIndentStop(int indent) {
  if (indent < 10) return 10;
  return 10 + ((indent - 10) / 3 + 1) * 3;
}

int PreviousIndentStop(int indent) {
  if (indent <= 10) return 0;
  if (indent <= 13) return 10;
  return 10 + ((indent - 10 - 1) / 3) * 3;
}

std::string WithIndent(const std::string& line, int indent) {
  if (indent < 0) indent = 0;
  return std::string(static_cast<size_t>(indent), ' ') + line.substr(static_cast<size_t>(IndentOf(line)));
}

std::string CommentedLine(const std::string& line) { return "!" + line; }

bool UncommentLine(std::string& line) {
  const size_t at = static_cast<size_t>(IndentOf(line));
  if (at >= line.size() || line[at] != '!') return false;
  line.erase(at, 1);
  return true;
}

bool CopyLinesText(const std::vector<std::string>& lines, int firstIndex, size_t limit, std::string& out) {
  out.clear();
  for (size_t i = 0; i < lines.size(); ++i) {
    char number[24];
    std::snprintf(number, sizeof number, "%-5d", firstIndex + static_cast<int>(i) + 1);
    if (out.size() + lines[i].size() + 32 > limit) {
      out.clear();
      return false;
    }
    out += number;
    out += lines[i];
    out += "\r\n";
  }
  return true;
}

namespace {
// Rows by key (0-9, decimal point); columns plain, Ctrl, Alt, Ctrl+Alt.
const int kPadBytes[11][4] = {
    {0xC4, 0xC4, 0xCD, 0xCD},  // 0
    {0xC0, 0xD3, 0xD4, 0xC8},  // 1
    {0xC1, 0xD0, 0xCF, 0xCA},  // 2
    {0xD9, 0xBD, 0xBE, 0xBC},  // 3
    {0xC3, 0xC7, 0xC6, 0xCC},  // 4
    {0xC5, 0xD7, 0xD8, 0xCE},  // 5
    {0xB4, 0xB6, 0xB5, 0xB9},  // 6
    {0xDA, 0xD6, 0xD5, 0xC9},  // 7
    {0xC2, 0xD2, 0xD1, 0xCB},  // 8
    {0xBF, 0xB7, 0xB8, 0xBB},  // 9
    {0xB3, 0xBA, 0xB3, -1},    // decimal point
};
}  // namespace

int NumPadByte(int key, bool ctrl, bool alt, bool screenDraw) {
  if (key < kPad0 || key > kPadDecimal) return -1;
  if (!ctrl && !alt && !screenDraw) return key == kPadDecimal ? '.' : '0' + key;
  return kPadBytes[key][(ctrl ? 1 : 0) + (alt ? 2 : 0)];
}
