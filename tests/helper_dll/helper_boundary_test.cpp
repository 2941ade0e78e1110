// helper.dll loaded by its path and driven through the hand-written tables
// of boundary_tables.c, never through the library's C++ header: every slot
// of the four interfaces and the three exports, as another program built
// against the contract would call them.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "boundary_tables.h"

#ifndef HELPER_DLL
#error "HELPER_DLL must name the helper.dll under test"
#endif

namespace {

constexpr int kSaveCommand = 3101;
constexpr int kExitCommand = 3104;

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

// The order the library reads the preferences in when it opens a window,
// and the setters it writes them back with (the save-on-exit getter says 1:
// always).
const std::vector<int> kReadOrder = {17, 4, 21, 19, 7, 9, 13, 10, 15, 23, 27, 25, 25, 25, 29, 31, 2, 33, 0};
const std::vector<int> kWriteOrder = {18, 22, 20, 6, 8, 14, 11, 16, 24, 28, 26, 26, 26, 30, 32, 3, 34, 1};

class HelperBoundary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { loaded = BoundaryLoad(WindowsPath(HELPER_DLL).c_str(), &exports) != 0; }
  void SetUp() override {
    ASSERT_TRUE(loaded) << "helper.dll or one of its exports is missing";
    helper = exports.connect(BoundaryHelperToMoxel());
    ASSERT_NE(helper, nullptr);
    BoundaryEditSlotCount = 0;
    BoundaryNotifications = 0;
    BoundaryCloseRequest = 0;
  }

  std::vector<int> TakeSlots() {
    std::vector<int> slots(BoundaryEditSlots, BoundaryEditSlots + BoundaryEditSlotCount);
    BoundaryEditSlotCount = 0;
    return slots;
  }
  // The loading program's loop: the library sees every message first, and
  // its idle work runs when the queue is empty.
  void Pump() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (HelperPreTranslateMessage(helper, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      for (long count = 0; HelperOnIdle(helper, count); ++count) {
      }
      Sleep(5);
    }
  }
  BoundaryObject* Open(int session, const char* title, int* index) {
    BoundaryObject* edit = exports.createEditWindow(BoundaryEditToMoxel(), index, title, session, 0, "BP");
    Pump();
    return edit;
  }
  std::string Next(BoundaryObject* edit, int session) {
    const char* text = nullptr;
    int length = -1;
    if (!EditGetNextMessage(edit, session, &text, &length)) return "<none>";
    return std::string(text, static_cast<size_t>(length));
  }
  // A stored record: the continuation flag byte, then the text.
  void Load(BoundaryObject* edit, int index, char flag, const std::string& text) {
    std::string record(1, flag);
    record += text;
    EditAddLoadedLine(edit, index, record.data() + 1, static_cast<int>(text.size()));
  }

  static bool loaded;
  static BoundaryExports exports;
  BoundaryObject* helper = nullptr;
};

bool HelperBoundary::loaded = false;
BoundaryExports HelperBoundary::exports;

TEST_F(HelperBoundary, ExportsArePlainNamesOnly) {
  HMODULE m = GetModuleHandleA(WindowsPath(HELPER_DLL).c_str());
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(GetProcAddress(m, "ConnectToHelper@4"), nullptr);
  EXPECT_EQ(GetProcAddress(m, "_CreateEditWindow@24"), nullptr);
  EXPECT_EQ(exports.connect(BoundaryHelperToMoxel()), helper) << "one object, whoever connects";
}

