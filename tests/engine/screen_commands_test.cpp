#include "block_store.h"
#include "engine_fixture.h"
#include "viewport.h"

namespace {

class ScreenCommands : public EngineTest {};

TEST_F(ScreenCommands, CursorAddressIsRelativeToTheWindowAndClamped) {
  SetWindow(10, 5, 29, 9);
  struct Case {
    int r, c;  // values (byte - 32); negative: a byte below 32
    int col, row;
  } cases[] = {
      {0, 0, 10, 5},    {2, 3, 13, 7},  {4, 19, 29, 9},
      {50, 0, 10, 9},   // row beyond the window: winBottom
      {0, 60, 29, 5},   // column beyond: winRight
      {-20, -20, 10, 5} // bytes below 32 count as 0
  };
  for (const auto& c : cases) {
    Feed(kEsc + "Y" + V(c.r) + V(c.c));
    EXPECT_EQ(Screen.win.cursorCol, c.col) << c.r << "," << c.c;
    EXPECT_EQ(Screen.win.cursorRow, c.row) << c.r << "," << c.c;
  }
}

TEST_F(ScreenCommands, EraseToEndOfLineAndWindow) {
  for (int r = 0; r < 4; ++r) Feed(kEsc + "Y" + V(r) + V(0) + std::string(80, 'x'));
  Feed(kEsc + "Y" + V(1) + V(70) + kEsc + "K");
  EXPECT_EQ(Row(1, 68, 12), "xx          ");
  EXPECT_EQ(Row(2, 0, 3), "xxx");
  Feed(kEsc + "Y" + V(2) + V(40) + kEsc + "k");
  EXPECT_EQ(Row(2, 38, 4), "xx  ");
  EXPECT_EQ(Row(3), std::string(80, ' '));
  EXPECT_EQ(Row(0), std::string(80, 'x'));
}

TEST_F(ScreenCommands, EraseRectangleClampsAndKeepsBoxGlyphs) {
  struct Case {
    const char* name;
    int c, r, w, h;
    int col, width;
  } cases[] = {
      {"width byte 0x20 erases one column", 5, 0, 0, 1, 5, 1},
      {"overflowing width moves left", 70, 0, 20, 1, 60, 20},
      {"wider than the window shrinks", 0, 0, 100, 1, 0, 80},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Feed(kEsc + "Y" + V(0) + V(0) + std::string(80, 'x'));
    Feed(kEsc + "WE" + V(c.c) + V(c.r) + V(c.w) + V(c.h) + "\n");
    std::string expected(80, 'x');
    expected.replace(c.col, c.width, std::string(c.width, ' '));
    EXPECT_EQ(Row(0), expected);
  }
  Feed(kEsc + "Y" + V(3) + V(0) + "ab\xB3\xC4");
  Feed(kEsc + "WE" + V(0) + V(3) + V(4) + V(1) + "\n");
  EXPECT_EQ(Row(3, 0, 4), "  \xB3\xC4");
}

TEST_F(ScreenCommands, AttributeRectangleChangesOnlyClasses) {
  Feed("\x0e" "abcdef");
  Feed(kEsc + "^A" + V(1) + V(0) + V(3) + V(1) + "0\n");
  EXPECT_EQ(Classes(0, 0, 6), "jcccjj");
  EXPECT_EQ(Row(0, 0, 6), "abcdef");
  Feed(kEsc + "^A" + V(78) + V(0) + V(5) + V(1) + "1\n");  // overflow moves left
  EXPECT_EQ(Classes(0, 75, 5), "jjjjj");
}

TEST_F(ScreenCommands, ScrollRectangleWithinTheWindow) {
  for (int r = 0; r < 5; ++r) Feed(kEsc + "Y" + V(r) + V(0) + std::string(10, static_cast<char>('0' + r)));
  Feed(kEsc + "Y" + V(4) + V(0) + "\xBA");
  Feed(kEsc + "^SU" + V(0) + V(1) + V(4) + V(4) + V(1) + "\n");
  EXPECT_EQ(Row(0, 0, 6), "000000");
  EXPECT_EQ(Row(1, 0, 6), "222221");
  EXPECT_EQ(Row(3, 0, 6), "\xBA" "44443");
  EXPECT_EQ(Row(4, 0, 6), "\xBA    4") << "vacated row keeps its box glyph";
  // A count equal to the height blanks the rectangle, box glyphs stay.
  Feed(kEsc + "^SD" + V(0) + V(1) + V(4) + V(4) + V(4) + "\n");
  EXPECT_EQ(Row(3, 0, 6), "\xBA    3");
  // Nothing for a zero count, or a left edge beyond the window.
  Feed(kEsc + "Y" + V(0) + V(0) + "abcdef");
  Feed(kEsc + "^SU" + V(0) + V(0) + V(4) + V(4) + V(0) + "\n");
  Feed(kEsc + "^SU" + V(90) + V(0) + V(95) + V(4) + V(1) + "\n");
  EXPECT_EQ(Row(0, 0, 6), "abcdef");
}

TEST_F(ScreenCommands, BorderTitlesCentreOrCut) {
  SetWindow(10, 5, 29, 9);
  Screen.win.hasTopBorder = 1;
  Screen.win.hasBottomBorder = 0;
  Feed(kEsc + "WHOrders\n");
  EXPECT_EQ(Row(4, 10, 20), "       Orders       ");
  std::string title = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";  // 30 characters
  Feed(kEsc + "WH" + title + "\n");
  EXPECT_EQ(Row(4, 10, 20), title.substr(5, 20));
  Feed(kEsc + "WFBottom\n");
  EXPECT_EQ(Row(10, 10, 20), std::string(20, ' ')) << "no bottom border, no title";
}

TEST_F(ScreenCommands, ViewportShowsAWindowOntoALongerLine) {
  SetWindow(0, 0, 79, 23);
  // Columns 10..19, rows 2..3, lines of 40.
  Feed(kEsc + "WV" + V(10) + V(19) + V(40) + V(2) + V(3) + "\n");
  const WindowState& w = Screen.win;
  ASSERT_NE(w.vpBuffer, 0u);
  EXPECT_EQ(w.vpCol, 10);
  EXPECT_EQ(w.vpWidth, 10);
  EXPECT_EQ(w.vpRow, 2);
  EXPECT_EQ(w.vpHeight, 2);
  EXPECT_EQ(w.vpLineLength, 40);
  // Addressing a viewport row may go past winRight into the virtual line.
  Feed(kEsc + "Y" + V(2) + V(95));
  EXPECT_EQ(w.cursorCol, 95);
  Feed(kEsc + "Y" + V(2) + V(150));
  EXPECT_EQ(w.cursorCol, 79 + 40 - 10);
  Feed(kEsc + "Y" + V(5) + V(95));
  EXPECT_EQ(w.cursorCol, 79) << "other rows stop at winRight";

  Feed(kEsc + "Y" + V(2) + V(10) + std::string(15, 'a') + std::string(25, 'b') + "XY");
  EXPECT_EQ(Row(2, 10, 10), "aaaaaaaaaa");
  // Past the line length the characters appear right of the viewport.
  EXPECT_EQ(Row(2, 20, 2), "XY");
  const uint8_t* line = BlockData(w.vpBuffer) + 2 * 40;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(line), 40), std::string(15, 'a') + std::string(25, 'b'));
  ScrollViewportTo(12);
  EXPECT_EQ(Row(2, 10, 10), "aaabbbbbbb");
  ScrollViewportTo(500);
  EXPECT_EQ(w.vpOffset, 30);
}

