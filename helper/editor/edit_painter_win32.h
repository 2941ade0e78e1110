// Paints rows of the program in the view's grid of fixed cells: the gutter
// with the line number and its marker roles, the text in the roles of the
// token scan (only the lines painted are scanned), the selection over them,
// spaces past each line's end, the window colour below the last line, and
// the 80-column marker line. The view and the printout both use it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "edit_palette_win32.h"
#include "edit_syntax.h"

class EditLines;
class LineMarkers;

// A stream selection from (startLine, startColumn) up to, not including,
// (endLine, endColumn); empty when start equals end.
struct EditSpan {
  int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
  bool Empty() const { return startLine == endLine && startColumn == endColumn; }
  bool Covers(int line, int column) const;
};

// A column block: columns [column0, column1) of lines line0 to line1, also
// past a line's end; empty when it has no columns.
struct EditColumnBlock {
  int line0 = 0, column0 = 0, line1 = -1, column1 = 0;
  bool Covers(int line, int column) const {
    return line >= line0 && line <= line1 && column >= column0 && column < column1;
  }
};

struct EditPaintRequest {
  const EditLines* lines = nullptr;
  const LineMarkers* bookmarks = nullptr;
  const LineMarkers* found = nullptr;
  EditSpan selection;
  EditColumnBlock block;  // shown instead of `selection` when it has columns
  int firstLine = 0;    // line index painted in the top row
  int firstColumn = 0;  // text column painted at display column 5
  int rows = 0;         // rows to paint (the last may be partly visible)
  int columns = 0;      // text columns to paint after the gutter
  int cellWidth = 8, cellHeight = 16;
  int left = 0, top = 0;  // device position of the first row's gutter
  int right = 0, bottom = 0;  // the area to fill (below the last line: window colour)
  bool colouring = true;
  bool marker = true;
  bool fillBelow = true;  // the view fills rows below the program; a page does not
};

class EditPainter {
 public:
  void Paint(HDC dc, const EditPaintRequest& request, const EditPalette& palette);
  // Lines scanned by the last Paint (the view scans only what it shows).
  int LinesScanned() const { return scanned_; }

 private:
  void PaintRow(HDC dc, const EditPaintRequest& r, const EditPalette& palette, int line, int y);

  std::vector<TokenRun> runs_;
  std::string cells_;
  std::vector<unsigned char> roles_;
  int scanned_ = 0;
};
