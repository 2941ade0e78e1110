#include "engine_fixture.h"
#include "block_store.h"
#include "param_collector.h"

namespace {

class Resets : public EngineTest {};

TEST_F(Resets, ScreenInitialisationClearsWorkAreaAndStatusRow) {
  SetWindow(5, 5, 20, 10);
  Feed("\x0e" "text" + kEsc + "^Istatus\n");
  Feed(kEsc + "WI\n");
  const WindowState& w = Screen.win;
  EXPECT_EQ(w.winLeft, 0);
  EXPECT_EQ(w.winRight, 79);
  EXPECT_EQ(w.winTop, 0);
  EXPECT_EQ(w.winBottom, 23);
  EXPECT_EQ(w.cursorCol, 0);
  EXPECT_EQ(w.cursorRow, 0);
  EXPECT_EQ(w.pendingLevel, -1);
  EXPECT_EQ(Row(5), std::string(80, ' '));
  EXPECT_EQ(Classes(5, 0, 80), std::string(80, 'a'));
  EXPECT_EQ(Row(24), std::string(80, ' '));
  EXPECT_EQ(Classes(24, 0, 80), std::string(80, 'h'));
  EXPECT_EQ(w.curAttrClass, 0);
  EXPECT_TRUE(HasEvent("close-all-windows"));
  EXPECT_TRUE(HasEvent("reset-indicators"));
}

TEST_F(Resets, EmulationResetDropsACutOffSequence) {
  Feed(kEsc + "~w" + kEsc + "^H\n" + kEsc + "WO" + V(1) + V(2));  // cut off mid-parameters
  shell.events.clear();
  ResetConnectionState();
  EXPECT_EQ(Parser.ParseState, GroundState);
  EXPECT_TRUE(Screen.AutoWrap);
  EXPECT_FALSE(Screen.busy);
  for (const char* e : {"abandon-transfers", "reset-input", "free-line-store", "discard-named", "stop-timer 0",
                        "stop-timer 1", "stop-timer 2", "stop-timer 3", "spinner off"})
    EXPECT_TRUE(HasEvent(e)) << e;
  Feed("xyz");
  EXPECT_EQ(Row(0, 0, 3), "xyz") << "the next connection's bytes are plain data";
  EXPECT_FALSE(HasEvent("open-window 1 2 0 0 0 0 "));
}

TEST_F(Resets, ResetDuringTheHandshakeClearsItsFlag) {
  Feed(kEsc + "\bA\b");
  EXPECT_TRUE(Parser.handshake);
  EmulationReset();
  EXPECT_FALSE(Parser.handshake);
}

}  // namespace

namespace {

TEST_F(Resets, ScreenInitialisationDropsABaseLevelViewport) {
  Feed(kEsc + "WV" + V(0) + V(9) + V(40) + V(0) + V(3) + "\n");
  ASSERT_NE(Screen.win.vpBuffer, 0u);
  ResetConnectionState();
  EXPECT_EQ(Screen.win.vpBuffer, 0u);
  EXPECT_EQ(LiveBlockCount(), 0u);
  Feed("next session");
  EXPECT_EQ(Row(0, 0, 12), "next session");
}

}  // namespace

namespace {

TEST_F(Resets, LeavingMenuSelectionClearsTheFlagAndTheItem) {
  Screen.menuSelection = 1;
  Screen.win.CurrentChoice = 3;
  shell.invalidated.clear();
  LeaveMenuSelection();
  EXPECT_EQ(Screen.menuSelection, 0);
  EXPECT_EQ(Screen.win.CurrentChoice, 0);
  EXPECT_FALSE(shell.invalidated.empty()) << "the frame is repainted";
  shell.invalidated.clear();
  LeaveMenuSelection();
  EXPECT_TRUE(shell.invalidated.empty()) << "nothing when not in menu selection";
}

}  // namespace
