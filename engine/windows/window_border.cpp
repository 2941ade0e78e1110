#include "window_border.h"

#include "cell_primitives.h"

namespace {

// Per style: top-left, horizontal, top-right, vertical, bottom-right,
// bottom-left.
constexpr uint8_t kBorderGlyphs[5][6] = {
    {218, 196, 191, 179, 217, 192},
    {213, 205, 184, 179, 190, 212},
    {214, 196, 183, 186, 189, 211},
    {201, 205, 187, 186, 188, 200},
    {219, 219, 219, 219, 219, 219},
};
enum { kTopLeft, kHorizontal, kTopRight, kVertical, kBottomRight, kBottomLeft };

void PutGlyph(int col, int row, uint8_t glyph) { FillCells(col, row, 1, glyph, false); }

void HorizontalLine(const WindowPlacement& w, int row, uint8_t left, uint8_t middle, uint8_t right) {
  if (w.borders[kBorderLeft]) PutGlyph(w.col - 1, row, left);
  FillCells(w.col, row, w.width, middle, false);
  if (w.borders[kBorderRight]) PutGlyph(w.col + w.width, row, right);
}

void VerticalLine(const WindowPlacement& w, int col, uint8_t glyph) {
  for (int row = w.row; row < w.row + w.height; ++row) PutGlyph(col, row, glyph);
}

}  // namespace

int DrawWindowBorder(const WindowPlacement& w) {
  if (w.style < 0 || w.style > 4) return 0;
  const uint8_t* g = kBorderGlyphs[w.style];
  WindowState& s = Screen.win;
  int drawn = 0;
  if (w.borders[kBorderTop]) {
    HorizontalLine(w, w.row - 1, g[kTopLeft], g[kHorizontal], g[kTopRight]);
    s.hasTopBorder = 1;
    drawn |= 1;
  }
  if (w.borders[kBorderRight]) VerticalLine(w, w.col + w.width, g[kVertical]);
  if (w.borders[kBorderBottom]) {
    HorizontalLine(w, w.row + w.height, g[kBottomLeft], g[kHorizontal], g[kBottomRight]);
    s.hasBottomBorder = 1;
    drawn |= 2;
  }
  if (w.borders[kBorderLeft]) VerticalLine(w, w.col - 1, g[kVertical]);
  return drawn;
}
