// Helper command syntax and the argument put into a command line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "command_substitution.h"
#include "helper_command.h"

namespace {

struct ParseCase {
  const char* name;
  int direction;
  bool ok;
  const char* a;
  const char* b;
  const char* service;
  const char* topic;
  const char* item;
};

class ParsesHelperCommands : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsesHelperCommands, SplitsChecksAndDefaults) {
  const ParseCase& c = GetParam();
  HelperCommand h;
  ASSERT_EQ(ParseHelperCommand(c.name, c.direction, &h), c.ok) << c.name;
  if (!c.ok) return;
  EXPECT_EQ(h.op, c.name[0]);
  EXPECT_STREQ(h.a, c.a);
  EXPECT_STREQ(h.b, c.b);
  EXPECT_STREQ(h.service, c.service);
  EXPECT_STREQ(h.topic, c.topic);
  EXPECT_STREQ(h.item, c.item);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParsesHelperCommands,
    ::testing::Values(
        ParseCase{"Rapp.exe/helper/SRV/TOP/item", 0, true, "app.exe", "helper", "SRV", "TOP", "item"},
        // E is the rest and keeps its slashes.
        ParseCase{"P/b/S/T/a/b/c", 1, true, "", "b", "S", "T", "a/b/c"},
        // Empty service or topic take B.
        ParseCase{"R/calc//TOP/x", 0, true, "", "calc", "calc", "TOP", "x"},
        ParseCase{"R/calc/SRV//x", 0, true, "", "calc", "SRV", "calc", "x"},
        ParseCase{"E/&.doc///", 1, true, "", "&.doc", "&.doc", "&.doc", ""},
        // Cut to 15 characters, also when taken from B.
        ParseCase{"A/b/ABCDEFGHIJKLMNOPQ/0123456789abcdefXYZ/i", 0, true, "", "b", "ABCDEFGHIJKLMNO",
                  "0123456789abcde", "i"},
        ParseCase{"A/averyveryverylonghelper///i", 0, true, "", "averyveryverylonghelper", "averyveryverylo",
                  "averyveryverylo", "i"},
        // Missing separators.
        ParseCase{"R/b/S/T", 0, false, "", "", "", "", ""}, ParseCase{"Rabc", 0, false, "", "", "", "", ""},
        ParseCase{"", 0, false, "", "", "", "", ""},
        ParseCase{"R////", 0, true, "", "", "", "", ""}));

// Every op letter against both directions: A and R read from the PC (0),
// the others write to it (1); other letters never open.
TEST(HelperCommandOps, EachOpOpensOnlyInItsDirection) {
  struct Op {
    char letter;
    int direction;  // the only one that opens; -1 none
    uint32_t transaction;
  };
  const Op ops[] = {{'A', 0, 0x1034}, {'R', 0, 0x20B0}, {'E', 1, 0x4050}, {'P', 1, 0x4090},
                    {'S', 1, 0x8040}, {'C', 1, 0},      {'H', 1, 0},      {'X', -1, 0},
                    {'r', -1, 0},     {'/', -1, 0}};
  for (const Op& op : ops) {
    for (int direction = 0; direction <= 1; ++direction) {
      std::string name = std::string(1, op.letter) + "a/b/c/d/e";
      HelperCommand h;
      EXPECT_EQ(ParseHelperCommand(name.c_str(), direction, &h), op.direction == direction)
          << op.letter << " direction " << direction;
    }
    if (op.direction >= 0) {
      EXPECT_EQ(HelperTransaction(op.letter), op.transaction) << op.letter;
    }
  }
}

struct SubstitutionCase {
  const char* label;
  const char* command;
  const char* argument;  // null: none
  bool hostProgram;
  SubstitutionResult result;
  const char* expected;
};

class SubstitutesArguments : public ::testing::TestWithParam<SubstitutionCase> {};

TEST_P(SubstitutesArguments, BuildsTheCommandLine) {
  const SubstitutionCase& c = GetParam();
  char command[kHelperCommandSize];
  std::snprintf(command, sizeof command, "%s", c.command);
  EXPECT_EQ(SubstituteArgument(command, c.argument, c.hostProgram), c.result) << c.label;
  if (c.result != SubstitutionResult::kTooLong) {
    EXPECT_STREQ(command, c.expected) << c.label;
  }
}

const std::string k255(255, 'y');
const std::string kBlankAnd250 = " " + std::string(250, 'z');

INSTANTIATE_TEST_SUITE_P(
    Table, SubstitutesArguments,
    ::testing::Values(
        SubstitutionCase{"bare %1", "app.exe %1 -x", "data", false, SubstitutionResult::kSubstituted,
                         "app.exe data -x"},
        SubstitutionCase{"bare %L", "app.exe /o %L", "it", false, SubstitutionResult::kSubstituted, "app.exe /o it"},
        SubstitutionCase{"quoted, no blank: the quotes go", "app.exe \"%1\" -x", "data", false,
                         SubstitutionResult::kSubstituted, "app.exe data -x"},
        SubstitutionCase{"quoted, a blank: quoted again", "app.exe \"%1\"", "c:\\my file.txt", false,
                         SubstitutionResult::kSubstituted, "app.exe \"c:\\my file.txt\""},
        SubstitutionCase{"bare with a blank stays bare", "app.exe %1", "a b", false, SubstitutionResult::kSubstituted,
                         "app.exe a b"},
        SubstitutionCase{"only the first placeholder", "app %1 %L", "v", false, SubstitutionResult::kSubstituted,
                         "app v %L"},
        SubstitutionCase{"%2 is no placeholder", "app %2 %%1", "v", false, SubstitutionResult::kSubstituted,
                         "app %2 %v"},
        SubstitutionCase{"no placeholder: unchanged", "app.exe -x", "data", false, SubstitutionResult::kNoPlaceholder,
                         "app.exe -x"},
        SubstitutionCase{"no argument: the placeholder goes", "app.exe %1", nullptr, false,
                         SubstitutionResult::kSubstituted, "app.exe "},
        // "H": the argument is A after the program word, its blank included.
        SubstitutionCase{"H appends with its blank", "editor.exe", " c:\\f.txt", true,
                         SubstitutionResult::kNoPlaceholder, "editor.exe c:\\f.txt"},
        SubstitutionCase{"H drops the blank in a placeholder", "editor.exe /e %1 /q", " c:\\f.txt", true,
                         SubstitutionResult::kSubstituted, "editor.exe /e c:\\f.txt /q"},
        SubstitutionCase{"H quoted with a blank", "editor.exe \"%1\"", " c:\\a b.txt", true,
                         SubstitutionResult::kSubstituted, "editor.exe \"c:\\a b.txt\""},
        SubstitutionCase{"H without an argument", "editor.exe", nullptr, true, SubstitutionResult::kNoPlaceholder,
                         "editor.exe"},
        // 255 characters fit; 256 do not.
        SubstitutionCase{"255 fit", "%1", k255.c_str(), false, SubstitutionResult::kSubstituted,
                         k255.c_str()},
        SubstitutionCase{"256 fail", "a%1", k255.c_str(), false, SubstitutionResult::kTooLong, ""},
        SubstitutionCase{"H append reaching 256 fails", "e.exe", kBlankAnd250.c_str(), true,
                         SubstitutionResult::kTooLong, ""}));

}  // namespace
