#include "selection_text.h"

#include "screen_model.h"

namespace {
int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

uint32_t ReadWord(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

void PutWord(std::vector<uint8_t>* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(v >> (8 * i)));
}
}  // namespace

std::string SelectionText(const CellRect& rect) {
  const int left = Clamp(rect.left, 0, kScreenCols - 1), right = Clamp(rect.right, 0, kScreenCols - 1);
  const int top = Clamp(rect.top, 0, kScreenRows - 1), bottom = Clamp(rect.bottom, 0, kScreenRows - 1);
  std::string text;
  if (left > right || top > bottom) return text;
  text.reserve(static_cast<size_t>((bottom - top + 1) * (right - left + 3)));
  for (int row = top; row <= bottom; ++row) {
    for (int col = left; col <= right; ++col) text += static_cast<char>(Screen.cells[row * kScreenCols + col].glyph);
    text += "\r\n";
  }
  return text;
}

std::vector<uint8_t> EncodeEditRecord(uint32_t firstWord, const std::vector<uint8_t>& lineFlags) {
  std::vector<uint8_t> out;
  out.reserve(8 + lineFlags.size());
  PutWord(&out, firstWord);
  PutWord(&out, static_cast<uint32_t>(lineFlags.size()));
  out.insert(out.end(), lineFlags.begin(), lineFlags.end());
  return out;
}

std::string EditClipboardText(const std::vector<std::string>& lines, int width) {
  if (width < 0) width = 0;
  std::string text;
  text.reserve(lines.size() * static_cast<size_t>(width + 2) + 1);
  for (const std::string& line : lines) {
    std::string cell = line.substr(0, static_cast<size_t>(width));
    cell.resize(static_cast<size_t>(width), ' ');
    text += cell;
    text += "\r\n";
  }
  text += '\0';
  return text;
}

bool DecodeEditRecord(const uint8_t* data, size_t size, size_t textSize, EditRecord* out) {
  if (!data || size < 8) return false;
  const uint32_t count = ReadWord(data + 4);
  if (count > 0x7FFFFFFFu || count > size - 8) return false;
  // Every line takes at least its CR LF in the text, and the text ends with a NUL.
  if (textSize < 1 || count > (textSize - 1) / 2) return false;
  out->firstWord = ReadWord(data);
  out->lineCount = static_cast<int32_t>(count);
  out->flags = data + 8;
  return true;
}
