// The editor's and the viewer's preferences as the terminal keeps them in
// its configuration: sections, defaults, clamps and the variant rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>  // RECT in full for the Windows build of the tests
#endif
#include "shell/config/ini_memory.h"
#include "shell/editlink/edit_to_moxel.h"
#include "shell/editlink/helper_to_moxel.h"

namespace {

class RecordingPort final : public EditLinkPort {
 public:
  int notifications = 0;
  std::vector<int> closes;
  void NotifyPending() override { ++notifications; }
  void RequestClose(int session) override { closes.push_back(session); }
};

class EditorPreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override { prefs.Attach(&ini, &port, DesktopRect{-1280, 0, 1024, 768}); }
  std::string Stored(const char* section, const char* key) {
    char buf[64];
    file.get_string(section, key, "<absent>", buf, sizeof buf);
    return buf;
  }

  tavix::MemoryIni file;
  tavix::VariantIni ini{file};
  RecordingPort port;
  EditToMoxelI prefs;
};

TEST_F(EditorPreferencesTest, DefaultsOfAnEmptyFile) {
  struct Case {
    const char* suffix;
    int checkSyntax, saveOnExit;
  };
  for (const Case& c : {Case{"", 1, 2}, Case{nullptr, 1, 2}, Case{"BP", 0, 1}}) {
    EditToMoxel& e = prefs;
    EXPECT_EQ(e.GetCheckSyntax(c.suffix), c.checkSyntax);
    EXPECT_EQ(e.GetSaveOnExit(c.suffix), c.saveOnExit);
    EXPECT_EQ(e.GetAutoLabels(c.suffix), 0);
    EXPECT_EQ(e.GetToolbar(c.suffix), 1);
    EXPECT_EQ(e.GetStatusbar(c.suffix), 1);
    EXPECT_EQ(e.GetColumnWarning(c.suffix), 1);
    EXPECT_EQ(e.GetAutoIndent(c.suffix), 1);
    EXPECT_EQ(e.GetFunctionWidth(c.suffix), -1);
    EXPECT_EQ(e.GetSortLabels(c.suffix), 0);
    EXPECT_EQ(e.GetNumPadScreenDraw(c.suffix), 1);
    int x, y, w, h;
    e.GetWindowPlacement(&x, &y, &w, &h, c.suffix);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{-1, -1, 400, 400}));
    int a, b, cc, d;
    e.GetFindOptions(&a, &b, &cc, &d, c.suffix);
    EXPECT_EQ((std::vector<int>{a, b, cc, d}), (std::vector<int>{1, 0, 0, 1}));
    char font[32];
    int pt, it, bold;
    e.GetFont(font, sizeof font, &pt, &it, &bold, c.suffix);
    EXPECT_STREQ(font, "Courier New");
    EXPECT_EQ((std::vector<int>{pt, it, bold}), (std::vector<int>{10, 0, 0}));
    int fg[8], bg[7];
    EXPECT_EQ(e.GetColors(7, fg, bg, c.suffix), 16) << "the last value read";
    EXPECT_EQ(std::vector<int>(fg, fg + 8), (std::vector<int>{16, 16, 16, 14, 16, 16, 3, 10}));
    EXPECT_EQ(std::vector<int>(bg, bg + 7), (std::vector<int>{16, 16, 12, 16, 15, 3, 16}));
    for (int which = 0; which < 4; ++which) {
      e.GetDialogPlacement(which, &x, &y, &w, &h, c.suffix);
      EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{-1, -1, -1, -1}));
    }
    COLORREF custom[16];
    e.GetCustomColors(custom, c.suffix);
    EXPECT_EQ(custom[0], 0x000000u);
    EXPECT_EQ(custom[2], 0x000080u) << "(128,0,0): red in the lowest byte";
    EXPECT_EQ(custom[5], 0x800000u) << "(0,0,128)";
    EXPECT_EQ(custom[15], 0xFFFF00u) << "(0,255,255)";
  }
  EXPECT_EQ(file.entries(), std::vector<std::string>{}) << "reading writes nothing";
}

TEST_F(EditorPreferencesTest, KeysLiveInTheSuffixSections) {
  EditToMoxel& e = prefs;
  e.SetToolbar(0, "BP");
  e.SetWindowPlacement(312, 184, 400, 400, "BP");
  e.SetDialogPlacement(2, 1, 2, 3, 4, "BP");
  e.SetDialogPlacement(3, 5, 6, 7, 8, "");
  e.SetFont("Lucida Console", 12, 1, 0, "");
  e.SetCustomColors(std::vector<COLORREF>(16, 0x123456u).data(), "BP");
  EXPECT_EQ(Stored("Edit~BP", "Edit toolbar"), "0");
  EXPECT_EQ(Stored("Edit~BP", "X"), "312");
  EXPECT_EQ(Stored("Edit~BP", "Edit height"), "400");
  EXPECT_EQ(Stored("EditLables~BP", "Edit width"), "3");
  EXPECT_EQ(Stored("EditCompile", "X"), "5");
  EXPECT_EQ(Stored("Edit", "Edit font"), "Lucida Console");
  EXPECT_EQ(Stored("Edit", "Edit italics"), "1");
  EXPECT_EQ(Stored("Edit~BP", "Choice15"), std::to_string(0x123456));
  EXPECT_EQ(e.GetToolbar(""), 1) << "the plain section is another one";
  EXPECT_EQ(e.GetToolbar("BP"), 0);
}

