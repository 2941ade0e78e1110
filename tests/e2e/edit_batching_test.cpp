// Batching of the edit window's line changes through the real terminal
// (scripts/edit_batching.host, scripts/edit_minute.host): 25 changes tell
// the terminal at once, fewer wait for the minute; the numeric pad's byte;
// the save with the host's own changes and counts right and wrong.
#include "edit_host_session.h"

namespace {

class EditBatching : public EditHostSession {};

TEST_F(EditBatching, TwentyFiveLinesOneNoticeThenPadByteAndTheHostsSave) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  for (int line = 1; line <= 24; ++line) {
    Press(VK_END);
    Press('X');
    Press(VK_DOWN);
  }
  Sleep(2000);
  EXPECT_NE(lib_.Text(1, 0, 8), "NOTIFIED") << "24 changes wait for the minute";
  Press(VK_END);
  Press('X');
  Press(VK_DOWN);
  ASSERT_TRUE(HostSays("NOTIFIED")) << "the 25th change tells the terminal at once";
  ASSERT_TRUE(HostSays("FETCHED", 10)) << "the host did not get the 25 lines in order";

  // Numeric pad 7 at the start of line 26 inserts the corner 0xDA; Ctrl+S.
  Press(VK_HOME);
  Press(VK_NUMPAD7);
  Press('S', true);
  ASSERT_TRUE(HostSays("SAVED", 20));
  ASSERT_TRUE(WaitFor([&] { return SaveEnabled(frame); }, 10000)) << "the right count ends the save";
  EXPECT_EQ(FindMessageBox(terminal_.processId(), "communication errors"), nullptr);

  // The host's r, i and d are in the editor's lines.
  Press('A', true);
  Press('C', true);
  std::string expected = "NEW ONE\r\n  INSERTED\r\n";
  for (int k = 2; k <= 25; ++k) expected += "A" + std::to_string(k) + "x\r\n";
  expected += "\xDA" "A26\r\nA27\r\nA28\r\nA29";
  std::string copied;
  WaitFor([&] { return (copied = ClipboardText()) == expected; }, 5000);
  EXPECT_EQ(copied, expected);

  // Line 3 changed, saved, and the host counts wrong: view-only, "ev", the box.
  Press(VK_HOME, true);
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_END);
  Press('Y');
  Press('S', true);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(terminal_.processId(), "communication errors")) != nullptr; },
                      30000));
  EXPECT_NE(DialogText(box).find("Your edit session has been set to View Only"), std::string::npos);
  PressButton(box, IDOK);
  EXPECT_FALSE(SaveEnabled(frame));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  End();
}

class EditMinute : public EditHostSession {};

TEST_F(EditMinute, OneChangedLineGoesWhenTheMinuteHasPassed) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  Press(VK_END);
  Press('M');
  const DWORD changed = GetTickCount();
  Press(VK_DOWN);  // the change is queued; the flush timer starts
  ASSERT_TRUE(HostSays("NOTIFIED", 0, 80000));
  const DWORD waited = GetTickCount() - changed;
  EXPECT_GE(waited, 59000u) << "told before the minute";
  EXPECT_LE(waited, 70000u) << "told long after the minute";
  ASSERT_TRUE(HostSays("FETCHED", 10));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  End();
}

}  // namespace
