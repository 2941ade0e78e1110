#include "viewport.h"

#include <cstring>

#include "block_store.h"
#include "cell_primitives.h"
#include "glyph_table.h"
#include "render_notify.h"
#include "screen_model.h"

namespace {

// The buffer line of a screen row, or null when the row has none (the
// buffer was made for another window, or the row lies outside it).
uint8_t* BufferLine(int screenRow) {
  const WindowState& w = Screen.win;
  uint8_t* data = BlockData(w.vpBuffer);
  if (!data || w.vpLineLength < 1) return nullptr;
  int line = screenRow - w.winTop;
  size_t lines = BlockSize(w.vpBuffer) / static_cast<size_t>(w.vpLineLength);
  if (line < 0 || static_cast<size_t>(line) >= lines) return nullptr;
  return data + static_cast<size_t>(line) * w.vpLineLength;
}

bool OnViewportRow(int row) {
  const WindowState& w = Screen.win;
  return row >= w.vpRow && row < w.vpRow + w.vpHeight;
}

// Columns of the buffer line shown on screen, clipped to the buffer.
int VisibleCount() {
  const WindowState& w = Screen.win;
  int n = w.vpWidth;
  if (w.vpOffset + n > w.vpLineLength) n = w.vpLineLength - w.vpOffset;
  return n < 0 ? 0 : n;
}

void PutCharAt(int col, uint8_t ch) {
  WindowState& w = Screen.win;
  int16_t saved = w.cursorCol;
  w.cursorCol = static_cast<int16_t>(col);
  PutChar(ch, CurrentAttribute());
  w.cursorCol = saved;
}

}  // namespace

bool ViewportTakesCharacter(uint8_t ch) {
  WindowState& w = Screen.win;
  if (!OnViewportRow(w.cursorRow) || w.cursorCol < w.vpCol) return false;
  int k = w.cursorCol - w.vpCol;
  if (k < w.vpLineLength) {
    if (uint8_t* line = BufferLine(w.cursorRow)) line[k] = ch == '\t' ? ' ' : GlyphTable[ch];
    int screenCol = w.cursorCol - w.vpOffset;
    if (screenCol >= w.vpCol && screenCol < w.vpCol + w.vpWidth) PutCharAt(screenCol, ch);
  } else {
    int screenCol = w.vpCol + w.vpWidth + (k - w.vpLineLength);
    if (screenCol <= w.winRight) PutCharAt(screenCol, ch);
  }
  if (w.cursorCol < INT16_MAX) ++w.cursorCol;
  CursorMoved();
  return true;
}

void ScrollViewportLines(int first, int last, int count, int direction) {
  const WindowState& w = Screen.win;
  uint8_t* data = BlockData(w.vpBuffer);
  if (!data || w.vpLineLength < 1 || count < 1) return;
  const int lines = static_cast<int>(BlockSize(w.vpBuffer) / static_cast<size_t>(w.vpLineLength));
  // The same rows as the screen rectangle, so every line moves whole with
  // its row; rows the host names outside the buffer are cut off.
  int limit = w.winBottom - w.winTop;
  if (last > limit) last = limit;
  if (last > lines - 1) last = lines - 1;
  if (first < 0) first = 0;
  if (first > last) return;
  const size_t len = static_cast<size_t>(w.vpLineLength);
  const int span = last - first + 1;
  if (count > span) count = span;
  uint8_t* top = data + first * len;
  if (direction < 0) {
    std::memmove(top, top + count * len, (span - count) * len);
    std::memset(top + (span - count) * len, ' ', count * len);
  } else {
    std::memmove(top + count * len, top, (span - count) * len);
    std::memset(top, ' ', count * len);
  }
}

void StoreViewport() {
  const WindowState& w = Screen.win;
  int n = VisibleCount();
  for (int row = w.vpRow; row < w.vpRow + w.vpHeight; ++row) {
    uint8_t* line = BufferLine(row);
    if (!line || row >= kScreenRows) continue;
    for (int i = 0; i < n; ++i) {
      int col = w.vpCol + i;
      if (col >= 0 && col < kScreenCols) line[w.vpOffset + i] = CellAt(col, row)->glyph;
    }
  }
}

void ShowViewport() {
  const WindowState& w = Screen.win;
  int n = VisibleCount();
  for (int row = w.vpRow; row < w.vpRow + w.vpHeight; ++row) {
    uint8_t* line = BufferLine(row);
    if (!line || row >= kScreenRows) continue;
    for (int i = 0; i < n; ++i) {
      int col = w.vpCol + i;
      if (col >= 0 && col < kScreenCols) CellAt(col, row)->glyph = line[w.vpOffset + i];
    }
  }
  InvalidateCells(w.vpCol, w.vpRow, w.vpWidth, w.vpHeight);
}

void ScrollViewportTo(int offset) {
  WindowState& w = Screen.win;
  if (!w.vpBuffer) return;
  int maxOffset = w.vpLineLength - w.vpWidth;
  if (offset > maxOffset) offset = maxOffset;
  if (offset < 0) offset = 0;
  StoreViewport();
  w.vpOffset = static_cast<int16_t>(offset);
  ShowViewport();
}

void FreeViewport() {
  FreeBlock(Screen.win.vpBuffer);
  Screen.win.vpBuffer = 0;
}
