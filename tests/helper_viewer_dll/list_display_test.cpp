// The attachment viewer's list window in the test's own process: helper.dll
// loaded by path, driven through MoxelToHelper with a recording
// HelperToMoxel, over files made by make_fixtures.sh (and a missing path, a
// folder, a file another process holds with share mode 0, device paths).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "viewer_harness.h"
#include "viewer_ids.h"

namespace {

const uint32_t kRed = 0xFF0000;

uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Another process (this program started again) that opens a file sharing
// nothing and keeps it until the test ends.
class FileHolder {
 public:
  explicit FileHolder(const std::string& path) {
    HANDLE made = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made != INVALID_HANDLE_VALUE) CloseHandle(made);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    ready_ = CreateEventA(nullptr, TRUE, FALSE, "TavixViewerHolderReady");
    stop_ = CreateEventA(nullptr, TRUE, FALSE, "TavixViewerHolderStop");
    SetEnvironmentVariableA("TAVIX_VIEWER_HOLD", path.c_str());
    std::string line = std::string("\"") + self + "\" --gtest_list_tests";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_);
    SetEnvironmentVariableA("TAVIX_VIEWER_HOLD", nullptr);
    held_ = WaitForSingleObject(ready_, 20000) == WAIT_OBJECT_0;
  }
  ~FileHolder() {
    SetEvent(stop_);
    if (info_.hProcess) {
      WaitForSingleObject(info_.hProcess, 10000);
      CloseHandle(info_.hProcess);
      CloseHandle(info_.hThread);
    }
    CloseHandle(ready_);
    CloseHandle(stop_);
  }
  bool held() const { return held_; }

 private:
  HANDLE ready_ = nullptr, stop_ = nullptr;
  PROCESS_INFORMATION info_ = {};
  bool held_ = false;
};

// In the holding copy: hold the file and wait to be told to stop.
struct HoldIfAsked {
  HoldIfAsked() {
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("TAVIX_VIEWER_HOLD", path, sizeof path)) return;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TavixViewerHolderReady");
    HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, "TavixViewerHolderStop");
    if (file != INVALID_HANDLE_VALUE && ready) SetEvent(ready);
    if (stop) WaitForSingleObject(stop, 120000);
    ExitProcess(0);
  }
} holdIfAsked;

class ListDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Load()) << "helper.dll or ConnectToHelper missing";
    h.settings.stored.clear();
    h.settings.slots.clear();
  }
  void TearDown() override {
    if (h.helper) h.helper->CloseList();
    h.Pump(20);
  }
  // A fresh list window over the stored settings, the entries added and shown.
  void ShowEntries(const std::vector<std::string>& entries) {
    h.helper->CloseList();
    ASSERT_EQ(h.helper->ClearList(), 1);
    for (const std::string& e : entries) h.helper->AddItem(e.c_str());
    h.helper->ShowList();
    h.Pump(100);
    ASSERT_NE(h.ViewerWindow(), nullptr);
  }
  ViewerHarness h;
};

std::string Entry(const std::string& path, const char* description) { return path + "\xfe" + description; }

TEST_F(ListDisplay, ListTextsColumnsAndStates) {
  h.settings.stored = {{"ThumbView", 0}, {"SizeColEnabled", 1}, {"TypeColEnabled", 1}, {"SizeColWidth", 70},
                       {"ImageColWidth", 140}, {"AutoLaunch", 0}};
  const std::string held = Fixture("held.tif");
  FileHolder holder(held);
  ASSERT_TRUE(holder.held());
  ShowEntries({Entry(Fixture("quadrant.png"), "Quadrant"), Entry(Fixture("missing.tif"), "missing"),
               Entry(Fixture("folder"), "folder"), Entry(held, "held"), Entry("", "empty"),
               Entry("\\\\.\\COM1", "device"), Entry("C:\\scan\\NUL.tif", "nul"), Fixture("notes.tvxdoc"),
               Entry(Fixture("big.tif"), "big")});
  HWND rows = h.Rows();
  ASSERT_NE(rows, nullptr);
  EXPECT_TRUE(IsWindowVisible(rows));
  EXPECT_EQ(ColumnTitles(rows), (std::vector<std::string>{"Image", "Size", "Type"}));
  EXPECT_EQ(ColumnWidth(rows, 0), 140);
  EXPECT_EQ(ColumnWidth(rows, 1), 70);
  EXPECT_EQ(ColumnWidth(rows, 2), 100);
  const auto texts = RowTexts(rows);
  ASSERT_EQ(texts.size(), 9u);
  EXPECT_EQ(texts[0][0], "Quadrant");
  EXPECT_EQ(texts[0][1], std::to_string(FileSize(Fixture("quadrant.png"))) + " B");
  EXPECT_FALSE(texts[0][2].empty());
  const std::vector<std::vector<std::string>> unreachable = {
      {"missing", "0 B", "File not found"}, {"folder", "0 B", "Access denied"}, {"held", "0 B", "File not found"},
      {"empty", "0 B", "Invalid file"},     {"device", "0 B", "Invalid file"},  {"nul", "0 B", "Invalid file"}};
  for (size_t i = 0; i < unreachable.size(); ++i) EXPECT_EQ(texts[i + 1], unreachable[i]) << i;
  EXPECT_EQ(texts[7][0], "") << "no separator: the whole text is the path";
  EXPECT_NE(texts[7][2], "Invalid file type");
  EXPECT_NE(texts[7][2], "File not found");
  EXPECT_EQ(texts[8][1], "5120 MB") << "a 5 GB file: its size in 64 bits";
}

