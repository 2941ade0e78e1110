#include "cell_primitives.h"

#include <cstring>

#include "glyph_table.h"
#include "render_notify.h"

namespace {

// Clip a one-row span to the grid; false when nothing is left.
bool ClipSpan(int& col, int row, int& count) {
  if (row < 0 || row >= kScreenRows || count < 1) return false;
  if (col < 0) {
    count += col;
    col = 0;
  }
  if (col + count > kScreenCols) count = kScreenCols - col;
  return count > 0;
}

// Clip a rectangle to the grid; false when empty.
bool ClipRect(int& col, int& row, int& width, int& height) {
  if (col < 0) {
    width += col;
    col = 0;
  }
  if (row < 0) {
    height += row;
    row = 0;
  }
  if (col + width > kScreenCols) width = kScreenCols - col;
  if (row + height > kScreenRows) height = kScreenRows - row;
  return width > 0 && height > 0;
}

inline void StoreCell(Cell* cell, uint8_t ch, CellAttribute a) {
  if (ch == kKeepLines) {
    if (!IsBoxGlyph(cell->glyph)) cell->glyph = ' ';
  } else {
    cell->glyph = GlyphTable[ch];
  }
  cell->attrClass = a.attrClass;
  cell->level = a.level;
  cell->choice = a.choice;
}

}  // namespace

void FillCellsWith(int col, int row, int count, uint8_t ch, CellAttribute attribute) {
  if (!ClipSpan(col, row, count)) return;
  Cell* cell = CellAt(col, row);
  for (int i = 0; i < count; ++i) StoreCell(cell + i, ch, attribute);
}

void FillCells(int col, int row, int count, uint8_t ch, bool notify) {
  if (count < 1) return;
  FillCellsWith(col, row, count, ch, CurrentAttribute());
  if (notify) InvalidateCells(col, row, count, 1);
}

void PutChar(uint8_t ch, CellAttribute attribute) {
  WindowState& w = Screen.win;
  int col = w.cursorCol;
  int row = w.cursorRow;
  if (InGrid(col, row)) {
    StoreCell(CellAt(col, row), ch, attribute);
    InvalidateCells(col, row, 1, 1);
  }
  // The column may run far past the margin; it must not wrap round.
  if (w.cursorCol < INT16_MAX) ++w.cursorCol;
  CursorMoved();
}

void WriteText(int col, int row, const uint8_t* text, int length) {
  int from = col;
  int count = length;
  if (!ClipSpan(from, row, count)) return;
  Cell* cell = CellAt(from, row);
  const uint8_t* src = text + (from - col);
  for (int i = 0; i < count; ++i) cell[i].glyph = GlyphTable[src[i]];
  InvalidateCells(col, row, length, 1);
}

void ShiftLeft(int col, int row, int count) {
  int from = col;
  int n = count;
  if (ClipSpan(from, row, n) && from == col && n == count && count >= 2)
    std::memmove(CellAt(col, row), CellAt(col + 1, row), sizeof(Cell) * (count - 1));
  InvalidateCells(col, row, count, 1);
}

void ShiftRight(int col, int row, int count) {
  if (count < 2) return;
  int from = col;
  int n = count;
  if (!ClipSpan(from, row, n) || from != col || n != count) return;
  std::memmove(CellAt(col + 1, row), CellAt(col, row), sizeof(Cell) * (count - 1));
}

void ScrollRect(int col, int row, int width, int height, int count, int direction, uint8_t fill) {
  if (count < 1) return;
  if (!ClipRect(col, row, width, height)) return;
  const size_t rowBytes = sizeof(Cell) * width;
  int firstVacated = row;
  if (count < height) {
    if (direction < 0) {
      for (int r = row; r < row + height - count; ++r)
        std::memcpy(CellAt(col, r), CellAt(col, r + count), rowBytes);
      firstVacated = row + height - count;
    } else {
      for (int r = row + height - 1; r >= row + count; --r)
        std::memcpy(CellAt(col, r), CellAt(col, r - count), rowBytes);
      firstVacated = row;
    }
  } else {
    count = height;
  }
  for (int r = firstVacated; r < firstVacated + count; ++r) FillCells(col, r, width, fill, false);
  InvalidateCells(col, row, width, height);
}

void ClearWindow(int col, int row, int width, int height, CellAttribute attribute, bool define) {
  WindowState& w = Screen.win;
  if (define) {
    w.winLeft = static_cast<uint8_t>(col);
    w.winRight = static_cast<uint8_t>(col + width - 1);
    w.winTop = static_cast<uint8_t>(row);
    w.winBottom = static_cast<uint8_t>(row + height - 1);
    w.frameCol = static_cast<uint8_t>(col);
    w.frameWidth = static_cast<uint8_t>(width);
    w.frameRow = static_cast<uint8_t>(row);
    w.frameHeight = static_cast<uint8_t>(height);
    w.curAttrClass = attribute.attrClass;
    w.curLevel = attribute.level;
    w.curChoice = attribute.choice;
  }
  w.cursorCol = w.winLeft;
  w.cursorRow = w.winTop;
  for (int r = row; r <= w.winBottom; ++r)
    FillCellsWith(col, r, w.winRight - col + 1, ' ', attribute);
  InvalidateFrame();
  CursorMoved();
}
