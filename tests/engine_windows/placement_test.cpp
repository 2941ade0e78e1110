#include <gtest/gtest.h>

#include <random>
#include <string>

#include "screen_model.h"
#include "window_placement.h"

namespace {

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetScreenModel();
    Screen.win.winRight = 79;
    Screen.win.winBottom = 23;
  }
  void TearDown() override { ResetScreenModel(); }
};

std::string Borders(const WindowPlacement& w) {
  std::string s;
  const char names[] = "TRBL";
  for (int i = 0; i < 4; ++i)
    if (w.borders[i]) s += names[i];
  return s;
}

WindowPlacement Fitted(int c, int r, int w, int h, int style, bool popup, bool relative = false) {
  const uint8_t p[5] = {static_cast<uint8_t>(c + 32), static_cast<uint8_t>(r + 32), static_cast<uint8_t>(w + 32),
                        static_cast<uint8_t>(h + 32), static_cast<uint8_t>(style + 32)};
  WindowPlacement placed = PlacementFromHost(p, relative, popup);
  FitPlacement(placed, true);
  return placed;
}

TEST_F(PlacementTest, BordersAndNudges) {
  struct Case {
    const char* what;
    int c, r, w, h, style;
    bool popup;
    int col, row, width, height;
    const char* borders;
  } cases[] = {
      {"plain window keeps every border", 10, 5, 20, 6, 0, false, 10, 5, 20, 6, "TRBL"},
      {"column 0 style 3: moved right to win the left border", 0, 5, 20, 6, 3, false, 1, 5, 20, 6, "TRBL"},
      {"row 0: moved down to win the top border", 10, 0, 20, 6, 1, false, 10, 1, 20, 6, "TRBL"},
      {"width 80: no side borders", 0, 5, 80, 6, 2, false, 0, 5, 80, 6, "TB"},
      {"width above 80 is cut to 80", 5, 5, 200, 6, 2, false, 0, 5, 80, 6, "TB"},
      {"height 24: no top or bottom border", 10, 0, 20, 24, 0, false, 10, 0, 20, 24, "RL"},
      {"passing column 79: moved left, then left once more for the right border", 70, 5, 20, 6, 0, false, 59, 5,
       20, 6, "TRBL"},
      {"passing row 23: moved up, then up once more for the bottom border", 10, 20, 20, 10, 0, false, 10, 13, 20,
       10, "TRBL"},
      {"height 22 at row 0: the nudge gives up the bottom border", 10, 0, 20, 22, 0, false, 10, 1, 20, 22, "TRL"},
      {"height 23 at row 0: the bottom border would land on the status row", 10, 0, 20, 23, 0, false, 10, 1, 20, 23,
       "TRL"},
      {"height 23 ending at row 23 is not nudged up", 10, 1, 20, 23, 0, false, 10, 1, 20, 23, "TRL"},
      {"width 78 at column 0: the nudge gives up the right border", 0, 5, 78, 6, 0, false, 1, 5, 78, 6, "TBL"},
      {"width 79 at column 0: the right border would fall off the screen", 0, 5, 79, 6, 0, false, 1, 5, 79, 6,
       "TBL"},
      {"width 79 ending at column 79 is not nudged left", 1, 5, 79, 6, 0, false, 1, 5, 79, 6, "TBL"},
      {"style 9 window: no borders, no nudge", 0, 0, 20, 6, 9, false, 0, 0, 20, 6, ""},
      {"style 9 pop-up keeps its margin where it fits, no nudge", 0, 0, 20, 6, 9, true, 0, 0, 20, 6, "RB"},
      {"style 9 pop-up inside the screen keeps the whole margin", 5, 5, 20, 6, 9, true, 5, 5, 20, 6, "TRBL"},
      {"an unknown style still reserves its borders", 0, 5, 20, 6, 7, false, 1, 5, 20, 6, "TRBL"},
      {"width and height 0 become 1", 10, 5, 0, 0, 0, false, 10, 5, 1, 1, "TRBL"},
  };
  for (const Case& c : cases) {
    WindowPlacement w = Fitted(c.c, c.r, c.w, c.h, c.style, c.popup);
    EXPECT_EQ(c.col, w.col) << c.what;
    EXPECT_EQ(c.row, w.row) << c.what;
    EXPECT_EQ(c.width, w.width) << c.what;
    EXPECT_EQ(c.height, w.height) << c.what;
    EXPECT_EQ(std::string(c.borders), Borders(w)) << c.what;
  }
}

TEST_F(PlacementTest, RelativePlacementStartsAtTheTextWindow) {
  Screen.win.winLeft = 10;
  Screen.win.winTop = 4;
  WindowPlacement w = Fitted(2, 3, 10, 4, 0, true, true);
  EXPECT_EQ(12, w.col);
  EXPECT_EQ(7, w.row);
}

TEST_F(PlacementTest, WhateverTheBytesTheOuterRectangleStaysOnTheWorkArea) {
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    uint8_t p[5];
    for (uint8_t& b : p) b = static_cast<uint8_t>(random());
    Screen.win.winLeft = static_cast<uint8_t>(random() % 80);
    Screen.win.winTop = static_cast<uint8_t>(random() % 24);
    WindowPlacement w = PlacementFromHost(p, random() % 2, random() % 2);
    FitPlacement(w, random() % 2);
    const OuterRect o = OuterOf(w);
    ASSERT_GE(o.col, 0);
    ASSERT_GE(o.row, 0);
    ASSERT_GE(w.width, 1);
    ASSERT_GE(w.height, 1);
    ASSERT_LE(o.col + o.width, kScreenCols);
    ASSERT_LE(o.row + o.height, kWorkRows);
  }
}

}  // namespace