TEST_F(ListDisplay, SortingTurnsWithEveryClick) {
  h.settings.stored = {{"ThumbView", 0}, {"SizeColEnabled", 1}, {"TypeColEnabled", 1}, {"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("pages.tif"), "beta"), Entry(Fixture("quadrant.png"), "Alpha"),
               Entry(Fixture("photo.jpg"), "gamma"), Entry(Fixture("missing.png"), "ALPHA2")});
  HWND rows = h.Rows();
  auto column = [&](int c) {
    std::vector<std::string> out;
    for (const auto& r : RowTexts(rows)) out.push_back(r[c]);
    return out;
  };
  EXPECT_EQ(column(0), (std::vector<std::string>{"beta", "Alpha", "gamma", "ALPHA2"})) << "insertion order";
  ClickColumn(rows, 0);
  EXPECT_EQ(column(0), (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "gamma"}));
  EXPECT_EQ(SortArrow(rows, 0), 1);
  ClickColumn(rows, 1);  // another header: the other direction, by size
  const std::vector<uint64_t> sizes = {FileSize(Fixture("pages.tif")), FileSize(Fixture("photo.jpg")),
                                       FileSize(Fixture("quadrant.png")), 0};
  ASSERT_TRUE(sizes[0] > sizes[1] && sizes[1] > sizes[2]);
  EXPECT_EQ(column(0), (std::vector<std::string>{"beta", "gamma", "Alpha", "ALPHA2"}));
  EXPECT_EQ(SortArrow(rows, 1), -1);
  EXPECT_EQ(SortArrow(rows, 0), 0);
  ClickColumn(rows, 1);
  EXPECT_EQ(column(0), (std::vector<std::string>{"ALPHA2", "Alpha", "gamma", "beta"}));
  EXPECT_EQ(SortArrow(rows, 1), 1);
}

