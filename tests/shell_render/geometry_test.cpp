// Caret shape and place, the scalable font's size search, the cells an update
// rectangle touches and the full-screen grid.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "shell/render/caret_geometry.h"
#include "shell/render/cell_area.h"
#include "shell/render/fit_order.h"

using namespace tavix::render;

TEST(CaretGeometry, ShapeByCapsLockAndInsertMode) {
    struct Case {
        bool caps, insert;
        int rowHeight, height, topFromCellTop;
    };
    const Case cases[] = {
        {false, false, 18, 2, 15}, {true, false, 18, 17, 0},
        {false, true, 18, 2, 9},   {true, true, 18, 8, 0},
        {false, false, 12, 2, 9},  {true, false, 12, 11, 0},
        {false, true, 13, 2, 7},   {true, true, 13, 6, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "caps " << c.caps << " insert " << c.insert
                                        << " row " << c.rowHeight);
        const CaretShape s = CaretShapeFor(c.caps, c.insert, c.rowHeight);
        EXPECT_EQ(s.height, c.height);
        EXPECT_EQ(c.rowHeight - s.offset, c.topFromCellTop);
        // Every shape stays inside its cell.
        EXPECT_LE(c.rowHeight - s.offset + s.height, c.rowHeight);
    }
}

TEST(CaretGeometry, PlaceFollowsCursorAndStopsAtTheWindowsRightLimit) {
    const CaretShape s = CaretShapeFor(false, false, 20);  // offset 3
    CaretPlace p = CaretPlaceFor(5, 79, 2, 10, 20, 32, 9, s);
    EXPECT_EQ(p.x, 5 * 10 + 32);
    EXPECT_EQ(p.y, 3 * 20 + 9 - 3);
    p = CaretPlaceFor(60, 40, 0, 10, 20, 0, 0, s);  // cursor ran past the window
    EXPECT_EQ(p.x, 400);
    p = CaretPlaceFor(200, 255, 30, 10, 20, 0, 0, s);  // nonsense stays on the grid
    EXPECT_EQ(p.x, 790);
    EXPECT_EQ(p.y, 25 * 20 - 3);
    p = CaretPlaceFor(-4, 79, 0, 10, 20, 0, 0, s);
    EXPECT_EQ(p.x, 0);
}

namespace {

std::vector<std::pair<int, int>> tried_by_fit_up(int h, int w, int maxH, int maxW,
                                                 std::pair<int, int> acceptAt = {-1, -1},
                                                 FitCell* found = nullptr, bool* ok = nullptr) {
    std::vector<std::pair<int, int>> tried;
    FitCell cell{0, 0};
    const bool r = FitUp(h, w, maxH, maxW,
                         [&](int hh, int ww) {
                             tried.emplace_back(hh, ww);
                             return std::make_pair(hh, ww) == acceptAt;
                         },
                         &cell);
    if (found) *found = cell;
    if (ok) *ok = r;
    return tried;
}

}  // namespace

TEST(FitOrder, FitUpTriesByDistanceThenHeightThenWidth) {
    // From 20 x 9 with room up to 22 x 11: the rings of distance 0, 1 and 2.
    const std::vector<std::pair<int, int>> expected = {
        {20, 9},                                             // d = 0
        {20, 10}, {21, 9}, {21, 10},                         // d = 1
        {20, 11}, {21, 11}, {22, 9}, {22, 10}, {22, 11},     // d = 2
    };
    EXPECT_EQ(tried_by_fit_up(20, 9, 22, 11), expected);
}

TEST(FitOrder, FitUpSkipsSizesPastEitherLimitAndStopsPastBoth) {
    // Height limit 21, width limit 12: heights above 21 are never tried, and
    // the search goes on for widths until 12 is passed.
    const std::vector<std::pair<int, int>> expected = {
        {20, 9}, {20, 10}, {21, 9}, {21, 10}, {20, 11}, {21, 11}, {20, 12}, {21, 12},
    };
    EXPECT_EQ(tried_by_fit_up(20, 9, 21, 12), expected);
    // Nothing fits at all: no candidate when the start is past both limits.
    EXPECT_TRUE(tried_by_fit_up(30, 15, 29, 14).empty());
}