TEST_F(ScreenCommands, ViewportScrollStaysInsideItsBuffer) {
  SetWindow(0, 0, 79, 5);
  Feed(kEsc + "WV" + V(0) + V(9) + V(20) + V(0) + V(5) + "\n");
  uint8_t* data = BlockData(Screen.win.vpBuffer);
  ASSERT_NE(data, nullptr);
  for (int line = 0; line < 6; ++line) data[line * 20] = static_cast<uint8_t>('0' + line);
  // Rows far outside the buffer: cut to what exists, down to the window's bottom row.
  Feed(kEsc + "^SU" + V(0) + V(1) + V(79) + V(200) + V(1) + "\n");
  std::string firsts;
  for (int line = 0; line < 6; ++line) firsts += static_cast<char>(data[line * 20]);
  EXPECT_EQ(firsts, "02345 ");
}

TEST_F(ScreenCommands, ViewportLinesScrollWholeWithTheirRows) {
  // Rows 20..23 (the window's last), columns 10..19, lines of 30: each row's
  // line is ten visible capitals and twenty hidden small letters.
  SetWindow(0, 0, 79, 23);
  Feed(kEsc + "WV" + V(10) + V(19) + V(30) + V(20) + V(23) + "\n");
  ASSERT_NE(Screen.win.vpBuffer, 0u);
  auto line = [](int row) {
    return std::string(10, static_cast<char>('A' + row - 20)) + std::string(20, static_cast<char>('a' + row - 20));
  };
  for (int row = 20; row <= 23; ++row) Feed(kEsc + "Y" + V(row) + V(10) + line(row));
  struct Case {
    const char* what;
    std::string scroll;
    std::string rows[4];  // rows 20..23 as whole lines after the scroll
  } cases[] = {
      {"up by 1 over rows 20..23", kEsc + "^SU" + V(0) + V(20) + V(79) + V(23) + V(1) + "\n",
       {line(21), line(22), line(23), std::string(30, ' ')}},
      {"down by 2 over rows 21..23", kEsc + "^SD" + V(0) + V(21) + V(79) + V(23) + V(2) + "\n",
       {line(20), std::string(30, ' '), std::string(30, ' '), line(21)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int row = 20; row <= 23; ++row) Feed(kEsc + "Y" + V(row) + V(10) + line(row));
    ScrollViewportTo(0);
    Feed(c.scroll);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Row(20 + i, 10, 10), c.rows[i].substr(0, 10)) << "row " << 20 + i;
    ScrollViewportTo(20);  // the hidden parts come into view with their rows
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Row(20 + i, 10, 10), c.rows[i].substr(20, 10)) << "row " << 20 + i;
  }
}

TEST_F(ScreenCommands, ViewportAllocationFailureLeavesNoViewport) {
  SetBlockStoreLimit(10);
  Feed(kEsc + "WV" + V(0) + V(9) + V(40) + V(0) + V(3) + "\n");
  SetBlockStoreLimit(0);
  EXPECT_EQ(Screen.win.vpBuffer, 0u);
  EXPECT_TRUE(HasEvent("failure-notice"));
}

}  // namespace
