// Text blocks fed as host bytes: kinds, body, trailer, showing and refusal.
#include <gtest/gtest.h>

#include "text_block_fixture.h"

namespace {

TEST_F(TextBlockTest, BodyBytesLandInTheStore) {
  struct Case {
    const char* name;
    std::string head, body;
    std::vector<std::string> lines;
    std::vector<int> flags;
    int received;
  } cases[] = {
      {"CR and DLE set the column", " ", "AB\r\x10%C", {"AB   C"}, {0}, 5},
      {"LF goes down a line", " ", "A\nB\r\nC", {"A", " B", "C"}, {0, 0, 0}, 3},
      {"a 90-character line wraps at 80", " ", std::string(80, 'x') + "0123456789",
       {std::string(80, 'x'), "0123456789"}, {0, 1}, 90},
      {"a DLE column below 0 is 0", " ", "ABC\x10\x05Z", {"ZBC"}, {0}, 6},
      {"a DLE column past the line goes on in continuation lines", "\"",
       "A\x10" + std::string(1, static_cast<char>(32 + 75 + 2)) + "B", {"A", "  B"}, {0, 1}, 4},
  };
  for (const Case& c : cases) {
    RawBlock(c.head, c.body, "0\n");
    for (size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(Stored(static_cast<int>(i)), c.lines[i]) << c.name << " line " << i;
      EXPECT_EQ(Flag(static_cast<int>(i)), c.flags[i]) << c.name << " line " << i;
    }
    EXPECT_EQ(TextBlock.bytesReceived, c.received) << c.name;
    Key(27);
    Sent();
  }
}

TEST_F(TextBlockTest, LinesPastTheLimitAreDropped) {
  AreaBlock({0, 0, 20, 3, 4, 0}, "a\nb\nc\nd\ne\nf");
  EXPECT_EQ(Stored(3), "d");
  EXPECT_EQ(Stored(4), "<none>");
  EXPECT_EQ(TextBlock.highestLine, 3);
  EXPECT_TRUE(shell.events.end() == std::find(shell.events.begin(), shell.events.end(), "failure-notice"));
}

TEST_F(TextBlockTest, TrailerSetsCursorOrRefusesTheBlock) {
  const std::string body = "0123456789\nAB";  // 12 bytes received
  struct Case {
    const char* trailer;
    bool refused;
    int top, line, col;
  } cases[] = {
      {"0,3,5,12\n", false, 0, 3, 4},
      {"0,3,5,11\n", true, 0, 0, 0},
      {"0,3\n", true, 0, 0, 0},
      {"0,3,5\n", true, 0, 0, 0},
      {"1\n", false, 1, 1, 0},
      {"\n", false, 0, 0, 0},
      {"0,30,5,12\n", false, 0, 0, 4},                         // cursor line not visible
      {"99999999999999999999,1,1,12\n", false, 1, 1, 0},     // top saturates, limited to the text
  };
  for (const Case& c : cases) {
    Block(" ", body, c.trailer);
    if (c.refused) {
      EXPECT_EQ(Sent().substr(0, 4), "1,0,") << c.trailer;
      EXPECT_NE(keyboard.mode, 11) << c.trailer;
      // The trailer form of the end record, then the host's byte.
      Feed("\n");
      EXPECT_EQ(LineStore.lineCount, 0) << c.trailer;
      continue;
    }
    EXPECT_EQ(keyboard.mode, 11) << c.trailer;
    EXPECT_EQ(TextBlock.topLine, c.top) << c.trailer;
    EXPECT_EQ(TextBlock.curLine, c.line) << c.trailer;
    EXPECT_EQ(TextBlock.curCol, c.col) << c.trailer;
    Key(27);
    Sent();
    Feed("\n");
  }
}

TEST_F(TextBlockTest, RefusalSendsTheWholeTextWithCode25) {
  Block(" ", "ab\n\n  cd", "0,0,1,3\n");
  EXPECT_EQ(Sent(), std::string("1,0,ab\n2,80,\n3,2,cd\ne") + V(25) + "0,0,1,4\n");
  Feed("\x01");
  EXPECT_EQ(Sent(), std::string("1,0,ab\n2,80,\n3,2,cd\ne") + V(25) + "0,0,1,4\n") << "0x01 sends it again";
  Feed("x");
  EXPECT_EQ(Sent(), "") << "other bytes are ignored";
  Feed("\n");
  EXPECT_EQ(LineStore.lineCount, 0);
  EXPECT_EQ(Parser.ParseState, GroundState);
}

TEST_F(TextBlockTest, ShowingWritesTheVisibleRowsAndNumbers) {
  Block("\"", "first\n" + std::string(80, 'y') + "\nthird", "0\n");
  EXPECT_EQ(Row(0, 0, 10), "1    first");
  EXPECT_EQ(Row(1, 0, 6), "2    y");
  EXPECT_EQ(Row(2, 0, 10), "     yyyyy") << "a continuation line has no number";
  EXPECT_EQ(Row(3, 0, 10), "3    third");
  EXPECT_EQ(Row(4, 0, 10), std::string(10, ' '));
  EXPECT_EQ(Screen.win.cursorCol, 5);
  EXPECT_EQ(Screen.win.cursorRow, 0);
  EXPECT_EQ(Screen.busy, 1);
  EXPECT_TRUE(keyboard.localMode);
  EXPECT_TRUE(keyboard.localEditing);
}

TEST_F(TextBlockTest, AreaIsFittedIntoTheTextWindow) {
  SetWindow(10, 5, 49, 19);
  struct Case {
    std::initializer_list<int> p;
    int col, row, width, rows, kind, lineLength;
  } cases[] = {
      {{2, 1, 20, 4, 0, 0}, 12, 6, 20, 4, 1, 21},
      {{60, 30, 20, 4, 0, 0}, 49, 19, 1, 1, 1, 2},     // corner past the window
      {{0, 0, 90, 40, 0, 0}, 10, 5, 10, 15, 2, 11},    // past 80: kind 2, width 10
      {{0, 0, 0, 0, 0, 0}, 10, 5, 1, 1, 1, 2},
  };
  for (const Case& c : cases) {
    AreaBlock(c.p, "");
    EXPECT_EQ(TextBlock.areaCol, c.col);
    EXPECT_EQ(TextBlock.areaRow, c.row);
    EXPECT_EQ(TextBlock.width, c.width);
    EXPECT_EQ(TextBlock.rows, c.rows);
    EXPECT_EQ(TextBlock.kind, c.kind);
    EXPECT_EQ(LineStore.lineLength, c.lineLength);
    Key(27);
    Sent();
  }
}

TEST_F(TextBlockTest, ViewerRepliesCrFirstAndTakesTheAreaWidthForNoLength) {
  Feed(kEsc + "T#" + P({0, 0, 30, 5, 0}) + "\n");
  EXPECT_EQ(Sent(), "\r");
  EXPECT_EQ(LineStore.lineLength, 30) << "a length of 0 would divide by zero";
  Feed(std::string("abc") + "\x03\n");
  EXPECT_EQ(keyboard.mode, 2);
  Key(1003);
  EXPECT_EQ(Row(0, 0, 3), "abc") << "nothing to slide to";
  Key(27);
  EXPECT_EQ(Sent(), (std::string{V(27), V(0), '\n'}));
  EXPECT_EQ(LineStore.lineCount, 0);

  Feed(kEsc + "T#" + P({0, 0, 4, 2, 10}) + "\n" + "0123456789\x03\n");
  Sent();
  Key(1003);
  Key(1003);
  EXPECT_EQ(Row(0, 0, 4), "2345");
  Key(1002);
  EXPECT_EQ(Row(0, 0, 4), "1234");
}

TEST_F(TextBlockTest, IdleTimerStartsForPositiveSeconds) {
  Feed(kEsc + "TI" + P({90}) + "\n");
  Feed(kEsc + "TI" + P({5}) + "\n");
  Feed(kEsc + "TI" + P({0}) + "\n");
  Feed(kEsc + "TI\x10\n");
  std::vector<std::string> timers;
  for (const auto& e : shell.events)
    if (e.rfind("start-timer", 0) == 0) timers.push_back(e);
  EXPECT_EQ(timers, (std::vector<std::string>{"start-timer 5 63000", "start-timer 5 5000"}));
}

TEST_F(TextBlockTest, ANewBlockDropsTheRunningEditorAndAPausedReply) {
  std::string body;
  for (int i = 0; i < 10; ++i) body += std::string(70, 'b') + "\n";
  Block(" ", body, "0,0,1,700\n");
  shell.drainRefused = true;
  for (int i = 0; i < 10; ++i) Keys({'y', 1000});
  Key(27);
  ASSERT_NE(shell.drainCallback, nullptr);
  const std::string partial = Sent();
  // A new block arrives while the reply waits for the channel.
  shell.drainRefused = false;
  Block(" ", "new", "0\n");
  EXPECT_EQ(keyboard.mode, 11);
  shell.Drain();
  EXPECT_EQ(Sent(), "") << "the old reply is not resumed";
  EXPECT_EQ(Stored(0), "new");
  EXPECT_FALSE(partial.empty());
}

TEST_F(TextBlockTest, AllocationFailureShowsAnEmptyBlock) {
  SetBlockStoreLimit(100);
  Block(" ", "hello\nworld", "0\n");
  EXPECT_TRUE(std::find(shell.events.begin(), shell.events.end(), "failure-notice") != shell.events.end());
  EXPECT_EQ(Row(0, 0, 5), "     ");
  EXPECT_EQ(keyboard.mode, 11);
  SetBlockStoreLimit(0);
  Key(27);
  EXPECT_EQ(Sent(), std::string("e") + V(27) + "0\n");
}

}  // namespace
