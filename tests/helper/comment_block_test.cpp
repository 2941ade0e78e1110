// The program's comment block: what is written, that it reads back to the
// same fields, and that a rewrite replaces exactly the lines it read.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "comment_block.h"

namespace {

using Lines = std::vector<std::string>;

TEST(CommentBlock, TitleLinesAndSeparator) {
  EXPECT_EQ(std::string(kCommentSeparator).size(), 75u);
  EXPECT_EQ(CommentTitleLine("Program Description"),
            "*---------------------------Program Description---------------------------*");
  for (const char* t : {"Program Description", "Parameter Definition", "Common Variables", "X"}) {
    const std::string line = CommentTitleLine(t);
    EXPECT_EQ(line.size(), 75u) << t;
    const size_t b = (75 - std::string(t).size()) / 2;
    EXPECT_EQ(line.substr(b, std::string(t).size()), t);
  }
}

TEST(CommentBlock, WritesTheSectionsInOrder) {
  ProgramComment c;
  c.routine = "GETCUST";
  c.description = "Reads a customer.";
  c.parameters = {{"CUST.NO", kDirectionIn, kUseRequired, "the number"},
                  {"REC", kDirectionInOut, kUseOptional, ""},
                  {"ERR", kDirectionOut, kUseConditional, "set on failure"}};
  c.common = "none";
  c.additional = "Written for tests.";
  const Lines expected = {
      "*** Subroutine - GETCUST",
      CommentTitleLine("Program Description"),
      "*** Reads a customer.",
      CommentTitleLine("Parameter Definition"),
      "*** CUST.NO [IN]     - the number",
      "*** REC     (IN/OUT) -",
      "*** ERR     <OUT>    - set on failure",
      CommentTitleLine("Common Variables"),
      "*** none",
      kCommentSeparator,
      "",
      kCommentSeparator,
      "*** Written for tests.",
      kCommentSeparator,
  };
  EXPECT_EQ(WriteCommentBlock(c), expected);
  ProgramComment back;
  EXPECT_EQ(ReadCommentBlock(expected, back), static_cast<int>(expected.size()));
  EXPECT_EQ(back, c);
}

TEST(CommentBlock, LongTextWrapsCutsAndHangs) {
  ProgramComment c;
  c.description = "Note: " + std::string(30, 'w') + " " + std::string(200, 'x') + " end";
  c.parameters = {{std::string(50, 'P'), kDirectionIn, kUseRequired, "a b c d e f g h i j k l m n o p q r s t u v w"}};
  const Lines lines = WriteCommentBlock(c);
  for (const std::string& l : lines) {
    EXPECT_LE(l.size(), 75u) << l;
    if (!l.empty()) {
      EXPECT_NE(l.back(), ' ') << l;
    }
  }
  // The hanging indent puts continuations under the text after "Note: ".
  EXPECT_EQ(lines[1].substr(0, 10), "*** Note: ");
  EXPECT_EQ(lines[2].substr(0, 10), "***       ");
  EXPECT_EQ(lines[2].size(), 75u);
  EXPECT_EQ(lines[2].back(), '_') << "a word too long for a line is cut";
  ProgramComment back;
  ReadCommentBlock(lines, back);
  EXPECT_EQ(back, NormaliseComment(c));
}

TEST(CommentBlock, NoHangingIndentWithoutRoomLeft) {
  // A first word ending in ":" almost as wide as the line: indenting under
  // the rest would leave no room, and the wrap would never advance.
  ProgramComment c;
  c.description = std::string(60, 'L') + ": " + std::string(40, 'a') + " " + std::string(40, 'b');
  const Lines lines = WriteCommentBlock(c);
  ASSERT_LT(lines.size(), 20u);
  for (const std::string& l : lines) EXPECT_LE(l.size(), 75u);
  EXPECT_EQ(lines[2].substr(0, 7), "***   a");
  ProgramComment back;
  ReadCommentBlock(lines, back);
  EXPECT_EQ(back.description, c.description);
}

TEST(CommentBlock, ReadsRoutineLinesOfEveryForm) {
  const char* forms[] = {"*** Subroutine - ABC", "***  subroutine: ABC", "*** ROUTINE:ABC", "*** Program:   ABC  "};
  for (const char* f : forms) {
    ProgramComment back;
    EXPECT_EQ(ReadCommentBlock(Lines{f, CommentTitleLine("Program Description"), kCommentSeparator, "X = 1"}, back),
              3)
        << f;
    EXPECT_EQ(back.routine, "ABC") << f;
  }
}

TEST(CommentBlock, StopsAtTheFirstLineOutsideIt) {
  ProgramComment back;
  EXPECT_EQ(ReadCommentBlock(Lines{"X = 1", kCommentSeparator}, back), 0);
  EXPECT_EQ(ReadCommentBlock(Lines{"*** just a comment"}, back), 0);
  EXPECT_EQ(ReadCommentBlock(Lines{}, back), 0);
  // Titles compared without regard to case; a block cut short ends where it stops.
  EXPECT_EQ(ReadCommentBlock(Lines{"*--program description--*", "*** text", "PRINT"}, back), 2);
  EXPECT_EQ(back.description, "text");
  // Without an empty line and second separator there is no additional part.
  EXPECT_EQ(ReadCommentBlock(Lines{CommentTitleLine("Common Variables"), "*** c", kCommentSeparator, "",
                                   "*** not in it"},
                             back),
            3);
  EXPECT_EQ(back.common, "c");
  EXPECT_EQ(back.additional, "");
}

TEST(CommentBlock, RewritingAgainAddsNoCopies) {
  // The empty line before the additional information belongs to the block:
  // reading and writing again gives the same program.
  ProgramComment c;
  c.description = "d";
  c.additional = "more";
  Lines program = WriteCommentBlock(c);
  program.push_back("PRINT 1");
  for (int round = 0; round < 3; ++round) {
    ProgramComment back;
    const int consumed = ReadCommentBlock(program, back);
    ASSERT_EQ(consumed, static_cast<int>(program.size()) - 1);
    Lines again = WriteCommentBlock(back);
    again.insert(again.end(), program.begin() + consumed, program.end());
    EXPECT_EQ(again, program);
  }
}

std::string RandomText(std::mt19937& rng, int paragraphs, bool allowBreaks) {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,;:_-!?()'\"*$%";
  std::string out;
  const int n = static_cast<int>(rng() % static_cast<unsigned>(paragraphs + 1));
  for (int p = 0; p < n; ++p) {
    if (p) out += allowBreaks ? (rng() % 3 == 0 ? "\n" : "\r\n") : " ";
    const int words = static_cast<int>(rng() % 25);
    for (int w = 0; w < words; ++w) {
      if (w) out += std::string(1 + rng() % 2, ' ');
      const int len = rng() % 10 == 0 ? static_cast<int>(60 + rng() % 150) : static_cast<int>(1 + rng() % 12);
      for (int i = 0; i < len; ++i) out += kChars[rng() % (sizeof kChars - 1)];
      if (rng() % 8 == 0) out += ':';
      if (rng() % 8 == 0) out += '_';
    }
  }
  return out;
}

std::string RandomName(std::mt19937& rng) {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.$%";
  std::string name;
  const int len = static_cast<int>(1 + rng() % (rng() % 6 == 0 ? 58 : 12));
  for (int i = 0; i < len; ++i) name += kChars[rng() % (sizeof kChars - 1)];
  return name;
}

TEST(CommentBlock, RandomFieldsReadBackTheSame) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 400; ++round) {
    ProgramComment c;
    if (rng() % 2) c.routine = RandomName(rng);
    c.description = RandomText(rng, 4, true);
    c.common = RandomText(rng, 3, true);
    if (rng() % 2) c.additional = RandomText(rng, 3, true);
    const int params = static_cast<int>(rng() % 6);
    for (int i = 0; i < params; ++i) {
      c.parameters.push_back(CommentParameter{RandomName(rng) + std::to_string(i), static_cast<int>(rng() % 3),
                                              static_cast<int>(rng() % 3), RandomText(rng, 1, false)});
    }
    const ProgramComment expected = NormaliseComment(c);
    Lines program = WriteCommentBlock(c);
    for (const std::string& l : program) {
      ASSERT_LE(l.size(), 75u) << "round " << round << ": " << l;
      if (!l.empty()) {
        ASSERT_NE(l.back(), ' ') << l;
      }
    }
    const int written = static_cast<int>(program.size());
    // The program's own lines follow the block.
    const Lines rest = {"PRINT 'x'", "*** after the block", "END"};
    program.insert(program.end(), rest.begin(), rest.end());
    ProgramComment back;
    ASSERT_EQ(ReadCommentBlock(program, back), written) << "round " << round;
    ASSERT_EQ(back, expected) << "round " << round << "\n" << back.description << "\n--\n" << expected.description;
    // A rewrite of what was read leaves the program as it was.
    Lines again = WriteCommentBlock(back);
    again.insert(again.end(), program.begin() + written, program.end());
    ASSERT_EQ(again, program) << "round " << round;
  }
}

