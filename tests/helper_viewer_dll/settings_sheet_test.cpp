// The settings sheet "Attachement Viewer Settings" opened from the list
// window's system menu, worked from another thread as a user would, and
// the values it writes through HelperToMoxel when confirmed.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "viewer_harness.h"
#include "viewer_ids.h"

namespace {

struct SheetSearch {
  HWND found;
};

BOOL CALLBACK MatchSheet(HWND w, LPARAM p) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char text[128] = "";
  GetWindowTextA(w, text, sizeof text);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || std::string(text) != "Attachement Viewer Settings")
    return TRUE;
  reinterpret_cast<SheetSearch*>(p)->found = w;
  return FALSE;
}

// What the user does on the sheet, and what the pages showed meanwhile.
struct SheetSession {
  std::vector<std::string> tabs;
  int heightPosition = -1;
  bool heightEnabled = true;
  bool restoredLaunch = false;
  bool restoredTopmost = true;
  bool confirmed = false;
};

void Click(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
bool Checked(HWND page, int id) { return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

DWORD WINAPI WorkTheSheet(void* data) {
  auto* s = static_cast<SheetSession*>(data);
  SheetSearch search{nullptr};
  for (int i = 0; i < 1000 && !search.found; ++i) {
    EnumWindows(MatchSheet, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(10);
  }
  HWND sheet = search.found;
  if (!sheet) return 0;
  HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    s->tabs.push_back(text);
  }
  // General: "Restore Defaults".
  HWND general = CurrentPage(sheet);
  Click(general, IDC_GEN_RESTORE);
  s->restoredLaunch = Checked(general, IDC_GEN_LAUNCH);
  s->restoredTopmost = Checked(general, IDC_GEN_TOPMOST);
  // Browser: list view, the size column, the aspect kept with the width
  // slider at 50 (85 pixels): the height follows.
  SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
  HWND browser = CurrentPage(sheet);
  Click(browser, IDC_BR_LIST_VIEW);
  Click(browser, IDC_BR_SIZE_COLUMN);
  if (!Checked(browser, IDC_BR_ASPECT)) Click(browser, IDC_BR_ASPECT);
  HWND width = GetDlgItem(browser, IDC_BR_WIDTH);
  SendMessageA(width, TBM_SETPOS, TRUE, 50);
  SendMessageA(browser, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 50), reinterpret_cast<LPARAM>(width));
  s->heightPosition = static_cast<int>(SendDlgItemMessageA(browser, IDC_BR_HEIGHT, TBM_GETPOS, 0, 0));
  s->heightEnabled = IsWindowEnabled(GetDlgItem(browser, IDC_BR_HEIGHT)) != 0;
  // Viewer: "Restore Defaults" (fit page, background -1).
  SendMessageA(sheet, PSM_SETCURSEL, 2, 0);
  Click(CurrentPage(sheet), IDC_VW_RESTORE);
  s->confirmed = true;
  SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  return 0;
}

TEST(SettingsSheet, PagesMapToTheSettingsAndOnlyChangesAreWritten) {
  ViewerHarness h;
  ASSERT_TRUE(h.Load());
  h.settings.stored = {{"AutoLaunch", 0}, {"Topmost", 1}, {"UseDefaultViewer", 1}, {"ThumbView", 1},
                       {"MainFitMode", 0}, {"MainBackground", 0x123456}, {"ThumbWidth", 115}, {"ThumbHeight", 149}};
  h.helper->CloseList();
  ASSERT_EQ(h.helper->ClearList(), 1);
  h.helper->AddItem("Z:\\nowhere\\a.png\xfe" "a");
  h.helper->ShowList();
  h.Pump(50);
  h.settings.slots.clear();
  SheetSession session;
  HANDLE worker = CreateThread(nullptr, 0, WorkTheSheet, &session, 0, nullptr);
  SendMessageA(h.ViewerWindow(), WM_SYSCOMMAND, ID_VIEWER_SETTINGS, 0);  // returns when the sheet closes
  WaitForSingleObject(worker, 20000);
  CloseHandle(worker);
  h.Pump(50);

  ASSERT_TRUE(session.confirmed) << "no sheet";
  EXPECT_EQ(session.tabs, (std::vector<std::string>{"General Settings", "Browser settings", "Viewer Settings"}));
  EXPECT_TRUE(session.restoredLaunch);
  EXPECT_FALSE(session.restoredTopmost);
  EXPECT_EQ(session.heightPosition, 50) << "(85 * 22 + 8) / 17 = 110 pixels";
  EXPECT_FALSE(session.heightEnabled) << "the aspect decides the height";

  auto& v = h.settings.stored;
  EXPECT_EQ(v["AutoLaunch"], 1);
  EXPECT_EQ(v["Topmost"], 0);
  EXPECT_EQ(v["UseDefaultViewer"], 0);
  EXPECT_EQ(v["ThumbView"], 0);
  EXPECT_EQ(v["SizeColEnabled"], 1);
  EXPECT_EQ(v["ThumbWidth"], 85);
  EXPECT_EQ(v["ThumbHeight"], 110);
  EXPECT_EQ(v["MainFitMode"], 1);
  EXPECT_EQ(v["MainBackground"], -1);
  // Unchanged values are not written.
  for (int unchanged : {13, 15, 17, 21, 35}) {
    EXPECT_EQ(std::count(h.settings.slots.begin(), h.settings.slots.end(), unchanged), 0) << unchanged;
  }
  // Applied at once: the list view shows, the window left the topmost band.
  EXPECT_TRUE(IsWindowVisible(h.Rows()));
  EXPECT_FALSE(GetWindowLongA(h.ViewerWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  h.helper->CloseList();
}

}  // namespace
