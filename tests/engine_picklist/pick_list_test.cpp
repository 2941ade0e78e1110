// Pick lists fed with host bytes and driven through the installed handler.
#include <gtest/gtest.h>

#include "local_mode_fixture.h"
#include "pick_items.h"

namespace {

class PickListTest : public LocalModeTest {
 protected:
  // Items of width 10: row 5 at columns 2, 20 and 40, row 7 at column 18.
  void DefineGrid() {
    DefineItem(2, 5, 10, 1, "a");
    DefineItem(20, 5, 10, 1, "b");
    DefineItem(40, 5, 10, 1, "c");
    DefineItem(18, 7, 10, 1, "d");
  }
  void Start(int current, int mode, bool lowerForm = false) {
    Feed(kEsc + (lowerForm ? "Ms" : "MS") + P({current, mode}) + "\n");
  }
  static std::string Reply(int code, int item) { return std::string{V(code), V(item)}; }
  void ExpectEnded() {
    EXPECT_EQ(keyboard.mode, 0);
    EXPECT_FALSE(keyboard.localMode);
    EXPECT_FALSE(keyboard.caret);
    EXPECT_EQ(Screen.win.CurrentChoice, 0);
    EXPECT_EQ(Screen.busy, 1) << "keys after the reply wait for the host";
    EXPECT_FALSE(PickSelection.active);
  }
};

TEST_F(PickListTest, DefinitionMarksItemCellsAndHotKey) {
  CellAt(5, 5)->attrClass = 8;  // blinking text inside the item
  DefineItem(2, 5, 10, 3, "x");
  // Classes as letters: c = 2, e = 4, f = 5, k = 10.
  EXPECT_EQ(Classes(5, 2, 10), "eefkeeeeee");
  for (int c = 2; c < 12; ++c) EXPECT_EQ(CellAt(c, 5)->choice, 1) << c;
  EXPECT_EQ(CellAt(12, 5)->choice, 0);
  EXPECT_EQ(Screen.win.choiceCount, 1);
  EXPECT_EQ(Screen.win.choiceHigh, 1);
  EXPECT_EQ(Screen.ChoiceItems[0].keyCode, 'X');

  DefineItem(2, 6, 4, 0, "\xa5");
  DefineItem(2, 7, 4, 0, "\xa6");
  EXPECT_EQ(Screen.ChoiceItems[1].keyCode, 1052);
  EXPECT_EQ(Screen.ChoiceItems[2].keyCode, 1053);
}

TEST_F(PickListTest, DefinitionIsClampedToTheWindow) {
  SetWindow(10, 4, 29, 12);
  DefineItem(15, 2, 30, 40, "k");  // runs past the right edge, hot key past the width
  const ChoiceItem& it = Screen.ChoiceItems[0];
  EXPECT_EQ(it.col, 25);
  EXPECT_EQ(it.row, 6);
  EXPECT_EQ(it.width, 5);
  EXPECT_EQ(it.hotOffset, 5);
  DefineItem(60, 60, 3, 0, "z");
  EXPECT_EQ(Screen.ChoiceItems[1].col, 29);
  EXPECT_EQ(Screen.ChoiceItems[1].row, 12);
  EXPECT_EQ(Screen.ChoiceItems[1].width, 1);
  EXPECT_EQ(CellAt(30, 12)->choice, 0) << "nothing marked outside the window";
}

TEST_F(PickListTest, AtMost160Items) {
  for (int i = 0; i < 170; ++i) DefineItem(i % 70, i % 20, 1, 0, "a");
  EXPECT_EQ(Screen.win.choiceCount, 160);
  EXPECT_EQ(Screen.win.choiceHigh, 160);
}

TEST_F(PickListTest, CountTrimsAndRestoresUpToTheHighest) {
  DefineGrid();
  Feed(kEsc + "MC" + P({1}) + "\n");
  EXPECT_EQ(Screen.win.choiceCount, 1);
  EXPECT_EQ(Classes(5, 20, 10), "cccccccccc");
  EXPECT_EQ(CellAt(20, 5)->choice, 0);
  Feed(kEsc + "MC" + P({9}) + "\n");
  EXPECT_EQ(Screen.win.choiceCount, 4) << "only up to choiceHigh";
  EXPECT_EQ(CellAt(20, 5)->choice, 2);
  EXPECT_EQ(CellAt(18, 7)->choice, 4);
  EXPECT_EQ(Classes(7, 18, 2), "fe");
}

TEST_F(PickListTest, StartHighlightsAndTakesTheKeyboard) {
  DefineGrid();
  Start(2, 0);
  EXPECT_EQ(keyboard.mode, 1);
  EXPECT_TRUE(keyboard.localMode);
  EXPECT_TRUE(keyboard.caret);
  EXPECT_EQ(Screen.busy, 1);
  EXPECT_EQ(Screen.win.CurrentChoice, 2);
  EXPECT_EQ(Screen.win.cursorCol, 20);
  EXPECT_EQ(Screen.win.cursorRow, 5);
  Start(9, 0);
  EXPECT_EQ(Screen.win.CurrentChoice, 4) << "limited to the item count";
  Start(0, 0);
  EXPECT_EQ(Screen.win.CurrentChoice, 0);
  EXPECT_EQ(Screen.win.cursorCol, 2) << "no current item: the cursor goes to item 1";
}

TEST_F(PickListTest, NavigationByColumnOverlap) {
  struct Case {
    int start;
    int32_t key;
    int expected;
  } cases[] = {
      {2, 1000, 4},  // down from column 20 to row 7 (columns 18..27 overlap)
      {4, 1001, 2},  // up from row 7: only the item at column 20 overlaps
      {1, 1000, 1},  // nothing below column 2..11 overlaps
      {2, 1002, 1},  {1, 1003, 2}, {2, 1003, 3}, {3, 1003, 3}, {1, 1002, 1},
      {0, 1000, 1},  // no highlight: down starts at the first item
      {0, 1003, 1},  {0, 1001, 0}, {0, 1002, 0},
      {4, 1002, 4},  // alone on its row
  };
  DefineGrid();
  for (const Case& c : cases) {
    Start(c.start, 0);
    Key(c.key);
    EXPECT_EQ(Screen.win.CurrentChoice, c.expected) << "from " << c.start << " key " << c.key;
    EXPECT_EQ(Sent(), "");
    if (c.expected) {
      EXPECT_EQ(Screen.win.cursorCol, Screen.ChoiceItems[c.expected - 1].col);
      EXPECT_EQ(Screen.win.cursorRow, Screen.ChoiceItems[c.expected - 1].row);
    }
  }
}

TEST_F(PickListTest, EqualDistancesGoToTheItemDefinedFirst) {
  DefineItem(10, 5, 10, 0, "a");
  DefineItem(14, 8, 10, 0, "b");  // three rows below, overlapping
  DefineItem(5, 8, 10, 0, "c");   // same distance, defined later
  DefineItem(0, 2, 30, 0, "d");
  DefineItem(0, 8, 3, 0, "e");    // no overlap with item 1
  Start(1, 0);
  Key(1000);
  EXPECT_EQ(Screen.win.CurrentChoice, 2);
  Key(1001);
  EXPECT_EQ(Screen.win.CurrentChoice, 1);
  Key(1001);
  EXPECT_EQ(Screen.win.CurrentChoice, 4);
}

TEST_F(PickListTest, EndingKeysAndReplies) {
  struct Case {
    int mode;
    bool lowerForm;
    int32_t key;
    std::string reply;  // "" = the selection goes on
  } cases[] = {
      {0, false, 13, Reply(13, 2)},
      {0, true, 13, Reply(13, 2) + "\n"},
      {0, false, 27, Reply(27, 2)},
      {0, false, 1001, ""},  // up from the top row, mode 0
      {1, false, 1001, Reply(12, 2)},
      {1, true, 1001, Reply(12, 2) + "\n"},
      {0, false, 1004, Reply(93, 2)},    // F1
      {0, false, 1039, Reply(128, 2)},   // Ctrl+F12
      {0, false, 1040, Reply(105, 2)},   // Alt+F1
      {0, false, 1051, Reply(116, 2)},   // Alt+F12
      {0, false, 1054, Reply(12, 2)},    {0, false, 1055, Reply(14, 2)},
      {0, false, 1056, Reply(2, 2)},     {0, false, 1057, Reply(3, 2)},
      {0, false, 1072, Reply(153, 2)},   {0, false, 1075, Reply(5, 2)},
      {0, false, 2149, Reply(5, 2)},     {0, false, 2171, Reply(5, 2)},
      {0, false, 1071, Reply(6, 2)},
      {0, false, 'B', Reply(0, 2)},      // an item's key, upper-cased
      {0, false, 'c', Reply(0, 3)},
      {0, false, 1096 + 'D', Reply(0, 4)},  // Alt+D
      {1, false, 'c', ""},               // navigation only: no hot keys
      {0, false, 'z', ""},               // no such item
      {0, false, 1063, ""},              // Home means nothing here
      {0, false, 1090, ""},              // events need the second form
      {0, false, 1092, ""},
      {0, false, 1095, ""},
  };
  DefineGrid();
  for (const Case& c : cases) {
    Start(2, c.mode, c.lowerForm);
    Key(c.key);
    EXPECT_EQ(Sent(), c.reply) << "key " << c.key << " mode " << c.mode;
    if (!c.reply.empty()) {
      ExpectEnded();
    } else {
      EXPECT_TRUE(PickSelection.active) << "key " << c.key;
    }
  }
}

TEST_F(PickListTest, ItemsKeyedToInsertAndDeleteAreChosenWithThoseKeys) {
  DefineItem(2, 5, 6, 0, "\xa5");
  DefineItem(2, 6, 6, 0, "\xa6");
  Start(0, 0);
  Key(1053);
  EXPECT_EQ(Sent(), Reply(0, 2));
  Start(0, 0);
  Key(1052);
  EXPECT_EQ(Sent(), Reply(0, 1));
  Start(0, 0);
  Key(0xa5);
  EXPECT_EQ(Sent(), "") << "the byte itself is not the Insert key";
}

TEST_F(PickListTest, DownAtTheBottomEndsANavigationOnlySelection) {
  DefineGrid();
  Start(4, 1);
  Key(1000);
  EXPECT_EQ(Sent(), Reply(14, 4));
  Start(4, 0);
  Key(1000);
  EXPECT_EQ(Sent(), "");
}

TEST_F(PickListTest, EndingWithoutCurrentItemSendsItemZero) {
  Start(0, 0);  // no items at all: the handler is still installed
  EXPECT_EQ(keyboard.mode, 1);
  Key(1000);
  Key('x');
  EXPECT_EQ(Sent(), "");
  Key(13);
  EXPECT_EQ(Sent(), Reply(13, 0));
}

TEST_F(PickListTest, MouseClickOnAnItemChoosesIt) {
  DefineGrid();
  Start(1, 0);
  keyboard.clickCol = 15;  // between items
  keyboard.clickRow = 5;
  Key(1069);
  EXPECT_EQ(Sent(), "");
  keyboard.clickCol = 45;
  Key(1069);
  EXPECT_EQ(Sent(), Reply(13, 3));
  ExpectEnded();
}

TEST_F(PickListTest, EventsOfTheSecondForm) {
  DefineGrid();
  // Edit-window event: the kind byte comes first, four bytes in all.
  Start(3, 0, true);
  keyboard.pending = {1095};
  edit.pendingSession = 4;
  Key(1095);
  EXPECT_EQ(Sent(), std::string{V(4)} + Reply(157, 3) + "\n");

  // Browse request: the two texts, then the ending.
  Start(3, 0, true);
  keyboard.pending = {1092};
  keyboard.browseFirst = "C:\\a.txt";
  keyboard.browseSecond = "note";
  keyboard.browseAlternate = true;
  Key(1092);
  EXPECT_EQ(Sent(), "C:\\a.txt\xFEnote\xFE" + Reply(156, 3) + "\n");

  // PC message: its text goes out, the selection waits for the delivery.
  Start(1, 0, true);
  keyboard.pending = {1090};
  keyboard.pcMessage = "hello";
  Key(1090);
  EXPECT_EQ(Sent(), "hello\xFE");
  EXPECT_EQ(keyboard.deliveries, 1);
  EXPECT_FALSE(keyboard.localMode) << "keys typed meanwhile are typed ahead";
  EXPECT_EQ(Screen.busy, 1);
  PickListKey(13);
  EXPECT_EQ(Sent(), "");
  LocalModeMessageDone();
  EXPECT_EQ(Sent(), Reply(154, 1) + "\n");
  ExpectEnded();
}

TEST_F(PickListTest, TypeAheadAndPendingEventsAreReplayedAtStart) {
  DefineGrid();
  keyboard.typeAhead = {1003, 13, 'x'};
  Start(1, 0);
  EXPECT_EQ(Sent(), Reply(13, 2));
  ASSERT_EQ(keyboard.typeAhead.size(), 1u) << "replay stops at the ending key";
  EXPECT_EQ(keyboard.typeAhead.front(), 'x');

  keyboard.typeAhead.clear();
  keyboard.pending = {1095};
  edit.pendingSession = 1;
  Start(1, 0, true);
  EXPECT_EQ(Sent(), std::string{V(1)} + Reply(157, 1) + "\n");
}

TEST_F(PickListTest, EndingRepaintsTheChosenItemUnhighlighted) {
  DefineGrid();
  Start(2, 0);
  shell.invalidated.clear();
  Key(13);
  bool repainted = false;
  for (const auto& r : shell.invalidated)
    if (r.row == 5 && r.col <= 20 && r.col + r.width >= 30) repainted = true;
  EXPECT_TRUE(repainted);
  EXPECT_EQ(Classes(5, 20, 2), "fe") << "items stay marked after the selection";
}

}  // namespace