TEST_F(ListDisplay, HiddenSizeColumnMovesTheTypeColumnUp) {
  h.settings.stored = {{"ThumbView", 0}, {"TypeColEnabled", 1}, {"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("missing.png"), "m")});
  EXPECT_EQ(ColumnTitles(h.Rows()), (std::vector<std::string>{"Image", "Type"}));
  EXPECT_EQ(RowTexts(h.Rows())[0], (std::vector<std::string>{"m", "File not found"}));
  h.settings.stored = {{"ThumbView", 0}, {"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("missing.png"), "m")});
  EXPECT_EQ(ColumnTitles(h.Rows()), (std::vector<std::string>{"Image"}));
}

// The red texts of unreachable files, told apart by their painted width.
TEST_F(ListDisplay, ThumbnailTextsByPixelColour) {
  const std::string held = Fixture("held2.tif");
  FileHolder holder(held);
  ASSERT_TRUE(holder.held());
  h.settings.stored = {{"ThumbWidth", 500}, {"ThumbHeight", 20}, {"AutoLaunch", 0}};  // both clamped
  ShowEntries({Entry(Fixture("missing.tif"), "gone"), Entry(Fixture("folder"), "a folder"), Entry(held, "held"),
               Entry(Fixture("pages.tif"), "three pages"), Entry(Fixture("quadrant.png"), "one page")});
  ASSERT_TRUE(h.PumpUntilIdle(20000)) << "the thumbnails never finished";
  const std::vector<HWND> cells = ThumbCells(h.ViewerWindow());
  ASSERT_EQ(cells.size(), 5u);
  RECT r;
  GetClientRect(cells[0], &r);
  EXPECT_EQ(r.right, 115) << "a width outside 55 ... 115 becomes 115";
  // Smoothed glyph edges are not pure red: the painted box is a little
  // narrower than the text's extent, but the three widths keep its order.
  const char* texts[] = {"NOT FOUND", "ACCESS DENIED", "FILE IN USE"};
  int widths[3] = {};
  for (int i = 0; i < 3; ++i) {
    const Pixels p = PaintedPixels(cells[i]);
    RECT box;
    ASSERT_GT(p.Count(kRed, &box), 20) << texts[i];
    widths[i] = box.right - box.left;
    EXPECT_NEAR(widths[i], TextWidth(texts[i]) - 5, 7) << texts[i];
    // Centred.
    EXPECT_NEAR((box.left + box.right) / 2, p.width / 2, 6) << texts[i];
    EXPECT_LT(box.bottom, p.height / 2 + 30) << "in the picture, not in the description";
  }
  EXPECT_GT(widths[1], widths[0] + 10);
  EXPECT_GT(widths[0], widths[2]);
  // The 3-page TIFF: its red first page fills the picture, and its page
  // count line is written in the button-text colour at the top right.
  const Pixels pages = PaintedPixels(cells[3]);
  EXPECT_GT(pages.Count(kRed), 2000);
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const uint32_t textRgb = (GetRValue(text) << 16) | (GetGValue(text) << 8) | GetBValue(text);
  EXPECT_GT(pages.CountIn(textRgb, pages.width / 2, 0, pages.width, 20), 5) << "\"3 pages\" at the top right";
  EXPECT_EQ(pages.CountIn(textRgb, 0, 0, pages.width / 3, 20), 0) << "right-aligned";
  // The one-page PNG: no page count; its red quadrant at the picture's top left.
  const Pixels one = PaintedPixels(cells[4]);
  EXPECT_EQ(one.CountIn(textRgb, 0, 0, one.width, 20), 0);
  EXPECT_GT(one.CountIn(kRed, 0, 0, one.width / 2, one.height / 3), 500);
  EXPECT_EQ(one.CountIn(kRed, one.width / 2 + 5, 0, one.width, one.height), 0);
}

TEST_F(ListDisplay, SettingsReadAndWritten) {
  h.settings.stored = {{"AutoLaunch", 0}, {"ListX", 40}, {"ListY", 50}, {"ListWidth", 320}, {"ListHeight", 400}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  HWND viewer = h.ViewerWindow();
  RECT r;
  GetWindowRect(viewer, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 320);
  EXPECT_EQ(r.bottom - r.top, 400);
  // Read at creation: the background written back as read, nothing else.
  EXPECT_EQ(std::count(h.settings.slots.begin(), h.settings.slots.end(), 25), 1);
  for (int setter : {1, 5, 7, 8, 27}) EXPECT_EQ(std::count(h.settings.slots.begin(), h.settings.slots.end(), setter), 0) << setter;

  SetWindowPos(viewer, nullptr, 70, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  h.Pump(30);
  EXPECT_EQ(h.settings.stored["ListX"], 70);
  EXPECT_EQ(h.settings.stored["ListY"], 90);
  SetWindowPos(viewer, nullptr, 0, 0, 350, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  h.Pump(30);
  EXPECT_EQ(h.settings.stored["ListWidth"], 350);
  EXPECT_EQ(h.settings.stored["ListHeight"], 420);

  h.Command(ID_VIEWER_TOPMOST);
  EXPECT_EQ(h.settings.stored["Topmost"], 1);
  EXPECT_TRUE(GetWindowLongA(viewer, GWL_EXSTYLE) & WS_EX_TOPMOST);
  h.Command(ID_VIEWER_TOPMOST);
  EXPECT_EQ(h.settings.stored["Topmost"], 0);
  EXPECT_FALSE(GetWindowLongA(viewer, GWL_EXSTYLE) & WS_EX_TOPMOST);

  h.Command(ID_VIEWER_LIST);
  EXPECT_EQ(h.settings.stored["ThumbView"], 0);
  EXPECT_TRUE(IsWindowVisible(h.Rows()));
  h.Command(ID_VIEWER_THUMBNAILS);
  EXPECT_EQ(h.settings.stored["ThumbView"], 1);
  EXPECT_FALSE(IsWindowVisible(h.Rows()));
}

// One monitor under test: a stored position partly or wholly off it brings
// the whole window back onto its work area, the stored size kept.
TEST_F(ListDisplay, AStoredPositionOffTheScreenComesBackOntoIt) {
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  const int w = 320, hgt = 400;
  struct Case {
    int x, y, wantX, wantY;
  } cases[] = {
      {work.right + 4000, work.bottom + 3000, work.right - w, work.bottom - hgt},
      {work.left - 3000, work.top - 3000, work.left, work.top},
      {work.right - 100, work.top + 30, work.right - w, work.top + 30},
      {work.left + 40, work.bottom - 50, work.left + 40, work.bottom - hgt},
  };
  for (const Case& c : cases) {
    h.settings.stored = {{"AutoLaunch", 0}, {"ListX", c.x}, {"ListY", c.y}, {"ListWidth", w}, {"ListHeight", hgt}};
    ShowEntries({Entry(Fixture("quadrant.png"), "q")});
    RECT r;
    GetWindowRect(h.ViewerWindow(), &r);
    EXPECT_EQ(r.left, c.wantX) << c.x << "," << c.y;
    EXPECT_EQ(r.top, c.wantY) << c.x << "," << c.y;
    EXPECT_EQ(r.right - r.left, w);
    EXPECT_EQ(r.bottom - r.top, hgt);
  }
}

// The list goes onto the work area of the monitor the terminal's window is
// on (the active one on the calling thread), at its right edge by default.
TEST_F(ListDisplay, PlacedOnTheTerminalsMonitor) {
  HWND terminal = CreateWindowExA(0, "STATIC", "terminal", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(terminal, nullptr);
  SetForegroundWindow(terminal);
  SetActiveWindow(terminal);
  h.Pump(30);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(terminal, MONITOR_DEFAULTTONEAREST), &info));
  h.settings.stored = {{"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  RECT r;
  GetWindowRect(h.ViewerWindow(), &r);
  EXPECT_EQ(r.right, info.rcWork.right);
  EXPECT_GE(r.left, info.rcWork.left);
  EXPECT_GE(r.top, info.rcWork.top);
  EXPECT_LE(r.bottom, info.rcWork.bottom);
  DestroyWindow(terminal);
}

TEST_F(ListDisplay, TopmostStoredIsAppliedAtOnce) {
  h.settings.stored = {{"AutoLaunch", 0}, {"Topmost", 1}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  EXPECT_TRUE(GetWindowLongA(h.ViewerWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(ListDisplay, AnEntryThatCannotBeOpenedSaysSo) {
  h.settings.stored = {{"ThumbView", 0}, {"AutoLaunch", 0}};
  ShowEntries({Entry("", "empty")});
  ListView_SetItemState(h.Rows(), 0, LVIS_SELECTED, LVIS_SELECTED);
  {
    MessageBoxWatch watch("Unable to open image");
    h.Command(ID_VIEWER_VIEW_IMAGE);
    EXPECT_TRUE(watch.Seen());
  }
  {
    MessageBoxWatch watch("Invalid file type");
    h.Command(ID_VIEWER_PRINT);
    EXPECT_TRUE(watch.Seen());
  }
  {
    MessageBoxWatch watch("Cannot copy image to clipboard");
    h.Command(ID_VIEWER_COPY);
    EXPECT_TRUE(watch.Seen());
  }
}

TEST_F(ListDisplay, ClearListEmptiesAndCloseListDestroys) {
  h.settings.stored = {{"ThumbView", 0}, {"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("a.png"), "a"), Entry(Fixture("b.png"), "b")});
  HWND viewer = h.ViewerWindow();
  EXPECT_EQ(h.helper->ClearList(), 1);
  h.helper->AddItem(Entry(Fixture("c.png"), "c").c_str());
  h.helper->ShowList();
  h.Pump(30);
  EXPECT_EQ(h.ViewerWindow(), viewer) << "the same window";
  EXPECT_EQ(RowTexts(h.Rows()).size(), 1u);
  // Closing the window only hides it; ShowList shows it again.
  SendMessageA(viewer, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(viewer));
  h.helper->ShowList();
  EXPECT_TRUE(IsWindowVisible(viewer));
  h.helper->CloseList();
  EXPECT_FALSE(IsWindow(viewer));
  h.helper->AddItem("ignored");
  h.helper->ShowList();
  EXPECT_EQ(h.ViewerWindow(), nullptr) << "no viewer: AddItem and ShowList do nothing";
}

}  // namespace

namespace {

#ifndef ARGREC_EXE
#error "ARGREC_EXE must name tools/argrec"
#endif

// ".tvxdoc" opened and printed by the recorder (in this test prefix only).
void RegisterDocumentType() {
  const std::string recorder = "\"" + WindowsPath(ARGREC_EXE) + "\"";
  auto set = [](const char* key, const std::string& value) {
    RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
  };
  set(".tvxdoc", "TavixViewerDocument");
  set(".tvximg", "TavixViewerDocument");
  set("TavixViewerDocument\\shell\\open\\command", recorder + " open \"%1\"");
  set("TavixViewerDocument\\shell\\print\\command", recorder + " print \"%1\"");
}

std::string ReadAll(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

template <typename Pred>
bool PumpUntil(ViewerHarness& h, Pred pred, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!pred()) {
    if (GetTickCount() - start > milliseconds) return false;
    h.Pump(20);
  }
  return true;
}

// A single attachment of a type the image control cannot show opens at
// once in the system's program; printing it then goes by the "print" verb.
TEST_F(ListDisplay, ADocumentGoesToTheSystemsProgram) {
  RegisterDocumentType();
  const std::string record = Fixture("argrec.log");
  DeleteFileA(record.c_str());
  SetEnvironmentVariableA("TAVIX_ARGREC_FILE", record.c_str());
  h.settings.stored = {{"ThumbView", 0}};
  const std::string doc = Fixture("notes.tvxdoc");
  MessageBoxWatch failure("Unable to");  // would block the test: answered, and counted
  ShowEntries({Entry(doc, "Notes")});
  EXPECT_TRUE(PumpUntil(h, [&] { return ReadAll(record).find("open") != std::string::npos; }, 15000))
      << "not opened: " << ReadAll(record);
  EXPECT_NE(ReadAll(record).find("notes.tvxdoc"), std::string::npos) << ReadAll(record);
  ListView_SetItemState(h.Rows(), 0, LVIS_SELECTED, LVIS_SELECTED);
  h.Command(ID_VIEWER_PRINT);
  EXPECT_TRUE(PumpUntil(h, [&] { return ReadAll(record).find("print") != std::string::npos; }, 15000))
      << "not printed: " << ReadAll(record);
  SetEnvironmentVariableA("TAVIX_ARGREC_FILE", nullptr);
  EXPECT_FALSE(failure.SeenSoFar());
}

// With "AutoLaunch" off a single entry waits for the user. The first
// double-click finds that the image control cannot show it and marks it for
// the system's program; the next one hands it to the system.
TEST_F(ListDisplay, AutoLaunchOffOpensNothing) {
  RegisterDocumentType();
  const std::string record = Fixture("argrec-off.log");
  DeleteFileA(record.c_str());
  SetEnvironmentVariableA("TAVIX_ARGREC_FILE", record.c_str());
  h.settings.stored = {{"ThumbView", 0}, {"AutoLaunch", 0}};
  MessageBoxWatch failure("Unable to");
  ShowEntries({Entry(Fixture("notes.tvxdoc"), "Notes")});
  h.Pump(1500);
  EXPECT_EQ(ReadAll(record), "");
  // A double-click (the row's activation) opens it.
  NMITEMACTIVATE a = {};
  a.hdr.hwndFrom = h.Rows();
  a.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(h.Rows()));
  a.hdr.code = NM_DBLCLK;
  a.iItem = 0;
  SendMessageA(h.ViewerWindow(), WM_NOTIFY, a.hdr.idFrom, reinterpret_cast<LPARAM>(&a));
  h.Pump(1500);
  EXPECT_EQ(ReadAll(record), "");
  SendMessageA(h.ViewerWindow(), WM_NOTIFY, a.hdr.idFrom, reinterpret_cast<LPARAM>(&a));
  EXPECT_TRUE(PumpUntil(h, [&] { return ReadAll(record).find("open") != std::string::npos; }, 15000));
  SetEnvironmentVariableA("TAVIX_ARGREC_FILE", nullptr);
  EXPECT_FALSE(failure.SeenSoFar());
}

// Copy from the list: the first page as CF_DIB, the red quadrant at its top left.
TEST_F(ListDisplay, CopyPutsThePictureOnTheClipboard) {
  h.settings.stored = {{"ThumbView", 0}, {"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  ListView_SetItemState(h.Rows(), 0, LVIS_SELECTED, LVIS_SELECTED);
  h.Command(ID_VIEWER_COPY);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_DIB);
  ASSERT_NE(data, nullptr);
  const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->biWidth, 200) << "the whole page";
  EXPECT_EQ(info->biHeight > 0 ? info->biHeight : -info->biHeight, 260);
  const int w = info->biWidth, hgt = info->biHeight > 0 ? info->biHeight : -info->biHeight;
  ASSERT_EQ(info->biBitCount, 32);
  const auto* px = reinterpret_cast<const uint32_t*>(reinterpret_cast<const char*>(info) + info->biSize +
                                                     (info->biCompression == BI_BITFIELDS ? 12 : 0));
  auto at = [&](int x, int y) {
    const int row = info->biHeight > 0 ? hgt - 1 - y : y;
    return px[static_cast<size_t>(row) * w + x] & 0xFFFFFF;
  };
  EXPECT_EQ(at(w / 8, hgt / 8), 0xFF0000u);
  EXPECT_EQ(at(w * 7 / 8, hgt * 7 / 8), 0xFFFFFFu);
  GlobalUnlock(data);
  CloseClipboard();
}

// Printing a displayable entry through the image control: a job in the
// private print server's queue (tests/e2e/with_cups.sh).
TEST_F(ListDisplay, PrintingAnImageMakesAPrintJob) {
  const char* spool = std::getenv("TAVIX_CUPS_SPOOL");
  if (!spool) GTEST_SKIP() << "runs under tests/e2e/with_cups.sh";
  auto jobs = [&] {
    int n = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((WindowsPath(spool) + "\\d*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
      if (found.nFileSizeLow > 0 || found.nFileSizeHigh > 0) ++n;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return n;
  };
  const int before = jobs();
  h.settings.stored = {{"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  ASSERT_TRUE(h.PumpUntilIdle(20000));  // the thumbnail shows it: displayable
  const std::vector<HWND> cells = ThumbCells(h.ViewerWindow());
  ASSERT_EQ(cells.size(), 1u);
  SendMessageA(cells[0], WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageA(cells[0], WM_LBUTTONUP, 0, 0);
  h.Command(ID_VIEWER_PRINT);
  EXPECT_TRUE(PumpUntil(h, [&] { return jobs() > before; }, 30000)) << "no job in " << spool;
}

}  // namespace

namespace {

struct TitledSearch {
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchTitled(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<TitledSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char text[128] = "";
  GetWindowTextA(w, text, sizeof text);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || std::strcmp(text, s->title) != 0) return TRUE;
  s->found = w;
  return FALSE;
}

HWND FindTitled(const char* title) {
  TitledSearch s{title, nullptr};
  EnumWindows(MatchTitled, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// One image and "AutoLaunch": the image window opens by itself and shows
// the page; opening the entry again brings the same window forward.
TEST_F(ListDisplay, ASingleImageOpensInTheImageWindow) {
  h.settings.stored = {{"ThumbView", 0}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  HWND image = nullptr;
  ASSERT_TRUE(PumpUntil(h, [&] { return (image = FindTitled("Image Information")) != nullptr; }, 10000));
  EXPECT_EQ(GetWindow(image, GW_OWNER), h.ViewerWindow()) << "it lives no longer than the list";
  ListView_SetItemState(h.Rows(), 0, LVIS_SELECTED, LVIS_SELECTED);
  h.Command(ID_VIEWER_VIEW_IMAGE);
  h.Pump(200);
  int windows = 0;
  for (HWND w = FindWindowA(nullptr, "Image Information"); w; w = FindWindowExA(nullptr, w, nullptr, "Image Information"))
    if (IsWindowVisible(w)) ++windows;
  EXPECT_EQ(windows, 1) << "the entry is open already";
  // The user closes it; the entry opens again.
  DestroyWindow(image);
  h.Pump(50);
  h.Command(ID_VIEWER_VIEW_IMAGE);
  EXPECT_TRUE(PumpUntil(h, [&] { return FindTitled("Image Information") != nullptr; }, 10000));
  h.helper->CloseList();
  h.Pump(50);
  EXPECT_EQ(FindTitled("Image Information"), nullptr) << "the image windows go with the list";
}

// A truncated PNG: the image window cannot load it ("Unable to open image")
// and the entry becomes invalid: printing it then says "Invalid file type".
TEST_F(ListDisplay, ABrokenImageBecomesInvalid) {
  h.settings.stored = {{"ThumbView", 0}, {"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("truncated.png"), "broken")});
  ListView_SetItemState(h.Rows(), 0, LVIS_SELECTED, LVIS_SELECTED);
  {
    MessageBoxWatch watch("Unable to open image");
    h.Command(ID_VIEWER_VIEW_IMAGE);
    EXPECT_TRUE(watch.Seen());
  }
  EXPECT_EQ(FindTitled("Image Information"), nullptr);
  {
    MessageBoxWatch watch("Invalid file type");
    h.Command(ID_VIEWER_PRINT);
    EXPECT_TRUE(watch.Seen());
  }
}

}  // namespace

namespace {

std::string MenuText(HMENU menu, int position) {
  char text[64] = "";
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(ListDisplay, SystemMenuCarriesSettingsAndHelp) {
  h.settings.stored = {{"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  HMENU system = GetSystemMenu(h.ViewerWindow(), FALSE);
  ASSERT_NE(system, nullptr);
  const int n = GetMenuItemCount(system);
  ASSERT_GE(n, 2);
  EXPECT_EQ(MenuText(system, n - 2), "Settings");
  EXPECT_EQ(GetMenuItemID(system, n - 2), static_cast<UINT>(ID_VIEWER_SETTINGS));
  EXPECT_EQ(MenuText(system, n - 1), "Help");
  HMENU help = GetSubMenu(system, n - 1);
  ASSERT_NE(help, nullptr);
  ASSERT_EQ(GetMenuItemCount(help), 3);
  EXPECT_EQ(MenuText(help, 0), "Contents");
  EXPECT_EQ(MenuText(help, 1), "Tech Support");
  EXPECT_EQ(MenuText(help, 2), "About");
}

// New system colours: the list and every thumbnail take the new 3D-light
// background.
TEST_F(ListDisplay, SystemColoursChangeTheBackground) {
  h.settings.stored = {{"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("missing.png"), "m"), Entry(Fixture("quadrant.png"), "q")});
  ASSERT_TRUE(h.PumpUntilIdle(20000));
  const int element = COLOR_3DLIGHT;
  const COLORREF old = GetSysColor(element), chosen = RGB(10, 200, 30);
  ASSERT_TRUE(SetSysColors(1, &element, &chosen));
  h.Pump(100);
  const std::vector<HWND> cells = ThumbCells(h.ViewerWindow());
  ASSERT_EQ(cells.size(), 2u);
  for (HWND cell : cells) {
    const Pixels p = PaintedPixels(cell);
    EXPECT_EQ(p.At(p.width - 1, p.height - 1), 0x0AC81Eu);
  }
  h.Command(ID_VIEWER_LIST);
  EXPECT_EQ(ListView_GetBkColor(h.Rows()), chosen);
  SetSysColors(1, &element, &old);
  h.Pump(50);
  EXPECT_EQ(ListView_GetBkColor(h.Rows()), old);
}

}  // namespace

namespace {

// "UseDefaultViewer": an image the control shows (its thumbnail is done)
// goes to the system's program all the same; without it, to the image window.
TEST_F(ListDisplay, UseDefaultViewerHandsImagesToTheSystem) {
  RegisterDocumentType();
  const std::string record = Fixture("argrec-default.log");
  DeleteFileA(record.c_str());
  SetEnvironmentVariableA("TAVIX_ARGREC_FILE", record.c_str());
  MessageBoxWatch failure("Unable to");
  h.settings.stored = {{"UseDefaultViewer", 1}, {"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("shown.tvximg"), "image")});
  ASSERT_TRUE(h.PumpUntilIdle(20000));
  const std::vector<HWND> cells = ThumbCells(h.ViewerWindow());
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_GT(PaintedPixels(cells[0]).Count(kRed), 500) << "the control shows it";
  SendMessageA(cells[0], WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
  EXPECT_TRUE(PumpUntil(h, [&] { return ReadAll(record).find("shown.tvximg") != std::string::npos; }, 15000));
  EXPECT_EQ(FindTitled("Image Information"), nullptr);

  DeleteFileA(record.c_str());
  h.settings.stored = {{"UseDefaultViewer", 0}, {"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("shown.tvximg"), "image")});
  ASSERT_TRUE(h.PumpUntilIdle(20000));
  SendMessageA(ThumbCells(h.ViewerWindow())[0], WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
  EXPECT_TRUE(PumpUntil(h, [&] { return FindTitled("Image Information") != nullptr; }, 10000));
  EXPECT_EQ(ReadAll(record), "");
  SetEnvironmentVariableA("TAVIX_ARGREC_FILE", nullptr);
  EXPECT_FALSE(failure.SeenSoFar());
}

// "Contents" opens the help file beside the library.
TEST_F(ListDisplay, HelpContentsOpensTheHelpFile) {
  const std::string recorder = "\"" + WindowsPath(ARGREC_EXE) + "\"";
  const std::string command = recorder + " help \"%1\"";
  RegSetValueA(HKEY_CLASSES_ROOT, ".chm", REG_SZ, "TavixViewerHelp", 15);
  RegSetValueA(HKEY_CLASSES_ROOT, "TavixViewerHelp\\shell\\open\\command", REG_SZ, command.c_str(),
               static_cast<DWORD>(command.size()));
  const std::string record = Fixture("argrec-help.log");
  DeleteFileA(record.c_str());
  // A help file beside the library for the length of the test.
  std::string help = WindowsPath(HELPER_DLL);
  help = help.substr(0, help.find_last_of('\\') + 1) + "AttachViewer.chm";
  if (FILE* f = std::fopen(help.c_str(), "wb")) std::fclose(f);
  SetEnvironmentVariableA("TAVIX_ARGREC_FILE", record.c_str());
  h.settings.stored = {{"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  SendMessageA(h.ViewerWindow(), WM_SYSCOMMAND, ID_VIEWER_HELP_CONTENTS, 0);
  EXPECT_TRUE(PumpUntil(h, [&] { return ReadAll(record).find("AttachViewer.chm") != std::string::npos; }, 15000))
      << ReadAll(record);
  SetEnvironmentVariableA("TAVIX_ARGREC_FILE", nullptr);
  DeleteFileA(help.c_str());
}

}  // namespace

namespace {

// "ThumbAnnotations": the sidecar's marks drawn over the thumbnail's picture.
TEST_F(ListDisplay, ThumbnailAnnotationsFollowTheSetting) {
  const uint32_t kBlue = 0x0000FF;
  for (int shown : {0, 1}) {
    h.settings.stored = {{"AutoLaunch", 0}, {"ThumbAnnotations", shown}};
    ShowEntries({Entry(Fixture("quadrant.png"), "q")});
    ASSERT_TRUE(h.PumpUntilIdle(20000));
    const Pixels p = PaintedPixels(ThumbCells(h.ViewerWindow())[0]);
    if (shown) {
      RECT box;
      EXPECT_GT(p.Count(kBlue, &box), 100);
      EXPECT_GT(box.left, p.width / 2) << "in the bottom right quadrant";
      EXPECT_GT(box.top, 60);
    } else {
      EXPECT_EQ(p.Count(kBlue), 0);
    }
  }
}

}  // namespace

namespace {

// A JPEG and a Group 4 fax page as thumbnails: the JPEG's colours, the
// fax's black top quarter over white.
TEST_F(ListDisplay, JpegAndFaxThumbnails) {
  h.settings.stored = {{"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("photo.jpg"), "photo"), Entry(Fixture("fax.tif"), "fax")});
  ASSERT_TRUE(h.PumpUntilIdle(20000));
  const std::vector<HWND> cells = ThumbCells(h.ViewerWindow());
  ASSERT_EQ(cells.size(), 2u);
  const Pixels photo = PaintedPixels(cells[0]);
  int yellowish = 0, bluish = 0;
  for (uint32_t v : photo.data) {
    const int r = v >> 16, g = (v >> 8) & 0xFF, b = v & 0xFF;
    if (r > 200 && g > 200 && b < 60) ++yellowish;
    if (b > 200 && r < 60 && g < 60) ++bluish;
  }
  EXPECT_GT(yellowish, 50);
  EXPECT_GT(bluish, 50);
  const Pixels fax = PaintedPixels(cells[1]);
  // The page is 1728 x 2200: fitted to the cell's picture it keeps its
  // proportions; its top quarter is black.
  EXPECT_GT(fax.CountIn(0x000000, 0, 0, fax.width, fax.height / 5), 500);
  EXPECT_EQ(fax.CountIn(0x000000, 10, fax.height / 2, fax.width - 10, fax.height * 3 / 5), 0);
}

struct MenuSearch {
  HWND found;
};

BOOL CALLBACK MatchMenu(HWND w, LPARAM p) {
  char name[16] = "";
  GetClassNameA(w, name, sizeof name);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == GetCurrentProcessId() && std::strcmp(name, "#32768") == 0 && IsWindowVisible(w)) {
    reinterpret_cast<MenuSearch*>(p)->found = w;
    return FALSE;
  }
  return TRUE;
}

struct MenuRead {
  HWND owner;
  std::vector<std::string> items;
};

DWORD WINAPI ReadShownMenu(void* data) {
  auto* read = static_cast<MenuRead*>(data);
  MenuSearch s{nullptr};
  for (int i = 0; i < 500 && !s.found; ++i) {
    EnumWindows(MatchMenu, reinterpret_cast<LPARAM>(&s));
    if (!s.found) Sleep(10);
  }
  if (s.found) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(s.found, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
      char text[64] = "";
      GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
      read->items.push_back(text);
    }
  }
  PostMessageA(read->owner, WM_CANCELMODE, 0, 0);
  return 0;
}

std::vector<std::string> ContextMenu(HWND viewer) {
  MenuRead read{viewer, {}};
  HANDLE reader = CreateThread(nullptr, 0, ReadShownMenu, &read, 0, nullptr);
  RECT r;
  GetWindowRect(viewer, &r);
  SendMessageA(viewer, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(viewer), MAKELPARAM(r.left + 20, r.top + 20));
  WaitForSingleObject(reader, 10000);
  CloseHandle(reader);
  return read.items;
}

TEST_F(ListDisplay, ContextMenuAndItsAlwaysOnTopText) {
  h.settings.stored = {{"AutoLaunch", 0}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  EXPECT_EQ(ContextMenu(h.ViewerWindow()),
            (std::vector<std::string>{"Thumbnail view", "List view", "", "View Image", "Copy image to Clipboard",
                                      "Print image", "", "Set Always on top"}));
  h.Command(ID_VIEWER_TOPMOST);
  const std::vector<std::string> items = ContextMenu(h.ViewerWindow());
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items.back(), "Turn off Always on top");
}

}  // namespace

namespace {

// A column the user widened keeps its width: written when the view changes.
TEST_F(ListDisplay, ColumnWidthsAreWrittenBack) {
  h.settings.stored = {{"AutoLaunch", 0}, {"ThumbView", 0}, {"SizeColEnabled", 1}, {"TypeColEnabled", 1}};
  ShowEntries({Entry(Fixture("quadrant.png"), "q")});
  SendMessageA(h.Rows(), LVM_SETCOLUMNWIDTH, 0, 160);
  SendMessageA(h.Rows(), LVM_SETCOLUMNWIDTH, 2, 130);
  h.Command(ID_VIEWER_THUMBNAILS);
  EXPECT_EQ(h.settings.stored["ImageColWidth"], 160);
  EXPECT_EQ(h.settings.stored["TypeColWidth"], 130);
  EXPECT_EQ(h.settings.stored.count("SizeColWidth"), 0u) << "unchanged: not written";
  h.Command(ID_VIEWER_LIST);
  EXPECT_EQ(ColumnWidth(h.Rows(), 0), 160);
  EXPECT_EQ(ColumnWidth(h.Rows(), 2), 130);
}

}  // namespace
