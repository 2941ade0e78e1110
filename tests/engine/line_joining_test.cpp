#include "engine_fixture.h"

namespace {

class LineJoining : public EngineTest {
 protected:
  void Put(int col, int row, uint8_t glyph) { CellAt(col, row)->glyph = glyph; }
  void Join(int x1, int y1, int x2, int y2) {
    Feed(kEsc + "SJ" + V(x1) + V(y1) + V(x2) + V(y2) + "\n");
  }
};

TEST_F(LineJoining, HorizontalRunJoinsCrossingLines) {
  for (int c = 2; c <= 8; ++c) Put(c, 5, 196);
  Put(4, 4, 179);
  Put(4, 6, 179);  // a single line crossing at column 4
  Put(8, 4, 179);
  Put(8, 6, 179);  // and at the run's last cell, blank to the right
  Put(6, 4, 186);  // a double line only above column 6
  Join(2, 5, 8, 5);
  EXPECT_EQ(CellAt(4, 5)->glyph, 197);
  EXPECT_EQ(CellAt(8, 5)->glyph, 180);
  EXPECT_EQ(CellAt(6, 5)->glyph, 208) << "a double line from above meets a single run";
  EXPECT_EQ(CellAt(3, 5)->glyph, 196);
}

TEST_F(LineJoining, VerticalRunIsTheSameWithDirectionsExchanged) {
  for (int r = 2; r <= 6; ++r) Put(10, r, 186);
  Put(9, 4, 205);
  Put(11, 4, 205);
  Put(11, 6, 205);
  Join(10, 6, 10, 2);  // given bottom first: taken from the top
  EXPECT_EQ(CellAt(10, 4)->glyph, 206);
  EXPECT_EQ(CellAt(10, 6)->glyph, 200) << "last cell: nothing below, line to the right";
}

TEST_F(LineJoining, CellsWithoutWeightAlongTheRunStay) {
  Put(5, 5, 179);
  Put(5, 4, 179);
  Put(5, 6, 179);
  Join(5, 5, 5, 5);
  EXPECT_EQ(CellAt(5, 5)->glyph, 179);
}

TEST_F(LineJoining, DiagonalOrOutsideTheFrameChangesNothing) {
  for (int c = 2; c <= 8; ++c) Put(c, 5, 196);
  Put(4, 4, 179);
  Put(4, 6, 179);
  Join(2, 5, 8, 6);
  EXPECT_EQ(CellAt(4, 5)->glyph, 196);
  SetWindow(0, 0, 9, 9);
  Join(2, 5, 12, 5);
  EXPECT_EQ(CellAt(4, 5)->glyph, 196);
}

TEST_F(LineJoining, NeighboursOutsideTheFrameCountAsBlank) {
  SetWindow(2, 5, 8, 5);  // a one-row frame: nothing above or below is seen
  for (int c = 2; c <= 8; ++c) Put(c, 5, 197);
  Put(4, 4, 179);
  Put(4, 6, 179);
  Join(0, 0, 6, 0);
  EXPECT_EQ(CellAt(4, 5)->glyph, 196);
}

}  // namespace
