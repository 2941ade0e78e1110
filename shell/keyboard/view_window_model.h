// The view window's content and state, without the window: the lines it
// shows, how far it is scrolled, the selection dragged over the whole
// content, and the text a copy puts on the clipboard. Portable, so the rules
// are tested without a display.
#pragma once

#include <string>
#include <vector>

// Where a view window stands over the screen grid: the cells it covers.
struct ViewArea {
  int col, row, cols, rows;
};

// What the view window shows. Lines may differ in length; columns past a
// line's end read as blanks.
struct ViewContent {
  ViewArea area;
  std::vector<std::string> lines;
};

// The lines of the current host window as the ScreenModel holds them: one
// line per text-window row, trailing blanks dropped; on the rows of a
// viewport the whole buffer line stands in place of the visible part. An
// empty result (no usable text window) means the view window cannot open.
ViewContent ViewContentFromScreen();

enum class ViewScroll { kLineBack, kLineForward, kPageBack, kPageForward, kTo, kStart, kEnd };

struct ViewWindowRecord {
  bool open;
  ViewContent content;
  int width;          // the longest line
  int pageCols;       // columns and rows the window shows at once
  int pageRows;
  int leftCol;        // first content column and line shown
  int topLine;
  bool selecting;     // the left button is down
  bool selectionShown;
  int anchorCol, anchorLine;
  int col, line;      // the selection's moving corner
};

// Owned by view_window_model.cpp.
extern ViewWindowRecord ViewWindow;

void ResetViewWindow();
// Take the content and the visible page size; scrolled to the start.
void OpenViewContent(const ViewContent& content, int pageCols, int pageRows);
void CloseViewContent();
// The window was resized or the font changed.
void SetViewPage(int pageCols, int pageRows);

// Scroll one of the two directions; returns whether the position changed.
bool ScrollViewRows(ViewScroll how, int position = 0);
bool ScrollViewCols(ViewScroll how, int position = 0);
int MaxTopLine();
int MaxLeftCol();

// A client-area cell (may lie outside the page while dragging) as a content
// position, clamped to the content.
void ContentPosition(int pageCol, int pageRow, int* col, int* line);

// The left button: press starts a selection, a move extends it, the release
// keeps it shown.
void ViewSelectStart(int pageCol, int pageRow);
// Returns whether the selection's corner moved.
bool ViewSelectMove(int pageCol, int pageRow);
void ViewSelectEnd();

// Dragging past an edge: -1 back, 1 forward, 0 inside (for one axis).
int AutoScrollStep(int pageCell, int pageCells);

// The selected rectangle, corners in order (content columns and lines).
struct ViewRect {
  int left, top, right, bottom;
};
ViewRect ViewSelectionRect();
bool ViewCellSelected(int col, int line);

// The rectangle as text: each line from the left to the right column, blanks
// past the line's end, followed by CR LF. Empty when nothing is selected.
std::string ViewSelectionText();
// After a copy: the selection ends.
void ClearViewSelection();
