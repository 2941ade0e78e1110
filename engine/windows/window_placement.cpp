#include "window_placement.h"

#include "screen_model.h"

namespace {

int Value(uint8_t byte) { return static_cast<int>(byte) - 32; }

int AtLeast(int value, int low) { return value < low ? low : value; }

// A border line is dropped when it would fall off the work area.
void DropBordersOffScreen(WindowPlacement& w) {
  if (w.col <= 0) w.borders[kBorderLeft] = 0;
  if (w.row <= 0) w.borders[kBorderTop] = 0;
  if (w.col + w.width - 1 >= kScreenCols - 1) w.borders[kBorderRight] = 0;
  if (w.row + w.height - 1 >= kWorkRows - 1) w.borders[kBorderBottom] = 0;
}

}  // namespace

WindowPlacement PlacementFromHost(const uint8_t* p, bool relative, bool popup) {
  WindowPlacement w{};
  w.col = AtLeast(Value(p[0]), 0);
  w.row = AtLeast(Value(p[1]), 0);
  w.width = AtLeast(Value(p[2]), 1);
  w.height = AtLeast(Value(p[3]), 1);
  w.style = Value(p[4]);
  // Style 9 draws no border; a window then has none, a pop-up keeps the
  // margin (saved, not drawn).
  const uint8_t flag = (w.style == kNoBorderStyle && !popup) ? 0 : 1;
  for (uint8_t& b : w.borders) b = flag;
  if (relative) {
    w.col += Screen.win.winLeft;
    w.row += Screen.win.winTop;
  }
  return w;
}

void FitPlacement(WindowPlacement& w, bool nudge) {
  w.col = AtLeast(w.col, 0);
  w.row = AtLeast(w.row, 0);
  w.width = AtLeast(w.width, 1);
  w.height = AtLeast(w.height, 1);
  if (w.width > kScreenCols) w.width = kScreenCols;
  if (w.height > kWorkRows) w.height = kWorkRows;
  if (w.col + w.width > kScreenCols) w.col = kScreenCols - w.width;
  if (w.row + w.height > kWorkRows) w.row = kWorkRows - w.height;
  DropBordersOffScreen(w);

  if (nudge && w.style != kNoBorderStyle) {
    if (w.height < kWorkRows) {
      if (!w.borders[kBorderTop]) {
        ++w.row;
        w.borders[kBorderTop] = 1;
        // The host's rule drops the bottom line when height + 1 is 23; a
        // taller window would put it on the status row, so it goes too.
        if (w.height + 1 >= kWorkRows - 1) w.borders[kBorderBottom] = 0;
      } else if (!w.borders[kBorderBottom] && w.height < kWorkRows - 1) {
        --w.row;
        w.borders[kBorderBottom] = 1;
      }
    }
    if (w.width < kScreenCols) {
      if (!w.borders[kBorderLeft]) {
        ++w.col;
        w.borders[kBorderLeft] = 1;
        // Likewise the right line at width + 1 = 79, and past it.
        if (w.width + 1 >= kScreenCols - 1) w.borders[kBorderRight] = 0;
      } else if (!w.borders[kBorderRight] && w.width < kScreenCols - 1) {
        --w.col;
        w.borders[kBorderRight] = 1;
      }
    }
    // The nudge never puts a line off the screen.
    DropBordersOffScreen(w);
  }
}

OuterRect OuterOf(const WindowPlacement& w) {
  OuterRect o;
  o.col = w.col - w.borders[kBorderLeft];
  o.row = w.row - w.borders[kBorderTop];
  o.width = w.width + w.borders[kBorderLeft] + w.borders[kBorderRight];
  o.height = w.height + w.borders[kBorderTop] + w.borders[kBorderBottom];
  return o;
}
