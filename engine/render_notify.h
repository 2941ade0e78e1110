// Renderer notifications, coalesced. Primitives record changed rectangles
// here; FlushRenderNotifications hands them to the shell once per batch.
#pragma once

#include <cstdint>

#include "screen_model.h"

// Per row, the span of changed columns; only rows whose bit is set count.
struct RenderDamage {
  uint8_t lo[kScreenRows];
  uint8_t hi[kScreenRows];
  uint32_t dirtyRows;  // bit per row
  bool cursorMoved;
  int holds;  // flushes wait while above 0
};

// Owned by render_notify.cpp.
extern RenderDamage Damage;

void InvalidateCells(int col, int row, int width, int height);
void InvalidateFrame();

inline void CursorMoved() { Damage.cursorMoved = true; }

// Columns lo..hi of one row inside the grid changed (the printable path's
// shortcut past the clipping of InvalidateCells).
inline void InvalidateSpan(int row, int lo, int hi) {
  const uint32_t bit = 1u << row;
  if (Damage.dirtyRows & bit) {
    if (lo < Damage.lo[row]) Damage.lo[row] = static_cast<uint8_t>(lo);
    if (hi > Damage.hi[row]) Damage.hi[row] = static_cast<uint8_t>(hi);
  } else {
    Damage.dirtyRows |= bit;
    Damage.lo[row] = static_cast<uint8_t>(lo);
    Damage.hi[row] = static_cast<uint8_t>(hi);
  }
}

// Deliver what was recorded since the last flush: merged rectangles, then the
// caret redraw. Called at the end of every engine entry point.
void FlushRenderNotifications();
// While held (calls nest), flushes wait: a channel holds them for a whole
// read pass, so the window system sees one set of rectangles per pass.
void HoldRenderNotifications();
void ReleaseRenderNotifications();
// Forget what was recorded (reset).
void DiscardRenderNotifications();
