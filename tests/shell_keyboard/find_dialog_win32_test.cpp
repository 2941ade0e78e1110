// The modeless find dialog on a real (hidden-owner) window: its button
// reports become key 1094 with the texts and the request-flags byte, the
// histories fill the combo boxes newest first, and closing forgets it.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <cstring>
#include <string>
#include <vector>

#include "find_dialog_win32.h"
#include "input_mode.h"
#include "key_codes.h"
#include "key_dispatcher.h"
#include "screen_model.h"
#include "shell_state.h"

namespace {

std::vector<int32_t> handled;
int Record(int32_t code) {
  handled.push_back(code);
  return 1;
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Shell.msgFindReplace && message == Shell.msgFindReplace) return FindDialogMessage(lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

void Pump() {
  MSG msg;
  for (int round = 0; round < 5; ++round) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (Shell.findDialog && IsDialogMessageA(Shell.findDialog, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

std::string ComboItem(int id, int index) {
  char text[128] = {};
  SendDlgItemMessageA(Shell.findDialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}
int ComboCount(int id) { return static_cast<int>(SendDlgItemMessageA(Shell.findDialog, id, CB_GETCOUNT, 0, 0)); }

// Press a button as the user would: the system dialog reports it to the owner.
void Press(int id) {
  SendMessageA(Shell.findDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Shell.findDialog, id)));
  Pump();
}

class FindDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFindDialog();
    ResetKeyboard();
    ResetKeyboardHooks();
    ResetScreenModel();
    InputMode = InputModeRecord{Record, 11, true, true};
    handled.clear();
    Shell.instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = Shell.instance;
    wc.lpszClassName = "FindDialogTestOwner";
    RegisterClassA(&wc);
    owner_ = CreateWindowA("FindDialogTestOwner", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, Shell.instance, nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override {
    ResetFindDialog();
    DestroyWindow(owner_);
    InputMode = InputModeRecord{DiscardHandler, 0, false, false};
  }
  HWND owner_ = nullptr;
};

TEST_F(FindDialogTest, ButtonsBecomeKey1094WithTextsFlagsAndHistories) {
  ASSERT_TRUE(OpenFindDialog(owner_));
  HWND dialog = Shell.findDialog;
  ASSERT_NE(dialog, nullptr);
  // Opens with "Down" and the find buttons disabled for an empty text.
  EXPECT_EQ(IsDlgButtonChecked(dialog, rad2), static_cast<UINT>(BST_CHECKED));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));

  SetDlgItemTextA(dialog, edt1, "needle");
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(edt1, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, edt1)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  CheckDlgButton(dialog, chx2, BST_CHECKED);  // match case
  Press(IDOK);
  ASSERT_EQ(handled, std::vector<int32_t>{keycode::kFindRequest});
  EXPECT_STREQ(FindDialog.findText, "needle");
  EXPECT_EQ(FindDialog.requestFlags, 8 | 32);
  ASSERT_EQ(ComboCount(edt1), 1);
  EXPECT_EQ(ComboItem(edt1, 0), "needle");

  // Replace All, upwards, whole words: both texts remembered, newest first.
  SetDlgItemTextA(dialog, edt1, "pin");
  SetDlgItemTextA(dialog, edt2, "nail");
  CheckDlgButton(dialog, chx2, BST_UNCHECKED);
  CheckDlgButton(dialog, chx1, BST_CHECKED);
  CheckRadioButton(dialog, rad1, rad2, rad1);
  Press(psh2);
  ASSERT_EQ(handled.size(), 2u);
  EXPECT_STREQ(FindDialog.findText, "pin");
  EXPECT_STREQ(FindDialog.replaceText, "nail");
  EXPECT_EQ(FindDialog.requestFlags, 1 | 2 | 4 | 16 | 32);
  ASSERT_EQ(ComboCount(edt1), 2);
  EXPECT_EQ(ComboItem(edt1, 0), "pin");
  EXPECT_EQ(ComboItem(edt1, 1), "needle");
  EXPECT_EQ(ComboItem(edt2, 0), "nail");

  // A text used again moves to the top instead of appearing twice.
  SetDlgItemTextA(dialog, edt1, "needle");
  Press(psh1);
  EXPECT_EQ(FindDialog.requestFlags, 1 | 2 | 16);
  ASSERT_EQ(ComboCount(edt1), 2);
  EXPECT_EQ(ComboItem(edt1, 0), "needle");
  EXPECT_EQ(ComboItem(edt1, 1), "pin");
  char shown[32] = {};
  GetDlgItemTextA(dialog, edt1, shown, sizeof shown);
  EXPECT_STREQ(shown, "needle");
}

TEST_F(FindDialogTest, ReopenedDialogListsTheHistoryAndClosingForgetsIt) {
  FindDialog.findHistory.texts = {"newest", "older"};
  std::strcpy(FindDialog.findText, "newest");
  ASSERT_TRUE(OpenFindDialog(owner_));
  HWND dialog = Shell.findDialog;
  EXPECT_EQ(ComboCount(edt1), 2);
  EXPECT_EQ(ComboItem(edt1, 0), "newest");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  // Only one exists.
  EXPECT_TRUE(OpenFindDialog(owner_));
  EXPECT_EQ(Shell.findDialog, dialog);
  CloseFindDialog();
  EXPECT_EQ(Shell.findDialog, nullptr);
  Pump();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(handled.empty());
}

}  // namespace
