// CIThumb: one attachment as a thumbnail cell (frame, the page's picture
// scaled to the cell, "%d pages", the description, or the red text of an
// unreachable file), and the scrolling pane that holds the cells.
#pragma once

#include <windows.h>

#include "image_annotations.h"
#include "image_decode_win32.h"
#include "viewer_entry.h"

// Notices a cell sends to its pane's parent as WM_COMMAND (the pane's id in
// the low word, the code in the high word, the cell's window in lParam).
#define THUMB_NOTIFY_SELECT 1
#define THUMB_NOTIFY_OPEN 2

class CIThumb {
 public:
  // A cell inside `pane` for entry number `index` (the entry is read when
  // painting, through the pane's owner).
  static CIThumb* Create(HWND pane, int index, const viewer::Entry* entry, int width, int height);
  static CIThumb* FromWindow(HWND window);

  HWND Window() const { return window_; }
  int Index() const { return index_; }
  void SetEntry(const viewer::Entry* entry) { entry_ = entry; }

  // The picture: decoded once, at the cell's image size and the quality.
  bool Decoded() const { return decoded_; }
  // Decodes now; returns the load status and, when loaded, the page count.
  // With `annotations`, the marks of the sidecar file's page 1 are drawn
  // over the picture.
  ImageLoadStatus Decode(int quality, bool annotations, int* pages);
  void DropPicture();
  // Nothing to decode (an unreachable file): counts as done.
  void MarkDone() { decoded_ = true; }

  void SetSelected(bool selected);
  bool Selected() const { return selected_; }
  // New thumbnail size: the picture is decoded again later.
  void Resize(int width, int height);
  void SetColors(COLORREF background, COLORREF text);
  int CellWidth() const { return width_; }
  int CellHeight() const;

 private:
  CIThumb() = default;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);
  void DrawAnnotations(HDC dc, int x, int y);
  void Notify(int code);

  HWND window_ = nullptr;
  int index_ = 0;
  const viewer::Entry* entry_ = nullptr;
  int width_ = 115, height_ = 149;
  bool decoded_ = false;
  ImageLoadStatus status_ = kImageEmpty;
  ScaledPage picture_;
  AnnotationSet annotations_;
  bool selected_ = false;
  COLORREF background_ = 0, text_ = 0;
};

// The pane: a child window with a vertical scroll bar that places its cells
// in rows. Cells are the pane's children; the pane's parent gets their
// notices.
HWND CreateThumbPane(HWND parent, int id, const RECT& at);
// Lays the cells out again (after adding, removing or resizing cells, or a
// size change) and sets the scroll range.
void LayoutThumbPane(HWND pane);
// Scrolls so that the cell is in view.
void ScrollThumbIntoView(HWND pane, HWND cell);
// Whether the cell lies (partly) in the pane's visible area.
bool ThumbVisible(HWND pane, HWND cell);
