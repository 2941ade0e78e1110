#include "viewer_entry.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using viewer::EntryState;

TEST(ViewerEntry, EntryTextSplitsAtTheSeparator) {
  struct Case {
    const char* text;
    const char* path;
    const char* description;
  } cases[] = {
      {"C:\\scan\\a.tif\xfe" "Invoice 1", "C:\\scan\\a.tif", "Invoice 1"},
      {"C:\\scan\\a.tif", "C:\\scan\\a.tif", ""},
      {"\xfe" "only a description", "", "only a description"},
      {"a.png\xfe", "a.png", ""},
      {"a.png\xfe" "two\xfe" "marks", "a.png", "two\xfe" "marks"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const viewer::Entry e = viewer::ParseEntry(c.text);
    EXPECT_EQ(e.path, c.path) << c.text;
    EXPECT_EQ(e.description, c.description) << c.text;
    EXPECT_EQ(e.state, EntryState::kNotOpened);
  }
  EXPECT_EQ(viewer::ParseEntry(nullptr).path, "");
}

TEST(ViewerEntry, DevicePathsAreNeverOpened) {
  const char* devices[] = {"",         "\\\\.\\PhysicalDrive0", "\\\\?\\C:\\a.tif", "//./COM1", "CON",
                           "nul",      "C:\\scan\\NUL.tif",     "c:\\x\\com1",      "LPT9.txt", "aux ",
                           "C:CON",    "conin$",                "D:\\PRN:"};
  for (const char* p : devices) EXPECT_TRUE(viewer::IsDevicePath(p)) << p;
  const char* files[] = {"C:\\scan\\a.tif", "console.png", "C:\\COM10\\x.png", "com0", "lpt10", "\\\\server\\share\\nul.d\\a.png",
                         "CONFIG.SYS"};
  for (const char* p : files) EXPECT_FALSE(viewer::IsDevicePath(p)) << p;
}

// What examining finds, and what the list and the thumbnail then show.
TEST(ViewerEntry, StatesAfterExamining) {
  struct Case {
    const char* path;
    viewer::Examined found;
    EntryState state;
    const char* type;  // the list's own text, or "" for a reachable file
    const char* thumb;
    uint64_t size;
  } cases[] = {
      {"", {true, 0, 99}, EntryState::kInvalid, "Invalid file", "", 0},
      {"\\\\.\\COM1", {true, 0, 99}, EntryState::kInvalid, "Invalid file", "", 0},
      {"C:\\missing.tif", {false, 2, 0}, EntryState::kNotDisplayable, "File not found", "NOT FOUND", 0},
      {"C:\\nopath\\x.tif", {false, 3, 0}, EntryState::kNotDisplayable, "File not found", "NOT FOUND", 0},
      {"C:\\folder", {false, 5, 0}, EntryState::kNotDisplayable, "Access denied", "ACCESS DENIED", 0},
      {"C:\\held.tif", {false, 32, 0}, EntryState::kNotDisplayable, "File not found", "FILE IN USE", 0},
      {"C:\\big.tif", {true, 0, 5368709120ull}, EntryState::kNotOpened, "", "", 5368709120ull},
  };
  for (const Case& c : cases) {
    viewer::Entry e = viewer::ParseEntry(c.path);
    viewer::ApplyExamined(e, c.found);
    EXPECT_EQ(e.state, c.state) << c.path;
    EXPECT_EQ(e.typeName, c.type) << c.path;
    EXPECT_STREQ(viewer::ThumbnailFailureText(e), c.thumb) << c.path;
    EXPECT_EQ(e.size, c.size) << c.path;
  }
}

TEST(ViewerEntry, AFileReachableAgainStartsOver) {
  viewer::Entry e = viewer::ParseEntry("C:\\held.tif");
  viewer::ApplyExamined(e, {false, 32, 0});
  viewer::ApplyExamined(e, {true, 0, 10});
  EXPECT_EQ(e.state, EntryState::kNotOpened);
  EXPECT_STREQ(viewer::ThumbnailFailureText(e), "");
}

TEST(ViewerEntry, OpeningByState) {
  using viewer::OpenAction;
  struct Case {
    EntryState state;
    bool useDefault;
    OpenAction action;
  } cases[] = {
      {EntryState::kNotOpened, false, OpenAction::kImageWindow},
      {EntryState::kDisplayable, false, OpenAction::kImageWindow},
      {EntryState::kNotOpened, true, OpenAction::kSystemOpen},
      {EntryState::kDisplayable, true, OpenAction::kSystemOpen},
      {EntryState::kSystemProgram, false, OpenAction::kSystemOpen},
      {EntryState::kNotDisplayable, false, OpenAction::kSystemOpen},
      {EntryState::kOpen, false, OpenAction::kRefuse},
      {EntryState::kInvalid, false, OpenAction::kRefuse},
      {EntryState::kInvalid, true, OpenAction::kRefuse},
  };
  for (const Case& c : cases) {
    viewer::Entry e;
    e.state = c.state;
    EXPECT_EQ(viewer::DecideOpen(e, c.useDefault), c.action) << static_cast<int>(c.state) << c.useDefault;
  }
}

TEST(ViewerEntry, PrintingByState) {
  using viewer::PrintAction;
  const std::pair<EntryState, PrintAction> cases[] = {
      {EntryState::kDisplayable, PrintAction::kImageControl}, {EntryState::kOpen, PrintAction::kImageControl},
      {EntryState::kNotOpened, PrintAction::kSystemPrint},    {EntryState::kSystemProgram, PrintAction::kSystemPrint},
      {EntryState::kNotDisplayable, PrintAction::kSystemPrint}, {EntryState::kInvalid, PrintAction::kInvalid},
  };
  for (const auto& c : cases) {
    viewer::Entry e;
    e.state = c.first;
    EXPECT_EQ(viewer::DecidePrint(e), c.second) << static_cast<int>(c.first);
  }
}

TEST(ViewerEntry, ImageExtensions) {
  for (const char* p : {"a.png", "A.TIF", "x\\y.tiff", "b.JPG", "c.jpeg", "d.bmp", "e.gif"})
    EXPECT_TRUE(viewer::IsImageExtension(p)) << p;
  for (const char* p : {"a.tvxdoc", "png", "dir.png\\file", "a.png.txt", ""}) EXPECT_FALSE(viewer::IsImageExtension(p)) << p;
}

}  // namespace
