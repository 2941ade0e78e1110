#include <random>
#include <vector>

#include "render_notify.h"
#include "windows_fixture.h"

namespace {

class SavedWindows : public WindowsTest {};

TEST_F(SavedWindows, OpeningAWindowDrawsItsBorderAndTakesOverTheTextWindow) {
  Feed("\x0e" "under");  // a word in class 9 at level 0
  const ScreenSnapshot before = ScreenSnapshot::Take();
  const size_t blocks = LiveBlockCount();
  Feed(OpenWindow(10, 5, 20, 4, 3));

  EXPECT_EQ(1, Screen.WindowLevel);
  EXPECT_EQ(blocks + 1, LiveBlockCount());
  EXPECT_EQ("\xc9" + std::string(20, '\xcd') + "\xbb", Row(4, 9, 22));
  EXPECT_EQ("\xba" + std::string(20, ' ') + "\xba", Row(5, 9, 22));
  EXPECT_EQ("\xc8" + std::string(20, '\xcd') + "\xbc", Row(9, 9, 22));
  EXPECT_EQ(std::string(22, 'c'), Classes(4, 9, 22));
  EXPECT_EQ(1, CellAt(9, 4)->level);
  EXPECT_EQ(1, CellAt(15, 6)->level);
  const WindowState& w = Screen.win;
  EXPECT_EQ(10, w.winLeft);
  EXPECT_EQ(29, w.winRight);
  EXPECT_EQ(5, w.winTop);
  EXPECT_EQ(8, w.winBottom);
  EXPECT_EQ(9, w.frameCol);
  EXPECT_EQ(4, w.frameRow);
  EXPECT_EQ(22, w.frameWidth);
  EXPECT_EQ(6, w.frameHeight);
  EXPECT_EQ(10, w.cursorCol);
  EXPECT_EQ(5, w.cursorRow);
  EXPECT_EQ(1, w.hasTopBorder);
  EXPECT_EQ(1, w.hasBottomBorder);
  EXPECT_EQ(3, w.windowStyle);
  EXPECT_EQ(0, w.popupOnTop);
  EXPECT_EQ(2, w.curAttrClass);
  EXPECT_EQ(1, w.curLevel);

  Feed("inside\x1bWC\n");
  EXPECT_EQ("", DiffFromScreen(before));
  EXPECT_EQ(blocks, LiveBlockCount());
}

TEST_F(SavedWindows, BorderEdgeCases) {
  // Column 0 in style 3: the left border comes back by moving right.
  Feed(OpenWindow(0, 5, 10, 3, 3));
  EXPECT_EQ(1, Screen.win.winLeft);
  EXPECT_EQ("\xc9" + std::string(10, '\xcd') + "\xbb", Row(4, 0, 12));
  EXPECT_EQ('\xba', Row(6, 0, 1)[0]);
  Feed("\x1bWC\n");

  // Full width: the top and bottom lines run across without corners or sides.
  Feed(OpenWindow(0, 5, 80, 3, 0));
  EXPECT_EQ(std::string(80, '\xc4'), Row(4));
  EXPECT_EQ(std::string(80, ' '), Row(5));
  EXPECT_EQ(std::string(80, '\xc4'), Row(8));
  EXPECT_EQ(0, Screen.win.winLeft);
  EXPECT_EQ(79, Screen.win.winRight);
  Feed("\x1bWC\n");

  // Style 4 is solid blocks all round.
  Feed(OpenWindow(30, 10, 2, 1, 4));
  EXPECT_EQ(std::string(4, '\xdb'), Row(9, 29, 4));
  EXPECT_EQ("\xdb  \xdb", Row(10, 29, 4));
  EXPECT_EQ(std::string(4, '\xdb'), Row(11, 29, 4));
}

TEST_F(SavedWindows, PopupInStyle9SavesItsMarginWithoutDrawingIt) {
  for (int r = 0; r < kWorkRows; ++r) Feed(Goto(0, r) + std::string(79, static_cast<char>('a' + r)));
  const ScreenSnapshot before = ScreenSnapshot::Take();
  Feed(OpenPopup(10, 5, 6, 2, 9));
  EXPECT_EQ("eeeeeeee", Row(4, 9, 8));  // margin kept
  EXPECT_EQ("f      f", Row(5, 9, 8));  // interior blanked
  EXPECT_EQ("g      g", Row(6, 9, 8));
  EXPECT_EQ("hhhhhhhh", Row(7, 9, 8));
  EXPECT_EQ(1, Screen.win.popupOnTop);
  EXPECT_EQ(0, Screen.WindowLevel);
  EXPECT_EQ(0, Screen.win.winLeft);  // the text window stays
  EXPECT_EQ(79, Screen.win.winRight);
  EXPECT_EQ(10, Screen.win.cursorCol);
  EXPECT_EQ(5, Screen.win.cursorRow);
  // The margin is in the saved block: writing over it is undone on close.
  CellAt(9, 4)->glyph = '#';
  CellAt(16, 7)->glyph = '#';
  Feed("\x1b" "CC\n");
  EXPECT_EQ("", DiffFromScreen(before));
}

TEST_F(SavedWindows, CloseWindowsTakesThePopupsAndThenOneWindow) {
  Feed("base text");
  const ScreenSnapshot atBase = ScreenSnapshot::Take();
  Feed(OpenWindow(5, 3, 40, 10, 0) + "first window");
  const ScreenSnapshot inFirst = ScreenSnapshot::Take();
  Feed(OpenWindow(2, 2, 20, 5, 1, 1) + "second");
  const ScreenSnapshot inSecond = ScreenSnapshot::Take();
  EXPECT_EQ(2, Screen.WindowLevel);
  EXPECT_EQ(7, Screen.win.winLeft);  // relative to the first window's interior
  Feed(OpenPopup(1, 1, 10, 2, 2) + "pop");
  Feed(OpenPopup(3, 0, 10, 2, 0));
  EXPECT_EQ(2, Screen.WindowLevel);

  // ESC C C closes a pop-up only.
  Feed("\x1b" "CC\n\x1b" "CC\n");
  EXPECT_EQ("", DiffFromScreen(inSecond));
  Feed("\x1b" "CC\n");
  EXPECT_EQ("", DiffFromScreen(inSecond));

  Feed(OpenPopup(1, 1, 10, 2, 2) + OpenPopup(0, 0, 4, 1, 9));
  Feed("\x1bWC\n");
  EXPECT_EQ("", DiffFromScreen(inFirst));
  EXPECT_EQ(1, Screen.WindowLevel);
  Feed("\x1bWC\n");
  EXPECT_EQ("", DiffFromScreen(atBase));
  EXPECT_EQ(0, Screen.WindowLevel);
  // Nothing saved: ESC W C and ESC C C change nothing.
  Feed("\x1bWC\n\x1b" "CC\n");
  EXPECT_EQ("", DiffFromScreen(atBase));
}

// The fault: a pop-up's border flags outlived it, so a title sent at level 0
// landed on the row above the screen or on the status row.
TEST_F(SavedWindows, APopupLeavesNoBorderFlagsBehind) {
  Feed("\x1bWI\n");
  const std::string status = Row(kStatusRow);
  Feed(OpenPopup(10, 5, 20, 5, 0));
  EXPECT_EQ(1, Screen.win.hasTopBorder);
  EXPECT_EQ(1, Screen.win.hasBottomBorder);
  Feed("\x1b" "CC\n");
  EXPECT_EQ(0, Screen.win.hasTopBorder);
  EXPECT_EQ(0, Screen.win.hasBottomBorder);
  EXPECT_EQ(0, Screen.win.windowStyle);
  EXPECT_EQ(0, Screen.win.borders[0]);
  Feed("\x1bWHTitle\n\x1bWFFooter\n");
  EXPECT_EQ(status, Row(kStatusRow));
}

TEST_F(SavedWindows, ABorderlessWindowHasNoTitleLines) {
  Feed(OpenWindow(10, 5, 20, 5, 0));
  Feed(OpenWindow(0, 0, 10, 2, 9, 1));
  EXPECT_EQ(0, Screen.win.hasTopBorder);
  EXPECT_EQ(0, Screen.win.hasBottomBorder);
  const ScreenSnapshot s = ScreenSnapshot::Take();
  Feed("\x1bWHTitle\n");
  EXPECT_EQ("", DiffFromScreen(s));
  Feed("\x1bWC\n");
  EXPECT_EQ(1, Screen.win.hasTopBorder);  // the outer window's own again
}

TEST_F(SavedWindows, AWindowTakesItsItemsAndViewportAlongAndGivesThemBack) {
  Feed(OpenWindow(5, 3, 40, 10, 0));
  Screen.win.choiceCount = 3;
  Screen.win.choiceHigh = 3;
  Screen.win.CurrentChoice = 2;
  for (int i = 0; i < 3; ++i) Screen.ChoiceItems[i] = ChoiceItem{uint8_t(6 + i), 4, 5, 1, uint16_t(65 + i)};
  Feed("\x1bWV" + P({0, 9, 60, 0, 4}) + "\n");
  const BlockId viewport = Screen.win.vpBuffer;
  ASSERT_NE(0u, viewport);
  const ScreenSnapshot s = ScreenSnapshot::Take();
  const size_t blocks = LiveBlockCount();

  Feed(OpenWindow(10, 6, 10, 3, 1));
  EXPECT_EQ(0u, Screen.win.vpBuffer);
  EXPECT_EQ(0, Screen.win.choiceCount);
  EXPECT_EQ(0, Screen.win.choiceHigh);
  Screen.ChoiceItems[1] = ChoiceItem{0, 0, 0, 0, 0};
  Feed("\x1bWV" + P({0, 5, 30, 0, 1}) + "\n");  // the inner window's own viewport
  EXPECT_NE(0u, Screen.win.vpBuffer);
  Feed(OpenPopup(0, 0, 4, 1, 0));
  EXPECT_EQ(0u, Screen.win.vpBuffer);
  Feed("\x1bWC\n");
  EXPECT_EQ("", DiffFromScreen(s));
  EXPECT_EQ(viewport, Screen.win.vpBuffer);
  EXPECT_EQ(blocks, LiveBlockCount());  // the inner viewport went with its window
  EXPECT_EQ(66, Screen.ChoiceItems[1].keyCode);
}

TEST_F(SavedWindows, AViewportMadeOverAPopupGoesWithIt) {
  Feed(OpenWindow(5, 3, 40, 10, 0));
  const size_t blocks = LiveBlockCount();
  Feed(OpenPopup(1, 1, 10, 3, 0) + "\x1bWV" + P({0, 5, 30, 0, 1}) + "\n");
  EXPECT_NE(0u, Screen.win.vpBuffer);
  Feed("\x1b" "CC\n");
  EXPECT_EQ(0u, Screen.win.vpBuffer);
  EXPECT_EQ(blocks, LiveBlockCount());
}

TEST_F(SavedWindows, ClosingStopsThePendingCursorTimerWhenTheSavedLevelIsNone) {
  Feed(OpenWindow(5, 3, 40, 10, 0));  // saved with the initial pending level, none
  Feed("\x1b^C\n");                   // the cursor timer now belongs to level 1
  shell.Clear();
  Feed("\x1bWC\n");
  EXPECT_TRUE(HasEvent("stop-timer 4"));
  EXPECT_EQ(-1, Screen.win.pendingLevel);
}

TEST_F(SavedWindows, ScreenInitialisationClosesEverythingAndFreesEveryBlock) {
  const size_t blocks = LiveBlockCount();
  Feed(OpenWindow(5, 3, 40, 10, 0) + OpenPopup(1, 1, 10, 3, 0) + OpenWindow(0, 0, 80, 24, 2) +
       "\x1bWV" + P({0, 5, 30, 0, 1}) + "\n" + OpenWindow(3, 3, 3, 3, 1));
  EXPECT_EQ(3, Screen.WindowLevel);
  Feed("\x1bWI\n");
  EXPECT_EQ(0, Screen.WindowLevel);
  EXPECT_EQ(0u, Screen.win.savedTop);
  EXPECT_EQ(blocks, LiveBlockCount());
}

TEST_F(SavedWindows, AllocationFailureGivesTheNoticeAndChangesNothing) {
  Feed("base" + OpenWindow(5, 3, 40, 10, 0) + "text");
  const ScreenSnapshot s = ScreenSnapshot::Take();
  const size_t blocks = LiveBlockCount();
  LimitBlocksTo(100);
  shell.Clear();
  Feed(OpenWindow(10, 5, 20, 5, 1) + OpenPopup(1, 1, 20, 5, 0));
  EXPECT_EQ(2, Failures());
  EXPECT_EQ("", DiffFromScreen(s));
  EXPECT_EQ(blocks, LiveBlockCount());
  // A small pop-up still fits under the limit.
  Feed(OpenPopup(1, 1, 2, 1, 0));
  EXPECT_EQ(blocks + 1, LiveBlockCount());
  SetBlockStoreLimit(0);
  Feed("\x1bWC\n");
  EXPECT_EQ(0, Screen.WindowLevel);
}

// Random sequences of opens, writes and closes (some of the opens refused for
// want of memory) give back the screen bit for bit at every close.
TEST_F(SavedWindows, RandomSequencesRestoreTheScreenBitForBit) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Feed("\x1bWI\n");
    const size_t startBlocks = LiveBlockCount();
    struct Saved {
      bool popup;
      ScreenSnapshot before;
    };
    std::vector<Saved> stack;
    for (int step = 0; step < 120; ++step) {
      const int op = pick(10);
      const bool tight = pick(8) == 0;
      if (tight) LimitBlocksTo(pick(3000));
      if (op < 3) {
        ScreenSnapshot before = ScreenSnapshot::Take();
        const size_t blocks = LiveBlockCount();
        // Bytes anywhere in 0..255: the service must clamp whatever comes.
        std::string p;
        for (int i = 0; i < 6; ++i)
          p += static_cast<char>(pick(4) == 0 ? pick(256) : 32 + pick(i < 2 ? 30 : (i < 4 ? 40 : 11)));
        Feed("\x1bWO" + p + "\n");
        if (LiveBlockCount() > blocks) {
          stack.push_back(Saved{false, before});
        } else {
          ASSERT_TRUE(tight);
          ASSERT_EQ("", DiffFromScreen(before));
        }
      } else if (op < 5) {
        ScreenSnapshot before = ScreenSnapshot::Take();
        const size_t blocks = LiveBlockCount();
        Feed(OpenPopup(pick(40), pick(20), 1 + pick(30), 1 + pick(10), pick(2) ? 9 : pick(5)));
        if (LiveBlockCount() > blocks) {
          stack.push_back(Saved{true, before});
        } else {
          ASSERT_TRUE(tight);
          ASSERT_EQ("", DiffFromScreen(before));
        }
      } else if (op < 7) {
        // Writes stay inside the text window, which only a full window
        // moves: with a pop-up on top they could fall outside what it saved.
        if (stack.empty() || !stack.back().popup) {
          std::string text;
          for (int i = pick(60); i > 0; --i) text += static_cast<char>(pick(5) == 0 ? "\r\n\x0e\x0f\t"[pick(5)] : 'A' + pick(26));
          Feed(Goto(pick(30), pick(12)) + text + (pick(3) == 0 ? "\x1b~W" : "\x1b~w"));
          // What the pick lists and the cursor memory change between opens.
          Screen.win.CurrentChoice = static_cast<uint8_t>(pick(4));
          Screen.win.curChoice = static_cast<uint8_t>(pick(4));
          Screen.win.savedCol = static_cast<uint8_t>(pick(80));
        }
      } else if (op == 7) {
        const ScreenSnapshot now = ScreenSnapshot::Take();
        Feed("\x1b" "CC\n");
        if (!stack.empty() && stack.back().popup) {
          ASSERT_EQ("", DiffFromScreen(stack.back().before));
          stack.pop_back();
        } else {
          ASSERT_EQ("", DiffFromScreen(now));
        }
      } else {
        const ScreenSnapshot now = ScreenSnapshot::Take();
        Feed("\x1bWC\n");
        if (stack.empty()) {
          ASSERT_EQ("", DiffFromScreen(now));
        } else {
          while (stack.size() > 1 && stack.back().popup) stack.pop_back();
          ASSERT_EQ("", DiffFromScreen(stack.back().before));
          stack.pop_back();
        }
      }
      SetBlockStoreLimit(0);
      ASSERT_EQ(startBlocks + stack.size(), LiveBlockCount());
    }
    Feed("\x1bWI\n");
    ASSERT_EQ(startBlocks, LiveBlockCount());
    ASSERT_EQ(0, Screen.WindowLevel);
  }
}

}  // namespace
