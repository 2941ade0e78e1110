// Copy texts: the selected rectangle of the screen, and the private
// "Corvane_Edit" clipboard record that local edit mode copies lines with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mouse_machine.h"

// The rectangle's glyphs, each row from the left to the right column followed
// by CR LF (the clipboard adds the final NUL). Cells outside the grid are left out.
std::string SelectionText(const CellRect& rect);

// "Corvane_Edit": a 32-bit first word, a 32-bit line count n, then n bytes of
// line flags (little-endian). Its companion text item holds the n lines of
// one width, each followed by CR LF, and a final NUL.
std::vector<uint8_t> EncodeEditRecord(uint32_t firstWord, const std::vector<uint8_t>& lineFlags);
std::string EditClipboardText(const std::vector<std::string>& lines, int width);

struct EditRecord {
  uint32_t firstWord;
  int32_t lineCount;
  const uint8_t* flags;  // lineCount bytes inside the record
};
// Reads a record another program may have put on the clipboard: refused when
// the count is negative or larger than the flags the block holds, or than
// the lines the text item (textSize bytes) can hold at the smallest width.
bool DecodeEditRecord(const uint8_t* data, size_t size, size_t textSize, EditRecord* out);
