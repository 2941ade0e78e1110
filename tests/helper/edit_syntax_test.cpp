// The token scan and the keyword table: what each character of a line is
// painted as.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "edit_keywords.h"
#include "edit_syntax.h"

namespace {

// One letter per text column: t text, c comment, r reserved, s string.
std::string Roles(const std::string& text, bool colouring = true) {
  std::vector<TokenRun> runs;
  ScanLine(text, colouring, runs);
  std::string out(text.size(), '?');
  int next = 0;
  for (const TokenRun& r : runs) {
    EXPECT_EQ(r.start, next) << "runs cover the line in order: " << text;
    EXPECT_LT(r.start, r.end);
    next = r.end;
    for (int c = r.start; c < r.end; ++c) out[static_cast<size_t>(c)] = "tpcrbfsm"[r.role];
  }
  EXPECT_EQ(next, static_cast<int>(text.size())) << text;
  return out;
}

struct ScanCase {
  const char* text;
  const char* roles;
};

TEST(TokenScan, Cases) {
  const ScanCase cases[] = {
      {"REM a note", "cccccccccc"},
      {"rem a note", "tttttttttt"},  // only upper-case REM starts a comment
      {"X=1; * note", "tttttcccccc"},
      {"X=1: ! note", "tttttcccccc"},
      {"* whole line", "cccccccccccc"},
      {"X = 1 * 2", "ttttttttt"},
      {"PRINT 'it''s'", "rrrrrtsssssss"},
      {"PRINT 'abc", "rrrrrtssss"},
      {"PRINT \"a\" : REM x", "rrrrrtssstttccccc"},
      {"A = \\b\\", "ttttsss"},
      {"Print", "rrrrr"},
      {"PRINT", "rrrrr"},
      {"PRINTX", "tttttt"},
      {"GET(ARG.)", "rrrrrrrrr"},
      {"get(arg.) X", "rrrrrrrrrtt"},
      {"GET(ARG.)X", "rrrtrrrrtt"},  // get, "(", the keyword arg., ")", X
      {"GET(ARG.)1", "rrrtrrrrtt"},
      {"   REM", "   ccc"},
      {"X REM", "ttttt"},
      {"IF X THEN REM", "rrtttrrrrtttt"},  // not at a statement start
  };
  for (const ScanCase& c : cases) {
    std::string expected = c.roles;
    // Spaces in the table are plain text.
    for (char& ch : expected) {
      if (ch == ' ') ch = 't';
    }
    EXPECT_EQ(Roles(c.text), expected) << c.text;
  }
}

TEST(TokenScan, ColouringOffAndEmptyLines) {
  EXPECT_EQ(Roles("PRINT 'x' ! y", false), "ttttttttttttt");
  std::vector<TokenRun> runs{{0, 1, 0}};
  ScanLine("", true, runs);
  EXPECT_TRUE(runs.empty());
}

TEST(TokenScan, GutterShowsBookmarksAndFinds) {
  int roles[5];
  GutterRoles(false, false, roles);
  EXPECT_EQ(std::vector<int>(roles, roles + 5), (std::vector<int>{0, 0, 0, 0, 0}));
  GutterRoles(true, false, roles);
  EXPECT_EQ(std::vector<int>(roles, roles + 5), (std::vector<int>{4, 4, 4, 4, 4}));
  GutterRoles(false, true, roles);
  EXPECT_EQ(std::vector<int>(roles, roles + 5), (std::vector<int>{5, 5, 5, 5, 5}));
  GutterRoles(true, true, roles);
  EXPECT_EQ(std::vector<int>(roles, roles + 5), (std::vector<int>{4, 4, 4, 5, 5}));
}

// The reference: the linear search of the table in table order.
int LinearKeyword(const std::string& token) {
  for (int i = 0; i < kKeywordCount; ++i) {
    const std::string k = KeywordAt(i);
    if (k.size() != token.size()) continue;
    bool same = true;
    for (size_t j = 0; j < k.size() && same; ++j) {
      same = std::tolower(static_cast<unsigned char>(k[j])) == std::tolower(static_cast<unsigned char>(token[j]));
    }
    if (same) return i;
  }
  return -1;
}

TEST(Keywords, TableIsKeptAsWritten) {
  EXPECT_STREQ(KeywordAt(0), "abort");
  EXPECT_STREQ(KeywordAt(kKeywordCount - 1), "get(arg.)");
  EXPECT_EQ(KeywordAt(kKeywordCount), nullptr);
  EXPECT_EQ(KeywordAt(-1), nullptr);
  int serializae = -1, sqlalloconnect = -1, dash = -1;
  for (int i = 0; i < kKeywordCount; ++i) {
    const std::string k = KeywordAt(i);
    EXPECT_EQ(KeywordLength(i), static_cast<int>(k.size()));
    if (k == "serializae") serializae = i;
    if (k == "sqlalloconnect") sqlalloconnect = i;
    if (k == "sqlsetconnect-option") dash = i;
  }
  EXPECT_EQ(serializae, 308);
  EXPECT_EQ(sqlalloconnect, 320);
  EXPECT_EQ(dash, 340);
  EXPECT_STREQ(KeywordAt(220), "nobuf");
  EXPECT_STREQ(KeywordAt(221), "no.isolation");
}

TEST(Keywords, EveryEntryAndItsCaseVariantsMatchTheLinearSearch) {
  for (int i = 0; i < kKeywordCount; ++i) {
    std::string k = KeywordAt(i);
    std::string upper = k, mixed = k;
    for (size_t j = 0; j < k.size(); ++j) {
      upper[j] = static_cast<char>(std::toupper(static_cast<unsigned char>(k[j])));
      if (j % 2) mixed[j] = upper[j];
    }
    for (const std::string& t : {k, upper, mixed}) {
      EXPECT_EQ(FindKeyword(t.data(), t.size()), LinearKeyword(t)) << t;
      EXPECT_EQ(FindKeyword(t.data(), t.size()), i) << t;
    }
    // One character more or less, or one changed, is another token.
    for (const std::string& t : {k + "x", k.substr(0, k.size() - 1), "x" + k.substr(1)}) {
      EXPECT_EQ(FindKeyword(t.data(), t.size()), LinearKeyword(t)) << t;
    }
  }
  for (const char* t : {"", "REMX", "print\xC9", "serialize", "sqlallocconnect", "\xE0\xE1"}) {
    EXPECT_EQ(FindKeyword(t, std::strlen(t)), LinearKeyword(t)) << t;
  }
}

}  // namespace
