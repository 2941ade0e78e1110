// Where a host window or pop-up goes: the host's numbers turned into an
// interior rectangle and the set of border lines that fit on the work area.
#pragma once

#include <cstdint>

constexpr int kNoBorderStyle = 9;

enum BorderSide { kBorderTop = 0, kBorderRight = 1, kBorderBottom = 2, kBorderLeft = 3 };

struct WindowPlacement {
  int col, row, width, height;  // the interior, absolute screen cells
  int style;
  uint8_t borders[4];           // top, right, bottom, left
};

// The outer rectangle: the interior plus the border lines present.
struct OuterRect {
  int col, row, width, height;
};

// From the host's parameter bytes (value + 32): column, row, width, height,
// style; relative places the window inside the current text window. A pop-up
// keeps a one-cell margin even without border glyphs.
WindowPlacement PlacementFromHost(const uint8_t* p, bool relative, bool popup);

// Fit the window on the 80 x 24 work area, drop the borders that fall off it
// and, with nudge, move a bordered window one cell to win a dropped border
// back. Whatever the input, the result's outer rectangle lies on the work area.
void FitPlacement(WindowPlacement& w, bool nudge);

OuterRect OuterOf(const WindowPlacement& w);
