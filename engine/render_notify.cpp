#include "render_notify.h"

#include <cstdint>

#include "engine_context.h"
#include "screen_model.h"

RenderDamage Damage = {};

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
    if (Damage.dirtyRows & bit) {
      if (col < Damage.lo[r]) Damage.lo[r] = static_cast<uint8_t>(col);
      if (right > Damage.hi[r]) Damage.hi[r] = static_cast<uint8_t>(right);
    } else {
      Damage.dirtyRows |= bit;
      Damage.lo[r] = static_cast<uint8_t>(col);
      Damage.hi[r] = static_cast<uint8_t>(right);
    }
  }
}

void InvalidateFrame() {
  const WindowState& w = Screen.win;
  InvalidateCells(w.frameCol, w.frameRow, w.frameWidth, w.frameHeight);
}

void HoldRenderNotifications() { ++Damage.holds; }

void ReleaseRenderNotifications() {
  if (Damage.holds > 0) --Damage.holds;
  FlushRenderNotifications();
}

void FlushRenderNotifications() {
  if (Damage.holds > 0) return;
  EngineShell* shell = Engine.shell;
  if (Damage.dirtyRows) {
    // Consecutive rows with the same span go out as one rectangle.
    int r = 0;
    while (r < kScreenRows) {
      if (!(Damage.dirtyRows & (1u << r))) {
        ++r;
        continue;
      }
      int first = r;
      while (r + 1 < kScreenRows && (Damage.dirtyRows & (1u << (r + 1))) &&
             Damage.lo[r + 1] == Damage.lo[first] && Damage.hi[r + 1] == Damage.hi[first])
        ++r;
      shell->InvalidateCells(Damage.lo[first], first, Damage.hi[first] - Damage.lo[first] + 1,
                             r - first + 1);
      ++r;
    }
    Damage.dirtyRows = 0;
  }
  if (Damage.cursorMoved) {
    Damage.cursorMoved = false;
    shell->CursorMoved();
  }
}

void DiscardRenderNotifications() { Damage = RenderDamage{}; }
