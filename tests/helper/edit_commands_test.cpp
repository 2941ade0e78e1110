// The edit window's commands as the session carries them out: undo, paste,
// line commands, finds, navigation, requests and the comment rewrite.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_fakes.h"
#include "edit_window_fixture.h"
#include "edit_text_ops.h"
#include "helper_state.h"

namespace {

using Messages = std::vector<std::string>;
using Texts = std::vector<std::string>;

class EditCommands : public EditWindowFixture {
 protected:
  void SetUp() override { Load({"10 PRINT A", "", "  GOTO 10"}); }
};

TEST_F(EditCommands, UndoRestoresTheCaretLineUntilItIsFlushed) {
  s->MoveCaret(0, 2);
  EXPECT_FALSE(s->CanUndo()) << "nothing changed yet";
  Type("XY");
  ASSERT_TRUE(s->CanUndo());
  ASSERT_TRUE(s->Undo());
  EXPECT_EQ(s->Lines().At(0), "10 PRINT A");
  EXPECT_FALSE(s->LineChangePending());
  EXPECT_EQ(Drain(), Messages{}) << "nothing reaches the host";
  Type("Z");
  s->MoveBy(1, 0);
  s->MoveBy(-1, 0);
  EXPECT_FALSE(s->Undo()) << "the change went out when the caret left";
  EXPECT_EQ(s->Lines().At(0), "10 PZRINT A") << "the caret stayed where it was";
}

TEST_F(EditCommands, PasteSplitsLinesAndQueuesThem) {
  s->MoveCaret(0, 3);
  ASSERT_TRUE(s->Paste("A\r\nB\rC\nD"));
  EXPECT_EQ(All(), (Texts{"10 A", "B", "C", "DPRINT A", "", "  GOTO 10"}));
  EXPECT_EQ(s->CaretLine(), 3);
  EXPECT_EQ(s->CaretColumn(), 1);
  EXPECT_EQ(Drain(), (Messages{"r8,1,0,10 A\r", "i3,2,3\r", "r5,2,0,B\r", "r5,3,0,C\r", "r12,4,0,DPRINT A\r"}));
  s->readOnly = true;
  EXPECT_FALSE(s->Paste("x"));
}

TEST_F(EditCommands, TypingOverASelectionReplacesIt) {
  s->Select(0, 3, 2, 4);
  EXPECT_EQ(s->SelectedText(), "PRINT A\r\n\r\n  GO");
  Type("Q");
  EXPECT_EQ(All(), (Texts{"10 QTO 10"}));
  EXPECT_FALSE(s->HasSelection());
}

TEST_F(EditCommands, IndentUnindentCommentUncommentOverTheSelectedLines) {
  Load({"A", "   B", "            C", "D"});
  // A selection that ends at the very start of a line leaves that line out.
  s->Select(0, 0, 3, 0);
  int first, last;
  s->SelectedLines(first, last);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 2);
  ASSERT_TRUE(s->Indent());
  EXPECT_EQ(All(), (Texts{"          A", "          B", "             C", "D"}));
  ASSERT_TRUE(s->Unindent());
  ASSERT_TRUE(s->Unindent());
  EXPECT_EQ(All(), (Texts{"A", "B", "C", "D"}));
  ASSERT_TRUE(s->CommentLines());
  EXPECT_EQ(All(), (Texts{"!A", "!B", "!C", "D"}));
  ASSERT_TRUE(s->UncommentLines());
  EXPECT_EQ(All(), (Texts{"A", "B", "C", "D"}));
  // Only the lines that changed in the end differ from the host's; each
  // changed line goes once.
  EXPECT_EQ(Drain(), (Messages{"r5,1,0,A\r", "r5,2,0,B\r", "r5,3,0,C\r"}));
}

TEST_F(EditCommands, CopyLinesAndItsLimit) {
  s->Select(0, 0, 1, 0);
  std::string out;
  ASSERT_TRUE(s->CopyLines(out, 1 << 20));
  EXPECT_EQ(out, "1    10 PRINT A\r\n");
  EXPECT_FALSE(s->CopyLines(out, 10));
}

