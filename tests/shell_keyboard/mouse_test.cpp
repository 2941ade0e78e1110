// The mouse machine on a fake clock: timer 7 runs out only when the test
// lets the time pass.
#include <string>
#include <vector>

#include "key_codes.h"
#include "keyboard_fixture.h"
#include "mouse_machine.h"
#include "selection_text.h"

namespace {

struct FakeClock {
  int now = 0;
  int deadline = -1;  // -1: timer 7 not running
  int copies = 0;
  int pastes = 0;
  bool copyWorks = true;
};
FakeClock clock7;

void StartTimer(int ms) { clock7.deadline = clock7.now + ms; }
void StopTimer() { clock7.deadline = -1; }
bool Copy() {
  ++clock7.copies;
  return clock7.copyWorks;
}
void Paste() { ++clock7.pastes; }

}  // namespace

class MouseTest : public KeyboardTest {
 protected:
  void SetUp() override {
    KeyboardTest::SetUp();
    ResetMouse();
    ResetMouseHooks();
    clock7 = FakeClock{};
    MouseEvents.startClickTimer = StartTimer;
    MouseEvents.stopClickTimer = StopTimer;
    MouseEvents.copySelection = Copy;
    MouseEvents.postPaste = Paste;
    MouseEvents.beep = CountBeep;
    Mouse.doubleClickMilliseconds = 500;
  }
  void TearDown() override {
    ResetMouse();
    ResetMouseHooks();
    KeyboardTest::TearDown();
  }
  static void Pass(int ms) {
    clock7.now += ms;
    if (clock7.deadline >= 0 && clock7.now >= clock7.deadline) {
      clock7.deadline = -1;
      MouseClickTimerExpired();
    }
  }
  static void Click(int button, int col, int row) {
    MouseButtonDown(button, col, row);
    Pass(50);
    MouseButtonUp(button);
  }
  static std::vector<int> Event() {
    int v[5];
    int n = LastMouseEventValues(v);
    return std::vector<int>(v, v + n);
  }
};

TEST_F(MouseTest, ASingleClickIsDecidedWhenTheDoubleClickTimeHasPassed) {
  InputMode.localMode = true;
  Click(kLeftButton, 12, 7);
  EXPECT_TRUE(handled().empty()) << "still waiting for a second click";
  Pass(449);
  EXPECT_TRUE(handled().empty());
  Pass(1);
  EXPECT_EQ(handled(), (std::vector<int32_t>{keycode::kMouseEvent}));
  EXPECT_EQ(Event(), (std::vector<int>{1, 12, 7}));
}

TEST_F(MouseTest, WithoutALocalModeAClickSendsNoEvent) {
  Click(kLeftButton, 1, 1);
  Pass(1000);
  Click(kRightButton, 1, 1);
  Pass(1000);
  EXPECT_TRUE(handled().empty());
  EXPECT_EQ(Event(), (std::vector<int>{3, 1, 1})) << "the event is still remembered";
}

TEST_F(MouseTest, MiddleAndRightButtonsSendTheirConfiguredKeyWithOrWithoutALocalMode) {
  struct Case {
    int action;
    bool localMode;
    std::vector<int32_t> codes;
  } cases[] = {
      {kMouseActionF12, false, {1015}},   {kMouseActionReturn, false, {13}},
      {kMouseActionDisable, false, {-1}}, {kMouseActionEscape, false, {27}},
      {kMouseActionEvent, false, {}},     {kMouseActionEvent, true, {keycode::kMouseEvent}},
      {kMouseActionReturn, true, {13}},
  };
  for (const Case& c : cases) {
    for (int button : {kMiddleButton, kRightButton}) {
      handled().clear();
      Mouse.middleAction = Mouse.secondaryAction = c.action;
      InputMode.localMode = c.localMode;
      Click(button, 3, 4);
      Pass(500);
      EXPECT_EQ(handled(), c.codes) << "action " << c.action << " button " << button;
    }
  }
}

TEST_F(MouseTest, ADoubleClickIsOneEventOfKindFourToSix) {
  InputMode.localMode = true;
  for (int button : {kLeftButton, kMiddleButton, kRightButton}) {
    handled().clear();
    Click(button, 20, 5);
    Pass(100);
    MouseDoubleClick(button, 20, 5);
    Pass(50);
    MouseButtonUp(button);
    Pass(2000);
    EXPECT_EQ(handled(), (std::vector<int32_t>{keycode::kMouseEvent})) << button;
    EXPECT_EQ(Event(), (std::vector<int>{button + 3, 20, 5}));
  }
}

TEST_F(MouseTest, ADoubleClickWithCopyPastePastes) {
  Mouse.secondaryAction = kMouseActionCopyPaste;
  Click(kRightButton, 2, 2);
  MouseDoubleClick(kRightButton, 2, 2);
  MouseButtonUp(kRightButton);
  Pass(2000);
  EXPECT_EQ(clock7.pastes, 1);
  EXPECT_EQ(clock7.copies, 0);
  EXPECT_TRUE(handled().empty());
  EXPECT_FALSE(Mouse.selectionShown);
}

TEST_F(MouseTest, ALeftDragIsAnEventOfKindSevenWithBothCorners) {
  InputMode.localMode = true;
  MouseButtonDown(kLeftButton, 10, 8);
  MouseMoved(10, 8);
  EXPECT_FALSE(Mouse.selectionShown) << "no move yet";
  MouseMoved(4, 3);
  EXPECT_TRUE(Mouse.selectionShown);
  Pass(800);  // held past the double-click time
  EXPECT_TRUE(handled().empty());
  MouseButtonUp(kLeftButton);
  EXPECT_EQ(handled(), (std::vector<int32_t>{keycode::kMouseEvent}));
  EXPECT_EQ(Event(), (std::vector<int>{7, 4, 3, 10, 8}));
  EXPECT_FALSE(Mouse.selectionShown);
  const CellRect r = SelectionRect();
  EXPECT_EQ(r.left, 4);
  EXPECT_EQ(r.top, 3);
  EXPECT_EQ(r.right, 10);
  EXPECT_EQ(r.bottom, 8);
}

