// The editors of the field types, as tables of keys and what the field
// shows and sends.
#include <gtest/gtest.h>

#include <vector>

#include "field_fixture.h"

namespace {

constexpr int32_t kBs = 8, kCtrlR = 18, kLeft = 1002, kRight = 1003, kHome = 1063, kEnd = 1064,
                  kIns = 1052, kDel = 1053;

struct EditorCase {
  int type;
  int width;
  std::string start;
  int offset;
  std::vector<int32_t> keys;
  std::string shown;  // the field's cells afterwards
  int bells;
  std::string reply;  // "" = still editing
};

std::vector<int32_t> K(const std::string& s, std::vector<int32_t> more = {}) {
  std::vector<int32_t> v(s.begin(), s.end());
  v.insert(v.end(), more.begin(), more.end());
  return v;
}

class EditorTest : public FieldTest {
 protected:
  void Run(const EditorCase& c, int autoExit = 0) {
    SCOPED_TRACE("type " + std::to_string(c.type) + " start '" + c.start + "'");
    Start(c.type, c.width, c.start + std::string(c.width - c.start.size(), ' '), c.offset, false, "", autoExit);
    shell.events.clear();
    for (int32_t k : c.keys) {
      if (!keyboard.handler) break;
      Key(k);
    }
    EXPECT_EQ(FieldText(c.width), c.shown);
    EXPECT_EQ(Bells(), c.bells);
    EXPECT_EQ(Sent(), c.reply);
    if (Field.active) {
      EXPECT_EQ(Field.offset >= 0 && Field.offset <= c.width, true);
      Key(27);  // leave no field behind
      Sent();
    }
  }
};

TEST_F(EditorTest, PlainText) {
  const EditorCase cases[] = {
      {0, 6, "abcdef", 2, K("X"), "abXdef", 0, ""},
      {0, 6, "abcdef", 2, K("X", {kIns}) /* toggled after */, "abXdef", 0, ""},
      {0, 6, "abcdef", 2, {kIns, 'X'}, "abXcde", 0, ""},
      {0, 6, "abcdef", 3, {kBs, kBs}, "a  def", 0, ""},
      {0, 6, "abcdef", 1, {kDel}, "acdef ", 0, ""},
      {0, 6, "abcdef", 2, {'\\'}, "ab    ", 0, ""},
      {0, 6, "abc", 1, K("xy", {kCtrlR, 13}), "abc   ", 0, Reply("abc", 13, 0, 0, false)},
      {0, 6, "ab", 0, {kEnd, 'c', 13}, "abc   ", 0, Reply("abc", 13, 0, 3, true)},
      {0, 6, "ab", 3, {kHome, kLeft}, "ab    ", 0, Reply("ab", 11, 0, 0, false)},
      {0, 6, "ab", 0, {kRight, 'z', 13}, "az    ", 0, Reply("az", 13, 0, 2, true)},
      {0, 3, "", 0, K("abcd", {13}), "abc", 1, Reply("abc", 13, 0, 3, true)},
      {0, 4, "abc", 3, {kEnd, kEnd, kRight}, "abc ", 0, Reply("abc", 9, 0, 3, false)},
      {21, 6, "", 0, K("ab c"), "ab    ", 0, Reply("ab", 32, 0, 2, true)},
  };
  for (const EditorCase& c : cases) Run(c);
}

TEST_F(EditorTest, PlainTextAutoExit) {
  Run({0, 3, "", 0, K("abc"), "abc", 0, Reply("abc", 9, 0, 3, true)}, 1);
}

TEST_F(EditorTest, NumericCalculator) {
  const EditorCase cases[] = {
      // Types 1..10 allow negatives; d = type - 1.
      {3, 10, "", 0, K("12.5+7.25="), "     19.75", 0, ""},
      {1, 6, "", 0, K("999+1="), "  1000", 0, ""},              // carry into a new digit
      {2, 8, "", 0, K("2/3="), "     0.7", 0, ""},              // rounded half up
      {3, 8, "", 0, K("1/8="), "    0.13", 0, ""},
      {3, 8, "", 0, K("199.99/2="), "  100.00", 0, ""},        // carry out of the top digit
      {1, 6, "", 0, K("5/0="), "     0", 1, ""},                // division by zero
      {1, 6, "", 0, K("-5+3="), "    -2", 0, ""},
      {1, 6, "", 0, K("-4*3="), "   -12", 0, ""},
      {1, 6, "", 0, K("-4*-3="), "    12", 0, ""},
      {1, 6, "", 0, K("3-"), "     3", 1, ""},                  // a sign only before digits
      {1, 3, "", 0, K("123"), " 12", 1, ""},                     // width 3: 2 digits and a sign
      {3, 8, "", 0, K("1.234"), "    1.23", 1, ""},              // two decimals at most
      {1, 6, "", 0, K("1."), "     1", 1, ""},                  // no decimals in this type
      {3, 8, "", 0, K("1..5"), "     1.5", 1, ""},
      {1, 6, "", 0, K("12C"), "      ", 0, ""},
      {1, 6, "", 0, K("123", {kBs}), "    12", 0, ""},
      {1, 6, "", 0, K("1-", {kBs, kBs, kBs}), "      ", 1, ""},
      {1, 6, "42", 0, K("7", {kCtrlR}), "42    ", 0, ""},
      {1, 6, "42", 0, K("7=", {kCtrlR}), "42    ", 0, ""},
      {1, 6, "    12", 2, K("3"), "   123", 0, ""},              // not fresh: digits go on
      {1, 6, "  12", 0, K("3"), "     3", 0, ""},               // fresh: a new number
      {3, 8, " -12.50", 0, K("+2="), "  -10.50", 0, ""},          // starting value read
      // Types 11..20: no negatives, "-" subtracts; d = type - 11.
      {11, 6, "", 0, K("9-4="), "     5", 0, ""},
      {11, 6, "", 0, K("3-5="), "     0", 1, ""},                // negative refused
      {13, 8, "", 0, K("10/4="), "    2.50", 0, ""},
      {11, 3, "", 0, K("1234"), "123", 1, ""},
      {11, 4, "", 0, K("9999*9999="), "   0", 1, ""},            // too many digits: refused, not cut
      {11, 6, "", 0, K("5+3", {13}), "     8", 0, Reply("     8", 13, 0, 5, true)},
      {11, 6, "", 0, K("5+", {13}), "     5", 0, Reply("     5", 13, 0, 5, true)},
      {1, 6, "", 0, {kLeft}, "      ", 0, Reply("", 11, 0, 5, false)},
      {1, 6, "", 0, {kRight}, "      ", 0, Reply("", 9, 0, 5, false)},
      {1, 6, "", 0, {'\\', kIns, kDel, 'x'}, "      ", 4, ""},
      // Widths too narrow for the decimals keep what fits.
      {10, 4, "", 0, K(".239="), " .23", 1, ""},  // two decimals, no integers
      {20, 3, "", 0, K(".129="), ".12", 1, ""},
      {5, 1, "", 0, K("7-"), "-", 1, ""},
  };
  for (const EditorCase& c : cases) Run(c);
}

TEST_F(EditorTest, NumericFieldStartsOnItsLastPosition) {
  Start(1, 6, "     ", 2);
  EXPECT_EQ(Field.offset, 5);
  EXPECT_EQ(Screen.win.cursorCol, kCol + 5);
}

TEST_F(EditorTest, SeparatorsAndDates) {
  const EditorCase cases[] = {
      {22, 9, "   -  -  ", 0, K("12345678"), "123-45-67", 1, ""},
      {22, 9, "   -  -  ", 0, K("12a"), "12 -  -  ", 1, ""},
      {22, 9, "123-45-67", 3, K("9"), "123-95-67", 0, ""},          // starts past the "-"
      {22, 9, "123-45-67", 4, {kBs, kBs, '0'}, "103-45-67", 0, ""},  // nothing erased
      {22, 9, "123-45-67", 4, {kLeft, kLeft, kLeft, kLeft}, "123-45-67", 0, Reply("123-45-67", 11, 0, 0, false)},
      {22, 9, "123-45-67", 7, {kRight, kRight}, "123-45-67", 0, Reply("123-45-67", 9, 0, 8, false)},
      {22, 9, "123-45-67", 4, {'\\'}, "123-  -  ", 0, ""},
      {22, 9, "123-45-67", 4, K("c"), "   -  -  ", 0, ""},
      {22, 9, "123-45-67", 4, {kIns, kDel}, "123-45-67", 2, ""},
      // Type 23: "/" placed at 2 and 5, month and day checked.
      {23, 8, "", 0, {}, "  /  /  ", 0, ""},
      {23, 8, "", 0, K("122599"), "12/25/99", 0, ""},
      {23, 8, "", 0, K("2"), "  /  /  ", 1, ""},     // month tens at most 1
      {23, 8, "", 0, K("13"), "1 /  /  ", 1, ""},    // month at most 12
      {23, 8, "", 0, K("1232"), "12/3 /  ", 1, ""},  // day at most 31
      {23, 8, "", 0, K("1241"), "12/1 /  ", 1, ""},  // day tens at most 3
      {23, 8, "", 0, K("1231x"), "12/31/  ", 1, ""},
      {23, 8, "01/02/03", 6, {kLeft, kLeft}, "01/02/03", 0, ""},
      {23, 8, "01/02/03", 3, {kBs, '1'}, "01/02/03", 0, ""},    // BS skips "/": month 01 again
      {23, 8, "12/02/03", 3, {kBs, '3'}, "12/02/03", 1, ""},    // month 13 refused
      {23, 8, "01/02/03", 0, {kCtrlR, '1'}, "11/02/03", 0, ""},
      {23, 8, "01/02/03", 3, {'\\', 13}, "01/  /  ", 0, Reply("01/  /", 13, 0, 3, true)},
      // Type 25: any character but "/", nothing placed or checked.
      {25, 8, "", 0, K("Cx/9"), "Cx9     ", 1, ""},
      {25, 8, "ab/cd/ef", 1, K("99"), "a9/9d/ef", 0, ""},
  };
  for (const EditorCase& c : cases) Run(c);
}

TEST_F(EditorTest, DateAutoExit) {
  Run({23, 8, "", 0, K("010203"), "01/02/03", 0, Reply("01/02/03", 9, 0, 8, true)}, 1);
}

}  // namespace