TEST_F(HelperBoundary, MessageLoopAndViewerSlots) {
  EXPECT_EQ(HelperOnIdle(helper, 0), 0);
  MSG msg = {};
  msg.hwnd = GetDesktopWindow();
  msg.message = WM_KEYDOWN;
  msg.wParam = 'S';
  EXPECT_EQ(HelperPreTranslateMessage(helper, &msg), 0) << "not one of the library's windows";
  EXPECT_EQ(HelperPreTranslateMessage(helper, nullptr), 0);
  // The viewer: created by the first ClearList, its settings read through
  // the C table's slots; gone again after CloseList.
  EXPECT_EQ(HelperClearList(helper), 1);
  const int settingsCalls = BoundaryViewerSlots;
  EXPECT_GE(settingsCalls, 20) << "the viewer reads its settings through HelperToMoxel";
  HWND viewer = FindWindowA("#32770", "Corvane Attachment Viewer");
  EXPECT_NE(viewer, nullptr);
  EXPECT_FALSE(viewer && IsWindowVisible(viewer)) << "created hidden";
  HelperAddItem(helper, "a.tif\xfe" "description");
  HelperShowList(helper);
  Pump();
  EXPECT_TRUE(viewer && IsWindowVisible(viewer));
  HelperCloseList(helper);
  EXPECT_FALSE(IsWindow(viewer));
  BoundaryViewerSlots = 0;
  HelperAddItem(helper, "b.tif");
  HelperShowList(helper);
  int width = 7, height = 9;
  HelperGetMonitorSize(helper, GetDesktopWindow(), &width, &height);
  if (GetSystemMetrics(SM_CMONITORS) <= 1) {
    EXPECT_EQ(width, 7) << "one monitor: the multiple-monitor functions are not used";
    EXPECT_EQ(height, 9);
  }
  EXPECT_EQ(BoundaryViewerSlots, 0);
}

TEST_F(HelperBoundary, EditWindowThroughEverySlot) {
  int index = -1;
  BoundaryObject* edit = Open(7, "BOUNDARY", &index);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(TakeSlots(), kReadOrder);
  HWND frame = FindWindowA("CFrameEdit", "BOUNDARY");
  ASSERT_NE(frame, nullptr);
  EXPECT_FALSE(IsWindowVisible(frame)) << "hidden until the load ends";
  RECT r;
  GetWindowRect(frame, &r);
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{312, 184, 712, 584}));

  Load(edit, index, 0, "10 PRINT 1   ");
  Load(edit, index, 0, std::string(80, 'a'));
  Load(edit, index, 1, std::string(40, 'b'));
  Load(edit, index, 0, "END");
  EditEndOfLoad(edit, index);
  Pump();
  EXPECT_TRUE(IsWindowVisible(frame));
  EXPECT_EQ(EditGetPendingSession(edit), 0);
  EXPECT_EQ(Next(edit, 7), "<none>");
  EXPECT_EQ(EditAnyBusy(edit), 0);

  // The user types on the long line and on the last one.
  HWND view = FindWindowExA(frame, nullptr, "CViewEdit", nullptr);
  ASSERT_NE(view, nullptr);
  PostMessageA(view, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(view, WM_CHAR, 'Z', 0);
  PostMessageA(view, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(view, WM_CHAR, '!', 0);
  PostMessageA(view, WM_KEYDOWN, VK_UP, 0);
  Pump();
  // Two changed lines wait for the flush minute (25 would go at once).
  EXPECT_EQ(BoundaryNotifications, 0);
  EXPECT_EQ(EditAnyBusy(edit), 1);
  EXPECT_EQ(EditGetPendingSession(edit), 7);
  const std::string longLine = "Z" + std::string(80, 'a') + std::string(40, 'b');
  EXPECT_EQ(Next(edit, 7), "r76,2,0," + longLine.substr(0, 72) + "\r");
  EditAcknowledgeSend(edit, 7);
  EXPECT_EQ(Next(edit, 7), "c49," + longLine.substr(72) + "\r");
  // The host breaks the line off: it goes once, the next line is not lost.
  EditCancelContinuation(edit, 7);
  EditAcknowledgeSend(edit, 7);
  EXPECT_EQ(Next(edit, 7), "r8,3,0,E!ND\r") << "the caret kept its column";
  EditAcknowledgeSend(edit, 7);
  EXPECT_EQ(Next(edit, 7), "<none>");
  EXPECT_EQ(EditAnyBusy(edit), 1) << "modified, not saved";

  // Save: the host answers with its count of the program's characters.
  PostMessageA(frame, WM_COMMAND, kSaveCommand, 0);
  Pump();
  EXPECT_GE(BoundaryNotifications, 1) << "the save goes at once";
  EXPECT_EQ(Next(edit, 7), "ew\r");
  EditAcknowledgeSend(edit, 7);
  EditHostReply(edit, 99, "1s0");
  EditHostReply(edit, 7, " waiting");
  EXPECT_EQ(EditAnyBusy(edit), 1);
  EditHostReply(edit, 7, "1s135");  // 10 + 121 + 4
  EXPECT_EQ(EditAnyBusy(edit), 0);
  TakeSlots();

  // Nothing busy: CloseIdle takes it, writing the preferences.
  EditSetAllViewOnly(edit);
  EditCloseIdle(edit);
  Pump();
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(TakeSlots(), kWriteOrder);
}

TEST_F(HelperBoundary, IndexesSessionsAndClosing) {
  int a = -1, b = -1, c = -1;
  BoundaryObject* edit = Open(1, "ONE", &a);
  ASSERT_NE(edit, nullptr);
  Open(2, "TWO", &b);
  EXPECT_EQ((std::vector<int>{a, b}), (std::vector<int>{0, 1}));
  EXPECT_EQ(EditCloseSession(edit, 1), 1) << "one remains";
  EXPECT_EQ(Open(3, "THREE", &c), edit);
  EXPECT_EQ(c, 0) << "the first empty slot";
  EXPECT_EQ(EditCloseSession(edit, 99), 1) << "unknown session";
  EXPECT_EQ(EditCloseIndex(edit, 5), 1);
  EXPECT_EQ(EditCloseIndex(edit, 0), 1);

  // A view-only window asks the terminal to close it; the terminal does.
  EditSetAllViewOnly(edit);
  HWND frame = FindWindowA("CFrameEdit", "TWO");
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, kExitCommand, 0);
  Pump();
  EXPECT_EQ(BoundaryCloseRequest, 2);
  EXPECT_TRUE(IsWindow(frame)) << "the terminal decides";
  EXPECT_EQ(EditCloseSession(edit, 2), 0) << "none remains";
  EXPECT_FALSE(IsWindow(frame));
  Open(4, "FOUR", &a);
  EditCloseAll(edit);
  Pump();
  EXPECT_EQ(FindWindowA("CFrameEdit", nullptr), nullptr);
}

