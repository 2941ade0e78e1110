// A painted row is cut into runs of cells that share attribute class, window
// level, pick-list item and font, so that each run is one text call.
#pragma once

#include <cstdint>

#include "screen_model.h"

namespace tavix::render {

// Attribute class that cells inside a shown mouse selection are drawn as.
constexpr uint8_t kSelectionClass = 11;

// A mouse selection in cells: two corners in any order, inclusive.
struct CellSelection {
    bool shown;
    int col0, row0, col1, row1;
};

// The selection with its smaller corner first.
CellSelection Normalised(const CellSelection& s);

struct CellRun {
    int col;          // first column
    int count;        // cells
    uint8_t attrClass, level, choice;
    bool companion;   // drawn with the companion font (codes 128 and above of the mixed font)
};

// Splits columns firstCol..lastCol of `row` (the cells of grid row `rowIndex`).
// `selection` is normalised (or not shown). `mixedFont`: codes of 128 and above
// are drawn with another font than the codes below. Writes at most
// lastCol - firstCol + 1 runs into `out` and returns their number.
int SplitRow(const Cell* row, int rowIndex, int firstCol, int lastCol,
             const CellSelection& selection, bool mixedFont, CellRun* out);

}  // namespace tavix::render
