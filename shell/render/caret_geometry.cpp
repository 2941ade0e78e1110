#include "shell/render/caret_geometry.h"

#include <algorithm>

#include "screen_model.h"

namespace tavix::render {

CaretShape CaretShapeFor(bool capsLock, bool insertMode, int rowHeight) {
    if (!capsLock) return insertMode ? CaretShape{2, rowHeight / 2} : CaretShape{2, 3};
    // Caps Lock: a block from the cell top, half as tall in insert mode.
    return insertMode ? CaretShape{(rowHeight - 1) / 2, rowHeight}
                      : CaretShape{rowHeight - 1, rowHeight};
}

CaretPlace CaretPlaceFor(int cursorCol, int winRight, int cursorRow, int cellWidth,
                         int rowHeight, int xOrigin, int yOrigin, const CaretShape& shape) {
    // The cursor may stand past the window (and a broken host could put it
    // anywhere): keep the caret on the grid.
    const int col = std::clamp(std::min(cursorCol, winRight), 0, kScreenCols - 1);
    const int row = std::clamp(cursorRow, 0, kScreenRows - 1);
    return CaretPlace{col * cellWidth + xOrigin, (row + 1) * rowHeight + yOrigin - shape.offset};
}

}  // namespace tavix::render
