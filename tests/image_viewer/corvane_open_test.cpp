// The open-file dialog with preview, in process: a helper thread works the
// dialog as a user would (selects files in the list, reads the panel,
// presses OK or Cancel) while the dialog runs on the test's thread.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "corvane_open_win32.h"
#include "helper_image_ids.h"
#include "image_control_win32.h"
#include "image_fixtures.h"

namespace {

struct Search {
  const char* className;
  int id;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  char name[64] = "";
  GetClassNameA(w, name, sizeof name);
  if ((!s->className || std::strcmp(name, s->className) == 0) && (s->id < 0 || GetDlgCtrlID(w) == s->id)) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

HWND FindDescendant(HWND top, const char* className, int id) {
  Search search = {className, id, nullptr};
  EnumChildWindows(top, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitFor(const std::function<bool()>& done, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 20) {
    if (done()) return true;
    Sleep(20);
  }
  return done();
}

// What the helper thread saw of the panel after each selection.
struct PanelSeen {
  bool found = false;
  bool pageBoxShown = false;
  int low = 0, high = 0;
  bool rotateEnabled = false;
  bool annotationsShown = false;
  bool zoomBarsHidden = false;
  std::string placeholder;
};

// Selects `name` in the dialog's file list; true when it was there.
bool SelectInList(HWND dialog, const char* name) {
  HWND list = nullptr;
  WaitFor([&] { return (list = FindDescendant(dialog, "SysListView32", -1)) != nullptr; }, 5000);
  if (!list) {
    std::fprintf(stderr, "no file list\n");
    return false;
  }
  LVFINDINFOA find = {};
  find.flags = LVFI_PARTIAL | LVFI_STRING;
  find.psz = name;
  int index = -1;
  WaitFor([&] {
    index = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    return index >= 0;
  }, 3000);
  if (index < 0) {
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::fprintf(stderr, "list has %d items, no '%s':", count, name);
    for (int i = 0; i < count; ++i) {
      char text[260] = "";
      LVITEMA get = {};
      get.iSubItem = 0;
      get.pszText = text;
      get.cchTextMax = sizeof text;
      SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&get));
      std::fprintf(stderr, " [%s]", text);
    }
    std::fprintf(stderr, "\n");
    return false;
  }
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return true;
}

PanelSeen LookAtPanel(HWND dialog, const char* name, int expectHigh) {
  PanelSeen seen;
  if (!SelectInList(dialog, name)) return seen;
  HWND edit = FindDescendant(dialog, nullptr, IDC_OPEN_PAGE_EDIT);
  HWND spin = FindDescendant(dialog, nullptr, IDC_OPEN_PAGE_SPIN);
  HWND rotate = FindDescendant(dialog, nullptr, IDC_OPEN_ROTATE_CW);
  if (!edit || !spin || !rotate) return seen;
  seen.found = true;
  // The panel settles: enabled tools, and the page box as the file has it.
  WaitFor([&] { return IsWindowEnabled(rotate) && (IsWindowVisible(edit) != 0) == (expectHigh > 1); }, 3000);
  seen.pageBoxShown = IsWindowVisible(edit) && IsWindowVisible(spin);
  SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&seen.low), reinterpret_cast<LPARAM>(&seen.high));
  seen.rotateEnabled = IsWindowEnabled(rotate) != 0;
  seen.annotationsShown = IsWindowVisible(FindDescendant(dialog, nullptr, IDC_OPEN_ANNOTATIONS)) != 0;
  seen.zoomBarsHidden = !IsWindowVisible(FindDescendant(dialog, nullptr, IDC_OPEN_HSCROLL)) &&
                        !IsWindowVisible(FindDescendant(dialog, nullptr, IDC_OPEN_VSCROLL));
  char text[64] = "";
  GetWindowTextA(FindDescendant(dialog, nullptr, IDC_OPEN_PREVIEW), text, sizeof text);
  seen.placeholder = text;
  return seen;
}

std::string Folder(const std::string& fixture) { return fixture.substr(0, fixture.rfind('\\')); }

class CorvaneOpenTest : public ::testing::Test {
 protected:
  OPENFILENAMEA Record(char* buffer, DWORD size) {
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = size;
    ofn.lpstrTitle = "Select file";
    ofn.lpstrFilter = "All files\0*.*\0";
    folder_ = Folder(Fixture("three_pages.tif"));
    ofn.lpstrInitialDir = folder_.c_str();
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    ofn.nFileOffset = 0x1111;
    ofn.nFileExtension = 0x2222;
    return ofn;
  }
  std::string folder_;
};