TEST_F(EditorPreferencesTest, SaveOnExitIsClampedBothWays) {
  EditToMoxel& e = prefs;
  struct Case {
    const char* stored;
    int read;
  };
  for (const Case& c : {Case{"7", 2}, Case{"-3", 0}, Case{"1", 1}, Case{"0", 0}}) {
    file.write_string("Edit", "SaveOnExit", c.stored);
    EXPECT_EQ(e.GetSaveOnExit(""), c.read) << c.stored;
  }
  e.SetSaveOnExit(9, "X");
  EXPECT_EQ(Stored("Edit~X", "SaveOnExit"), "2");
  e.SetSaveOnExit(-1, "X");
  EXPECT_EQ(Stored("Edit~X", "SaveOnExit"), "0");
}

TEST_F(EditorPreferencesTest, FlagsAreStoredAndReadAsOneOrZero) {
  EditToMoxel& e = prefs;
  e.SetSortLabels(5, "");
  EXPECT_EQ(Stored("Edit", "Sort labels"), "1");
  file.write_string("Edit", "Edit auto-labels", "7");
  EXPECT_EQ(e.GetAutoLabels(""), 1);
  e.SetFindOptions(2, 0, 3, 0, "");
  EXPECT_EQ(Stored("Edit", "Search from top"), "1");
  EXPECT_EQ(Stored("Edit", "Match whole word"), "1");
  EXPECT_EQ(Stored("Edit", "Search down"), "0");
}

TEST_F(EditorPreferencesTest, BadStoredValuesAndBadArguments) {
  EditToMoxel& e = prefs;
  file.write_string("Edit", "Edit point size", "0");
  file.write_string("Edit", "TextFg", "99");
  file.write_string("Edit", "StringBk", "5");
  file.write_string("Edit", "Edit font", "A very long face name that does not fit");
  char font[8];
  int pt = 0;
  e.GetFont(font, sizeof font, &pt, nullptr, nullptr, "");
  EXPECT_STREQ(font, "A very ");
  EXPECT_EQ(pt, 10);
  int fg[8], bg[7];
  EXPECT_EQ(e.GetColors(7, fg, bg, ""), 5) << "the last value read";
  EXPECT_EQ(fg[0], 16) << "a code beyond 16 gives the default";
  int x = 1;
  e.GetDialogPlacement(9, &x, nullptr, nullptr, nullptr, "");
  EXPECT_EQ(x, -1);
  e.SetDialogPlacement(-1, 1, 1, 1, 1, "");
  EXPECT_EQ(e.GetColors(-1, fg, bg, ""), 0);
  EXPECT_EQ(file.key_count("EditFind"), 0u);
}

TEST_F(EditorPreferencesTest, VariantSectionsComeFirst) {
  ini.set_variant("Q");
  file.write_string("Edit~BP", "Edit toolbar", "0");
  EditToMoxel& e = prefs;
  EXPECT_EQ(e.GetToolbar("BP"), 0) << "the plain section when the variant has none";
  file.write_string("Edit~BP-Q", "Edit toolbar", "1");
  EXPECT_EQ(e.GetToolbar("BP"), 1);
  e.SetStatusbar(0, "BP");
  EXPECT_EQ(Stored("Edit~BP-Q", "Edit statusbar"), "0");
  e.SetDialogPlacement(0, 4, 4, 4, 4, "BP");
  EXPECT_EQ(Stored("EditFind~BP-Q", "X"), "4");
}

TEST_F(EditorPreferencesTest, DesktopAndNotices) {
  EditToMoxel& e = prefs;
  RECT r{};
  e.GetDesktopRect(&r);
  EXPECT_EQ((std::vector<long>{r.left, r.top, r.right, r.bottom}), (std::vector<long>{-1280, 0, 1024, 768}));
  e.NotifyPending();
  e.RequestClose(7);
  EXPECT_EQ(port.notifications, 1);
  EXPECT_EQ(port.closes, std::vector<int>{7});
}

TEST(ViewerPreferences, SectionDefaultsAndFlags) {
  tavix::MemoryIni file;
  tavix::VariantIni ini{file};
  HelperToMoxelI viewer;
  viewer.Attach(&ini);
  HelperToMoxel& v = viewer;
  int a = 0, b = 0;
  v.GetListSize(&a, &b);
  EXPECT_EQ((std::vector<int>{a, b}), (std::vector<int>{-1, -1}));
  v.GetListPosition(&a, &b);
  EXPECT_EQ((std::vector<int>{a, b}), (std::vector<int>{-30000, -30000}));
  EXPECT_EQ(v.GetThumbAspect(), 1);
  EXPECT_EQ(v.GetAutoLaunch(), 1);
  EXPECT_EQ(v.GetThumbView(), 1);
  EXPECT_EQ(v.GetImageColWidth(), 100);
  EXPECT_EQ(v.GetThumbDisplay(), -1);
  EXPECT_EQ(v.GetTopmost(), 0);
  v.SetTopmost(4);
  v.SetThumbSize(120, 90);
  v.SetUseDefaultViewer(3);
  char buf[16];
  file.get_string("ImaveView", "Topmost", "", buf, sizeof buf);
  EXPECT_STREQ(buf, "1");
  file.get_string("ImaveView", "ThumbHeight", "", buf, sizeof buf);
  EXPECT_STREQ(buf, "90");
  file.get_string("ImaveView", "UseDefaultViewer", "", buf, sizeof buf);
  EXPECT_STREQ(buf, "1");
  file.write_string("ImaveView", "UseDefaultViewer", "5");
  EXPECT_EQ(v.GetUseDefaultViewer(), 5) << "returned as stored";
  file.write_string("ImaveView", "MainFitMode", "9");
  EXPECT_EQ(v.GetMainFitMode(), 1);
}

}  // namespace
