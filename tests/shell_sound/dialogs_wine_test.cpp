// The About and disconnect-password dialogs built from the resource script
// linked into this test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/dialogs/about_dialog_win32.h"
#include "shell/dialogs/disconnect_dialog_win32.h"
#include "shell/dialogs/disconnect_password.h"

namespace {

std::string ItemText(HWND dialog, int id) {
  char text[512] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string WindowText(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

RECT ClientRectOf(HWND dialog, int id) {
  RECT rect;
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST(AboutDialog, ShowsTheProductVersionAndPlatform) {
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT),
                                   nullptr, AboutDialogProc, 0);
  ASSERT_NE(dialog, nullptr) << "CreateDialogParam error " << GetLastError();
  EXPECT_EQ(WindowText(dialog), "About Moxel");
  EXPECT_EQ(ItemText(dialog, IDC_ABOUT_PRODUCT), "Corvane Network and Serial Terminal Emulator");
  EXPECT_EQ(ItemText(dialog, IDC_ABOUT_VERSION), "Version 4.23");
  EXPECT_EQ(ItemText(dialog, IDC_ABOUT_PLATFORM), "Windows 32-bit");
  EXPECT_NE(GetDlgItem(dialog, IDOK), nullptr);
  DestroyWindow(dialog);
}

const char kShortWarning[] = "Do you want to continue despite this warning?";
const char kLongWarning[] =
    "You are currently logged-in to Corvane\nYou should logout of Corvane instead of\n"
    "disconnecting or closing Moxel. Failure to\nproperly logout may cause serious problems.\n"
    "   IF YOU CONTINUE, ALL OPEN EDIT\n   SESSIONS WITH MODIFICATIONS WILL\n       BE LOST\n"
    "Do you want to continue despite this warning?\n\nYou must enter the disconnect password\n"
    "if you wish to continue.";

struct DialogGeometry {
  int height;
  RECT text, password, yes, no;
  RECT client;
};

DialogGeometry Measure(const char* warning) {
  DisconnectPasswordRequest request{warning, nullptr, 0};
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr),
                                   MAKEINTRESOURCEA(IDD_DISCONNECT_PASSWORD), nullptr,
                                   DisconnectPasswordDialogProc,
                                   reinterpret_cast<LPARAM>(&request));
  DialogGeometry g = {};
  EXPECT_NE(dialog, nullptr) << "CreateDialogParam error " << GetLastError();
  if (!dialog) return g;
  EXPECT_EQ(WindowText(dialog), "Still Running Corvane");
  EXPECT_EQ(ItemText(dialog, IDC_DISCONNECT_TEXT), warning);
  RECT window;
  GetWindowRect(dialog, &window);
  g.height = window.bottom - window.top;
  g.text = ClientRectOf(dialog, IDC_DISCONNECT_TEXT);
  g.password = ClientRectOf(dialog, IDC_DISCONNECT_PASSWORD);
  g.yes = ClientRectOf(dialog, IDYES);
  g.no = ClientRectOf(dialog, IDNO);
  GetClientRect(dialog, &g.client);
  DestroyWindow(dialog);
  return g;
}

TEST(DisconnectPasswordDialog, GrowsWithTheWarningAndMovesTheControlsDown) {
  DialogGeometry small = Measure(kShortWarning);
  DialogGeometry large = Measure(kLongWarning);
  int grown = large.height - small.height;
  // Twelve lines need far more than the template's room for one or two.
  EXPECT_GT(grown, 80);
  EXPECT_EQ(large.text.bottom - large.text.top, small.text.bottom - small.text.top + grown);
  EXPECT_EQ(large.password.top, small.password.top + grown);
  EXPECT_EQ(large.yes.top, small.yes.top + grown);
  EXPECT_EQ(large.no.top, small.no.top + grown);
  // Everything stays inside the dialog, below the text.
  EXPECT_LE(large.yes.bottom, large.client.bottom);
  EXPECT_GE(large.password.top, large.text.bottom);
}

// Drives the modal dialog from a thread timer: first a wrong password, then
// (after the "Incorrect Password" box) the right one.
struct Driver {
  int step = 0;
  int ticks = 0;
  bool sawIncorrectBox = false;
  bool fieldClearedAfterIncorrect = false;
  bool dialogStayedOpen = false;
  bool gaveUp = false;
  HWND owner = nullptr;
  bool centredOnOwner = false;
};
Driver driver;

