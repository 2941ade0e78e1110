#include <cstring>

#include "engine_fixture.h"
#include "glyph_table.h"
#include "render_notify.h"

namespace {

class CellPrimitives : public EngineTest {
 protected:
  void WriteRow(int row, int col, const std::string& text) {
    WriteText(col, row, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
  }
  // Deliver recorded notifications and return them.
  std::vector<InvalidatedRect> Flushed() {
    shell.invalidated.clear();
    FlushRenderNotifications();
    return shell.invalidated;
  }
};

TEST_F(CellPrimitives, KeepLinesFillKeepsBoxGlyphsAndBlanksTheRest) {
  WriteRow(3, 0, "\xC9\xCD\xCD\xBB" "abc");
  Screen.win.curAttrClass = 9;
  FillCells(0, 3, 7, kKeepLines, true);
  EXPECT_EQ(Row(3, 0, 7), "\xC9\xCD\xCD\xBB   ");
  EXPECT_EQ(Classes(3, 0, 7), std::string(7, 'a' + 9));
  auto rects = Flushed();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].width, 7);
}

TEST_F(CellPrimitives, GlyphTableShowsControlArrowsAsQuotes) {
  EXPECT_EQ(GlyphTable[0x1E], 0xAE);
  EXPECT_EQ(GlyphTable[0x1F], 0xAF);
  EXPECT_EQ(GlyphTable[0x1D], 0x1D);
  Feed("\x1e\x1f");
  EXPECT_EQ(Row(0, 0, 2), "\xAE\xAF");
}

struct ScrollCase {
  const char* name;
  int count, direction;
  const char* rows[3];  // expected contents of rows 1..3, columns 5..14
};

TEST_F(CellPrimitives, ScrollRectMovesOnlyTheRectangle) {
  const ScrollCase cases[] = {
      {"up by one", 1, -1, {"BBBBBBBBBB", "CCCCCCCCCC", "          "}},
      {"down by one", 1, 1, {"          ", "AAAAAAAAAA", "BBBBBBBBBB"}},
      {"up by two", 2, -1, {"CCCCCCCCCC", "          ", "          "}},
      {"count equals height", 3, -1, {"          ", "          ", "          "}},
      {"count above height", 9, 1, {"          ", "          ", "          "}},
      {"count zero", 0, -1, {"AAAAAAAAAA", "BBBBBBBBBB", "CCCCCCCCCC"}},
  };
  for (const ScrollCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (int r = 1; r <= 3; ++r) WriteRow(r, 0, std::string(20, static_cast<char>('A' + r - 1)));
    ScrollRect(5, 1, 10, 3, c.count, c.direction, ' ');
    for (int r = 1; r <= 3; ++r) {
      EXPECT_EQ(Row(r, 5, 10), c.rows[r - 1]);
      // Columns left and right of the rectangle stay.
      EXPECT_EQ(Row(r, 0, 5), std::string(5, static_cast<char>('A' + r - 1)));
      EXPECT_EQ(Row(r, 15, 5), std::string(5, static_cast<char>('A' + r - 1)));
    }
  }
}

TEST_F(CellPrimitives, ScrollRectVacatedRowsKeepBoxGlyphsWithKeepLinesFill) {
  WriteRow(1, 0, "ab");
  WriteRow(2, 0, "\xB3x");
  Screen.win.curAttrClass = 2;
  ScrollRect(0, 1, 2, 2, 1, -1, kKeepLines);
  EXPECT_EQ(Row(1, 0, 2), "\xB3x");
  EXPECT_EQ(Row(2, 0, 2), "\xB3 ");  // vacated: box glyph stays, letter blanks
  EXPECT_EQ(CellAt(1, 2)->attrClass, 2);
}

TEST_F(CellPrimitives, ShiftLeftOfOneRepaintsOneCellOnly) {
  WriteRow(0, 0, "abcd");
  Flushed();
  ShiftLeft(1, 0, 1);
  EXPECT_EQ(Row(0, 0, 4), "abcd");
  auto rects = Flushed();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].col, 1);
  EXPECT_EQ(rects[0].width, 1);
}

TEST_F(CellPrimitives, ShiftsMoveWithinTheSpanAndLeaveTheEndCell) {
  WriteRow(0, 0, "abcdef");
  ShiftLeft(1, 0, 4);  // b c d e -> c d e e
  EXPECT_EQ(Row(0, 0, 6), "acdeef");
  WriteRow(0, 0, "abcdef");
  ShiftRight(1, 0, 4);  // b c d e -> b b c d
  EXPECT_EQ(Row(0, 0, 6), "abbcdf");
  ShiftRight(1, 0, 1);
  EXPECT_EQ(Row(0, 0, 6), "abbcdf");
}

TEST_F(CellPrimitives, ClearWindowDefinesWindowFrameAndAttribute) {
  Screen.win.curLevel = 0;
  ClearWindow(10, 5, 20, 4, CellAttribute{2, 0, 0}, true);
  const WindowState& w = Screen.win;
  EXPECT_EQ(w.winLeft, 10);
  EXPECT_EQ(w.winRight, 29);
  EXPECT_EQ(w.winTop, 5);
  EXPECT_EQ(w.winBottom, 8);
  EXPECT_EQ(w.frameWidth, 20);
  EXPECT_EQ(w.frameHeight, 4);
  EXPECT_EQ(w.curAttrClass, 2);
  EXPECT_EQ(w.cursorCol, 10);
  EXPECT_EQ(w.cursorRow, 5);
  EXPECT_EQ(Classes(5, 9, 22), "a" + std::string(20, 'c') + "a");
}

TEST_F(CellPrimitives, OutOfGridWritesAreRefused) {
  Cell before[kScreenRows * kScreenCols];
  std::memcpy(before, Screen.cells, sizeof before);
  FillCells(-5, 3, 3, 'x', true);            // entirely left of the grid
  FillCells(78, 30, 10, 'x', true);          // below the grid
  ScrollRect(70, 20, 40, 40, 1, -1, ' ');    // clipped to the grid
  WriteText(79, 24, reinterpret_cast<const uint8_t*>("zz"), 2);  // one cell inside
  Screen.win.cursorCol = -3;
  PutChar('q', CurrentAttribute());
  Screen.win.cursorCol = 200;
  PutChar('q', CurrentAttribute());
  EXPECT_EQ(CellAt(79, 24)->glyph, 'z');
  EXPECT_EQ(Screen.win.cursorCol, 201);
  // Nothing else changed outside the clipped scroll area.
  for (int r = 0; r < 20; ++r)
    EXPECT_EQ(std::memcmp(CellAt(0, r), &before[r * kScreenCols], sizeof(Cell) * kScreenCols), 0) << r;
}

TEST_F(CellPrimitives, CursorColumnDoesNotWrapRoundPastTheMargin) {
  Screen.win.cursorCol = INT16_MAX - 1;
  PutChar('a', CurrentAttribute());
  PutChar('a', CurrentAttribute());
  EXPECT_EQ(Screen.win.cursorCol, INT16_MAX);
}

TEST_F(CellPrimitives, NotificationsCoalescePerBatch) {
  Feed(std::string(80, 'x') + std::string(80, 'y'));
  // Two full rows written character by character: one rectangle.
  ASSERT_EQ(shell.invalidated.size(), 1u);
  EXPECT_EQ(shell.invalidated[0].col, 0);
  EXPECT_EQ(shell.invalidated[0].row, 0);
  EXPECT_EQ(shell.invalidated[0].width, 80);
  EXPECT_EQ(shell.invalidated[0].height, 2);
  EXPECT_EQ(shell.cursorMoves, 1);
}

}  // namespace
