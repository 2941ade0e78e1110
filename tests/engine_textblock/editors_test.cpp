// The block editors driven through their handlers: the full-screen text
// editor, keyboard mode 2 and local edit mode's find.
#include <gtest/gtest.h>

#include "local_edit.h"
#include "text_block_fixture.h"

namespace {

std::string End(int code, const std::string& rest = "0") { return "e" + std::string(1, static_cast<char>(code + 32)) + rest + "\n"; }

TEST_F(TextBlockTest, TabMovesToTheNextStopAndMayEndTheEdit) {
  struct Case {
    int option, from, to;
    bool ends;
  } cases[] = {{0, 3, 5, false}, {0, 12, 15, false}, {0, 0, 5, false}, {0, 15, 15, false},
               {4, 15, -1, true}, {4, 17, -1, true}, {4, 10, 15, false}};
  for (const Case& c : cases) {
    AreaBlock({0, 0, 20, 4, 0, c.option}, "x");
    for (int i = 0; i < c.from; ++i) Key(1003);
    ASSERT_EQ(TextBlock.curCol, c.from);
    Key(9);
    if (c.ends) {
      EXPECT_EQ(Sent(), "1,0,x\n" + End(9)) << c.from;
      continue;
    }
    EXPECT_EQ(TextBlock.curCol, c.to) << c.from;
    EXPECT_EQ(Screen.win.cursorCol, c.to) << c.from;
    Key(27);
    Sent();
  }
}

TEST_F(TextBlockTest, FullScreenEditorEditsAndEndsWithTheWholeText) {
  SetWindow(5, 2, 60, 20);
  AreaBlock({1, 1, 20, 5, 0, 0}, "hello world\n  second");
  EXPECT_EQ(keyboard.mode, 10);
  EXPECT_EQ(Row(3, 6, 11), "hello world");
  // Insert state splits at Enter; Backspace at the start joins again.
  Keys({1052, 1003, 1003, 1003, 1003, 1003, 13});
  EXPECT_EQ(Stored(0), "hello");
  EXPECT_EQ(Stored(1), " world");
  EXPECT_EQ(Stored(2), "  second");
  Key(8);
  EXPECT_EQ(Stored(0), "hello world");
  Keys({1064, '!'});
  EXPECT_EQ(Stored(0), "hello world!");
  Keys({1000, 1063});
  EXPECT_EQ(TextBlock.curCol, 2) << "Home goes to the first character";
  Key(1060);  // insert was on: switched off
  Key(1060);  // on again, with a blank at the cursor
  EXPECT_EQ(Stored(1), "   second");
  Key(1071);
  EXPECT_EQ(Sent(), "\x06\n");
  Key(27);
  EXPECT_EQ(Sent(), "1,0,hello world!\n2,3,second\n" + End(27));
  EXPECT_EQ(keyboard.mode, 0);
  EXPECT_FALSE(keyboard.localMode);
}

TEST_F(TextBlockTest, FullScreenEditorEndingKeys) {
  struct Case {
    std::vector<int32_t> keys;
    int code;
  } cases[] = {
      {{1001}, 26},          {{1000, 1000, 1000}, 10}, {{1004}, 129}, {{1027}, 152},
      {{1028}, 117},         {{1051}, 116},            {{1072}, 153}, {{1090}, 154},
      {{1092}, 155},         {{1062}, 11},
  };
  for (const Case& c : cases) {
    AreaBlock({0, 0, 20, 3, 3, 0}, "a");
    for (int32_t k : c.keys) Key(k);
    EXPECT_EQ(Sent(), "1,0,a\n" + End(c.code)) << c.keys[0];
  }
}

TEST_F(TextBlockTest, FullScreenEditorClicksAndMenuSelection) {
  SetWindow(0, 0, 79, 23);
  AreaBlock({10, 5, 20, 3, 0, 0}, "abc\ndef");
  keyboard.clickCol = 12;
  keyboard.clickRow = 6;
  Key(1069);
  EXPECT_EQ(TextBlock.curLine, 1);
  EXPECT_EQ(TextBlock.curCol, 2);
  keyboard.clickCol = 50;
  Key(1069);
  EXPECT_EQ(Sent(), "1,0,abc\n2,0,def\n" + End(16));

  DefineItem(40, 20, 5, 0, "q");
  AreaBlock({10, 5, 20, 3, 0, 0}, "abc");
  Key(1070);
  EXPECT_EQ(Screen.menuSelection, 1);
  Key(27);
  EXPECT_EQ(Screen.menuSelection, 0) << "Esc only leaves menu selection";
  EXPECT_EQ(Sent(), "");
  Keys({1070, 1000, 13});
  EXPECT_EQ(Sent(), "1,0,abc\n" + End(1 + 32));
  EXPECT_EQ(Screen.menuSelection, 0);
}

TEST_F(TextBlockTest, ViewportBrowsingRepliesWithTheKey) {
  struct Case {
    int32_t key;
    int code;
  } cases[] = {{27, 27},     {1000, 10},   {1001, 26},  {1004, 129}, {1015, 140}, {1054, 12},
               {1055, 14},   {1063, 161},  {1064, 163}, {1072, 153}, {1073, 154}};
  for (bool lower : {false, true}) {
    for (const Case& c : cases) {
      Feed(kEsc + (lower ? "v" : "V") + "\n");
      EXPECT_EQ(keyboard.mode, 2);
      Key(c.key);
      std::string reply{V(c.code), V(0)};
      if (lower) reply += '\n';
      EXPECT_EQ(Sent(), reply) << c.key;
      EXPECT_EQ(keyboard.mode, 0);
    }
  }
  Feed(kEsc + "V\n");
  Keys({'a', 1071});
  EXPECT_EQ(Sent(), "& ") << "ordinary keys are ignored, EOT answered";
  Key(1095);
  EXPECT_EQ(Sent(), "") << "edit events only for the second form";
  Key(27);
  Sent();
}

TEST_F(TextBlockTest, ViewportBrowsingSlidesTheViewport) {
  Feed(kEsc + "WV" + P({0, 9, 30, 0, 1}) + "\n");  // 10 wide, 30 long, rows 0-1
  for (int i = 0; i < 30; ++i) Feed(std::string(1, static_cast<char>('A' + i % 26)));
  Feed(kEsc + "v\n");
  Key(1002);
  EXPECT_EQ(Screen.win.vpOffset, 0);
  for (int i = 0; i < 25; ++i) Key(1003);
  EXPECT_EQ(Screen.win.vpOffset, 20) << "stops at the end of the line";
  EXPECT_EQ(Row(0, 0, 10), "UVWXYZABCD");
  Key(1002);
  EXPECT_EQ(Row(0, 0, 10), "TUVWXYZABC");
  DefineItem(40, 5, 5, 0, "k");
  Key(1096 + 'K');
  EXPECT_EQ(Sent(), (std::string{V(0), V(1), '\n'}));
}

TEST_F(TextBlockTest, FindPromptSearchesForward) {
  Block(" ", "alpha\nBeta gamma\ngamma.x\ndelta", "0\n");
  Key(1096 + 'L');
  EXPECT_EQ(keyboard.mode, 12);
  EXPECT_EQ(Row(0, 0, 18), "String to locate: ");
  EXPECT_EQ(CellAt(25, 24)->glyph, 206) << "the find state";
  Keys("gamma");
  Key(13);
  EXPECT_EQ(keyboard.mode, 11);
  EXPECT_EQ(Row(0, 0, 5), "alpha") << "the prompt gave the row back";
  EXPECT_EQ(TextBlock.curLine, 1);
  EXPECT_EQ(TextBlock.curCol, 5);
  Key(1096 + 'A');
  EXPECT_EQ(TextBlock.curLine, 2);
  EXPECT_EQ(TextBlock.curCol, 0);
  Key(1096 + 'A');
  EXPECT_EQ(TextBlock.curLine, 2) << "nothing more";
  EXPECT_EQ(CellAt(25, 24)->glyph, 219);
  EXPECT_EQ(Bells(), 1);
  // The prefix key and a letter, the previous text kept, case ignored.
  Keys({1070, 'l'});
  EXPECT_EQ(Row(0, 18, 5), "gamma");
  Keys("BETA");
  Key(13);
  EXPECT_EQ(TextBlock.curLine, 1);
  EXPECT_EQ(TextBlock.curCol, 0);
  // Esc closes without searching.
  Keys({1096 + 'S', 'd', 27});
  EXPECT_EQ(TextBlock.curLine, 1);
  EXPECT_EQ(keyboard.mode, 11);
  // The system dialog: opened by Alt+R, its request searches whole words.
  Key(1096 + 'R');
  EXPECT_EQ(keyboard.findDialogs, 1);
  keyboard.findWaiting = true;
  keyboard.findText = "gamma";
  keyboard.findFlags = 32 | 16;
  Key(1094);
  EXPECT_EQ(TextBlock.curLine, 1);
  EXPECT_EQ(TextBlock.curCol, 5);
  keyboard.findWaiting = true;
  Key(1094);
  EXPECT_EQ(TextBlock.curLine, 1) << "\"gamma.x\" is no whole word";
  Key(27);
  EXPECT_EQ(Sent(), End(27));
}

TEST_F(TextBlockTest, LocalEditStateGlyphAndHostAbort) {
  Block(" ", "a", "0\n");
  EXPECT_EQ(CellAt(25, 24)->glyph, 124);
  Key(1052);
  EXPECT_EQ(CellAt(25, 24)->glyph, 197);
  Key(1070);
  EXPECT_EQ(CellAt(25, 24)->glyph, 216);
  Key(1070);
  Key(1071);
  EXPECT_EQ(Sent(), "\x06\n");
  Key(1004);
  EXPECT_EQ(Sent(), "") << "F1 does not end local edit mode";
  Key(1039);
  EXPECT_EQ(Sent(), End(128));
  EXPECT_NE(CellAt(25, 24)->glyph, 197) << "the glyph is reset";
}

}  // namespace