TEST_F(EditCommands, NumericPadDrawsOrTypes) {
  s->MoveCaret(1, 0);
  s->prefs.numPad = 1;
  ASSERT_TRUE(s->TypeNumPad(kPad7, false, false));
  s->prefs.numPad = 0;
  ASSERT_TRUE(s->TypeNumPad(kPad7, false, false));
  ASSERT_TRUE(s->TypeNumPad(kPad7, true, false));
  EXPECT_EQ(s->Lines().At(1), "\xDA" "7\xD6");
  EXPECT_EQ(Drain(), (Messages{"r7,2,0,\xDA" "7\xD6\r"}));
}

class FindCommands : public EditCommands {
 protected:
  void SetUp() override {
    Load({"PRINT X", "X1 = X", "CALL X.Y", "  x = 2", "END"});
  }
  FindRequest Request(const char* what, bool whole, bool matchCase = false, bool down = true) {
    FindRequest r;
    r.what = what;
    r.options.wholeWord = whole;
    r.options.matchCase = matchCase;
    r.options.down = down;
    return r;
  }
  std::vector<int> Hits(const FindRequest& r, bool repeat, int limit = 10) {
    std::vector<int> out;
    for (int i = 0; i < limit && s->Find(r, repeat); ++i) out.push_back(s->CaretLine() * 100 + s->AnchorColumn());
    return out;
  }
};

TEST_F(FindCommands, WholeWordAndCase) {
  s->MoveCaret(0, 0);
  // "X" alone: not in X1, not in X.Y (the dot is part of the identifier).
  EXPECT_EQ(Hits(Request("X", true), false), (std::vector<int>{6, 105, 302}));
  s->MoveCaret(0, 0);
  EXPECT_EQ(Hits(Request("X", true, true), false), (std::vector<int>{6, 105})) << "case kept";
  s->MoveCaret(0, 0);
  EXPECT_EQ(Hits(Request("X", false), false).size(), 5u);
}

TEST_F(FindCommands, FindNextFromAMatchGoesOnPastIt) {
  s->MoveCaret(1, 0);
  ASSERT_TRUE(s->Find(Request("X", true)));
  EXPECT_EQ(s->CaretLine(), 1);
  EXPECT_EQ(s->AnchorColumn(), 5);
  EXPECT_EQ(s->CaretColumn(), 6) << "the match is selected";
  ASSERT_TRUE(s->Find(Request("X", true)));
  EXPECT_EQ(s->CaretLine(), 3);
  // Going up from a match finds the one before it.
  ASSERT_TRUE(s->Find(Request("X", true, false, false)));
  EXPECT_EQ(s->CaretLine(), 1);
  EXPECT_EQ(s->AnchorColumn(), 5);
  ASSERT_TRUE(s->Find(Request("X", true, false, false)));
  EXPECT_EQ(s->CaretLine(), 0);
  EXPECT_FALSE(s->Find(Request("X", true, false, false))) << "the dialog's search does not wrap";
}

TEST_F(FindCommands, RepeatWrapsOnceAndStops) {
  s->MoveCaret(2, 0);
  const FindRequest r = Request("x", true);
  ASSERT_TRUE(s->Find(r));
  EXPECT_EQ(s->CaretLine(), 3);
  // F3: on past the end to the top, once round.
  std::vector<int> lines;
  for (int i = 0; i < 4 && s->FindAgain(false); ++i) lines.push_back(s->CaretLine());
  EXPECT_EQ(lines, (std::vector<int>{0, 1, 3, 0}));
  // Shift+F3 goes the other way.
  ASSERT_TRUE(s->FindAgain(true));
  EXPECT_EQ(s->CaretLine(), 3);
  // A text found nowhere else is found again only by coming round to it.
  s->MoveCaret(4, 0);
  ASSERT_TRUE(s->Find(Request("END", true)));
  ASSERT_TRUE(s->FindAgain(false));
  EXPECT_EQ(s->CaretLine(), 4);
  EXPECT_FALSE(s->Find(Request("nowhere", false), true));
}

TEST_F(FindCommands, StartAtTopAndInSelection) {
  s->MoveCaret(3, 0);
  FindRequest r = Request("X", true);
  r.fromTop = true;
  ASSERT_TRUE(s->Find(r));
  EXPECT_EQ(s->CaretLine(), 0);
  ASSERT_TRUE(s->Find(r));
  EXPECT_EQ(s->CaretLine(), 1) << "then on from the match";
  FindRequest in = Request("X", false);
  in.inSelection = true;
  s->Select(0, 3, 1, 4);
  std::vector<int> found;
  while (s->Find(in)) found.push_back(s->CaretLine() * 100 + s->AnchorColumn());
  EXPECT_EQ(found, (std::vector<int>{6, 100, 105})) << "the whole of the selected lines, then no further";
  s->Select(2, 0, 3, 0);
  EXPECT_EQ(s->MarkAll(in), 1);
  EXPECT_EQ(s->Founds().Lines(), (std::vector<int>{2}));
}

