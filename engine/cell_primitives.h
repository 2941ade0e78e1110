// The primitives that change cells. Every one of them refuses to touch a cell
// outside the 80 x 25 grid, whatever coordinates the host made them compute.
#pragma once

#include <cstdint>

#include "screen_model.h"

// Address of a cell; callers stay within the grid.
inline Cell* CellAt(int col, int row) { return &Screen.cells[row * kScreenCols + col]; }

// Keep-lines fill character: box-drawing glyphs stay, anything else blanks.
constexpr uint8_t kKeepLines = 9;

// count cells from (col, row): glyph from ch (TAB = keep lines), attribute =
// the current attribute. With notify, one InvalidateCells of the span.
void FillCells(int col, int row, int count, uint8_t ch, bool notify);
// Same with an explicit attribute.
void FillCellsWith(int col, int row, int count, uint8_t ch, CellAttribute attribute);
// Write ch at the cursor with the attribute, advance cursorCol. No wrap.
void PutChar(uint8_t ch, CellAttribute attribute);
// Glyphs only, attributes untouched.
void WriteText(int col, int row, const uint8_t* text, int length);
void ShiftLeft(int col, int row, int count);
void ShiftRight(int col, int row, int count);
// direction < 0 scrolls up, >= 0 down.
void ScrollRect(int col, int row, int width, int height, int count, int direction, uint8_t fill);
void ClearWindow(int col, int row, int width, int height, CellAttribute attribute, bool define);