TEST(FitOrder, FitUpRaisesTinyRequestsAndReportsTheFirstAcceptedSize) {
    FitCell found{};
    bool ok = false;
    const auto tried = tried_by_fit_up(3, 2, 40, 20, {15, 8}, &found, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(found.height, 15);
    EXPECT_EQ(found.width, 8);
    const std::vector<std::pair<int, int>> expected = {{14, 7}, {14, 8}, {15, 7}, {15, 8}};
    EXPECT_EQ(tried, expected);
    tried_by_fit_up(20, 9, 22, 11, {99, 99}, &found, &ok);
    EXPECT_FALSE(ok);
}

TEST(FitOrder, FitDownTriesHeightsDownToFourteen) {
    std::vector<int> heights;
    FitCell found{};
    EXPECT_FALSE(FitDown(18, 9, [&](int h, int w) { heights.push_back(h); EXPECT_EQ(w, 9); return false; },
                         &found));
    EXPECT_EQ(heights, (std::vector<int>{18, 17, 16, 15, 14}));
    EXPECT_TRUE(FitDown(30, 12, [](int h, int) { return h <= 27; }, &found));
    EXPECT_EQ(found.height, 27);
    EXPECT_EQ(found.width, 12);
}

TEST(FitOrder, CellFromAvailableArea) {
    FitCell c = CellForArea(1015, 704, false);
    EXPECT_EQ(c.width, 12);
    EXPECT_EQ(c.height, 28);
    c = CellForArea(1015, 704, true);
    EXPECT_EQ(c.width, 13);
    EXPECT_EQ(c.height, 29);
    c = CellForArea(800, 450, true);  // exact: no rounding
    EXPECT_EQ(c.width, 10);
    EXPECT_EQ(c.height, 18);
}

TEST(UpdateCells, RectangleToColumnAndRowRange) {
    struct Case {
        int l, t, r, b, xo, yo, cw, rh;
        CellRange want;
    };
    const Case cases[] = {
        {0, 0, 800, 450, 0, 0, 10, 18, {0, 79, 0, 24}},      // whole client
        {10, 18, 20, 36, 0, 0, 10, 18, {1, 1, 1, 1}},        // exactly one cell
        {15, 20, 16, 21, 0, 0, 10, 18, {1, 1, 1, 1}},        // one pixel inside it
        {9, 17, 11, 19, 0, 0, 10, 18, {0, 1, 0, 1}},         // a corner of four cells
        {0, 0, 1024, 768, 32, 9, 12, 30, {0, 79, 0, 24}},    // full screen with margins
        {0, 0, 32, 768, 32, 9, 12, 30, {0, -1, 0, 24}},      // left margin only: no column
        {992, 0, 1024, 768, 32, 9, 12, 30, {80, 79, 0, 24}}, // right margin only
        {44, 39, 56, 69, 32, 9, 12, 30, {1, 1, 1, 1}},
        {0, 0, 2000, 2000, 0, 0, 7, 12, {0, 79, 0, 24}},     // clipped to the grid
        {5, 5, 5, 9, 0, 0, 7, 12, {0, -1, 0, -1}},           // empty rectangle
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.l << "," << c.t << "-" << c.r << "," << c.b);
        const CellRange r = CellsInRect(c.l, c.t, c.r, c.b, c.xo, c.yo, c.cw, c.rh);
        if (c.want.empty()) {
            EXPECT_TRUE(r.empty());
            continue;
        }
        EXPECT_EQ(r.firstCol, c.want.firstCol);
        EXPECT_EQ(r.lastCol, c.want.lastCol);
        EXPECT_EQ(r.firstRow, c.want.firstRow);
        EXPECT_EQ(r.lastRow, c.want.lastRow);
    }
}

TEST(FullScreen, FaceAndGridByExactScreenSize) {
    GridRect g{};
    ASSERT_TRUE(FullScreenGrid(1024, 768, &g));
    EXPECT_EQ(g.x, 32);
    EXPECT_EQ(g.y, 9);
    EXPECT_EQ(g.width, 960);
    EXPECT_EQ(g.height, 750);
    EXPECT_STREQ(FullScreenFaceFor(1024, 768)->face, "Full12x30");
    // The origins centre the grid on every listed screen.
    for (auto [w, h] : {std::pair{640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 1024},
                        {1600, 1200}}) {
        ASSERT_TRUE(FullScreenGrid(w, h, &g)) << w << "x" << h;
        EXPECT_EQ(g.x, (w - g.width) / 2) << w;
        EXPECT_EQ(g.y, (h - g.height) / 2) << w;
    }
    EXPECT_FALSE(FullScreenGrid(1366, 768, &g));
    EXPECT_EQ(FullScreenFaceFor(768, 1024), nullptr);
}
