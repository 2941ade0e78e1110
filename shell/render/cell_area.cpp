#include "shell/render/cell_area.h"

#include <algorithm>

#include "screen_model.h"

namespace tavix::render {

namespace {

// Division rounding towards minus infinity: a pixel left of or above the grid
// belongs to no cell.
int floor_div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Resource numbers of the full-screen raster fonts.
const FullScreenFace kFaces[] = {
    {1280, 1024, "Full16x40", 101, 16, 40, 0, 12, "fs16x40.tmp"},
    {640, 480, "Full8x19", 104, 8, 19, 0, 2, "fs8x19.tmp"},
    {800, 600, "Full10x24", 105, 10, 24, 0, 0, "fs10x24.tmp"},
    {1024, 768, "Full12x30", 106, 12, 30, 32, 9, "fs12x30.tmp"},
    {1152, 864, "Full14x34", 107, 14, 34, 16, 7, "fs14x34.tmp"},
    {1600, 1200, "Full20x48", 108, 20, 48, 0, 0, "fs20x48.tmp"},
};

}  // namespace

CellRange CellsInRect(int left, int top, int right, int bottom, int xOrigin, int yOrigin,
                      int cellWidth, int rowHeight) {
    if (cellWidth <= 0 || rowHeight <= 0 || right <= left || bottom <= top)
        return CellRange{0, -1, 0, -1};
    CellRange r;
    r.firstCol = std::max(floor_div(left - xOrigin, cellWidth), 0);
    r.lastCol = std::min(floor_div(right - xOrigin - 1, cellWidth), kScreenCols - 1);
    r.firstRow = std::max(floor_div(top - yOrigin, rowHeight), 0);
    r.lastRow = std::min(floor_div(bottom - yOrigin - 1, rowHeight), kScreenRows - 1);
    return r;
}

const FullScreenFace* FullScreenFaceFor(int screenWidth, int screenHeight) {
    for (const FullScreenFace& f : kFaces)
        if (f.screenWidth == screenWidth && f.screenHeight == screenHeight) return &f;
    return nullptr;
}

bool FullScreenGrid(int screenWidth, int screenHeight, GridRect* grid) {
    const FullScreenFace* f = FullScreenFaceFor(screenWidth, screenHeight);
    if (!f) return false;
    *grid = GridRect{f->xOrigin, f->yOrigin, kScreenCols * f->cellWidth,
                     kScreenRows * f->cellHeight};
    return true;
}

}  // namespace tavix::render
