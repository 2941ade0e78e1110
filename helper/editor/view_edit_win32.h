// CViewEdit: the view of one edit window. It shows the session's lines in a
// grid of fixed cells (edit_painter_win32.h), keeps the caret, the scroll
// position and the font, and turns keys and the mouse into the session's
// editing commands.
#pragma once

#include <windows.h>

#include "edit_painter_win32.h"
#include "edit_palette_win32.h"

class CFrameEdit;

class CViewEdit {
 public:
  explicit CViewEdit(CFrameEdit& frame) : frame_(&frame) {}
  ~CViewEdit();
  bool Create(HWND parent);
  HWND Handle() const { return window_; }
  void ApplyFont();
  // The colour codes or custom colours changed: new brushes, a repaint.
  void ApplyColours();
  void Refresh();
  void CaretIntoView();
  // The first visible line and the rows shown (for dialogs placed under the caret).
  int FirstLine() const { return firstLine_; }
  int CellHeight() const { return cellHeight_; }
  int CellWidth() const { return cellWidth_; }
  HFONT Font() const { return font_; }
  // Make `line` the first visible line (as far as the program allows).
  void ScrollTo(int line);
  int VisibleRows() const;
  int VisibleColumns() const;
  // Lines the last paint scanned, for the benchmarks.
  int LinesScannedLastPaint() const { return painter_.LinesScanned(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnKey(WPARAM key);
  bool OnNumPad(WPARAM key, bool alt);
  bool OnChar(WPARAM ch);
  void OnMouse(LPARAM lParam, bool extend);
  // Alt+Shift+arrows: the column block grows or shrinks.
  bool OnBlockKey(WPARAM key);
  // A drag went on to (line, column): the stream selection or the block follows.
  void DragTo(int line, int column);
  // The mouse moved while dragging, or the drag-scroll timer ticked: outside
  // the text the view scrolls a step towards the mouse (the timer keeps it
  // going while the mouse is held still).
  void DragScroll(int x, int y);
  void StopDrag();
  void OnContextMenu(LPARAM lParam);
  // Double click: the identifier under the mouse selected.
  void SelectWordAt(LPARAM lParam);
  void Paint();
  void PlaceCaret();
  void UpdateScrollBars();
  void Scroll(int bar, int request, int thumb);
  void CellAt(LPARAM lParam, int& line, int& column) const;
  void UpdatePalette();
  // Moves the caret, extending the selection from where it was when `extend`.
  template <typename Move>
  void MoveWith(bool extend, Move move);

  CFrameEdit* frame_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  bool bold_ = false;
  int cellWidth_ = 8;
  int cellHeight_ = 16;
  int firstLine_ = 0;
  int firstColumn_ = 0;
  bool hasCaret_ = false;
  bool caretInsert_ = true;  // the caret's shape: a bar (insert) or a block
  bool dragging_ = false;
  bool blockDrag_ = false;  // Alt was held when the drag began: a column block
  int dragLine_ = 0, dragColumn_ = 0;  // the block's anchor corner
  bool dragTimer_ = false;
  // An Alt combination was taken (numeric-pad drawing, a block by Alt+drag
  // or Alt+Shift+arrows): the Alt release is ours, no menu.
  bool altPad_ = false;
  EditPalette palette_;
  EditPainter painter_;
};