TEST_F(MouseTest, ACopyPasteDragCopiesTheSelectionInsteadOfAnEvent) {
  InputMode.localMode = true;
  Mouse.middleAction = kMouseActionCopyPaste;
  MouseButtonDown(kMiddleButton, 1, 1);
  EXPECT_TRUE(Mouse.selectionShown) << "shown at once";
  MouseMoved(6, 2);
  MouseButtonUp(kMiddleButton);
  Pass(500);
  EXPECT_EQ(clock7.copies, 1);
  EXPECT_TRUE(handled().empty());
  EXPECT_FALSE(Mouse.selectionShown);
  clock7.copyWorks = false;
  Click(kMiddleButton, 1, 1);
  Pass(500);
  EXPECT_EQ(beeps(), 1) << "a failed copy beeps";
}

TEST_F(MouseTest, SimpleSelectionModeSelectsWithTheLeftButtonOnly) {
  InputMode.localMode = true;
  ToggleSimpleSelection();
  MouseButtonDown(kRightButton, 5, 5);
  EXPECT_EQ(Mouse.button, kNoButton) << "middle and right are ignored";
  MouseButtonDown(kLeftButton, 5, 5);
  EXPECT_TRUE(Mouse.selectionShown);
  MouseMoved(9, 6);
  MouseButtonUp(kLeftButton);
  Pass(500);
  EXPECT_TRUE(handled().empty()) << "no event in simple selection mode";
  EXPECT_TRUE(Mouse.selectionShown) << "the selection stays for Copy";
  ToggleSimpleSelection();
  EXPECT_FALSE(Mouse.selectionShown);
}

TEST_F(MouseTest, TheWheelSendsUpAndDownOncePerMessage) {
  MouseWheel(120);
  MouseWheel(-240);
  Mouse.wheel = false;
  MouseWheel(120);
  EXPECT_EQ(handled(), (std::vector<int32_t>{keycode::kUp, keycode::kDown}));
}

TEST(MouseCells, PointsBecomeCellsInsideTheGridOnly) {
  struct Case {
    int x, y;
    bool inside;
    int col, row;
  } cases[] = {{5, 3, true, 0, 0},        {14, 23, true, 1, 1},     {10 * 80 + 4, 3, false, 0, 0},
               {10 * 80 + 3, 3, true, 79, 0}, {4, 20 * 25 + 3, false, 0, 0}, {4, 2, false, 0, 0}, {3, 3, false, 0, 0}};
  for (const Case& c : cases) {
    int col = -1, row = -1;
    EXPECT_EQ(CellFromPoint(c.x, c.y, 4, 3, 10, 20, &col, &row), c.inside) << c.x << "," << c.y;
    if (c.inside) {
      EXPECT_EQ(col, c.col);
      EXPECT_EQ(row, c.row);
    }
  }
}

TEST_F(MouseTest, TheCopiedTextIsTheRectangleRowByRow) {
  for (int r = 0; r < kScreenRows; ++r)
    for (int c = 0; c < kScreenCols; ++c) Screen.cells[r * kScreenCols + c].glyph = static_cast<uint8_t>('a' + (r + c) % 26);
  EXPECT_EQ(SelectionText(CellRect{2, 1, 4, 2}), "def\r\nefg\r\n");
  EXPECT_EQ(SelectionText(CellRect{79, 24, 79, 24}).size(), 3u);
  EXPECT_EQ(SelectionText(CellRect{0, 0, 200, 0}).size(), 82u) << "bounded by the grid";
}

TEST(EditClipboard, RecordAndTextLayout) {
  const std::vector<uint8_t> record = EncodeEditRecord(0x01020304, {1, 0, 2});
  EXPECT_EQ(record, (std::vector<uint8_t>{4, 3, 2, 1, 3, 0, 0, 0, 1, 0, 2}));
  const std::string text = EditClipboardText({"ab", "abcdef", ""}, 4);
  EXPECT_EQ(text, std::string("ab  \r\nabcd\r\n    \r\n") + '\0');
  EXPECT_EQ(text.size(), (4u + 2u) * 3u + 1u);
  EditRecord read;
  ASSERT_TRUE(DecodeEditRecord(record.data(), record.size(), text.size(), &read));
  EXPECT_EQ(read.firstWord, 0x01020304u);
  EXPECT_EQ(read.lineCount, 3);
  EXPECT_EQ(read.flags[2], 2);
}

TEST(EditClipboard, ARecordThatClaimsMoreLinesThanItHoldsIsRefused) {
  EditRecord read;
  std::vector<uint8_t> record = EncodeEditRecord(7, {0, 0});
  EXPECT_FALSE(DecodeEditRecord(record.data(), 7, 100, &read)) << "shorter than its header";
  record[4] = 3;  // three lines, two flag bytes
  EXPECT_FALSE(DecodeEditRecord(record.data(), record.size(), 100, &read));
  record[4] = 0xFF;
  record[7] = 0xFF;  // a negative count
  EXPECT_FALSE(DecodeEditRecord(record.data(), record.size(), 100, &read));
  record = EncodeEditRecord(7, {0, 0});
  EXPECT_FALSE(DecodeEditRecord(record.data(), record.size(), 4, &read)) << "the text holds only one line";
  EXPECT_TRUE(DecodeEditRecord(record.data(), record.size(), 5, &read));
}
