// Field start, the keys common to every type and the replies.
#include <gtest/gtest.h>

#include "field_fixture.h"

namespace {

template <typename... T>
std::string Codes(T... values) {
  return std::string{static_cast<char>(values + 32)...};
}

TEST_F(FieldTest, FirstKeyBlanksTheFieldAndEnterReplies) {
  Start(0, 10, "OLD");
  EXPECT_EQ(keyboard.mode, 9);
  EXPECT_TRUE(keyboard.localMode);
  EXPECT_EQ(Screen.busy, 1);
  EXPECT_EQ(Classes(kRow, kCol, 10), std::string(10, 'd')) << "field cells in class 3";
  Key('N');
  EXPECT_EQ(FieldText(10), "N         ");
  Key(13);
  EXPECT_EQ(Sent(), "N\n" + Codes(13, 0, 1) + "!");
  ExpectEnded();
  EXPECT_EQ(Classes(kRow, kCol, 10), std::string(10, 'a')) << "classes restored";
}

TEST_F(FieldTest, StartingOffsetOverwritesInPlace) {
  Start(0, 10, "OLD", 2);
  EXPECT_EQ(Screen.win.cursorCol, kCol + 2);
  Key('N');
  EXPECT_EQ(FieldText(10), "OLN       ");
  Key(13);
  EXPECT_EQ(Sent(), Reply("OLN", 13, 0, 3, true));
}

TEST_F(FieldTest, LowerFormPutsTheLineFeedLast) {
  Start(0, 6, "abc", 1, true);
  Key(27);
  EXPECT_EQ(Sent(), "abc" + Codes(27, 0, 1) + " \n");
}

TEST_F(FieldTest, RightArrowOnTheLastPositionEndsWithNine) {
  Start(0, 4, "abcd", 3);
  Key(1003);
  EXPECT_EQ(Sent(), Reply("abcd", 9, 0, 3, false));
}

TEST_F(FieldTest, ExitKeysEndWithTheirOwnCode) {
  Start(0, 8, "", 0, false, "+?");
  Keys("12");
  Key('+');
  EXPECT_EQ(Sent(), Reply("12", '+', 0, 2, true));
}

TEST_F(FieldTest, ExitKeysTheReplyCannotCarryStayOrdinaryKeys) {
  Start(0, 8, "", 0, false, "\xF0!");
  Key(0xF0);
  EXPECT_EQ(Sent(), "");
  EXPECT_EQ(FieldText(2), "\xF0 ");
  Key('!');
  EXPECT_EQ(Sent(), Reply("\xF0", '!', 0, 1, true));
}

TEST_F(FieldTest, HiddenInputShowsStarsButRepliesTheText) {
  Feed(kEsc + "^E\n");
  Start(0, 8, "");
  EXPECT_TRUE(InputFieldHidesInput());
  Keys("pw1");
  EXPECT_EQ(FieldText(8), "***     ");
  Key(13);
  EXPECT_EQ(Sent(), Reply("pw1", 13, 0, 3, true));
  EXPECT_FALSE(Field.hiddenInput) << "only for one field";
  Start(0, 8, "");
  Keys("ab");
  EXPECT_EQ(FieldText(8), "ab      ");
}

TEST_F(FieldTest, EndingKeys) {
  struct Case {
    int32_t key;
    int code;
    int item;
  } cases[] = {
      {9, 9, 0},       {27, 27, 0},     {1000, 10, 0},   {1001, 26, 0},   {1004, 129, 0},
      {1027, 152, 0},  {1028, 1, 141},  {1039, 1, 152},  {1040, 1, 129},  {1051, 1, 140},
      {1054, 12, 0},   {1055, 14, 0},   {1056, 2, 0},    {1057, 3, 0},    {1058, 28, 0},
      {1059, 30, 0},   {1060, 4, 0},    {1061, 5, 0},    {1062, 11, 0},   {1072, 153, 0},
      {1082, 15, 0},
  };
  for (const Case& c : cases) {
    Start(0, 5, "xy", 1);
    Key(c.key);
    EXPECT_EQ(Sent(), Reply("xy", c.code, c.item, 1, false)) << "key " << c.key;
    ExpectEnded();
  }
}

TEST_F(FieldTest, HostAbortSendsItsMarkAndKeepsTheField) {
  Start(0, 5, "ab");
  Key(1071);
  EXPECT_EQ(Sent(), "\n&   ");
  EXPECT_TRUE(Field.active);
  Start(0, 5, "ab", 0, true);
  Key(1071);
  EXPECT_EQ(Sent(), "&   \n");
  EXPECT_TRUE(Field.active);
}

TEST_F(FieldTest, MouseClickInsideTheWindowEndsWithSixteen) {
  Start(0, 5, "ab");
  SetWindow(2, 1, 40, 10);
  keyboard.clickCol = 60;
  keyboard.clickRow = 5;
  Key(1069);
  EXPECT_EQ(Sent(), "");
  keyboard.clickCol = 30;
  Key(1069);
  EXPECT_EQ(Sent(), Reply("ab", 16, 0, 0, false));
}

TEST_F(FieldTest, EventsEndTheSecondFormUnlessBlocked) {
  keyboard.pending = {1095};
  edit.pendingSession = 2;
  Start(0, 5, "ab", 0, true);
  EXPECT_EQ(Sent(), "ab" + Codes(2, 157, 0, 0) + " \n") << "pending at start";

  Feed(kEsc + "^m\n");
  keyboard.pending = {1092};
  Start(0, 5, "ab", 0, true);
  Key(1092);
  EXPECT_EQ(Sent(), "") << "event block";
  Feed(kEsc + "^M\n");
  keyboard.browseFirst = "f";
  keyboard.browseSecond = "s";
  Key(1092);
  EXPECT_EQ(Sent(), "f\xFEs\xFE" "ab" + Codes(155, 0, 0) + " \n");

  keyboard.pcMessage = "msg";
  Start(0, 5, "ab", 0, true);
  keyboard.pending = {1090};
  Key(1090);
  EXPECT_EQ(Sent(), "msg\xFE");
  EXPECT_FALSE(keyboard.localMode) << "keys typed meanwhile are typed ahead";
  InputFieldKey('x');
  EXPECT_EQ(FieldText(5), "ab   ");
  LocalModeMessageDone();
  EXPECT_EQ(Sent(), "ab" + Codes(154, 0, 0) + " \n");
}

TEST_F(FieldTest, TypeAheadIsReplayedIntoTheField) {
  keyboard.typeAhead = {'h', 'i', 13, 'z'};
  Start(0, 6, "");
  EXPECT_EQ(Sent(), Reply("hi", 13, 0, 2, true));
  EXPECT_EQ(keyboard.typeAhead.size(), 1u);
}

TEST_F(FieldTest, MenuSelectionChoosesScreenItems) {
  DefineItem(20, 10, 6, 1, "o");
  DefineItem(20, 12, 6, 1, "q");
  Start(0, 5, "ab");
  Key(1070);
  EXPECT_EQ(Screen.menuSelection, 1);
  Key(13);
  EXPECT_EQ(Sent(), "") << "Enter without a highlight does nothing";
  Key(1000);
  EXPECT_EQ(Screen.win.CurrentChoice, 1);
  Key(1000);
  EXPECT_EQ(Screen.win.CurrentChoice, 2);
  Key('z');
  EXPECT_EQ(FieldText(5), "ab   ") << "characters do not reach the editor";
  Key(13);
  EXPECT_EQ(Sent(), Reply("ab", 0, 2, 0, false));
  EXPECT_EQ(Screen.menuSelection, 0);
  EXPECT_EQ(Screen.win.CurrentChoice, 0);

  Start(0, 5, "ab");
  Key(1070);
  Key(1000);
  Key(27);
  EXPECT_EQ(Screen.menuSelection, 0);
  EXPECT_EQ(Screen.win.CurrentChoice, 0);
  EXPECT_TRUE(Field.active) << "Esc leaves the menu, not the field";
  Key(1096 + 'Q');
  EXPECT_EQ(Sent(), Reply("ab", 0, 2, 0, false)) << "Alt+hot key chooses with the flag clear";

  Start(0, 5, "ab");
  Key(1070);
  Key(1004);
  EXPECT_EQ(Sent(), Reply("ab", 1, 129, 0, false)) << "F1 counts as Alt+F1 in the menu";

  Start(0, 5, "ab");
  Key(1070);
  Key('o');
  EXPECT_EQ(Sent(), Reply("ab", 0, 1, 0, false));
}

TEST_F(FieldTest, GeometryFollowsTheWindow) {
  SetWindow(10, 5, 39, 15);
  Put(35, 7, "ABCDE");
  Feed(kEsc + "I" + P({25, 2, 20, 30, 0}) + V(0) + "\n");
  EXPECT_EQ(Field.col, 35);
  EXPECT_EQ(Field.row, 7);
  EXPECT_EQ(Field.width, 5) << "cut at the window's right edge";
  EXPECT_EQ(Field.offset, 4) << "offset limited to width - 1";
  Key(13);
  EXPECT_EQ(Sent(), Reply("ABCDE", 13, 0, 4, false));

  // Parameters below 32: the cursor's place, and a width reaching the limit.
  Screen.win.cursorCol = 30;
  Screen.win.cursorRow = 9;
  Feed(kEsc + "I" + std::string(5, '\x10') + V(0) + "\n");
  EXPECT_EQ(Field.col, 30);
  EXPECT_EQ(Field.row, 9);
  EXPECT_EQ(Field.width, 10);
  EXPECT_EQ(Field.offset, 0);
}

TEST_F(FieldTest, EmptyFieldStillRepliesOnEnding) {
  Start(0, 0, "zz");
  EXPECT_EQ(Field.width, 0);
  Key('a');
  EXPECT_GE(Bells(), 1);
  Key(13);
  EXPECT_EQ(Sent(), Reply("", 13, 0, 0, false));
}

TEST_F(FieldTest, NoEditingTypeEndsAtOnceWithTheScreenText) {
  Start(27, 8, "ready");
  EXPECT_EQ(Sent(), Reply("ready", 13, 0, 0, false));
  ExpectEnded();
}

TEST_F(FieldTest, TypeWithoutAnEditorEditsAsPlainText) {
  for (int type : {24, 28, 90}) {
    Start(type, 6, "old");
    EXPECT_EQ(keyboard.mode, 9);
    Keys("new");
    Key(13);
    EXPECT_EQ(Sent(), Reply("new", 13, 0, 3, true)) << "type " << type;
  }
}

TEST_F(FieldTest, TypeTwentySixSetsLocalEditingForItsLifetime) {
  Start(26, 6, "");
  EXPECT_TRUE(keyboard.localEditing);
  Key(13);
  EXPECT_FALSE(keyboard.localEditing);
}

TEST_F(FieldTest, ANewFieldReplacesTheOldOneWithoutAReply) {
  Start(0, 6, "one");
  Put(kCol, kRow + 2, "two");
  Feed(kEsc + "I" + P({kCol, kRow + 2, 6, 0, 0}) + V(0) + "\n");
  EXPECT_EQ(Sent(), "");
  EXPECT_EQ(Classes(kRow, kCol, 6), std::string(6, 'a')) << "the first field's classes came back";
  Key(13);
  EXPECT_EQ(Sent(), Reply("two", 13, 0, 0, false));
}

// A viewport whose lines are longer than the field buffer.
class ViewportFieldTest : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    // Columns 10..49, rows 2..4, 120-character lines.
    Feed(kEsc + "WV" + P({10, 49, 120, 2, 4}) + "\n");
    ASSERT_NE(Screen.win.vpBuffer, 0u);
    ASSERT_EQ(Screen.win.vpWidth, 40);
  }
};

