// The first edit window's commands as the host sees them: the operations
// they queue, the states that refuse them, and the host's save replies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_fakes.h"
#include "edit_window_fixture.h"
#include "helper_state.h"
#include "moxel_to_edit.h"

namespace {

class EditSessionTest : public EditWindowFixture {
 protected:
  void SetUp() override { Fresh(); }
  // A new window over the three lines (table cases start each from here).
  void Fresh() { Load({"10 PRINT A", "", "  GOTO 10"}); }

  // Every message the host would get, each confirmed (a pending line
  // change stays pending).
  Messages Drain() { return DrainMessages(*s, false); }
};

using Messages = EditWindowFixture::Messages;

TEST_F(EditSessionTest, ALineChangeGoesWhenTheCaretLeavesIt) {
  s->MoveCaret(0, 2);
  Type("0");
  EXPECT_TRUE(s->Queue().Empty()) << "still on the line";
  EXPECT_EQ(callbacks.notifications, 0);
  s->MoveBy(1, 0);
  EXPECT_EQ(callbacks.notifications, 0) << "one line change waits for the batch or the minute";
  EXPECT_TRUE(s->Timer().Running());
  EXPECT_EQ(Drain(), (Messages{"r15,1,0,100 PRINT A\r"}));
  EXPECT_TRUE(s->Modified());
}

TEST_F(EditSessionTest, OvertypeReplacesAndInsertPushes) {
  s->MoveCaret(0, 0);
  s->ToggleInsert();
  Type("20");
  s->ToggleInsert();
  Type("5");
  s->FlushLineChange();
  EXPECT_EQ(s->Lines().At(0), "205 PRINT A");
}

TEST_F(EditSessionTest, EditingTheSameLineTwiceSendsItOnceWithTheLatestText) {
  s->MoveCaret(2, 9);
  Type("0");
  s->MoveBy(-1, 0);
  s->MoveCaret(2, 10);
  Type("0");
  s->MoveBy(-1, 0);
  EXPECT_EQ(Drain(), (Messages{"r13,3,2,GOTO 1000\r"}));
}

TEST_F(EditSessionTest, TypingAndLeavingWithoutChangeSendsNothing) {
  s->MoveCaret(0, 3);
  Type("X");
  ASSERT_TRUE(s->Backspace());
  s->MoveBy(1, 0);
  EXPECT_EQ(Drain(), Messages{});
}

TEST_F(EditSessionTest, EnterSplitsTheLine) {
  s->MoveCaret(0, 2);
  ASSERT_TRUE(s->NewLine());
  EXPECT_EQ(s->CaretLine(), 1);
  EXPECT_EQ(s->CaretColumn(), 0);
  s->MoveBy(1, 0);
  EXPECT_EQ(Drain(), (Messages{"r6,1,0,10\r", "i1,2\r", "r11,2,1,PRINT A\r"}));
  EXPECT_EQ(s->Lines().Count(), 4);
}

TEST_F(EditSessionTest, EnterWithAutoIndentKeepsTheIndentation) {
  s->prefs.autoIndent = 1;
  s->MoveCaret(2, 6);
  ASSERT_TRUE(s->NewLine());
  EXPECT_EQ(s->Lines().At(3), "  10");
  EXPECT_EQ(s->CaretColumn(), 2);
}

TEST_F(EditSessionTest, BackspaceAtTheStartJoinsWithTheLineAbove) {
  s->MoveCaret(2, 0);
  ASSERT_TRUE(s->Backspace());
  EXPECT_EQ(s->CaretLine(), 1);
  EXPECT_EQ(s->CaretColumn(), 0);
  EXPECT_EQ(Drain(), (Messages{"r11,2,2,GOTO 10\r", "d1,3\r"}));
  s->MoveCaret(0, 0);
  EXPECT_FALSE(s->Backspace()) << "nothing before the first line";
}

TEST_F(EditSessionTest, DeleteAtTheEndJoinsTheNextLine) {
  s->MoveCaret(0, 10);
  Type("!");
  ASSERT_TRUE(s->DeleteRight());
  EXPECT_EQ(s->Lines().At(0), "10 PRINT A!");
  ASSERT_TRUE(s->DeleteRight());
  EXPECT_EQ(s->Lines().At(0), "10 PRINT A!  GOTO 10");
  EXPECT_EQ(Drain(), (Messages{"r15,1,0,10 PRINT A!\r", "d1,2\r", "r24,1,0,10 PRINT A!  GOTO 10\r", "d1,2\r"}));
  s->End();
  EXPECT_FALSE(s->DeleteRight());
}

TEST_F(EditSessionTest, TypingIntoAnEmptyProgramInsertsItsFirstLine) {
  s->Lines().Clear();
  s->MoveCaret(0, 0);
  Type("X");
  s->FlushLineChange();
  EXPECT_EQ(Drain(), (Messages{"i1,1\r", "r5,1,0,X\r"}));
}

TEST_F(EditSessionTest, SaveAsksTheHostAndRefusesEditingUntilItAnswers) {
  s->MoveCaret(1, 0);
  Type("REM");
  ASSERT_TRUE(s->Save());
  EXPECT_EQ(Drain(), (Messages{"r7,2,0,REM\r", "ew\r"}));
  EXPECT_TRUE(s->RequestPending());
  EXPECT_FALSE(s->TypeCharacter('x'));
  EXPECT_FALSE(s->Save());
  s->HostReply(" ");
  EXPECT_TRUE(s->RequestPending()) << "a blank status is not an answer";
  s->HostReply("1s22");  // "10 PRINT A" + "REM" + "  GOTO 10"
  EXPECT_FALSE(s->RequestPending());
  EXPECT_FALSE(s->Modified());
  EXPECT_FALSE(s->readOnly);
  EXPECT_EQ(Drain(), Messages{});
  EXPECT_TRUE(frame->messages.empty());
}

TEST_F(EditSessionTest, AWrongSaveCountSwitchesToViewOnlyReporting) {
  ASSERT_TRUE(s->Save());
  Drain();
  s->HostReply("1s21");
  EXPECT_TRUE(s->readOnly);
  EXPECT_EQ(Drain(), Messages{"ev\r"});
  ASSERT_EQ(frame->messages.size(), 1u);
  EXPECT_EQ(frame->messages[0], kCommunicationErrorText);
  EXPECT_FALSE(s->TypeCharacter('x'));
  EXPECT_FALSE(s->Save());
}

TEST_F(EditSessionTest, SaveItemsChangeTheLinesWithoutQueueing) {
  struct Case {
    const char* reply;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"1d2", {"10 PRINT A", "  GOTO 10"}},
      {"1d9", {"10 PRINT A", "", "  GOTO 10"}},
      {"1i1,* top", {"* top", "10 PRINT A", "", "  GOTO 10"}},
      {"1i4,END", {"10 PRINT A", "", "  GOTO 10", "END"}},
      {"1i5,far", {"10 PRINT A", "", "  GOTO 10"}},
      {"1r2,X=1", {"10 PRINT A", "X=1", "  GOTO 10"}},
      {"1r0,no", {"10 PRINT A", "", "  GOTO 10"}},
      {"1q1,other letters", {"10 PRINT A", "", "  GOTO 10"}},
      {"1r99999999999999999999,huge", {"10 PRINT A", "", "  GOTO 10"}},
  };
  for (const Case& c : cases) {
    Fresh();
    s->MoveCaret(2, 0);
    ASSERT_TRUE(s->Save());
    Drain();
    s->HostReply(c.reply);
    std::vector<std::string> lines;
    for (int i = 0; i < s->Lines().Count(); ++i) lines.push_back(s->Lines().At(i));
    EXPECT_EQ(lines, c.lines) << c.reply;
    EXPECT_TRUE(s->RequestPending()) << c.reply << ": only the count ends the save";
    EXPECT_TRUE(s->Queue().Empty()) << c.reply;
  }
}