TEST_F(CorvaneOpenTest, PageBoxFollowsTheSelectedFile) {
  char buffer[MAX_PATH] = "untouched";
  OPENFILENAMEA ofn = Record(buffer, sizeof buffer);
  PanelSeen tiff, png, marked;
  bool templateThere = false;
  std::thread user([&] {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindWindowA("#32770", "Select file")) != nullptr; }, 10000);
    if (!dialog) return;
    templateThere = WaitFor([&] { return FindDescendant(dialog, nullptr, IDC_OPEN_PREVIEW) != nullptr; }, 3000);
    tiff = LookAtPanel(dialog, "three_pages", 3);
    png = LookAtPanel(dialog, "red_quadrant", 1);
    marked = LookAtPanel(dialog, "marked", 1);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  const int result = RunCorvaneOpen(&ofn);
  user.join();
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(ofn.nFileOffset, 0x1111);
  EXPECT_EQ(ofn.nFileExtension, 0x2222);
  ASSERT_TRUE(templateThere) << "template 129 below the standard controls";
  ASSERT_TRUE(tiff.found);
  EXPECT_TRUE(tiff.pageBoxShown);
  EXPECT_EQ(tiff.low, 1);
  EXPECT_EQ(tiff.high, 3);
  EXPECT_TRUE(tiff.rotateEnabled);
  EXPECT_FALSE(tiff.annotationsShown);
  EXPECT_TRUE(tiff.zoomBarsHidden);
  EXPECT_EQ(tiff.placeholder, "Thumbnail view goes here");
  ASSERT_TRUE(png.found);
  EXPECT_FALSE(png.pageBoxShown);
  EXPECT_TRUE(png.rotateEnabled);
  ASSERT_TRUE(marked.found);
  EXPECT_TRUE(marked.annotationsShown) << "the annotations tool shows only for an image with annotations";
}

TEST_F(CorvaneOpenTest, OkGivesThePathAndItsFileOffset) {
  char buffer[MAX_PATH] = "";
  OPENFILENAMEA ofn = Record(buffer, sizeof buffer);
  bool selected = false, turned = false, zoomed = false;
  std::thread user([&] {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindWindowA("#32770", "Select file")) != nullptr; }, 10000);
    if (!dialog) return;
    selected = SelectInList(dialog, "red_quadrant");
    HWND rotate = FindDescendant(dialog, nullptr, IDC_OPEN_ROTATE_CW);
    WaitFor([&] { return rotate && IsWindowEnabled(rotate); }, 3000);
    SendMessageA(rotate, BM_CLICK, 0, 0);
    CImageControl* control = CImageControl::FromWindow(FindDescendant(dialog, nullptr, IDC_OPEN_CONTROL));
    turned = control && control->Rotation() == 1;
    SendMessageA(FindDescendant(dialog, nullptr, IDC_OPEN_ZOOM), BM_CLICK, 0, 0);
    zoomed = control && control->DisplayMode() == kZoomScroll;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  const int result = RunCorvaneOpen(&ofn);
  user.join();
  ASSERT_TRUE(selected);
  EXPECT_TRUE(turned);
  EXPECT_TRUE(zoomed);
  ASSERT_EQ(result, 1);
  const std::string expected = Fixture("red_quadrant.png");
  EXPECT_STREQ(buffer, expected.c_str());
  std::uint32_t offset = 0;
  std::memcpy(&offset, &ofn.nFileOffset, sizeof offset);
  EXPECT_EQ(offset, expected.rfind('\\') + 1);
  EXPECT_EQ(ofn.nFileExtension, 0);
}

TEST_F(CorvaneOpenTest, APathLongerThanTheBufferIsNoChoice) {
  char buffer[16] = "untouched";
  OPENFILENAMEA ofn = Record(buffer, sizeof buffer);
  std::thread user([&] {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindWindowA("#32770", "Select file")) != nullptr; }, 10000);
    if (!dialog) return;
    SelectInList(dialog, "red_quadrant");
    Sleep(200);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(RunCorvaneOpen(&ofn), 0);
  user.join();
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(ofn.nFileOffset, 0x1111);
}

TEST(CorvaneOpenRecord, RefusesARecordWithoutABuffer) {
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  EXPECT_EQ(RunCorvaneOpen(&ofn), 0);
  EXPECT_EQ(RunCorvaneOpen(nullptr), 0);
}

}  // namespace