TEST_F(ViewportFieldTest, FieldInTheHiddenPartScrollsIntoView) {
  // Column 110 in line-buffer terms: buffer column 100, 15 wide.
  Feed(kEsc + "I" + P({110, 3, 15, 0, 0}) + V(0) + "\n");
  EXPECT_EQ(Screen.win.vpOffset, 75);
  EXPECT_EQ(Field.col, 35);
  EXPECT_EQ(Field.width, 15);
  Keys("abc");
  EXPECT_EQ(Row(3, 35, 3), "abc");
  Key(13);
  EXPECT_EQ(Sent(), Reply("abc", 13, 0, 3, true));
}

TEST_F(ViewportFieldTest, FieldWiderThanTheBufferIsCutToWhatShows) {
  Feed(kEsc + "I" + P({10, 3, 200, 0, 0}) + V(0) + "\n");
  EXPECT_EQ(Field.col, 10);
  EXPECT_LE(Field.width, 40);
  EXPECT_LE(Field.col + Field.width, 50);
  std::string typed(100, 'x');
  Keys(typed);
  EXPECT_GE(Bells(), 1);
  EXPECT_EQ(Row(3, 50, 1), " ") << "nothing written right of the viewport";
  Key(13);
  std::string sent = Sent();
  EXPECT_EQ(sent, Reply(std::string(Field.width ? 40 : 0, 'x'), 13, 0, 40, true));
}

TEST_F(ViewportFieldTest, LeftOfTheViewportTheLimitIsItsFirstColumn) {
  Feed(kEsc + "I" + P({2, 3, 30, 0, 0}) + V(0) + "\n");
  EXPECT_EQ(Field.col, 2);
  EXPECT_EQ(Field.width, 8);
}

}  // namespace
