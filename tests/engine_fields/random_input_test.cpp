// Random host bytes and keys: the local modes never write outside the
// screen or their buffers (run under AddressSanitizer), and every reply a
// field sends is built from what it shows.
#include <gtest/gtest.h>

#include <random>

#include "field_fixture.h"

namespace {

class RandomInputTest : public FieldTest {
 protected:
  std::mt19937 rng{20261210};

  int Any(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  char Byte() {
    // Mostly plausible parameter values, sometimes anything at all.
    return Any(4) == 0 ? static_cast<char>(Any(256)) : static_cast<char>(32 + Any(100));
  }
  std::string Bytes(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += Byte();
    return s;
  }
  std::string Sequence() {
    switch (Any(9)) {
      case 0: return kEsc + "ML" + Bytes(4) + Bytes(Any(3)) + "\n";
      case 1: return kEsc + "MC" + Bytes(1) + "\n";
      case 2: return kEsc + (Any(2) ? "MS" : "Ms") + Bytes(2) + "\n";
      case 3: return kEsc + (Any(2) ? "I" : "i") + Bytes(5) + static_cast<char>(32 + Any(40)) + Bytes(Any(5)) + "\n";
      case 4: return kEsc + "WV" + Bytes(5) + "\n";
      case 5: return kEsc + "WO" + Bytes(6) + "t\n";
      case 6: return kEsc + "WC\n";
      case 7: return kEsc + "Y" + Bytes(2);
      default: return kEsc + "^" + (Any(2) ? "E" : "m") + "\n";
    }
  }
  int32_t RandomKey() {
    switch (Any(4)) {
      case 0: return Any(256);
      case 1: return 1000 + Any(100);
      case 2: return "0123456789.-+*/=C"[Any(17)];
      default: return 1096 + Any(128);
    }
  }
};

TEST_F(RandomInputTest, HostBytesAndKeysStayInBounds) {
  keyboard.clickCol = 10;
  keyboard.clickRow = 5;
  int keys = 0, fields = 0;
  for (int round = 0; round < 3000; ++round) {
    Feed(Sequence());
    for (int k = Any(12); k > 0 && keyboard.handler; --k, ++keys) keyboard.handler(RandomKey());
    if (Field.active) {
      ++fields;
      ASSERT_LE(Field.width, kFieldBufferSize);
      ASSERT_GE(Field.col, 0);
      ASSERT_LE(Field.col + Field.width, kScreenCols);
      ASSERT_GE(Field.offset, 0);
      ASSERT_LE(Field.offset, Field.width);
      ASSERT_LT(Field.row, kWorkRows);
    }
    ASSERT_LE(Screen.win.choiceCount, kMaxChoices);
    ASSERT_LE(Screen.win.CurrentChoice, Screen.win.choiceCount);
    if (Any(50) == 0) {
      Feed(kEsc + "^T");
      Feed(kEsc + "WI");
    }
    shell.Clear();
  }
  // The run must have exercised the handlers, not just the parser.
  EXPECT_GT(keys, 3000);
  EXPECT_GT(fields, 300);
}

TEST_F(RandomInputTest, NumericRepliesMatchTheField) {
  for (int round = 0; round < 400; ++round) {
    int type = 1 + Any(20);
    int width = 1 + Any(20);
    Start(type, width, std::string(width, ' '));
    for (int k = Any(20); k > 0 && Field.active; --k) Key("0123456789.-+*/=C"[Any(17)]);
    if (!Field.active) continue;
    std::string shown = FieldText(width);
    Key(27);
    std::string sent = Sent();
    std::string text = FieldText(width);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    ASSERT_EQ(sent.substr(0, text.size()), text) << "type " << type << " width " << width;
    ASSERT_EQ(sent[text.size()], '\n');
    ASSERT_LE(text.size(), static_cast<size_t>(width));
  }
}

}  // namespace
