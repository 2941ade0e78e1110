// The Comments dialog through the real terminal (scripts/edit_comments.host):
// its OK writes the program's comment block as queued lines, and reads it
// back into its fields, an OK without changes queuing nothing.
#include "edit_host_session.h"

namespace {

class EditComments : public EditHostSession {};

TEST_F(EditComments, OkWritesTheBlockAsQueuedLines) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  PostMessageA(frame, WM_COMMAND, ID_EDIT_COMMENTS, 0);
  HWND comments = Dialog("Comments");
  ASSERT_NE(comments, nullptr);
  SetText(comments, IDC_COMMENTS_ROUTINE, "MYSUB");

  PressButton(comments, IDC_COMMENTS_EDIT_DESCRIPTION);
  HWND description = Dialog("Edit Description");
  ASSERT_NE(description, nullptr);
  SetText(description, IDC_TEXT_BODY, "Adds up the day's totals.");
  PressButton(description, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(description); }, 5000));

  // A variable without a name is refused; then one with a good name.
  PressButton(comments, IDC_COMMENTS_NEW);
  HWND name = Dialog("New variable");
  ASSERT_NE(name, nullptr);
  PressButton(name, IDOK);
  EXPECT_TRUE(AnswerMessageBox(terminal_.processId(), "Invalid variable name", IDOK, 10000));
  ASSERT_TRUE(IsWindow(name)) << "the name dialog stays for another try";
  SetText(name, IDC_NAME_TEXT, "X.IN");
  PressButton(name, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(name); }, 5000));
  HWND variables = GetDlgItem(comments, IDC_COMMENTS_VARIABLES);
  EXPECT_EQ(SendMessageA(variables, LB_GETCOUNT, 0, 0), 1);

  PressButton(comments, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(comments); }, 5000));
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press('S', true);
  ASSERT_TRUE(HostSays("SAVED")) << "the block's lines and the save";
  ASSERT_TRUE(WaitFor([&] { return SaveEnabled(frame); }, 10000));

  // The dialog again: the block read back into its fields; OK with nothing
  // changed rewrites the same lines, so nothing is queued or modified.
  PostMessageA(frame, WM_COMMAND, ID_EDIT_COMMENTS, 0);
  comments = Dialog("Comments");
  ASSERT_NE(comments, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(comments, IDC_COMMENTS_ROUTINE)), "MYSUB");
  EXPECT_EQ(WindowText(GetDlgItem(comments, IDC_COMMENTS_DESCRIPTION)), "Adds up the day's totals.");
  EXPECT_EQ(SendMessageA(GetDlgItem(comments, IDC_COMMENTS_VARIABLES), LB_GETCOUNT, 0, 0), 1);
  PressButton(comments, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(comments); }, 5000));
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_F12);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000)) << "saved and unchanged: Exit asks nothing";
  End();
}

}  // namespace
