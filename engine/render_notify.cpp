#include "render_notify.h"

#include <cstdint>

#include "engine_context.h"
#include "screen_model.h"

namespace {

// Per row, the span of changed columns; lo > hi means the row is clean.
struct RenderDamage {
  uint8_t lo[kScreenRows];
  uint8_t hi[kScreenRows];
  uint32_t dirtyRows;  // bit per row
  bool cursorMoved;
};

RenderDamage damage = {};

}  // namespace

void InvalidateCells(int col, int row, int width, int height) {
  // Clip to the grid: callers may pass rectangles that reach past it.
  int right = col + width - 1;
  int bottom = row + height - 1;
  if (col < 0) col = 0;
  if (row < 0) row = 0;
  if (right > kScreenCols - 1) right = kScreenCols - 1;
  if (bottom > kScreenRows - 1) bottom = kScreenRows - 1;
  if (right < col || bottom < row) return;
  for (int r = row; r <= bottom; ++r) {
    uint32_t bit = 1u << r;
    if (damage.dirtyRows & bit) {
      if (col < damage.lo[r]) damage.lo[r] = static_cast<uint8_t>(col);
      if (right > damage.hi[r]) damage.hi[r] = static_cast<uint8_t>(right);
    } else {
      damage.dirtyRows |= bit;
      damage.lo[r] = static_cast<uint8_t>(col);
      damage.hi[r] = static_cast<uint8_t>(right);
    }
  }
}

void InvalidateFrame() {
  const WindowState& w = Screen.win;
  InvalidateCells(w.frameCol, w.frameRow, w.frameWidth, w.frameHeight);
}

void CursorMoved() { damage.cursorMoved = true; }

void FlushRenderNotifications() {
  EngineShell* shell = Engine.shell;
  if (damage.dirtyRows) {
    // Consecutive rows with the same span go out as one rectangle.
    int r = 0;
    while (r < kScreenRows) {
      if (!(damage.dirtyRows & (1u << r))) {
        ++r;
        continue;
      }
      int first = r;
      while (r + 1 < kScreenRows && (damage.dirtyRows & (1u << (r + 1))) &&
             damage.lo[r + 1] == damage.lo[first] && damage.hi[r + 1] == damage.hi[first])
        ++r;
      shell->InvalidateCells(damage.lo[first], first, damage.hi[first] - damage.lo[first] + 1,
                             r - first + 1);
      ++r;
    }
    damage.dirtyRows = 0;
  }
  if (damage.cursorMoved) {
    damage.cursorMoved = false;
    shell->CursorMoved();
  }
}

void DiscardRenderNotifications() { damage = RenderDamage{}; }
