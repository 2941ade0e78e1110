// The system's files behind FilePort, under Wine: what the transfers rely on.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "file_port_win32.h"

namespace {

class Win32Files : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    dir_ = std::string(temp) + "tavix-files-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const char* name : {"a.txt", "b.txt", "ro.txt", "moved.txt"}) {
      SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(Path(name).c_str());
    }
    RemoveDirectoryA(Path("sub").c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  std::string Path(const char* name) const { return dir_ + "\\" + name; }
  bool Put(const char* name, const std::string& bytes) {
    FileHandle f = files.Open(Path(name).c_str(), FileAccess::Create);
    if (f == kNoFile) return false;
    bool ok = files.Write(f, reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size())) ==
              static_cast<int>(bytes.size());
    files.Close(f);
    return ok;
  }
  std::string Get(const char* name) {
    FileHandle f = files.Open(Path(name).c_str(), FileAccess::Read);
    if (f == kNoFile) return "(none)";
    uint8_t buffer[256];
    int n = files.Read(f, buffer, sizeof buffer);
    files.Close(f);
    return std::string(reinterpret_cast<char*>(buffer), n < 0 ? 0 : n);
  }
  Win32FilePort files;
  std::string dir_;
};

TEST_F(Win32Files, UpdateWritesAtAPositionWithoutTruncating) {
  ASSERT_TRUE(Put("a.txt", "0123456789"));
  FileHandle f = files.Open(Path("a.txt").c_str(), FileAccess::Update);
  ASSERT_NE(f, kNoFile);
  ASSERT_TRUE(files.Seek(f, 4));
  EXPECT_EQ(files.Write(f, reinterpret_cast<const uint8_t*>("ab"), 2), 2);
  files.Close(f);
  EXPECT_EQ(Get("a.txt"), "0123ab6789");
  EXPECT_EQ(files.Open(Path("none.txt").c_str(), FileAccess::Update), kNoFile);
  EXPECT_EQ(files.LastFailure(), FileFailure::NotFound);
  EXPECT_EQ(files.Open(Path("no\\such\\x.txt").c_str(), FileAccess::Create), kNoFile);
  EXPECT_EQ(files.LastFailure(), FileFailure::PathNotFound);
}

TEST_F(Win32Files, DevicesAreNotFiles) {
  EXPECT_EQ(files.Open("NUL", FileAccess::Read), kNoFile);
  EXPECT_EQ(files.Open("\\\\.\\NUL", FileAccess::Create), kNoFile);
}

TEST_F(Win32Files, ListingGivesSizesAndFlags) {
  ASSERT_TRUE(Put("a.txt", "12345"));
  ASSERT_TRUE(Put("ro.txt", "x"));
  SetFileAttributesA(Path("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(files.MakeDirectory(Path("sub").c_str()));
  EXPECT_TRUE(files.MakeDirectory(Path("sub").c_str())) << "an existing folder counts";
  EXPECT_FALSE(files.MakeDirectory(Path("a.txt").c_str())) << "not over a file";
  std::vector<FileListEntry> all;
  ASSERT_TRUE(files.List((dir_ + "\\*.*").c_str(), all));
  int seen = 0;
  for (const FileListEntry& e : all) {
    if (e.name == "a.txt") {
      EXPECT_EQ(e.size, 5);
      EXPECT_FALSE(e.directory || e.readOnly);
      ++seen;
    } else if (e.name == "ro.txt") {
      EXPECT_TRUE(e.readOnly);
      ++seen;
    } else if (e.name == "sub") {
      EXPECT_TRUE(e.directory);
      ++seen;
    }
  }
  EXPECT_EQ(seen, 3);
  std::vector<FileListEntry> one;
  ASSERT_TRUE(files.List(Path("a.txt").c_str(), one));
  ASSERT_EQ(one.size(), 1u);
  EXPECT_FALSE(files.List(Path("*.none").c_str(), one));
}

TEST_F(Win32Files, RenameReplacesAndSameFileSeesThroughNames) {
  ASSERT_TRUE(Put("a.txt", "new"));
  ASSERT_TRUE(Put("b.txt", "old"));
  EXPECT_TRUE(files.SameFile(Path("a.txt").c_str(), (dir_ + "\\.\\a.txt").c_str()));
  EXPECT_FALSE(files.SameFile(Path("a.txt").c_str(), Path("b.txt").c_str()));
  EXPECT_FALSE(files.SameFile(Path("a.txt").c_str(), Path("moved.txt").c_str()));
  ASSERT_TRUE(files.Rename(Path("a.txt").c_str(), Path("b.txt").c_str()));
  EXPECT_EQ(Get("b.txt"), "new");
  EXPECT_EQ(Get("a.txt"), "(none)");
  // A file being read may still be deleted by others.
  FileHandle reading = files.Open(Path("b.txt").c_str(), FileAccess::Read);
  ASSERT_NE(reading, kNoFile);
  EXPECT_TRUE(files.Remove(Path("b.txt").c_str()));
  files.Close(reading);
}

}  // namespace
