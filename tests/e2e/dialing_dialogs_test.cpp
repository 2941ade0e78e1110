// The dialing dialogs of the real terminal, driven from outside as a user
// would: Dialing Configuration with its area codes, profiles and their
// messages and a test number; the Dial dialog's Dialing Directory adding an
// entry with a stored password. What they wrote is read back from the files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "message_boxes.h"
#include "resource_ids.h"
#include "root_cipher.h"
#include "terminal_process.h"

namespace {


std::string Profile(const std::string& file, const char* section, const char* key) {
  char value[256] = "";
  GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, file.c_str());
  return value;
}

struct Driver {
  DWORD pid;

  HWND Wait(const char* text) {
    HWND d = nullptr;
    WaitFor([&] { return (d = FindMessageBox(pid, text)); }, 10000);
    return d;
  }
  void Set(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  std::string Get(HWND dialog, int id) {
    char text[256] = "";
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // A message box with the text comes up; it is closed with OK.
  bool Acknowledge(const char* text) {
    HWND box = Wait(text);
    if (!box) return false;
    PressButton(box, IDOK);
    return Gone(box);
  }
  // A small text dialog (133, 134) answered with a text; it closes.
  bool Answer(const char* marker, int id, const char* text) {
    HWND d = Wait(marker);
    if (!d) return false;
    Set(d, id, text);
    PressButton(d, IDOK);
    return Gone(d);
  }
  // Closed: a dialog is hidden when it ends, before it is destroyed. (A
  // message box takes a moment: Wine plays its sound first.)
  bool Gone(HWND d) {
    return WaitFor([&] { return !IsWindow(d) || !IsWindowVisible(d); }, 10000);
  }
};

TEST(DialingDialogs, ConfigurationAndDirectoryWriteTheirFiles) {
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=6\r\nhost=127.0.0.1\r\n[Font]\r\nmode=0\r\n");
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  Driver d{t.processId()};
  const std::string ini = t.folder() + "\\Corvane\\corvane.ini";

  PostMessageA(main, WM_COMMAND, CMD_DIALING, 0);
  HWND cfg = d.Wait("Comm Port:");
  ASSERT_NE(cfg, nullptr);
  // The default profile cannot go.
  PressButton(cfg, IDC_CFG_DELETE);
  EXPECT_TRUE(d.Acknowledge("Default profile can not be deleted"));
  // Area codes: three digits, once each, the last one stays.
  PressButton(cfg, IDC_CFG_NEW_AREA);
  ASSERT_TRUE(d.Answer("Area code", IDC_NEW_AREA_CODE, "61"));
  EXPECT_TRUE(d.Acknowledge("Invalid areacode"));
  PressButton(cfg, IDC_CFG_NEW_AREA);
  ASSERT_TRUE(d.Answer("Area code", IDC_NEW_AREA_CODE, "612"));
  PressButton(cfg, IDC_CFG_NEW_AREA);
  ASSERT_TRUE(d.Answer("Area code", IDC_NEW_AREA_CODE, "612"));
  EXPECT_TRUE(d.Acknowledge("Duplicate area code"));
  PressButton(cfg, IDC_CFG_DELETE_AREA);
  EXPECT_TRUE(d.Acknowledge("Can not delete only area code."));
  PressButton(cfg, IDC_CFG_NEW_EXCHANGE);
  ASSERT_TRUE(d.Answer("Exchange", IDC_NEW_EXCHANGE, "55"));
  EXPECT_TRUE(d.Acknowledge("Invalid exchange"));
  // 612 is home; a number there dials seven digits after the access code.
  PressButton(cfg, IDC_CFG_SET_HOME);
  d.Set(cfg, IDC_CFG_ACCESS, "9");
  d.Set(cfg, IDC_CFG_DIAL_STRING, "ATDT");
  d.Set(cfg, IDC_CFG_TEST_NUMBER, "(612) 555-1234");
  PressButton(cfg, IDC_CFG_TEST);
  EXPECT_TRUE(WaitFor([&] { return d.Get(cfg, IDC_CFG_TEST_RESULT) == "ATDT95551234^M"; }, 5000))
      << d.Get(cfg, IDC_CFG_TEST_RESULT);
  // A second profile, checked for its name.
  PressButton(cfg, IDC_CFG_NEW);
  HWND named = d.Wait("Name");
  ASSERT_NE(named, nullptr);
  d.Set(named, IDC_NEW_PROFILE_NAME, "Default");
  PressButton(named, IDOK);
  EXPECT_TRUE(d.Acknowledge("Duplicate profile name"));
  d.Set(named, IDC_NEW_PROFILE_NAME, "");
  PressButton(named, IDOK);
  EXPECT_TRUE(d.Acknowledge("Invalid name"));
  d.Set(named, IDC_NEW_PROFILE_NAME, "Road");
  PressButton(named, IDOK);
  ASSERT_TRUE(d.Gone(named));
  PressButton(cfg, IDOK);
  ASSERT_TRUE(d.Gone(cfg));
  EXPECT_EQ(Profile(ini, "Dialing profiles", "0"), "Default");
  EXPECT_EQ(Profile(ini, "Dialing profiles", "1"), "Road");
  EXPECT_EQ(Profile(ini, "DProfile~0", "Access"), "9");
  EXPECT_EQ(Profile(ini, "DProfile~0", "HomeAreaCode"), "612");
  EXPECT_EQ(Profile(ini, "DArea~0", "612"), "");
  EXPECT_EQ(Profile(ini, "Config", "DialProfile"), "1") << "the profile shown on OK is the current one";

  // The Dial dialog's directory: an entry and its stored password.
  PostMessageA(main, WM_COMMAND, CMD_DIAL, 0);
  HWND dial = d.Wait("Search for:");
  ASSERT_NE(dial, nullptr);
  PressButton(dial, IDOK);
  EXPECT_TRUE(d.Acknowledge("No destination Selected"));
  PressButton(dial, IDC_DIAL_DIRECTORY);
  HWND dir = d.Wait("Phone:");
  ASSERT_NE(dir, nullptr);
  d.Set(dir, IDC_DIR_NAME, "Office");
  d.Set(dir, IDC_DIR_PHONE, "555-1234");
  PressButton(dir, IDC_DIR_ADD);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(GetDlgItem(dir, IDC_DIR_LIST), LB_GETCOUNT, 0, 0) == 1; }, 5000));
  SendMessageA(GetDlgItem(dir, IDC_DIR_LIST), LB_SETCURSEL, 0, 0);
  PressButton(dir, IDC_DIR_PASSWORD);
  HWND root = d.Wait("Password to store");
  ASSERT_NE(root, nullptr);
  d.Set(root, IDC_ROOT_PASSWORD, "s3cret");
  PressButton(root, IDOK);
  EXPECT_TRUE(d.Acknowledge("Invalid password")) << "no user password: no key, nothing stored";
  d.Set(root, IDC_ROOT_USER, "Tester");
  PressButton(root, IDOK);
  ASSERT_TRUE(d.Gone(root));
  PressButton(dir, IDOK);
  ASSERT_TRUE(d.Gone(dir));
  EXPECT_TRUE(WaitFor([&] { return SendMessageA(GetDlgItem(dial, IDC_DIAL_LIST), LB_GETCOUNT, 0, 0) == 1; }, 5000))
      << "the new entry is offered";
  PressButton(dial, IDCANCEL);
  ASSERT_TRUE(d.Gone(dial));

  const std::string ldl = t.folder() + "\\Corvane\\corvane.ldl";
  EXPECT_EQ(Profile(ldl, "Name", "1"), "Office");
  EXPECT_EQ(Profile(ldl, "Phone", "1"), "555-1234");
  EXPECT_EQ(Profile(ldl, "Config", "Used"), "1");
  std::string password;
  EXPECT_TRUE(DecipherRoot(Profile(ldl, "Root", "1"), "tester", &password));
  EXPECT_EQ(password, "s3cret");

  PostMessageA(main, WM_CLOSE, 1, 0);
  EXPECT_EQ(t.WaitForExit(), 0);
}

}  // namespace
