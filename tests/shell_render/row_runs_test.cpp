#include "shell/render/row_runs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavix::render;

namespace {

// A row described by one character per cell: the letter is the glyph, and
// attributes come from parallel strings (class digit/hex, level digit, choice digit).
struct Row {
    Cell cells[kScreenCols];
    Row() {
        for (Cell& c : cells) c = Cell{2, 0, 0, ' '};
    }
    void put(int col, const std::string& text, uint8_t cls, uint8_t level = 0, uint8_t choice = 0) {
        for (size_t i = 0; i < text.size(); ++i)
            cells[col + i] = Cell{cls, level, choice, static_cast<uint8_t>(text[i])};
    }
};

std::string describe(const std::vector<CellRun>& runs) {
    std::string s;
    for (const CellRun& r : runs) {
        s += std::to_string(r.col) + "+" + std::to_string(r.count) + ":c" +
             std::to_string(r.attrClass) + "l" + std::to_string(r.level) + "h" +
             std::to_string(r.choice) + (r.companion ? "*" : "") + " ";
    }
    return s;
}

std::vector<CellRun> split(const Row& row, int first, int last, bool mixed,
                           CellSelection sel = CellSelection{false, 0, 0, 0, 0}, int rowIndex = 0) {
    std::vector<CellRun> out(kScreenCols);
    const int n = SplitRow(row.cells, rowIndex, first, last, Normalised(sel), mixed, out.data());
    out.resize(n);
    return out;
}

}  // namespace

TEST(RowRuns, RunsEndWhereClassLevelOrChoiceChanges) {
    Row row;
    row.put(0, "AAAA", 2);
    row.put(4, "BB", 9);           // class
    row.put(6, "CC", 9, 1);        // level
    row.put(8, "DDD", 9, 1, 3);    // choice
    row.put(11, "EE", 9, 1, 3);    // same: joins
    EXPECT_EQ(describe(split(row, 0, 14, false)),
              "0+4:c2l0h0 4+2:c9l0h0 6+2:c9l1h0 8+5:c9l1h3 13+2:c2l0h0 ");
}

TEST(RowRuns, GlyphsAloneNeverSplitARunOfOneFont) {
    Row row;
    row.put(0, "ab\xC9\xCD\xBB\xC8xyz", 2);
    EXPECT_EQ(describe(split(row, 0, 8, false)), "0+9:c2l0h0 ");
}

TEST(RowRuns, WithTheMixedFontACode200InsideLowCharactersSplitsTheRun) {
    Row row;
    row.put(10, "abc\xC8" "def", 2);
    EXPECT_EQ(describe(split(row, 10, 16, true)), "10+3:c2l0h0 13+1:c2l0h0* 14+3:c2l0h0 ");
    // Neighbouring high codes share one run.
    row.put(20, "\xC9\xCD\xCD\xBB", 2);
    EXPECT_EQ(describe(split(row, 19, 24, true)), "19+1:c2l0h0 20+4:c2l0h0* 24+1:c2l0h0 ");
}

TEST(RowRuns, OnlyTheRequestedColumnsArePainted) {
    Row row;
    row.put(0, "0123456789", 9);
    EXPECT_EQ(describe(split(row, 3, 5, false)), "3+3:c9l0h0 ");
    EXPECT_EQ(describe(split(row, 79, 79, false)), "79+1:c2l0h0 ");
    EXPECT_EQ(describe(split(row, 70, 200, false)), "70+10:c2l0h0 ");
    EXPECT_TRUE(split(row, 5, 4, false).empty());
}

TEST(RowRuns, SelectedCellsAreDrawnAsClassElevenInAnyCornerOrder) {
    Row row;
    row.put(0, "ABCDEFGH", 2, 1, 4);
    // Corners given bottom-right first.
    const CellSelection sel{true, 5, 3, 2, 1};
    EXPECT_EQ(describe(split(row, 0, 7, false, sel, 2)), "0+2:c2l1h4 2+4:c11l1h4 6+2:c2l1h4 ");
    EXPECT_EQ(describe(split(row, 0, 7, false, sel, 3)), "0+2:c2l1h4 2+4:c11l1h4 6+2:c2l1h4 ");
    // Rows outside the rectangle and a hidden selection are not touched.
    EXPECT_EQ(describe(split(row, 0, 7, false, sel, 4)), "0+8:c2l1h4 ");
    EXPECT_EQ(describe(split(row, 0, 7, false, CellSelection{false, 0, 0, 79, 24}, 2)),
              "0+8:c2l1h4 ");
}