BOOL CALLBACK FindIncorrectText(HWND child, LPARAM found) {
  if (WindowText(child) == "The password you entered is incorrect.") {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindWindowA(nullptr, "Still Running Corvane");
  if (++driver.ticks > 250) {  // about 5 s: give up rather than hang
    driver.gaveUp = true;
    if (HWND box = FindWindowA(nullptr, "Incorrect Password")) PostMessageA(box, WM_CLOSE, 0, 0);
    if (dialog) PostMessageA(dialog, WM_COMMAND, IDNO, 0);
    return;
  }
  if (!dialog) return;
  switch (driver.step) {
    case 0: {
      RECT d, o;
      GetWindowRect(dialog, &d);
      GetWindowRect(driver.owner, &o);
      driver.centredOnOwner = std::abs((d.left + d.right) - (o.left + o.right)) <= 2 &&
                              std::abs((d.top + d.bottom) - (o.top + o.bottom)) <= 2;
      SetDlgItemTextA(dialog, IDC_DISCONNECT_PASSWORD, "secreT");
      PostMessageA(dialog, WM_COMMAND, IDYES, 0);
      driver.step = 1;
      break;
    }
    case 1:
      if (HWND box = FindWindowA(nullptr, "Incorrect Password")) {
        bool found = false;
        EnumChildWindows(box, FindIncorrectText, reinterpret_cast<LPARAM>(&found));
        driver.sawIncorrectBox = found;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        driver.step = 2;
      }
      break;
    case 2:
      if (FindWindowA(nullptr, "Incorrect Password")) break;  // still closing
      driver.dialogStayedOpen = IsWindow(dialog) != FALSE;
      driver.fieldClearedAfterIncorrect = ItemText(dialog, IDC_DISCONNECT_PASSWORD).empty();
      SetDlgItemTextA(dialog, IDC_DISCONNECT_PASSWORD, "secret");
      PostMessageA(dialog, WM_COMMAND, IDYES, 0);
      driver.step = 3;
      break;
  }
}

TEST(DisconnectPasswordDialog, WrongPasswordIsToldAndClearedThenTheRightOneAnswersYes) {
  std::vector<uint8_t> stored(6);
  tavix::TransformDisconnectPassword("secret", 6, stored.data());
  driver = Driver{};
  // The main window stands in as the owner, away from the screen's centre.
  driver.owner = CreateWindowExA(0, "STATIC", "Moxel", WS_OVERLAPPEDWINDOW, 40, 30, 500, 300,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(driver.owner, nullptr);
  UINT_PTR timer = SetTimer(nullptr, 0, 20, DriveDialog);
  ASSERT_NE(timer, 0u);
  bool answer = AskDisconnectPassword(GetModuleHandleA(nullptr), driver.owner, kShortWarning,
                                      stored.data(), static_cast<int>(stored.size()));
  KillTimer(nullptr, timer);
  DestroyWindow(driver.owner);
  ASSERT_FALSE(driver.gaveUp) << "stuck at step " << driver.step;
  EXPECT_TRUE(driver.sawIncorrectBox);
  EXPECT_TRUE(driver.dialogStayedOpen);
  EXPECT_TRUE(driver.fieldClearedAfterIncorrect);
  EXPECT_EQ(driver.step, 3);
  EXPECT_TRUE(driver.centredOnOwner);
  EXPECT_TRUE(answer);
}

void CALLBACK AnswerNo(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND dialog = FindWindowA(nullptr, "Still Running Corvane")) {
    SetDlgItemTextA(dialog, IDC_DISCONNECT_PASSWORD, "secret");  // even with the password
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  }
}

TEST(DisconnectPasswordDialog, ClosingTheDialogAnswersNo) {
  std::vector<uint8_t> stored(6);
  tavix::TransformDisconnectPassword("secret", 6, stored.data());
  UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerNo);
  ASSERT_NE(timer, 0u);
  bool answer = AskDisconnectPassword(GetModuleHandleA(nullptr), nullptr, kShortWarning,
                                      stored.data(), static_cast<int>(stored.size()));
  KillTimer(nullptr, timer);
  EXPECT_FALSE(answer);
}

}  // namespace
