// Loading the program from the terminal's fixed-length records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_fakes.h"
#include "edit_lines.h"

namespace {

struct LoadCase {
  const char* name;
  std::vector<LoadedRecord> records;
  std::vector<std::string> lines;
  int widest;
};

TEST(EditLines, LoadedRecordsBecomeLines) {
  const std::string full80(80, 'x');
  const LoadCase cases[] = {
      {"plain", {{0, "PRINT 1   "}, {0, "  END"}}, {"PRINT 1", "  END"}, 7},
      {"blank record", {{0, "    "}}, {""}, 0},
      {"continuation joins with the blanks it lost", {{0, "ABC  "}, {1, "DEF "}}, {"ABC  DEF"}, 8},
      {"continuation flag is any non-zero byte", {{0, "A "}, {'\x7f', "B"}}, {"A B"}, 3},
      {"blank continuation keeps blanks only before text", {{0, "A "}, {1, "   "}, {1, "B"}}, {"A    B"}, 6},
      {"a blank continuation gets back the blanks before it", {{0, "A "}, {1, "   "}, {0, "Z"}}, {"A ", "Z"}, 2},
      {"a full record and its continuation", {{0, full80}, {1, "yy"}}, {full80 + "yy"}, 82},
      {"first record flagged still starts a line", {{1, "lonely"}}, {"lonely"}, 6},
      {"tabs and CR count as white space", {{0, "X\t\r "}}, {"X"}, 1},
  };
  for (const LoadCase& c : cases) {
    EditLines lines;
    for (const LoadedRecord& r : c.records) lines.AddLoadedLine(r.text(), r.length());
    ASSERT_EQ(lines.Count(), static_cast<int>(c.lines.size())) << c.name;
    for (int i = 0; i < lines.Count(); ++i) EXPECT_EQ(lines.At(i), c.lines[static_cast<size_t>(i)]) << c.name;
    EXPECT_EQ(lines.Widest(), c.widest) << c.name;
  }
}

TEST(EditLines, BadArgumentsAddAnEmptyLine) {
  EditLines lines;
  lines.AddLoadedLine(nullptr, 10);
  const LoadedRecord r(0, "abc");
  lines.AddLoadedLine(r.text(), -5);
  EXPECT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines.At(0), "");
  EXPECT_EQ(lines.At(1), "");
}

TEST(EditLines, TrimmedCountIgnoresTrailingWhiteSpace) {
  EditLines lines;
  lines.Insert(0, "ab  ");
  lines.Insert(1, "  c");
  lines.Insert(2, "   ");
  EXPECT_EQ(lines.TrimmedCharacterCount(), 5);
}

}  // namespace
