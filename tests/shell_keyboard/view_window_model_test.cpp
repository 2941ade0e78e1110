// The view window's rules without a window: content from the screen (with a
// viewport's full lines), scrolling limits, selection over the scrolled
// content and the copy text.
#include <gtest/gtest.h>

#include <cstring>

#include "block_store.h"
#include "screen_model.h"
#include "view_window_model.h"

namespace {

void Put(int col, int row, const char* text) {
  for (int i = 0; text[i]; ++i) Screen.cells[row * kScreenCols + col + i].glyph = static_cast<uint8_t>(text[i]);
}

class ViewWindowModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetScreenModel();
    ResetBlockStore();
    ResetViewWindow();
    for (Cell& c : Screen.cells) c.glyph = ' ';
  }
  void TearDown() override {
    ResetViewWindow();
    ResetBlockStore();
    ResetScreenModel();
  }
  static void TextWindow(int left, int top, int right, int bottom) {
    Screen.win.winLeft = static_cast<uint8_t>(left);
    Screen.win.winTop = static_cast<uint8_t>(top);
    Screen.win.winRight = static_cast<uint8_t>(right);
    Screen.win.winBottom = static_cast<uint8_t>(bottom);
  }
  static void Open(const std::vector<std::string>& lines, int pageCols, int pageRows) {
    ViewContent content = {{0, 0, 1, static_cast<int>(lines.size())}, lines};
    OpenViewContent(content, pageCols, pageRows);
  }
};

TEST_F(ViewWindowModelTest, ContentIsTheTextWindowsRowsWithoutTrailingBlanks) {
  TextWindow(10, 2, 29, 4);
  Put(10, 2, "first");
  Put(12, 3, "second   ");
  Put(2, 2, "outside");  // left of the window (columns 2-8)
  Screen.cells[4 * kScreenCols + 15].glyph = 0;  // a never-written cell reads as a blank
  Put(16, 4, "x");
  const ViewContent c = ViewContentFromScreen();
  EXPECT_EQ(c.area.col, 10);
  EXPECT_EQ(c.area.row, 2);
  EXPECT_EQ(c.area.cols, 20);
  EXPECT_EQ(c.area.rows, 3);
  ASSERT_EQ(c.lines.size(), 3u);
  EXPECT_EQ(c.lines[0], "first");
  EXPECT_EQ(c.lines[1], "  second");
  EXPECT_EQ(c.lines[2], "      x");
}

TEST_F(ViewWindowModelTest, ViewportRowsShowTheWholeBufferLine) {
  TextWindow(0, 0, 79, 2);
  WindowState& w = Screen.win;
  w.vpCol = 4, w.vpRow = 1, w.vpWidth = 10, w.vpHeight = 1, w.vpLineLength = 100, w.vpOffset = 0;
  w.vpBuffer = AllocBlock(3 * 100);
  ASSERT_NE(w.vpBuffer, 0u);
  uint8_t* line1 = BlockData(w.vpBuffer) + 100;
  std::memset(line1, ' ', 100);
  std::memcpy(line1 + 90, "far right", 9);
  std::memcpy(line1, "start", 5);
  Put(0, 1, "ab|");
  Put(4, 1, "start     ");  // the visible part
  Put(14, 1, "|tail");
  const ViewContent c = ViewContentFromScreen();
  ASSERT_EQ(c.lines.size(), 3u);
  EXPECT_EQ(c.lines[1], "ab| start" + std::string(85, ' ') + "far right |tail");
}

TEST_F(ViewWindowModelTest, AWindowOutsideTheWorkRowsGivesNoContent) {
  TextWindow(5, 24, 10, 24);  // only the status row
  EXPECT_TRUE(ViewContentFromScreen().lines.empty());
  TextWindow(20, 3, 10, 5);  // right before left
  EXPECT_TRUE(ViewContentFromScreen().lines.empty());
}

TEST_F(ViewWindowModelTest, ScrollingStaysInsideTheContent) {
  Open(std::vector<std::string>(30, "line"), 10, 8);
  EXPECT_EQ(MaxTopLine(), 22);
  EXPECT_FALSE(ScrollViewRows(ViewScroll::kLineBack));
  EXPECT_TRUE(ScrollViewRows(ViewScroll::kPageForward));
  EXPECT_EQ(ViewWindow.topLine, 8);
  EXPECT_TRUE(ScrollViewRows(ViewScroll::kTo, 100));
  EXPECT_EQ(ViewWindow.topLine, 22);
  EXPECT_FALSE(ScrollViewRows(ViewScroll::kLineForward));
  EXPECT_TRUE(ScrollViewRows(ViewScroll::kStart));
  EXPECT_EQ(ViewWindow.topLine, 0);
  // Content no wider than the page does not scroll sideways.
  EXPECT_FALSE(ScrollViewCols(ViewScroll::kLineForward));
  // A larger page pulls a scrolled position back.
  ScrollViewRows(ViewScroll::kEnd);
  SetViewPage(10, 25);
  EXPECT_EQ(ViewWindow.topLine, 5);
}

TEST_F(ViewWindowModelTest, SelectionCoversScrolledContentAndPadsShortLines) {
  std::vector<std::string> lines;
  for (int i = 0; i < 20; ++i) lines.push_back("row" + std::to_string(i) + (i == 12 ? "" : "-long text"));
  Open(lines, 6, 5);
  ScrollViewRows(ViewScroll::kTo, 10);
  ViewSelectStart(2, 1);  // content column 2, line 11
  // Dragged below the page: the corner follows as far as the content goes.
  EXPECT_TRUE(ViewSelectMove(7, 3));
  ViewSelectEnd();
  const ViewRect r = ViewSelectionRect();
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, 11);
  EXPECT_EQ(r.right, 7);
  EXPECT_EQ(r.bottom, 13);
  EXPECT_EQ(ViewSelectionText(), "w11-lo\r\nw12   \r\nw13-lo\r\n");
  EXPECT_TRUE(ViewCellSelected(7, 13));
  EXPECT_FALSE(ViewCellSelected(8, 13));
  ClearViewSelection();
  EXPECT_EQ(ViewSelectionText(), "");
}

TEST_F(ViewWindowModelTest, DraggingUpwardsAndPastTheEndIsClamped) {
  Open({"abcdef", "ghijkl", "mnopqr"}, 4, 2);
  ViewSelectStart(3, 1);
  EXPECT_TRUE(ViewSelectMove(-5, -5));
  EXPECT_EQ(ViewSelectionText(), "abcd\r\nghij\r\n");
  EXPECT_TRUE(ViewSelectMove(50, 50));
  EXPECT_EQ(ViewSelectionText(), "jkl\r\npqr\r\n");
  EXPECT_FALSE(ViewSelectMove(60, 60));  // same clamped corner: nothing to repaint
}

TEST_F(ViewWindowModelTest, AutoScrollStepsOnlyOutsideThePage) {
  EXPECT_EQ(AutoScrollStep(-1, 10), -1);
  EXPECT_EQ(AutoScrollStep(0, 10), 0);
  EXPECT_EQ(AutoScrollStep(9, 10), 0);
  EXPECT_EQ(AutoScrollStep(10, 10), 1);
}

}  // namespace
