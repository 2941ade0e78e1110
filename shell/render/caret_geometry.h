// The caret's shape and place. It is one cell wide; Caps Lock and the insert
// mode set its height and how far above the cell's bottom its top edge sits.
#pragma once

namespace tavix::render {

struct CaretShape {
    int height;
    int offset;  // from the cell's bottom edge up to the caret's top edge
};

CaretShape CaretShapeFor(bool capsLock, bool insertMode, int rowHeight);

struct CaretPlace {
    int x, y;
};

// The caret stands in the cursor row at the cursor column, or at the window's
// right limit when the cursor has run past it.
CaretPlace CaretPlaceFor(int cursorCol, int winRight, int cursorRow, int cellWidth,
                         int rowHeight, int xOrigin, int yOrigin, const CaretShape& shape);

}  // namespace tavix::render
