// The messages built from the edit window's queue, and how confirmations,
// continuations and cancellations move through it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_lines.h"
#include "outgoing_queue.h"

namespace {

EditLines LinesOf(const std::vector<std::string>& texts) {
  EditLines lines;
  for (const std::string& t : texts) lines.Insert(lines.Count(), t);
  return lines;
}

std::string Next(OutgoingQueue& q, const EditLines& lines) {
  std::string out;
  return q.Compose(lines, out) ? out : "<none>";
}

struct MessageCase {
  int code, a, b;
  const char* text;
  const char* expected;
};

TEST(OutgoingQueue, EachOperationHasItsMessage) {
  const EditLines lines = LinesOf({"PRINT X", "    IF A THEN B   ", "", "  \t  "});
  const MessageCase cases[] = {
      {kOpReplace, 0, 0, "", "r11,1,0,PRINT X\r"},
      {kOpReplace, 1, 0, "", "r15,2,4,IF A THEN B\r"},  // indent counted, trailing blanks dropped
      {kOpReplace, 2, 0, "", "r4,3,0,\r"},
      {kOpReplace, 3, 0, "", "r4,4,0,\r"},               // white space only: nothing left
      {kOpReplace, 9, 0, "", "r5,10,0,\r"},              // a line that is gone sends empty
      {kOpDelete, 4, 1, "", "d1,5\r"},
      {kOpDelete, 4, 3, "", "d3,5,3\r"},
      {kOpInsert, 0, 1, "", "i1,1\r"},
      {kOpInsert, 11, 2, "", "i4,12,2\r"},
      {kOpFunction, 0, 0, "OCONV", "f5,OCONV\r"},
      {kOpHelp, 0, 0, "PRINT", "v5,PRINT\r"},
      {kOpEditProgram, 0, 0, "BP SUB1", "E7,BP SUB1\r"},
      {kOpViewProgram, 0, 0, "", "V0,\r"},
      {kOpEndSession, kEndSaveClose, 0, "", "es\r"},
      {kOpEndSession, kEndDiscard, 0, "", "ea\r"},
      {kOpEndSession, kEndSaveStay, 0, "", "ew\r"},
      {kOpEndSession, kEndViewOnly, 0, "", "ev\r"},
      {kOpEndSession, 7, 0, "", "ea\r"},
      {kOpCompile, 0, 0, "", "C\r"},
  };
  for (const MessageCase& c : cases) {
    OutgoingQueue q;
    q.Append(c.code, c.a, c.b, c.text);
    EXPECT_EQ(Next(q, lines), c.expected) << "code " << c.code << " a " << c.a;
    EXPECT_TRUE(q.AwaitingAcknowledgement());
  }
}

TEST(OutgoingQueue, UnknownOperationEmptiesTheQueue) {
  OutgoingQueue q;
  EditLines lines = LinesOf({"A"});
  q.Append(42, 0, 0);
  q.Append(kOpReplace, 0, 0);
  EXPECT_EQ(Next(q, lines), "<none>");
  EXPECT_TRUE(q.Empty());
}

TEST(OutgoingQueue, ConfirmedMessageRemovesItsOperationAndOnlyOnce) {
  OutgoingQueue q;
  EditLines lines = LinesOf({"A", "B"});
  q.Append(kOpReplace, 0, 0);
  q.Append(kOpReplace, 1, 0);
  EXPECT_EQ(Next(q, lines), "r5,1,0,A\r");
  EXPECT_EQ(Next(q, lines), "r5,1,0,A\r") << "unconfirmed: built again";
  q.Acknowledge();
  q.Acknowledge();  // a second confirmation without a message in between does nothing
  EXPECT_EQ(q.Size(), 1);
  EXPECT_EQ(Next(q, lines), "r5,2,0,B\r");
  q.Acknowledge();
  EXPECT_EQ(Next(q, lines), "<none>");
}

// A replaced line of 200 characters with 4 leading blanks at index 11: the
// "r" message carries "12,4," and 71 characters, then 75 and 50 in pieces.
TEST(OutgoingQueue, LongLineGoesInPieces) {
  std::string body;
  for (int i = 0; i < 196; ++i) body += static_cast<char>('a' + i % 26);
  std::vector<std::string> texts(12, "x");
  texts[11] = "    " + body;
  const EditLines lines = LinesOf(texts);
  OutgoingQueue q;
  q.Append(kOpReplace, 11, 0);
  q.Append(kOpDelete, 0, 1);
  EXPECT_EQ(Next(q, lines), "r76,12,4," + body.substr(0, 71) + "\r");
  q.Acknowledge();
  EXPECT_EQ(q.Size(), 2) << "a piece does not remove the line";
  EXPECT_EQ(Next(q, lines), "c75," + body.substr(71, 75) + "\r");
  q.Acknowledge();
  EXPECT_EQ(Next(q, lines), "c50," + body.substr(146) + "\r");
  EXPECT_FALSE(q.Continuing());
  q.Acknowledge();
  EXPECT_EQ(q.Size(), 1) << "the last piece confirmed removes the line";
  EXPECT_EQ(Next(q, lines), "d1,1\r");
}

TEST(OutgoingQueue, PieceBoundaries) {
  // Text that fills the "r" message exactly sends no piece; one more
  // character sends a piece of one.
  for (int extra : {0, 1, 75, 76}) {
    const std::string text(71 + static_cast<size_t>(extra), 'q');  // "12,4," is 5 long: 71 fit
    std::vector<std::string> texts(12, "");
    texts[11] = "    " + text;
    const EditLines lines = LinesOf(texts);
    OutgoingQueue q;
    q.Append(kOpReplace, 11, 0);
    std::vector<std::string> messages;
    for (std::string m = Next(q, lines); m != "<none>"; m = Next(q, lines)) {
      messages.push_back(m);
      q.Acknowledge();
    }
    const size_t pieces = extra == 0 ? 0 : (extra <= 75 ? 1 : 2);
    ASSERT_EQ(messages.size(), 1 + pieces) << extra;
    EXPECT_EQ(messages[0].size(), std::string("r76,").size() + 76 + 1);
    const int last = extra == 76 ? 1 : extra;
    if (pieces) {
      EXPECT_EQ(messages.back(), "c" + std::to_string(last) + "," + std::string(static_cast<size_t>(last), 'q') + "\r");
    }
  }
}

// The host breaks off a long line in the middle: the replace goes once, the
// confirmation that follows cannot take the next operation with it.
TEST(OutgoingQueue, CancelledContinuationDropsOnlyTheLongLine) {
  const EditLines lines = LinesOf({std::string(200, 'z'), "B"});
  OutgoingQueue q;
  q.Append(kOpReplace, 0, 0);
  q.Append(kOpReplace, 1, 0);
  ASSERT_EQ(Next(q, lines).substr(0, 4), "r76,");
  q.CancelContinuation();
  q.Acknowledge();  // the terminal confirms what it last sent, as its poll does
  EXPECT_EQ(q.Size(), 1);
  EXPECT_EQ(Next(q, lines), "r5,2,0,B\r");
  q.CancelContinuation();  // nothing partial: nothing happens
  EXPECT_EQ(q.Size(), 1);
}

TEST(OutgoingQueue, ReplaceQueuedOnceAndRebuiltWhenEditedAgain) {
  EditLines lines = LinesOf({"one", "two"});
  OutgoingQueue q;
  EXPECT_TRUE(q.QueueReplace(1));
  EXPECT_EQ(Next(q, lines), "r7,2,0,two\r");
  lines.At(1) = "TWO!";
  EXPECT_FALSE(q.QueueReplace(1)) << "already queued: the text is read when the message is built";
  EXPECT_FALSE(q.AwaitingAcknowledgement()) << "front operation: the old message is not confirmed";
  q.Acknowledge();
  EXPECT_EQ(Next(q, lines), "r8,2,0,TWO!\r");
}

TEST(OutgoingQueue, EditingALineInPiecesSendsItAgainFromItsStart) {
  EditLines lines = LinesOf({std::string(100, 'a')});
  OutgoingQueue q;
  q.QueueReplace(0);
  ASSERT_EQ(Next(q, lines).substr(0, 4), "r76,");
  q.Acknowledge();
  lines.At(0) = "short";
  q.QueueReplace(0);
  EXPECT_FALSE(q.Continuing());
  EXPECT_EQ(Next(q, lines), "r9,1,0,short\r");
  q.Acknowledge();
  EXPECT_TRUE(q.Empty());
}

TEST(OutgoingQueue, ReplacesKeepTheirTextWhenLinesMove) {
  EditLines lines = LinesOf({"a", "b", "c"});
  OutgoingQueue q;
  q.QueueReplace(2);
  q.FreezeReplaces(lines);
  lines.Insert(0, "new");
  q.Append(kOpInsert, 0, 1);
  EXPECT_TRUE(q.QueueReplace(2)) << "index 2 now names another line";
  EXPECT_EQ(Next(q, lines), "r5,3,0,c\r");
  q.Acknowledge();
  EXPECT_EQ(Next(q, lines), "i1,1\r");
  q.Acknowledge();
  EXPECT_EQ(Next(q, lines), "r5,3,0,b\r");
}

}  // namespace
