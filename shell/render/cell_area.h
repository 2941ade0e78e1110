// Pixel geometry of the 80 x 25 grid: which cells an update rectangle touches,
// the full-screen faces by screen size, and the window size a font needs.
#pragma once

namespace tavix::render {

struct CellRange {
    int firstCol, lastCol, firstRow, lastRow;  // inclusive; empty when first > last
    bool empty() const { return firstCol > lastCol || firstRow > lastRow; }
};

// Cells touched by the pixel rectangle [left, right) x [top, bottom) of a grid
// whose cell (0, 0) starts at (xOrigin, yOrigin).
CellRange CellsInRect(int left, int top, int right, int bottom, int xOrigin, int yOrigin,
                      int cellWidth, int rowHeight);

struct FullScreenFace {
    int screenWidth, screenHeight;
    const char* face;
    int resource;
    int cellWidth, cellHeight;
    int xOrigin, yOrigin;
    const char* tempFile;
};

// The full-screen face made for exactly this screen size, or null.
const FullScreenFace* FullScreenFaceFor(int screenWidth, int screenHeight);

struct GridRect {
    int x, y, width, height;
};

// Where the full-screen grid lies on this screen; false when there is none.
bool FullScreenGrid(int screenWidth, int screenHeight, GridRect* grid);

}  // namespace tavix::render
