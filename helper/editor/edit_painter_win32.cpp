#include "edit_painter_win32.h"

#include "edit_grid.h"
#include "edit_lines.h"
#include "edit_markers.h"

bool EditSpan::Covers(int line, int column) const {
  if (Empty()) return false;
  if (line < startLine || line > endLine) return false;
  if (line == startLine && column < startColumn) return false;
  if (line == endLine && column >= endColumn) return false;
  return true;
}

void EditPainter::Paint(HDC dc, const EditPaintRequest& r, const EditPalette& palette) {
  scanned_ = 0;
  const int count = r.lines ? r.lines->Count() : 0;
  const int oldMode = SetBkMode(dc, OPAQUE);
  int y = r.top;
  for (int row = 0; row < r.rows; ++row, y += r.cellHeight) {
    const int line = r.firstLine + row;
    if (line >= count) break;
    PaintRow(dc, r, palette, line, y);
  }
  if (r.fillBelow && y < r.bottom) {
    const RECT below = {r.left, y, r.right, r.bottom};
    FillRect(dc, &below, GetSysColorBrush(COLOR_WINDOW));
  }
  // The marker stands at the left edge of display column 80, over the full height.
  const int markerCell = kMarkerTextColumn - r.firstColumn;
  if (r.marker && markerCell >= 0 && markerCell < r.columns) {
    const int x = r.left + (kGutterCells + markerCell) * r.cellWidth;
    HGDIOBJ old = SelectObject(dc, palette.Pen(kRoleMarker));
    MoveToEx(dc, x, r.top, nullptr);
    LineTo(dc, x, r.bottom);
    SelectObject(dc, old);
  }
  SetBkMode(dc, oldMode);
}

void EditPainter::PaintRow(HDC dc, const EditPaintRequest& r, const EditPalette& palette, int line, int y) {
  const std::string& text = r.lines->At(line);
  const int total = kGutterCells + r.columns;
  cells_.assign(static_cast<size_t>(total), ' ');
  roles_.assign(static_cast<size_t>(total), kRoleText);

  const std::string number = GutterText(line);
  int gutter[kGutterCells];
  GutterRoles(r.bookmarks && r.bookmarks->Has(line), r.found && r.found->Has(line), gutter);
  for (int c = 0; c < kGutterCells; ++c) {
    if (static_cast<size_t>(c) < number.size()) cells_[static_cast<size_t>(c)] = number[static_cast<size_t>(c)];
    roles_[static_cast<size_t>(c)] = static_cast<unsigned char>(gutter[c]);
  }

  const int length = static_cast<int>(text.size());
  if (r.firstColumn < length) {
    ScanLine(text, r.colouring, runs_);
    ++scanned_;
    const int last = r.firstColumn + r.columns;  // one past the last text column painted
    for (const TokenRun& run : runs_) {
      const int from = run.start > r.firstColumn ? run.start : r.firstColumn;
      const int to = run.end < last ? run.end : last;
      for (int c = from; c < to; ++c) {
        const size_t cell = static_cast<size_t>(kGutterCells + c - r.firstColumn);
        cells_[cell] = text[static_cast<size_t>(c)];
        roles_[cell] = static_cast<unsigned char>(run.role);
      }
      if (run.end >= last) break;
    }
  }
  if (line >= r.block.line0 && line <= r.block.line1) {
    for (int c = 0; c < r.columns; ++c) {
      if (r.block.Covers(line, r.firstColumn + c)) roles_[static_cast<size_t>(kGutterCells + c)] = kRoleSelection;
    }
  } else if (!r.selection.Empty() && line >= r.selection.startLine && line <= r.selection.endLine) {
    // A selection that runs on past the line's end shows its line break as one cell.
    for (int c = 0; c < r.columns; ++c) {
      const int column = r.firstColumn + c;
      if (column > length || (column == length && line == r.selection.endLine)) break;
      if (r.selection.Covers(line, column)) roles_[static_cast<size_t>(kGutterCells + c)] = kRoleSelection;
    }
  }

  // One text-out per run of cells in one role.
  int start = 0;
  while (start < total) {
    const unsigned char role = roles_[static_cast<size_t>(start)];
    int end = start + 1;
    while (end < total && roles_[static_cast<size_t>(end)] == role) ++end;
    SetTextColor(dc, palette.Foreground(role));
    SetBkColor(dc, palette.Background(role));
    const int x = r.left + start * r.cellWidth;
    int right = r.left + end * r.cellWidth;
    if (end == total && right < r.right) right = r.right;
    const RECT box = {x, y, right, y + r.cellHeight};
    ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &box, cells_.data() + start, static_cast<UINT>(end - start),
                nullptr);
    start = end;
  }
}
