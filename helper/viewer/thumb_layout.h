// A thumbnail cell's parts: the frame, the image area, the page-count line
// and the description's lines below. Portable (plain rectangles).
#pragma once


namespace viewer {

struct Box {
  int left, top, right, bottom;
};

struct ThumbLayout {
  Box cell;         // the whole cell, frame included
  Box image;        // inside the frame
  Box pages;        // the "%d pages" line (right-aligned), over the image's top
  Box description;  // below the frame
};

// The cell at (left, top) for a thumbnail of width by height and a text
// line height; the description has room for two lines.
ThumbLayout LayoutThumb(int left, int top, int width, int height, int lineHeight);

// How many cells go in one row of a client area of the given width, with
// the gap between cells (at least one).
int ThumbsPerRow(int clientWidth, int cellWidth, int gap);

}  // namespace viewer
