// The registry of edit windows through the MoxelToEdit operations, opening a
// window, and the placement and preferences a new window reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_fakes.h"
#include "edit_preferences.h"
#include "helper_state.h"
#include "moxel_to_edit.h"

namespace {

class MoxelToEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHelperState();
    FrameLog.clear();
    NextFrameFails = false;
  }
  void TearDown() override { ResetHelperState(); }

  int Open(int session, const char* suffix = "", int readOnly = 0) {
    int index = -99;
    MoxelToEdit* m = OpenEditWindow(MakeFakeFrame, &callbacks, &index, "BP PROG", session, readOnly, suffix);
    EXPECT_EQ(m, &TheMoxelToEdit);
    return index;
  }
  EditSession& At(int index) { return Helper.AllEdits.At(index)->Session(); }

  RecordingEditToMoxel callbacks;
  MoxelToEdit& edit = TheMoxelToEdit;
};

TEST_F(MoxelToEditTest, IndexesReuseTheFirstEmptySlot) {
  EXPECT_EQ(Open(5), 0);
  EXPECT_EQ(Open(6), 1);
  EXPECT_EQ(edit.CloseSession(5), 1) << "a window remains";
  EXPECT_EQ(Open(7), 0);
  EXPECT_EQ(Open(8), 2);
  EXPECT_EQ(Helper.AllEdits.SlotCount(), 3);
  EXPECT_EQ(edit.CloseIndex(1), 1);
  EXPECT_EQ(edit.CloseIndex(0), 1);
  EXPECT_EQ(edit.CloseIndex(2), 0) << "none remains";
  EXPECT_EQ(edit.CloseIndex(2), 0) << "nothing there and none remains";
  EXPECT_EQ(Helper.AllEdits.SlotCount(), 3) << "the array never shrinks";
}

TEST_F(MoxelToEditTest, UnknownSessionsAndIndexesGiveNeutralResults) {
  Open(5);
  const char* text = "untouched";
  int length = -1;
  EXPECT_EQ(edit.CloseSession(99), 1);
  EXPECT_EQ(edit.GetNextMessage(99, &text, &length), 0);
  EXPECT_STREQ(text, "untouched");
  edit.AddLoadedLine(3, "x", 1);
  edit.AddLoadedLine(-1, "x", 1);
  edit.EndOfLoad(3);
  edit.AcknowledgeSend(99);
  edit.CancelContinuation(99);
  edit.HostReply(99, "1s0");
  EXPECT_EQ(At(0).Lines().Count(), 0);
  EXPECT_EQ(FrameLog, std::vector<std::string>{});
}

TEST_F(MoxelToEditTest, SessionOperationsReachTheLowerIndexOfDuplicates) {
  Open(4);
  Open(4);
  At(0).Queue().Append(kOpCompile, 0, 0);
  At(1).Queue().Append(kOpEndSession, kEndSaveClose, 0);
  const char* text = nullptr;
  int length = 0;
  ASSERT_EQ(edit.GetNextMessage(4, &text, &length), 1);
  EXPECT_EQ(std::string(text, static_cast<size_t>(length)), "C\r");
  EXPECT_EQ(length, 2);
  EXPECT_EQ(edit.CloseSession(4), 1);
  EXPECT_EQ(FrameLog, std::vector<std::string>{"destroy 4"});
  ASSERT_EQ(edit.GetNextMessage(4, &text, &length), 1);
  EXPECT_EQ(std::string(text), "es\r");
  EXPECT_EQ(length, 3);
}

// A view-only window that asks to be closed is the one closed, even when a
// window of the same session comes before it.
TEST_F(MoxelToEditTest, CloseSessionClosesTheWindowThatAsked) {
  Open(4);
  Open(4);
  At(1).SetViewOnly();
  At(1).Exit();
  EXPECT_EQ(callbacks.closeRequests, std::vector<int>{4});
  EXPECT_EQ(edit.CloseSession(4), 1);
  EXPECT_EQ(Helper.AllEdits.At(1), nullptr);
  ASSERT_NE(Helper.AllEdits.At(0), nullptr);
}

TEST_F(MoxelToEditTest, PendingSessionIsTheFirstWithWork) {
  Open(3);
  Open(9);
  Open(2);
  EXPECT_EQ(edit.GetPendingSession(), 0);
  At(2).Queue().Append(kOpCompile, 0, 0);
  EXPECT_EQ(edit.GetPendingSession(), 2);
  At(1).Queue().Append(kOpCompile, 0, 0);
  EXPECT_EQ(edit.GetPendingSession(), 9);
}

TEST_F(MoxelToEditTest, BusyCountsEveryKindOfUnsentWork) {
  struct Case {
    const char* name;
    void (*make)(EditSession&);
  };
  const Case cases[] = {
      {"queued operation", [](EditSession& s) { s.Queue().Append(kOpCompile, 0, 0); }},
      {"line change still pending", [](EditSession& s) { s.TypeCharacter('x'); }},
      {"save awaiting its result",
       [](EditSession& s) {
         s.Save();
         s.Queue().Clear();
       }},
      {"modified, changes already sent",
       [](EditSession& s) {
         s.TypeCharacter('x');
         s.FlushLineChange();
         s.Queue().Clear();
       }},
  };
  for (const Case& c : cases) {
    ResetHelperState();
    Open(1);
    At(0).Lines().Insert(0, "text");
    EXPECT_EQ(edit.AnyBusy(), 0) << c.name;
    c.make(At(0));
    EXPECT_EQ(edit.AnyBusy(), 1) << c.name;
    edit.CloseIdle();
    EXPECT_NE(Helper.AllEdits.At(0), nullptr) << c.name << ": a busy window survives CloseIdle";
    edit.SetAllViewOnly();
    EXPECT_EQ(edit.AnyBusy(), 0) << c.name;
    EXPECT_TRUE(At(0).ViewOnly());
  }
}

