// The terminal's request handler against a record as another process could
// write it: good requests, and counts and positions that must not be trusted.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "input_mode.h"
#include "key_dispatcher.h"
#include "screen_model.h"
#include "shell/ingress/ingress.h"
#include "test_record.h"
#include "test_request.h"

namespace {

std::vector<int32_t> handled;
std::vector<int> commands;

int Record(int32_t code) {
  handled.push_back(code);
  return 1;
}
void RecordCommand(int id) { commands.push_back(id); }

class TestRequestTest : public ::testing::Test {
 protected:
  uint8_t record[kTestRecordSize];

  void SetUp() override {
    ResetScreenModel();
    ResetKeyboard();
    ResetKeyboardHooks();
    ResetIngress();
    InputMode = InputModeRecord{Record, 0, false, false};
    TestRequestEvents.sendCommand = RecordCommand;
    handled.clear();
    commands.clear();
    std::memset(record, 0xA5, sizeof record);
    // An 80 x 24 window at the top left; row r holds 'A' + r in every cell,
    // with the column's last digit in the cells of row 2.
    Screen.win.frameWidth = 80;
    Screen.win.frameHeight = 24;
    Screen.win.winRight = 79;
    Screen.win.winBottom = 23;
    for (int r = 0; r < kScreenRows; ++r)
      for (int c = 0; c < kScreenCols; ++c)
        Screen.cells[r * kScreenCols + c].glyph = static_cast<uint8_t>(r == 2 ? '0' + c % 10 : 'A' + r);
  }
  void TearDown() override {
    ResetScreenModel();
    ResetKeyboard();
    InputMode = InputModeRecord{DiscardHandler, 0, false, false};
  }

