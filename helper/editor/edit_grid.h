// The display grid of the edit view: five cells of line number ("%-5d"),
// then the text, text column c at display column c + 5; the 80-column marker
// at the left edge of display column 80 (text column 75).
#pragma once

#include <string>

constexpr int kGutterCells = 5;
constexpr int kMarkerDisplayColumn = 80;
constexpr int kMarkerTextColumn = kMarkerDisplayColumn - kGutterCells;

inline int DisplayColumn(int textColumn) { return textColumn + kGutterCells; }
inline int TextColumn(int displayColumn) { return displayColumn - kGutterCells; }
// The gutter text of line index `line` (number line + 1, left-aligned in five
// cells; a number of more digits takes what it needs).
std::string GutterText(int line);
// The cells of display row text for columns [first, first + count): gutter
// and text, spaces past the end of the line.
std::string DisplayCells(int line, const std::string& text, int first, int count);
// Pen width of the marker line.
inline int MarkerPenWidth(bool bold) { return bold ? 2 : 1; }
// Whether the marker is inside the visible display columns [first, first + count).
inline bool MarkerVisible(int first, int count) {
  return kMarkerDisplayColumn >= first && kMarkerDisplayColumn < first + count;
}

// A drag selection with the mouse held outside the text area scrolls one
// step per tick towards it: `lines` -1 above the view, +1 below it;
// `columns` -1 left of the text (over the gutter or beyond the left edge),
// +1 right of the view. The view is `width` by `height` pixels, the gutter
// `gutterWidth` pixels wide.
void DragScrollStep(int x, int y, int width, int height, int gutterWidth, int& lines, int& columns);
// The tick of the drag-scroll timer, in milliseconds.
constexpr unsigned kDragScrollMs = 60;