TEST_F(EditSessionTest, InsertItemAboveTheCaretMovesIt) {
  s->MoveCaret(2, 3);
  ASSERT_TRUE(s->Save());
  s->HostReply("1i2,new");
  EXPECT_EQ(s->CaretLine(), 3);
  s->HostReply("1d1");
  EXPECT_EQ(s->CaretLine(), 2);
}

TEST_F(EditSessionTest, RepliesWithoutARequestAreIgnored) {
  s->HostReply("1d1");
  s->HostReply(nullptr);
  s->HostReply("");
  EXPECT_EQ(s->Lines().Count(), 3);
}

TEST_F(EditSessionTest, EscapeSavesAndCloses) {
  s->MoveCaret(0, 0);
  Type("*");
  ASSERT_TRUE(s->SaveAndClose());
  EXPECT_TRUE(s->Closing());
  EXPECT_EQ(Drain(), (Messages{"r15,1,0,*10 PRINT A\r", "es\r"}));
  EXPECT_FALSE(s->SaveAndClose());
  EXPECT_FALSE(s->TypeCharacter('x'));
}

TEST_F(EditSessionTest, ExitAsksOnlyWhenSomethingWouldBeLost) {
  struct Case {
    bool modify;
    bool readOnly;
    int answer;
    Messages messages;
    bool asked;
    bool closing;
  };
  const Case cases[] = {
      {false, false, 1, {"ea\r"}, false, true},
      {true, false, 1, {"r15,1,0,X10 PRINT A\r", "es\r"}, true, true},
      {true, false, 0, {"ea\r"}, true, true},
      {true, false, -1, {}, true, false},
      {false, true, 1, {"ea\r"}, false, true},
  };
  for (const Case& c : cases) {
    Fresh();
    if (c.modify) Type("X");
    s->readOnly = c.readOnly;
    frame->answer = c.answer;
    s->Exit();
    EXPECT_EQ(!frame->questions.empty(), c.asked) << c.answer;
    if (c.asked) {
      EXPECT_EQ(frame->questions[0], kSaveChangesQuestion);
    }
    EXPECT_EQ(s->Closing(), c.closing) << c.answer;
    Messages m = Drain();
    if (c.modify && c.answer == 0) m.erase(m.begin(), m.end() - 1);  // changes already made still travel
    EXPECT_EQ(m, c.messages) << c.answer;
  }
}