TEST_F(FindCommands, MarkAllAndReplaceAll) {
  EXPECT_EQ(s->MarkAll(Request("x", true)), 3);
  EXPECT_EQ(s->Founds().Lines(), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(s->ReplaceAll(Request("x", true), "Y2"), 3);
  EXPECT_EQ(All(), (Texts{"PRINT Y2", "X1 = Y2", "CALL X.Y", "  Y2 = 2", "END"}));
  EXPECT_EQ(Drain(), (Messages{"r12,1,0,PRINT Y2\r", "r11,2,0,X1 = Y2\r", "r10,4,2,Y2 = 2\r"}));
  EXPECT_EQ(s->ReplaceAll(Request("x", true), "x"), 0) << "nothing left to replace";
}

TEST_F(FindCommands, ReplaceReplacesTheSelectedMatchThenFindsTheNext) {
  s->MoveCaret(0, 0);
  const FindRequest r = Request("X", true);
  ASSERT_TRUE(s->ReplaceNext(r, "ZZ")) << "first press finds";
  EXPECT_EQ(s->Lines().At(0), "PRINT X");
  ASSERT_TRUE(s->ReplaceNext(r, "ZZ"));
  EXPECT_EQ(s->Lines().At(0), "PRINT ZZ");
  EXPECT_EQ(s->CaretLine(), 1);
  EXPECT_EQ(s->AnchorColumn(), 5);
}

TEST_F(EditCommands, GoToLineHistoryLabelsAndBookmarks) {
  Load({"START: X = 1", "GOSUB DONE", "PRINT", "DONE: RETURN"});
  ASSERT_TRUE(s->GoToLine(99));
  EXPECT_EQ(s->CaretLine(), 3);
  ASSERT_TRUE(s->GoToLine(2));
  s->MoveCaret(1, 7);
  EXPECT_EQ(s->WordAtCaret(), "DONE");
  ASSERT_TRUE(s->GoToLabel(s->WordAtCaret()));
  EXPECT_EQ(s->CaretLine(), 3);
  EXPECT_FALSE(s->GoToLabel("NOPE"));
  ASSERT_TRUE(s->GoToLastPosition());
  EXPECT_EQ(s->CaretLine(), 1);
  EXPECT_FALSE(s->GoToLastPosition());
  for (int i = 0; i < 25; ++i) s->RememberPosition();
  EXPECT_EQ(s->History().size(), 20u);
  s->MoveCaret(2, 0);
  EXPECT_TRUE(s->ToggleBookmark());
  s->MoveCaret(0, 0);
  ASSERT_TRUE(s->GoToNextBookmark());
  EXPECT_EQ(s->CaretLine(), 2);
  // The bookmark moves with its line.
  ASSERT_TRUE(s->InsertLines(0, {"REM"}));
  EXPECT_EQ(s->Bookmarks().Lines(), (std::vector<int>{3}));
}

TEST_F(FindCommands, ContextSearchesAndTheFunctionReplace) {
  s->MoveCaret(1, 6);  // in the X after "X1 = "
  FindOptions o;
  ASSERT_TRUE(s->SearchWordAtCaret(false, o));
  EXPECT_EQ(s->CaretLine(), 3) << "Search Forward: on past the caret's own word";
  s->MoveCaret(3, 2);
  ASSERT_TRUE(s->SearchWordAtCaret(true, o));
  EXPECT_EQ(s->CaretLine(), 0) << "Search File: from the top";
  s->MoveCaret(2, 6);
  ASSERT_TRUE(s->CanReplaceWordAtCaret());
  ASSERT_TRUE(s->ReplaceWordAtCaret("F(A)"));
  EXPECT_EQ(s->Lines().At(2), "CALL F(A)");
  s->MoveCaret(1, 2);  // just after "X1"
  ASSERT_TRUE(s->CanReplaceWordAtCaret());
  s->MoveCaret(1, 4);
  EXPECT_FALSE(s->CanReplaceWordAtCaret()) << "no identifier at the caret";
  s->MoveCaret(0, 0);
  s->readOnly = true;
  EXPECT_FALSE(s->CanReplaceWordAtCaret());
  EXPECT_FALSE(s->ReplaceWordAtCaret("x"));
}

TEST_F(EditCommands, RequestsCarryTheWordAtTheCaret) {
  s->MoveCaret(0, 5);
  ASSERT_TRUE(s->RequestHelp());
  EXPECT_FALSE(s->RequestPending()) << "help sets no request";
  ASSERT_TRUE(s->RequestFunction());
  EXPECT_TRUE(s->RequestPending());
  EXPECT_FALSE(s->RequestViewProgram()) << "one request at a time";
  EXPECT_FALSE(s->TypeCharacter('x')) << "editing waits for the answer";
  s->HostReply("1FUNCTION PRINT(X)");
  EXPECT_FALSE(s->RequestPending());
  EXPECT_EQ(s->RequestAnswer(), "FUNCTION PRINT(X)");
  ASSERT_TRUE(s->RequestEditProgram());
  s->HostReply(" not yet");
  EXPECT_TRUE(s->RequestPending());
  s->HostReply("1Program is locked");
  EXPECT_EQ(frame->messages, (std::vector<std::string>{"Program is locked"})) << "shown after the call";
  EXPECT_EQ(Drain(), (Messages{"v5,PRINT\r", "f5,PRINT\r", "E5,PRINT\r"}));
  s->SetViewOnly();
  EXPECT_FALSE(s->RequestHelp());
}

TEST_F(EditCommands, SaveItemsWithBadLineNumbersAreIgnored) {
  ASSERT_TRUE(s->Save());
  for (const char* item : {"1i0,zero", "1i-3,minus", "1i,none", "1i+2,plus", "1i99999999999999999999,big",
                           "1d0", "1d9", "1r0,x", "1r4,x", "1q1,x"}) {
    s->HostReply(item);
  }
  EXPECT_EQ(All(), (Texts{"10 PRINT A", "", "  GOTO 10"}));
  s->HostReply("1i4,last");
  EXPECT_EQ(s->Lines().At(3), "last");
  EXPECT_TRUE(s->RequestPending());
}

TEST_F(EditCommands, EscapeOnAReadOnlyWindowClosesWithoutSaving) {
  s->readOnly = true;
  ASSERT_TRUE(s->SaveAndClose());
  EXPECT_TRUE(s->Closing());
  EXPECT_EQ(Drain(), (Messages{"ea\r"}));
}

TEST_F(EditCommands, CommentsOkRewritesExactlyTheBlock) {
  ProgramComment c;
  c.routine = "R";
  c.description = "old";
  std::vector<std::string> program = WriteCommentBlock(c);
  program.push_back("PRINT 1");
  Load(program);
  int consumed = 0;
  ProgramComment read = s->ReadComment(&consumed);
  EXPECT_EQ(consumed, static_cast<int>(program.size()) - 1);
  EXPECT_EQ(read, c);
  read.description = "new\r\nand more";
  read.parameters.push_back({"A", kDirectionIn, kUseRequired, "a"});
  ASSERT_TRUE(s->ApplyComment(read));
  std::vector<std::string> expected = WriteCommentBlock(read);
  expected.push_back("PRINT 1");
  EXPECT_EQ(All(), expected);
  // The host, given the messages, has the same lines.
  const Messages m = Drain();
  EXPECT_FALSE(m.empty());
  EXPECT_EQ(callbacks.notifications, 0) << "fewer than 25 operations wait for the minute";
  int again = 0;
  EXPECT_EQ(s->ReadComment(&again), NormaliseComment(read));
  EXPECT_EQ(again, static_cast<int>(expected.size()) - 1);
}

TEST_F(EditCommands, StatusIndicators) {
  EditStatus st = s->Status();
  EXPECT_EQ(st.line, 1);
  EXPECT_EQ(st.column, 1);
  EXPECT_FALSE(st.mod || st.sync || st.changed || st.viewOnly);
  s->MoveCaret(2, 3);
  Type("x");
  st = s->Status();
  EXPECT_EQ(st.column, 5);
  EXPECT_TRUE(st.mod);
  EXPECT_FALSE(st.sync);
  EXPECT_TRUE(st.changed);
  s->MoveCaret(0, 0);
  EXPECT_TRUE(s->Status().sync);
}

}  // namespace