// Blocks as people leave them: lines of every kind in any order. Whatever
// is read, written again, reads back the same.
TEST(CommentBlock, AnyBlockReadWrittenAndReadAgainIsStable) {
  std::mt19937 rng(99);
  const std::vector<std::string> kinds = {
      "*** Subroutine - NAME", "*** Program: P", CommentTitleLine("Program Description"),
      CommentTitleLine("Parameter Definition"), CommentTitleLine("Common Variables"),
      CommentTitleLine("ADDITIONAL INFORMATION"), kCommentSeparator, "", "***", "*** text here",
      "***    continued", "*** A [IN] - a", "*** B (OUT)-", "*** C <IN/OUT>   -   c  ", "*** [IN] - no name",
      "*** D [IN", "*-*", "*--Nonsense--*", "PRINT 1", "*** " + std::string(71, 'w'), std::string(74, 'x') + "_",
      "*** " + std::string(70, 'y') + "_", "***  " + std::string(80, 'z')};
  for (int round = 0; round < 2000; ++round) {
    Lines program;
    const int n = static_cast<int>(rng() % 14);
    for (int i = 0; i < n; ++i) program.push_back(kinds[rng() % kinds.size()]);
    ProgramComment first;
    const int consumed = ReadCommentBlock(program, first);
    ASSERT_GE(consumed, 0);
    ASSERT_LE(consumed, n);
    if (consumed == 0) continue;
    const Lines written = WriteCommentBlock(first);
    ProgramComment second;
    ASSERT_EQ(ReadCommentBlock(written, second), static_cast<int>(written.size())) << "round " << round;
    ASSERT_EQ(second, NormaliseComment(first)) << "round " << round;
  }
}

TEST(VariableNames, Checks) {
  const std::vector<CommentParameter> params = {{"A", 0, 0, ""}, {"B.C$", 0, 0, ""}};
  EXPECT_EQ(CheckVariableName("NEW.ONE%", params), nullptr);
  EXPECT_STREQ(CheckVariableName("", params), "Invalid variable name");
  EXPECT_STREQ(CheckVariableName("A B", params), "Invalid variable name");
  EXPECT_STREQ(CheckVariableName("X-1", params), "Invalid variable name");
  EXPECT_STREQ(CheckVariableName("B.C$", params), "Duplicate variable name");
  EXPECT_EQ(CheckVariableName("B.C$", params, 1), nullptr) << "renaming to its own name";
  EXPECT_STREQ(CheckVariableName("A", params, 1), "Duplicate variable name");
  EXPECT_EQ(DeleteVariableQuestion("X"), "Are you sure you want to delete X");
  EXPECT_STREQ(UseText(kUseRequired), "Requird");
  EXPECT_STREQ(DirectionText(kDirectionInOut), "IN/OUT");
}

}  // namespace
