// A viewport: a rectangle of the text window showing a line buffer wider than
// itself, one buffer line per window row, scrolled horizontally by vpOffset.
#pragma once

#include <cstdint>

// The printable-character path offers each character here first while a
// viewport exists; true when the viewport took it.
bool ViewportTakesCharacter(uint8_t ch);
// ESC ^ S: move buffer lines first..last (window-relative rows) by count,
// up for direction < 0; vacated lines become blanks.
void ScrollViewportLines(int first, int last, int count, int direction);
// Copy the visible rectangle into the buffer / back out of it.
void StoreViewport();
void ShowViewport();
// Store, change the offset, show.
void ScrollViewportTo(int offset);
// Free the current viewport's buffer.
void FreeViewport();
