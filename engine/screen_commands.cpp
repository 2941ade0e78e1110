// Positioning, erasing, scrolling, attribute, border-title and viewport
// commands of the host.
#include <algorithm>
#include <cstring>

#include "block_store.h"
#include "cell_primitives.h"
#include "completions.h"
#include "engine_context.h"
#include "param_collector.h"
#include "render_notify.h"
#include "screen_model.h"
#include "viewport.h"

namespace {

// A host coordinate byte as a value, with bytes below 32 counting as 0.
int Clamped(uint8_t byte) { return byte < 32 ? 0 : byte - 32; }

// Clamp one axis of a rectangle to the window limits: a span that overflows
// moves back first, then shrinks at the near edge. False when empty.
bool ClampAxis(int low, int high, uint8_t startByte, uint8_t sizeByte, int& start, int& size) {
  start = low + Clamped(startByte);
  size = sizeByte - 32;
  if (size < 1) size = 1;
  if (start + size - 1 > high) start = high - size + 1;
  if (start < low) {
    size -= low - start;
    start = low;
  }
  return size >= 1;
}

bool ClampRectangle(uint8_t c, uint8_t r, uint8_t wb, uint8_t hb, int& col, int& row, int& width,
                    int& height) {
  const WindowState& w = Screen.win;
  return ClampAxis(w.winLeft, w.winRight, c, wb, col, width) &&
         ClampAxis(w.winTop, w.winBottom, r, hb, row, height);
}

void ScrollRectangle(int direction) {
  const WindowState& w = Screen.win;
  const uint8_t* p = ParamBytes();
  // The viewport's lines follow the host's rows whatever the checks below say.
  if (w.vpBuffer) ScrollViewportLines(Clamped(p[1]), Clamped(p[3]), p[4] - 32, direction);
  int left = w.winLeft + Clamped(p[0]);
  if (left > w.winRight) return;
  int top = w.winTop + Clamped(p[1]);
  if (top > w.winBottom) return;
  int right = std::min<int>(w.winLeft + Clamped(p[2]), w.winRight);
  int bottom = std::min<int>(w.winTop + Clamped(p[3]), w.winBottom);
  if (right < left || bottom < top) return;
  int count = p[4] - 32;
  if (count < 1) return;
  ScrollRect(left, top, right - left + 1, bottom - top + 1, count, direction, kKeepLines);
}

void BorderTitle(bool present, int row) {
  if (!present) return;
  const WindowState& w = Screen.win;
  const uint8_t* text = ParamBytes();
  int len = static_cast<int>(std::strlen(ParamText(0)));
  int width = w.winRight - w.winLeft + 1;
  if (len <= width) {
    WriteText(w.winLeft + (width - len) / 2, row, text, len);
  } else {
    WriteText(w.winLeft, row, text + (len - width) / 2, width);
  }
}

}  // namespace

void CursorAddress() {
  WindowState& w = Screen.win;
  const uint8_t* p = ParamBytes();
  int row = std::min<int>(w.winTop + Clamped(p[0]), w.winBottom);
  int col = w.winLeft + Clamped(p[1]);
  bool viewportRow = w.vpBuffer && row >= w.vpRow && row < w.vpRow + w.vpHeight;
  if (!viewportRow) {
    col = std::min<int>(col, w.winRight);
  } else if (col < w.vpCol) {
    col = std::min<int>(col, w.vpCol - 1);
  } else {
    col = std::min<int>(col, w.winRight + w.vpLineLength - w.vpWidth);
  }
  w.cursorRow = static_cast<uint8_t>(row);
  w.cursorCol = static_cast<int16_t>(col);
  CursorMoved();
}

void EraseToEndOfLine() {
  const WindowState& w = Screen.win;
  FillCells(w.cursorCol, w.cursorRow, w.winRight - w.cursorCol + 1, ' ', true);
}

void EraseToEndOfWindow() {
  EraseToEndOfLine();
  const WindowState& w = Screen.win;
  for (int row = w.cursorRow + 1; row <= w.winBottom; ++row)
    FillCells(w.winLeft, row, w.winRight - w.winLeft + 1, ' ', true);
}

void EraseRectangle() {
  const uint8_t* p = ParamBytes();
  int col, row, width, height;
  if (!ClampRectangle(p[0], p[1], p[2], p[3], col, row, width, height)) return;
  for (int r = row; r < row + height; ++r) FillCells(col, r, width, kKeepLines, true);
}

void AttributeRectangle() {
  // The text carries c, r, w, h as bytes and then the flag character.
  uint8_t p[5] = {0, 0, 0, 0, 0};
  const char* text = ParamText(0);
  for (int i = 0; i < 5 && text[i]; ++i) p[i] = static_cast<uint8_t>(text[i]);
  int col, row, width, height;
  if (!ClampRectangle(p[0], p[1], p[2], p[3], col, row, width, height)) return;
  uint8_t attrClass = p[4] == '0' ? 2 : 9;
  for (int r = row; r < row + height; ++r) {
    if (r < 0 || r >= kScreenRows) continue;
    for (int c = col; c < col + width; ++c)
      if (c >= 0 && c < kScreenCols) CellAt(c, r)->attrClass = attrClass;
  }
  InvalidateCells(col, row, width, height);
}

void ScrollRectangleUp() { ScrollRectangle(-1); }
void ScrollRectangleDown() { ScrollRectangle(1); }

void TopBorderTitle() { BorderTitle(Screen.win.hasTopBorder, Screen.win.winTop - 1); }
void BottomBorderTitle() { BorderTitle(Screen.win.hasBottomBorder, Screen.win.winBottom + 1); }

void DefineViewport() {
  WindowState& w = Screen.win;
  const uint8_t* p = ParamBytes();
  int left = w.winLeft + Clamped(p[0]);
  int right = w.winLeft + std::max(Clamped(p[1]), Clamped(p[0]));
  if (right > w.winRight) {
    left -= right - w.winRight;
    right = w.winRight;
    left = std::max<int>(left, w.winLeft);
  }
  int top = w.winTop + Clamped(p[3]);
  int bottom = w.winTop + std::max(Clamped(p[4]), Clamped(p[3]));
  if (bottom > w.winBottom) {
    top -= bottom - w.winBottom;
    bottom = w.winBottom;
    top = std::max<int>(top, w.winTop);
  }
  w.vpCol = static_cast<int16_t>(left);
  w.vpRow = static_cast<int16_t>(top);
  w.vpWidth = static_cast<int16_t>(right - left + 1);
  w.vpHeight = static_cast<int16_t>(bottom - top + 1);
  w.vpLineLength = static_cast<int16_t>(std::max<int>(p[2] - 32, w.vpWidth));
  w.vpOffset = 0;
  FreeViewport();
  size_t lines = static_cast<size_t>(std::max(w.winBottom - w.winTop + 1, 1));
  size_t size = lines * static_cast<size_t>(w.vpLineLength);
  w.vpBuffer = AllocBlock(size);
  if (!w.vpBuffer) {
    Engine.shell->FailureNotice();
    return;
  }
  std::memset(BlockData(w.vpBuffer), ' ', size);
}

void NormalAttribute() { Screen.win.curAttrClass = 2; }
void HighlightAttribute() { Screen.win.curAttrClass = 9; }
void BlinkAttribute() { Screen.win.curAttrClass = 8; }
void AutoWrapOn() { Screen.AutoWrap = 1; }
void AutoWrapOff() { Screen.AutoWrap = 0; }
