// Renderer notifications, coalesced. Primitives record changed rectangles
// here; FlushRenderNotifications hands them to the shell once per batch.
#pragma once

void InvalidateCells(int col, int row, int width, int height);
void InvalidateFrame();
void CursorMoved();

// Deliver what was recorded since the last flush: merged rectangles, then the
// caret redraw. Called at the end of every engine entry point.
void FlushRenderNotifications();
// Forget what was recorded (reset).
void DiscardRenderNotifications();
