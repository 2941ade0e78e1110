#include "shell/render/row_runs.h"

#include <algorithm>

namespace tavix::render {

CellSelection Normalised(const CellSelection& s) {
    return CellSelection{s.shown, std::min(s.col0, s.col1), std::min(s.row0, s.row1),
                         std::max(s.col0, s.col1), std::max(s.row0, s.row1)};
}

int SplitRow(const Cell* row, int rowIndex, int firstCol, int lastCol,
             const CellSelection& selection, bool mixedFont, CellRun* out) {
    firstCol = std::max(firstCol, 0);
    lastCol = std::min(lastCol, kScreenCols - 1);
    const bool rowSelected =
        selection.shown && rowIndex >= selection.row0 && rowIndex <= selection.row1;
    int runs = 0;
    for (int col = firstCol; col <= lastCol; ++col) {
        const Cell& c = row[col];
        const bool selected = rowSelected && col >= selection.col0 && col <= selection.col1;
        const uint8_t cls = selected ? kSelectionClass : c.attrClass;
        const bool companion = mixedFont && c.glyph >= 128;
        if (runs > 0) {
            CellRun& last = out[runs - 1];
            if (last.attrClass == cls && last.level == c.level && last.choice == c.choice &&
                last.companion == companion) {
                ++last.count;
                continue;
            }
        }
        out[runs++] = CellRun{col, 1, cls, c.level, c.choice, companion};
    }
    return runs;
}

}  // namespace tavix::render