TEST_F(MoxelToEditTest, CloseIdleAndCloseAll) {
  Open(1);
  Open(2);
  Open(3);
  At(1).Queue().Append(kOpCompile, 0, 0);
  edit.CloseIdle();
  EXPECT_EQ(FrameLog, (std::vector<std::string>{"destroy 1", "destroy 3"}));
  edit.CloseAll();
  EXPECT_FALSE(Helper.AllEdits.AnyRegistered());
}

TEST_F(MoxelToEditTest, FailedWindowLeavesTheIndexAlone) {
  NextFrameFails = true;
  int index = 17;
  EXPECT_EQ(OpenEditWindow(MakeFakeFrame, &callbacks, &index, "T", 1, 0, ""), nullptr);
  EXPECT_EQ(index, 17);
  EXPECT_FALSE(Helper.AllEdits.AnyRegistered());
  EXPECT_EQ(OpenEditWindow(nullptr, &callbacks, &index, "T", 1, 0, ""), nullptr);
  EXPECT_EQ(Helper.editCallbacks, &callbacks) << "the callbacks are stored first";
}

TEST_F(MoxelToEditTest, OpeningKeepsWhatTheTerminalGave) {
  int index = -1;
  OpenEditWindow(MakeFakeFrame, &callbacks, &index, nullptr, 12, 1, nullptr);
  EXPECT_EQ(At(index).title, "");
  EXPECT_EQ(At(index).suffix, "");
  EXPECT_EQ(At(index).session, 12);
  EXPECT_TRUE(At(index).readOnly);
  EXPECT_EQ(At(index).index, index);
  EXPECT_TRUE(At(index).InsertMode());
  EXPECT_EQ(At(index).CaretLine(), 0);
  EXPECT_EQ(At(index).CaretColumn(), 0);
}

TEST_F(MoxelToEditTest, PreferencesAreReadInTheirOrder) {
  Open(1, "BP");
  const std::vector<std::string> expected = {
      "GetWindowPlacement(BP)", "GetDesktopRect", "GetFont(32,BP)", "GetFindOptions(BP)", "GetToolbar(BP)",
      "GetStatusbar(BP)", "GetAutoIndent(BP)", "GetColumnWarning(BP)", "GetSaveOnExit(BP)", "GetColors(7,BP)",
      "GetFunctionWidth(BP)", "GetDialogPlacement(0,BP)", "GetDialogPlacement(1,BP)",
      "GetDialogPlacement(2,BP)", "GetCustomColors(BP)", "GetSortLabels(BP)", "GetAutoLabels(BP)",
      "GetNumPadScreenDraw(BP)", "GetCheckSyntax(BP)"};
  EXPECT_EQ(callbacks.calls, expected);
  EXPECT_EQ(Helper.customColors[15], 15u) << "the shared table";
}

TEST_F(MoxelToEditTest, PreferencesAreWrittenInTheSameOrder) {
  EditPreferences p;
  COLORREF custom[16] = {};
  WritePreferences(callbacks, "BP", p, custom);
  const std::vector<std::string> expected = {
      "SetWindowPlacement(-1,-1,400,400,BP)", "SetFont(Courier New,BP)", "SetFindOptions(BP)",
      "SetToolbar(1,BP)", "SetStatusbar(1,BP)", "SetAutoIndent(1,BP)", "SetColumnWarning(1,BP)",
      "SetSaveOnExit(2,BP)", "SetColors(7,BP)", "SetFunctionWidth(BP)", "SetDialogPlacement(0,BP)",
      "SetDialogPlacement(1,BP)", "SetDialogPlacement(2,BP)", "SetCustomColors(BP)", "SetSortLabels(0,BP)",
      "SetAutoLabels(0,BP)", "SetNumPadScreenDraw(1,BP)", "SetCheckSyntax(1,BP)"};
  EXPECT_EQ(callbacks.calls, expected);
}

TEST(EditPlacement, StoredPlacementOnTheDesktop) {
  struct Case {
    int x, y, w, h;
    EditRect desktop;
    EditRect expected;
  };
  const Case cases[] = {
      {-1, -1, 400, 400, {0, 0, 1024, 768}, {312, 184, 712, 584}},      // defaults: centred
      {1500, 10, 400, 300, {0, 0, 1600, 1200}, {600, 10, 1000, 310}},   // off the right edge: centred
      {5, 5, 5000, 300, {0, 0, 1600, 1200}, {0, 5, 1600, 305}},         // too wide: cut, then centred
      {100, 900, 400, 400, {0, 0, 1600, 1200}, {100, 400, 500, 800}},   // off the bottom
      {0, 0, 0, -5, {0, 0, 1024, 768}, {0, 0, 400, 400}},               // bad sizes: default
      {-300, 20, 200, 100, {-1280, 0, 1024, 768}, {-300, 20, -100, 120}},  // a left monitor
      {-2000, -1, 200, 100, {-1280, 0, 1024, 768}, {-228, 334, -28, 434}},
      {2147483000, 0, 400, 400, {0, 0, 1024, 768}, {312, 0, 712, 400}},  // no overflow
  };
  for (const Case& c : cases) {
    const EditRect r = PlaceEditWindow(c.x, c.y, c.w, c.h, c.desktop);
    EXPECT_EQ(r.left, c.expected.left) << c.x << "," << c.y;
    EXPECT_EQ(r.top, c.expected.top) << c.x << "," << c.y;
    EXPECT_EQ(r.right, c.expected.right) << c.x << "," << c.y;
    EXPECT_EQ(r.bottom, c.expected.bottom) << c.x << "," << c.y;
  }
}

}  // namespace
