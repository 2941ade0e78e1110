#include <string>

#include "windows_fixture.h"

namespace {

class NamedScreens : public WindowsTest {
 protected:
  // Ask the host's question and return the reply.
  std::string Ask(const std::string& bytes) {
    shell.sent.clear();
    Feed(bytes);
    return shell.sent;
  }
  static std::string Check(const std::string& name) { return "\x1bSC" + name + "\n"; }
  static std::string Load(const std::string& name) { return "\x1bSL" + name + "\n"; }
  static std::string Open(const std::string& name) { return "\x1bSA" + name + "\n"; }
  static std::string Save() { return "\x1bSS\n"; }

  // Open a window, give it a screen under the name and close it again.
  void SaveScreen(const std::string& name, int width = 20, int height = 5, const std::string& text = "x") {
    Feed(OpenWindow(10, 5, width, height, 0));
    ASSERT_EQ("0", Ask(Check(name)));
    Feed(text + Save() + "\x1bWC\n");
  }
};

TEST_F(NamedScreens, ASavedScreenComesBackInItsOwnWindow) {
  const size_t blocks = LiveBlockCount();
  Feed(OpenWindow(10, 5, 20, 5, 1));
  EXPECT_EQ("0", Ask(Check("orders")));
  Feed("\x1bSU!Stock\n\x1bSU*Last\n" + Goto(2, 1) + "Order no." + Goto(0, 4) + "\x0e" "Total");
  Feed(Save());
  EXPECT_EQ(blocks + 2, LiveBlockCount());  // the window and the screen
  Feed("\x1bWC\n");
  const ScreenSnapshot closed = ScreenSnapshot::Take();

  EXPECT_EQ("1", Ask(Open("orders")));
  EXPECT_EQ(1, Screen.WindowLevel);
  EXPECT_EQ(10, Screen.win.winLeft);
  EXPECT_EQ(5, Screen.win.winTop);
  EXPECT_EQ(29, Screen.win.winRight);
  EXPECT_EQ(1, Screen.win.windowStyle);
  EXPECT_EQ("\xd5", Row(4, 9, 1));
  EXPECT_EQ("  Order no.", Row(6, 10, 11));
  EXPECT_EQ("Total", Row(9, 10, 5));
  // Glyphs only: every cell takes the current attribute.
  EXPECT_EQ(std::string(5, 'c'), Classes(9, 10, 5));
  EXPECT_STREQ("Stock", Screen.win.userScreenTitles[0]);
  EXPECT_STREQ("Last", Screen.win.userScreenTitles[9]);
  Feed("\x1bWC\n");
  EXPECT_EQ("", DiffFromScreen(closed));
}

TEST_F(NamedScreens, CheckAndClearAnswersForTheSameWindowSizeOnly) {
  SaveScreen("form", 20, 5, "Name:");
  Feed(OpenWindow(10, 5, 20, 5, 0));
  EXPECT_EQ("1", Ask(Check("form")));
  EXPECT_EQ("Name:", Row(5, 10, 5));
  Feed("\x1bWC\n");

  // A window of another size: "0", and the window is blanked.
  Feed(OpenWindow(10, 5, 21, 5, 0) + "leftover" + Goto(3, 2));
  EXPECT_EQ("0", Ask(Check("form")));
  EXPECT_EQ(std::string(21, ' '), Row(5, 10, 21));
  EXPECT_EQ(10, Screen.win.cursorCol);
  EXPECT_EQ(5, Screen.win.cursorRow);

  // ESC S L neither blanks nor clears titles.
  Feed("kept\x1bSU#Title\n");
  EXPECT_EQ("0", Ask(Load("form")));
  EXPECT_EQ("kept", Row(5, 10, 4));
  EXPECT_STREQ("Title", Screen.win.userScreenTitles[2]);
  EXPECT_EQ("0", Ask(Check("form")));
  EXPECT_STREQ("", Screen.win.userScreenTitles[2]);
}

TEST_F(NamedScreens, CheckAndClearSwitchesThePickListItemsOff) {
  Feed(OpenWindow(10, 5, 20, 5, 0));
  Screen.win.choiceCount = 4;
  Screen.win.choiceHigh = 4;
  shell.Clear();
  Feed(Check("menu"));
  EXPECT_TRUE(HasEvent("item-count 0"));
  EXPECT_EQ(0, Screen.win.choiceCount);
  EXPECT_EQ(4, Screen.win.choiceHigh);  // the items can be counted back
  shell.Clear();
  Feed(Load("menu"));
  EXPECT_FALSE(HasEvent("item-count 0"));
}

TEST_F(NamedScreens, TheFiftyFirstSaveTakesTheLeastRecentlyUsedRecord) {
  for (int i = 0; i <= 50; ++i) SaveScreen("screen" + std::to_string(i));
  EXPECT_EQ("0", Ask(Open("screen0")));
  for (int i = 1; i <= 50; ++i) {
    EXPECT_EQ("1", Ask(Open("screen" + std::to_string(i)))) << i;
    Feed("\x1bWC\n");
  }
}

TEST_F(NamedScreens, OpeningAScreenRefreshesItsRecency) {
  for (int i = 0; i < 50; ++i) SaveScreen("screen" + std::to_string(i));
  EXPECT_EQ("1", Ask(Open("screen0")));
  Feed("\x1bWC\n");
  SaveScreen("new");
  EXPECT_EQ("0", Ask(Open("screen1")));  // the least recently used went
  EXPECT_EQ("1", Ask(Open("screen0")));
  Feed("\x1bWC\n");
  EXPECT_EQ("1", Ask(Open("new")));
}

// The fault: an empty name matched the first free record and answered "1"
// for a screen that was never saved.
TEST_F(NamedScreens, AnEmptyNameNeverMatches) {
  Feed(OpenWindow(10, 5, 20, 5, 0));
  const size_t blocks = LiveBlockCount();
  EXPECT_EQ("0", Ask(Open("")));
  EXPECT_EQ("0", Ask(Load("")));
  EXPECT_EQ("0", Ask(Check("")));
  Feed(Save());  // nothing remembered, nothing saved
  EXPECT_EQ(blocks, LiveBlockCount());
  EXPECT_EQ(1, Screen.WindowLevel);
}

TEST_F(NamedScreens, NamesLongerThanSixtyAreNeverRemembered) {
  const std::string sixty(60, 'n');
  SaveScreen(sixty);
  Feed(OpenWindow(10, 5, 20, 5, 0));
  EXPECT_EQ("1", Ask(Check(sixty)));
  const size_t blocks = LiveBlockCount();
  EXPECT_EQ("0", Ask(Check(sixty + "n")));
  Feed(Save());
  EXPECT_EQ(blocks, LiveBlockCount());
  EXPECT_EQ("0", Ask(Check(sixty + "n")));
}

TEST_F(NamedScreens, SavingANameAgainReplacesItsOlderScreen) {
  SaveScreen("list", 20, 5);
  const size_t blocks = LiveBlockCount();
  SaveScreen("list", 30, 6, "wider");
  EXPECT_EQ(blocks, LiveBlockCount());
  Feed(OpenWindow(10, 5, 30, 6, 0));
  EXPECT_EQ("1", Ask(Check("list")));
  EXPECT_EQ("wider", Row(5, 10, 5));
}

TEST_F(NamedScreens, DiscardFreesEveryScreen) {
  const size_t blocks = LiveBlockCount();
  for (int i = 0; i < 5; ++i) SaveScreen("s" + std::to_string(i));
  EXPECT_EQ(blocks + 5, LiveBlockCount());
  Feed("\x1bWR");
  EXPECT_EQ(blocks, LiveBlockCount());
  EXPECT_EQ("0", Ask(Open("s3")));
  // The connection reset does the same.
  SaveScreen("again");
  ResetConnectionState();
  EXPECT_EQ(blocks, LiveBlockCount());
  EXPECT_EQ("0", Ask(Open("again")));
}

TEST_F(NamedScreens, ARecordThatDoesNotFitTheWorkAreaIsNotShown) {
  SaveScreen("odd", 10, 4);
  // Make the record's rectangle reach the status row.
  NamedScreenRecord& r = ::NamedScreens.records[::NamedScreens.head];
  ASSERT_STREQ("odd", r.name);
  r.row = 21;
  const ScreenSnapshot s = ScreenSnapshot::Take();
  const size_t blocks = LiveBlockCount();
  EXPECT_EQ("0", Ask(Open("odd")));
  EXPECT_EQ("", DiffFromScreen(s));
  EXPECT_EQ(blocks, LiveBlockCount());
}

TEST_F(NamedScreens, AllocationFailures) {
  // ESC S S without room: the name is dropped, nothing saved.
  Feed(OpenWindow(10, 5, 20, 5, 0));
  EXPECT_EQ("0", Ask(Check("big")));
  const size_t blocks = LiveBlockCount();
  LimitBlocksTo(10);
  shell.Clear();
  Feed(Save());
  EXPECT_EQ(1, Failures());
  EXPECT_EQ(blocks, LiveBlockCount());
  SetBlockStoreLimit(0);
  Feed(Save());  // the name is gone: still nothing
  EXPECT_EQ(blocks, LiveBlockCount());
  Feed("\x1bWC\n");

  // ESC S A when the window cannot be had: "0" and the notice.
  SaveScreen("small");
  const ScreenSnapshot s = ScreenSnapshot::Take();
  LimitBlocksTo(10);
  shell.Clear();
  EXPECT_EQ("0", Ask(Open("small")));
  EXPECT_EQ(1, Failures());
  EXPECT_EQ("", DiffFromScreen(s));
}

}  // namespace