// The open-file dialog: a helper thread answers it as a user would.
void AnswerFileDialog(const char* title, const std::string& fileName) {
  HWND dialog = nullptr;
  for (int i = 0; i < 500 && !(dialog = FindWindowA("#32770", title)); ++i) Sleep(20);
  if (!dialog) return;
  if (fileName.empty()) {
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  // The file name box (an edit inside combo box 0x47C, or edit 0x480).
  HWND box = GetDlgItem(dialog, 0x47C);
  if (!box) box = GetDlgItem(dialog, 0x480);
  SetWindowTextA(box, fileName.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(HelperBoundary, OpenFileName) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + "helper-boundary-pick.txt";
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);

  // Cancel; a choice too long for the caller's buffer (not a choice: the
  // buffer and the offset fields stay as they were); a choice that fits.
  struct Case {
    bool choose;
    size_t room;
  } cases[] = {{false, 12}, {true, 12}, {true, MAX_PATH}};
  for (const Case& c : cases) {
    std::vector<char> buffer(c.room, 'x');
    std::strcpy(buffer.data(), "untouched");
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(c.room);
    ofn.lpstrTitle = "Boundary open";
    ofn.nFileOffset = 0x1111;
    ofn.nFileExtension = 0x2222;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    std::thread answer(AnswerFileDialog, "Boundary open", c.choose ? path : std::string());
    const int result = exports.openFileName(&ofn);
    answer.join();
    if (!c.choose || path.size() + 1 > c.room) {
      EXPECT_EQ(result, 0) << c.room;
      EXPECT_STREQ(buffer.data(), "untouched") << c.room;
      EXPECT_EQ(buffer[10], 'x') << "nothing written past the old text";
      EXPECT_EQ(ofn.nFileOffset, 0x1111);
      EXPECT_EQ(ofn.nFileExtension, 0x2222);
      continue;
    }
    ASSERT_EQ(result, 1);
    EXPECT_EQ(std::string(buffer.data()), path);
    std::uint32_t offset = 0;
    std::memcpy(&offset, &ofn.nFileOffset, sizeof offset);
    EXPECT_EQ(offset, path.rfind('\\') + 1);
    EXPECT_EQ(ofn.nFileExtension, 0) << "one 32-bit offset over both fields";
  }
  DeleteFileA(path.c_str());
}

}  // namespace