TEST_F(EditSessionTest, ViewOnlyExitAsksTheTerminalAndSendsNothing) {
  s->SetViewOnly();
  ASSERT_TRUE(s->Exit());
  EXPECT_EQ(callbacks.closeRequests, std::vector<int>{3});
  EXPECT_TRUE(s->closeRequested);
  EXPECT_EQ(Drain(), Messages{});
  EXPECT_TRUE(s->Save()) << "ignored, not refused";
  EXPECT_EQ(Drain(), Messages{});
  EXPECT_FALSE(s->TypeCharacter('x'));
}

TEST_F(EditSessionTest, PromptedPreferencesAskOnlyWhenSomethingChanged) {
  // The recording callbacks answer 0 for every flag getter; a window that
  // read the same values has nothing new to save.
  for (bool changed : {false, true}) {
    Fresh();
    callbacks.values["SaveOnExit"] = kSavePrompt;
    ReadPreferences(callbacks, "", s->prefs, Helper.customColors);
    if (changed) s->prefs.toolbar = !s->prefs.toolbar;
    frame->answer = 1;
    s->Exit();
    EXPECT_EQ(frame->questions.size(), changed ? 1u : 0u);
    if (changed) {
      EXPECT_EQ(frame->questions[0], kSavePreferencesQuestion);
    }
    EXPECT_EQ(s->WritesPreferencesAtClose(), changed);
  }
}

TEST_F(EditSessionTest, SaveOnExitModes) {
  s->prefs.saveOnExit = kSaveAlways;
  EXPECT_TRUE(s->WritesPreferencesAtClose());
  s->prefs.saveOnExit = kSaveNever;
  EXPECT_FALSE(s->WritesPreferencesAtClose());
  s->prefs.saveOnExit = kSavePrompt;
  EXPECT_FALSE(s->WritesPreferencesAtClose()) << "never asked: closed by the terminal";
}

}  // namespace
