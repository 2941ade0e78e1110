#include "edit_grid.h"

#include <cstdio>

std::string GutterText(int line) {
  char text[24];
  std::snprintf(text, sizeof text, "%-5d", line + 1);
  return text;
}

std::string DisplayCells(int line, const std::string& text, int first, int count) {
  std::string row = GutterText(line);
  row.resize(kGutterCells > row.size() ? kGutterCells : row.size(), ' ');
  // A number of six digits or more pushes nothing: the text keeps its column.
  row.resize(kGutterCells);
  row += text;
  std::string cells;
  cells.reserve(count > 0 ? static_cast<size_t>(count) : 0);
  for (int c = first; c < first + count; ++c) {
    cells += c >= 0 && static_cast<size_t>(c) < row.size() ? row[static_cast<size_t>(c)] : ' ';
  }
  return cells;
}

void DragScrollStep(int x, int y, int width, int height, int gutterWidth, int& lines, int& columns) {
  lines = y < 0 ? -1 : (y >= height ? 1 : 0);
  columns = x < gutterWidth ? -1 : (x >= width ? 1 : 0);
}