  bool Request(int32_t code, int32_t a = 0, int32_t b = 0, int32_t count = 0) {
    WriteRecordInt(record, kTestRequestOffset, code);
    WriteRecordInt(record, kTestValueAOffset, a);
    WriteRecordInt(record, kTestValueBOffset, b);
    WriteRecordInt(record, kTestCountOffset, count);
    return HandleTestRequest(record);
  }
  int32_t Field(int offset) const { return ReadRecordInt(record, offset); }
  std::string Data(int n) const { return std::string(reinterpret_cast<const char*>(record) + kTestDataOffset, n); }
};

TEST_F(TestRequestTest, GetTextAcceptsExactlyThePositionsInsideTheWindow) {
  struct Case {
    int32_t col, row, count;
    bool accepted;
  } cases[] = {
      {0, 0, 80, true},   {70, 2, 10, true},   {79, 23, 1, true},   {71, 2, 10, false},  // column + count past the width
      {0, 0, 0, false},   {0, 0, -3, false},   {-1, 0, 5, false},   {0, -1, 5, false},
      {0, 24, 1, false},  {INT_MAX, 0, 10, false}, {10, 0, INT_MAX, false}, {0, INT_MAX, 1, false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Request(kTestGetText, c.col, c.row, c.count));
    EXPECT_EQ(Field(kTestStatusOffset), c.accepted ? 0 : 1) << c.col << "," << c.row << "," << c.count;
  }
  ASSERT_TRUE(Request(kTestGetText, 70, 2, 10));
  EXPECT_EQ(Data(10), "0123456789");
}

TEST_F(TestRequestTest, GetTextReadsRelativeToTheCurrentWindow) {
  Screen.win.winLeft = 10;
  Screen.win.winTop = 5;
  Screen.win.frameWidth = 20;
  Screen.win.frameHeight = 4;
  Screen.cells[5 * kScreenCols + 10].glyph = '[';
  Screen.cells[5 * kScreenCols + 29].glyph = ']';
  ASSERT_TRUE(Request(kTestGetText, 0, 0, 20));
  EXPECT_EQ(Field(kTestStatusOffset), 0);
  EXPECT_EQ(Data(20), "[" + std::string(18, 'F') + "]");
  ASSERT_TRUE(Request(kTestGetText, 1, 0, 20));
  EXPECT_EQ(Field(kTestStatusOffset), 1);
  ASSERT_TRUE(Request(kTestGetText, 0, 4, 1));
  EXPECT_EQ(Field(kTestStatusOffset), 1);
}

TEST_F(TestRequestTest, AWindowStateThatReachesPastTheCellsNeverReadsOutsideThem) {
  // Whatever the window fields say, the 80 x 25 cells and the 100-byte data area bound the read.
  Screen.win.frameWidth = 250;
  Screen.win.frameHeight = 200;
  Screen.win.winTop = 20;
  Screen.win.winLeft = 60;
  const struct {
    int32_t col, row, count;
  } outside[] = {{0, 5, 1}, {0, 0, 21}, {15, 0, 10}, {0, 0, 150}};
  for (auto c : outside) {
    ASSERT_TRUE(Request(kTestGetText, c.col, c.row, c.count));
    EXPECT_EQ(Field(kTestStatusOffset), 1) << c.col << "," << c.row << "," << c.count;
  }
  ASSERT_TRUE(Request(kTestGetText, 0, 4, 20));
  EXPECT_EQ(Field(kTestStatusOffset), 0);
  EXPECT_EQ(Data(20), std::string(20, 'A' + 24));
}

TEST_F(TestRequestTest, TypedCharactersAreBoundByTheDataAreaAndPassTheRepeatFilter) {
  Screen.busy = 1;  // typed ahead: three Enters stay three
  std::memset(record + kTestDataOffset, '\r', 3);
  ASSERT_TRUE(Request(kTestTypeCharacters, 0, 0, 3));
  EXPECT_EQ(TypeAheadCount(), 3);
  Screen.busy = 0;
  for (int i = 0; i < kTestDataSize; ++i) record[kTestDataOffset + i] = static_cast<uint8_t>('a' + i % 26);
  ASSERT_TRUE(Request(kTestTypeCharacters, 0, 0, 5000));
  EXPECT_EQ(handled.size(), 100u) << "never past the data area";
  EXPECT_EQ(handled.back(), 'a' + 99 % 26);
  handled.clear();
  ASSERT_TRUE(Request(kTestTypeCharacters, 0, 0, -7));
  EXPECT_TRUE(handled.empty());
}

TEST_F(TestRequestTest, TypedCommandsAreSixteenBitIdentifiersAtMostFifty) {
  for (int i = 0; i < kTestMaxCommands; ++i) WriteRecordCommand(record, i, static_cast<uint16_t>(40000 + i));
  ASSERT_TRUE(Request(kTestTypeCommands, 0, 0, 2));
  EXPECT_EQ(commands, (std::vector<int>{40000, 40001}));
  commands.clear();
  ASSERT_TRUE(Request(kTestTypeCommands, 0, 0, 1000));
  ASSERT_EQ(commands.size(), 50u);
  EXPECT_EQ(commands.back(), 40049);
}

TEST_F(TestRequestTest, BusyCursorAndWindowAnswers) {
  struct Case {
    uint8_t busy;
    bool localMode;
    int32_t answer;
  } cases[] = {{0, false, 0}, {1, false, 1}, {1, true, 0}, {0, true, 0}};
  for (const Case& c : cases) {
    Screen.busy = c.busy;
    InputMode.localMode = c.localMode;
    ASSERT_TRUE(Request(kTestHostBusy, 7));
    EXPECT_EQ(Field(kTestValueAOffset), c.answer);
  }
  Screen.win.winLeft = 10;
  Screen.win.winTop = 3;
  Screen.win.cursorCol = 15;
  Screen.win.cursorRow = 7;
  Screen.win.frameWidth = 30;
  Screen.win.frameHeight = 12;
  ASSERT_TRUE(Request(kTestCursor));
  EXPECT_EQ(Field(kTestValueAOffset), 5);
  EXPECT_EQ(Field(kTestValueBOffset), 4);
  ASSERT_TRUE(Request(kTestWindowSize));
  EXPECT_EQ(Field(kTestValueAOffset), 30);
  EXPECT_EQ(Field(kTestValueBOffset), 12);
  EXPECT_TRUE(Request(kTestConnect));
}

TEST_F(TestRequestTest, UnknownRequestsAreRefused) {
  for (int32_t code : {0, 8, -1, 0x10000005}) EXPECT_FALSE(Request(code, 0, 0, 1)) << code;
  EXPECT_TRUE(handled.empty());
}

}  // namespace
