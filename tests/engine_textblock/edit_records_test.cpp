// The replies of local edit mode and the whole-text reply, byte for byte,
// and their pacing by the channel.
#include <gtest/gtest.h>

#include "edit_reply.h"
#include "text_block_fixture.h"

namespace {

TEST_F(TextBlockTest, LineTextIsCompressed) {
  struct Case {
    std::string line, sent;
  } cases[] = {
      {"ABC     D", std::string("ABC\x10") + static_cast<char>(8 + 32) + "D"},
      {"A B  C", "A B  C"},
      {"   X", std::string("\x10") + static_cast<char>(3 + 32) + "X"},
      {"AB      ", "AB"},
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string padded = c.line + std::string(80 - c.line.size(), ' ');
    std::string out;
    CompressLineText(reinterpret_cast<const uint8_t*>(padded.data()), 0, 80, &out);
    EXPECT_EQ(out, c.sent) << c.line;
  }
}

// Plain and numbered kinds, with and without a trailer: the records for the
// same edits, then the end record.
TEST_F(TextBlockTest, RecordsForEditsInEachForm) {
  const std::string body = "one\ntwo\nthree";  // 11 bytes
  struct Case {
    const char* name;
    std::string head, trailer;
    std::vector<int32_t> keys;
    std::string sent;
  } cases[] = {
      {"plain, change", " ", "0\n", {1000, 'X', 27}, "2,0,Xwo\ne" + std::string{V(27)} + "0\n"},
      {"plain with trailer", " ", "0,0,1,11\n", {1000, 'X', 27},
       "2,0,3,Xwo\ne" + std::string{V(27)} + "0,1,2\n"},
      {"plain, insert and delete", " ", "0\n", {2148, 1000, 1000, 2149, 1040},
       "i,1\nd,3\ne" + std::string{V(105)} + "0\n"},
      {"a change flushed before an insert", " ", "0\n", {1052, 'Z', 2148, 1028},
       "1,0,Zone\ni,1\ne" + std::string{V(117)} + "0\n"},
      {"numbered, leading blanks", "\"", "0\n", {1000, ' ', ' ', 27},
       "2,2,o\ne" + std::string{V(27)} + "0\n"},
      {"numbered with trailer", "\"", "0,0,1,11\n", {1000, 1000, 1003, 'H', 27},
       "3,0,5,tHree\ne" + std::string{V(27)} + "0,2,3\n"},
      {"the DDE key ends too", " ", "0\n", {1072}, "e" + std::string{V(153)} + "0\n"},
  };
  for (const Case& c : cases) {
    Block(c.head, body, c.trailer);
    for (int32_t k : c.keys) Key(k);
    EXPECT_EQ(Sent(), c.sent) << c.name;
    EXPECT_EQ(keyboard.mode, 0) << c.name;
    EXPECT_FALSE(keyboard.localEditing) << c.name;
    if (c.trailer.size() > 2) Feed("\n");
  }
}

TEST_F(TextBlockTest, NumberedContinuationLinesGoWithTheirGroup) {
  Block("\"", std::string(75, 'a') + "bcd\nnext", "0\n");
  ASSERT_EQ(Flag(1), 1);
  Keys({1000, 1003, 'X', 1000});
  EXPECT_EQ(QueuedRecordCount(), 1);
  Key(27);
  EXPECT_EQ(Sent(), "1,0," + std::string(75, 'a') + "\ncbXd\ne" + std::string{V(27)} + "0\n");
}

TEST_F(TextBlockTest, InsertStatePushesCharactersIntoContinuationLines) {
  Feed(kEsc + "T\"\n" + std::string(75, 'a') + "\x03" + "0\n");
  Keys({1052, 'X'});
  EXPECT_EQ(Stored(0), "X" + std::string(74, 'a'));
  EXPECT_EQ(Stored(1), "a");
  EXPECT_EQ(Flag(1), 1) << "a new continuation line took the pushed-off character";
  Key(27);
  EXPECT_EQ(Sent(), "1,0,X" + std::string(74, 'a') + "\nca\ne" + std::string{V(27)} + "0\n");
}

TEST_F(TextBlockTest, CommentLinesWrapTheirLastWord) {
  std::string line = "*** " + std::string(66, 'c') + " word";  // 75 characters
  Block("\"", line + "\nnext", "0\n");
  Key(1064);  // after the last character
  EXPECT_EQ(TextBlock.curCol, 75);
  Key('s');
  EXPECT_EQ(Stored(1), "*** words");
  EXPECT_EQ(Stored(2), "next");
  EXPECT_EQ(TextBlock.curLine, 1);
  EXPECT_EQ(TextBlock.curCol, 9);
  Key(27);
  EXPECT_EQ(Sent(), "1,0,*** " + std::string(66, 'c') + "\ni,2\n2,0,*** words\ne" + std::string{V(27)} + "0\n");
}

TEST_F(TextBlockTest, TheHostsByteAfterRecordsResendsOrEnds) {
  Block(" ", "ab\n\nc", "0,0,1,3\n");
  Keys({'X', 27});
  const std::string end = "e" + std::string{V(27)} + "0,0,2\n";
  EXPECT_EQ(Sent(), "1,0,2,Xb\n" + end);
  Feed("\x01");
  EXPECT_EQ(Sent(), "1,0,2,Xb\n2,0,0,\n3,0,1,c\n" + end);
  Feed("\x01");
  EXPECT_EQ(Sent(), "1,0,2,Xb\n2,0,0,\n3,0,1,c\n" + end) << "and again";
  Feed("Q");
  EXPECT_EQ(Sent(), "");
  EXPECT_EQ(LineStore.lineCount, 0) << "any other byte frees the store";
  EXPECT_EQ(Parser.ParseState, GroundState);
}

TEST_F(TextBlockTest, WholeTextHoldsBlankLinesBackAndDropsTheTrailingOnes) {
  AreaBlock({0, 0, 20, 6, 0, 0}, "\n\n  ab \n\ncd\n\n\n");
  Key(27);
  EXPECT_EQ(Sent(), "1,20,\n2,20,\n3,2,ab\n4,20,\n5,0,cd\ne" + std::string{V(27)} + "0\n");
  EXPECT_EQ(LineStore.lineCount, 0) << "without a trailer the store is freed at once";
}

TEST_F(TextBlockTest, WholeTextWithTrailerCountsTheCharactersAndWaitsForLf) {
  AreaBlock({0, 0, 20, 6, 0, 0}, "ab\n  cde", "1,1,3,7\n");
  Key(1004);  // F1
  const std::string all = "1,0,ab\n2,2,cde\ne" + std::string{V(129)} + "1,1,3,5\n";
  EXPECT_EQ(Sent(), all);
  Feed("\x01");
  EXPECT_EQ(Sent(), all);
  Feed("z");
  EXPECT_EQ(Sent(), "");
  EXPECT_NE(LineStore.lineCount, 0);
  Feed("\n");
  EXPECT_EQ(LineStore.lineCount, 0);
}

// The reply is paused whenever the channel must drain; wherever the pause
// falls, the host gets the same bytes.
TEST_F(TextBlockTest, RepliesPausedByTheChannelResumeToTheSameBytes) {
  for (int shift = 0; shift < 48; ++shift) {
    std::string body = std::string(static_cast<size_t>(shift), 'p') + "\n";
    for (int i = 0; i < 12; ++i) body += "line " + std::to_string(i) + "     tail\n\n";
    for (bool whole : {false, true}) {
      std::string expected;
      for (bool paced : {false, true}) {
        if (whole) {
          AreaBlock({0, 0, 60, 20, 0, 0}, body);
        } else {
          Block(" ", body, "0\n");
        }
        shell.drainRefused = paced;
        if (whole) {
          Key(27);
        } else {
          for (int i = 0; i < 14; ++i) Keys({'#', 1000});
          Key(27);
        }
        // Every time the buffer fills, the channel asks to drain again.
        int pauses = 0;
        while (shell.drainCallback && pauses < 1000) {
          ++pauses;
          void (*resume)() = shell.drainCallback;
          shell.drainCallback = nullptr;
          resume();
        }
        shell.drainRefused = false;
        if (!paced) {
          expected = Sent();
        } else {
          EXPECT_GT(pauses, 0) << shift;
          EXPECT_EQ(Sent(), expected) << "shift " << shift << (whole ? " whole" : " records");
        }
      }
    }
  }
}

}  // namespace
