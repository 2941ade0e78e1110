// The column block (Alt+drag, Alt+Shift+arrows), Tab and Shift+Tab, and the
// drag-scroll step, as the session and the grid carry them out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_grid.h"
#include "edit_window_fixture.h"

namespace {

class EditBlock : public EditWindowFixture {
 protected:
  void SetUp() override { Load({"10 PRINT A", "X", "  GOTO 10", "", "ABCDEFGHIJ"}); }
};

TEST_F(EditBlock, CopyTakesTheBlocksRowsWithoutPaddingShortLines) {
  // Dragged from the bottom right corner up to the top left: the same block.
  s->SelectBlock(4, 6, 0, 3);
  ASSERT_TRUE(s->BlockSelected());
  ASSERT_TRUE(s->HasSelection());
  int l0, c0, l1, c1;
  s->BlockBounds(l0, c0, l1, c1);
  EXPECT_EQ((std::vector<int>{l0, c0, l1, c1}), (std::vector<int>{0, 3, 4, 6}));
  EXPECT_EQ(s->SelectedText(), "PRI\r\n\r\nOTO\r\n\r\nDEF");
  // Past every line's end the rows are empty, not spaces.
  s->SelectBlock(0, 20, 2, 30);
  EXPECT_EQ(s->SelectedText(), "\r\n\r\n");
  s->SelectBlock(0, 8, 2, 30);
  EXPECT_EQ(s->SelectedText(), " A\r\n\r\n0");
}

TEST_F(EditBlock, DeleteRemovesTheColumnsOneReplacePerChangedLine) {
  s->SelectBlock(0, 3, 4, 6);
  ASSERT_TRUE(s->DeleteSelection());
  EXPECT_EQ(All(), (Texts{"10 NT A", "X", "  G 10", "", "ABCGHIJ"}));
  EXPECT_FALSE(s->HasSelection());
  EXPECT_FALSE(s->BlockSelected());
  EXPECT_EQ(s->CaretLine(), 0);
  EXPECT_EQ(s->CaretColumn(), 3);
  EXPECT_TRUE(s->Modified());
  // Lines "X" and "" do not reach column 3: nothing goes for them.
  EXPECT_EQ(Drain(), (Messages{"r11,1,0,10 NT A\r", "r8,3,2,G 10\r", "r11,5,0,ABCGHIJ\r"}));
}

TEST_F(EditBlock, ABlockOverTheCaretsPendingLineSendsItOnceWithTheCut) {
  s->MoveCaret(4, 0);
  ASSERT_TRUE(s->TypeCharacter('Z'));  // pending change of line 5
  s->SelectBlock(4, 1, 4, 3);
  ASSERT_TRUE(s->DeleteSelection());
  EXPECT_EQ(s->Lines().At(4), "ZCDEFGHIJ");
  EXPECT_FALSE(s->LineChangePending());
  EXPECT_EQ(Drain(), (Messages{"r13,5,0,ZCDEFGHIJ\r"}));
}

TEST_F(EditBlock, TypingOverABlockRemovesItFirstAndRefusedStatesChangeNothing) {
  s->SelectBlock(0, 0, 2, 2);
  ASSERT_TRUE(s->TypeCharacter('Q'));
  EXPECT_EQ(All(), (Texts{"Q PRINT A", "", "GOTO 10", "", "ABCDEFGHIJ"}));
  s->readOnly = true;
  s->SelectBlock(0, 0, 4, 2);
  EXPECT_FALSE(s->DeleteSelection());
  EXPECT_EQ(s->Lines().At(4), "ABCDEFGHIJ");
  EXPECT_TRUE(s->BlockSelected()) << "a refused cut leaves the block";
}

TEST_F(EditBlock, ShiftAltArrowsGrowAndShrinkTheBlockFromTheCaret) {
  s->MoveCaret(1, 1);  // end of "X"
  s->ExtendBlock(0, 1);
  s->ExtendBlock(0, 1);
  s->ExtendBlock(1, 0);
  int l0, c0, l1, c1;
  s->BlockBounds(l0, c0, l1, c1);
  EXPECT_EQ((std::vector<int>{l0, c0, l1, c1}), (std::vector<int>{1, 1, 2, 3}));
  // The caret corner stands past the end of "X" and keeps its column.
  EXPECT_EQ(s->CaretShownColumn(), 3);
  EXPECT_EQ(s->SelectedText(), "\r\n G");
  s->ExtendBlock(-2, 0);  // above the anchor line: the block turns over
  s->ExtendBlock(0, -3);
  s->ExtendBlock(0, -5);  // stops at column 0
  s->BlockBounds(l0, c0, l1, c1);
  EXPECT_EQ((std::vector<int>{l0, c0, l1, c1}), (std::vector<int>{0, 0, 1, 1}));
  EXPECT_EQ(s->SelectedText(), "1\r\nX");
  s->ExtendBlock(-1, 0);  // no line above the first
  EXPECT_EQ(s->CaretLine(), 0);
  EXPECT_EQ(s->AnchorLine(), 1);
  EXPECT_EQ(s->AnchorColumn(), 1) << "the anchor corner, within its line";
  // A plain move ends the block.
  s->MoveBy(0, 1);
  EXPECT_FALSE(s->BlockSelected());
  EXPECT_FALSE(s->HasSelection());
}

TEST_F(EditBlock, IndentWorksOnTheBlocksLines) {
  s->SelectBlock(0, 2, 1, 2);  // zero columns wide: no text, but two lines
  EXPECT_FALSE(s->HasSelection());
  ASSERT_TRUE(s->Tab());
  EXPECT_EQ(s->Lines().At(0), "          10 PRINT A");
  EXPECT_EQ(s->Lines().At(1), "          X");
  EXPECT_EQ(s->Lines().At(2), "  GOTO 10");
}

TEST_F(EditBlock, TabInInsertModeTypesSpacesToTheNextIndentationStop) {
  // The host hears the line without its trailing spaces.
  struct Case { const char* line; int column; bool insert; const char* want; int caret; const char* message; };
  const Case cases[] = {
      {"X=1", 0, true, "          X=1", 10, "r8,1,10,X=1\r"},
      {"AB", 2, true, "AB        ", 10, "r6,1,0,AB\r"},
      {"  X", 9, true, "  X       ", 10, "r5,1,2,X\r"},
      {"ABCDEFGHIJK", 10, true, "ABCDEFGHIJ   K", 13, "r18,1,0,ABCDEFGHIJ   K\r"},
      {"ABCDEFGHIJKLMNOP", 14, true, "ABCDEFGHIJKLMN  OP", 16, "r22,1,0,ABCDEFGHIJKLMN  OP\r"},
      // Overtype: the caret moves over the text, the line grows only to reach the stop.
      {"ABCDEFGHIJKLMNOP", 3, false, "ABCDEFGHIJKLMNOP", 10, nullptr},
      {"AB", 1, false, "AB        ", 10, "r6,1,0,AB\r"},
      {"", 0, false, "          ", 10, "r4,1,0,\r"},
  };
  for (const Case& c : cases) {
    Load({c.line});
    s->MoveCaret(0, c.column);
    if (!c.insert) s->ToggleInsert();
    ASSERT_TRUE(s->Tab()) << c.line;
    EXPECT_EQ(s->Lines().At(0), c.want) << c.line << " at " << c.column;
    EXPECT_EQ(s->CaretColumn(), c.caret) << c.line << " at " << c.column;
    EXPECT_EQ(s->LineChangePending(), std::string(c.line) != c.want) << c.line;
    EXPECT_EQ(Drain(), c.message ? Messages{c.message} : Messages{}) << c.line;
  }
}

TEST_F(EditBlock, TabOverSelectionsAndShiftTab) {
  Load({"PRINT A", "  B", "C"});
  // A selection in one line is replaced by the spaces.
  s->Select(0, 0, 0, 6);
  ASSERT_TRUE(s->Tab());
  EXPECT_EQ(s->Lines().At(0), "          A");
  // Several lines: Indent, and Shift+Tab is Unindent; a selection ending at
  // the very start of a line leaves that line out.
  s->Select(0, 3, 2, 0);
  ASSERT_TRUE(s->Tab());
  EXPECT_EQ(All(), (Texts{"             A", "          B", "C"}));
  ASSERT_TRUE(s->BackTab());
  EXPECT_EQ(All(), (Texts{"          A", "B", "C"}));
  // Without a selection Shift+Tab only moves the caret back a stop.
  const int back[][2] = {{11, 10}, {10, 0}, {5, 0}, {0, 0}};
  for (auto& b : back) {
    s->MoveCaret(0, b[0]);
    ASSERT_TRUE(s->BackTab());
    EXPECT_EQ(s->CaretColumn(), b[1]) << b[0];
  }
  EXPECT_EQ(s->Lines().At(0), "          A");
  // Refused like any edit.
  s->readOnly = true;
  EXPECT_FALSE(s->Tab());
}

TEST(EditGrid, DragScrollsTowardsTheMouseOutsideTheText) {
  struct Case { int x, y, lines, columns; };
  // A view of 400 by 300 pixels with a gutter of 40.
  const Case cases[] = {{100, 100, 0, 0}, {100, -1, -1, 0}, {100, 300, 1, 0}, {100, 299, 0, 0},
                        {39, 100, 0, -1}, {-20, -5, -1, -1}, {400, 100, 0, 1}, {450, 350, 1, 1},
                        {40, 0, 0, 0}};
  for (const Case& c : cases) {
    int lines = 9, columns = 9;
    DragScrollStep(c.x, c.y, 400, 300, 40, lines, columns);
    EXPECT_EQ(lines, c.lines) << c.x << "," << c.y;
    EXPECT_EQ(columns, c.columns) << c.x << "," << c.y;
  }
}

}  // namespace
