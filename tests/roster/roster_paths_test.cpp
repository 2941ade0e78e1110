// The roster library's fixed-size texts: the helper library's path from the
// registry value, the settings file from the profile folder, and entries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "roster_paths.h"

using roster::kTextSize;

namespace {

std::string Library(const std::string& value, std::size_t size) {
  char out[kTextSize];
  std::memset(out, 'x', sizeof out);
  if (!roster::LibraryPathFromStartup(value.data(), size, out)) return out[0] == 0 ? "<refused>" : "<dirty>";
  return out;
}

}  // namespace

TEST(RosterLibraryPath, FolderFromTheRegistryAndTheLibraryName) {
  const std::string folder = "C:\\Program Files\\Tavix";
  // The value as the registry gives it: with its zero, and without one.
  EXPECT_EQ(Library(folder + '\0', folder.size() + 1), folder + "\\helper.dll");
  EXPECT_EQ(Library(folder, folder.size()), folder + "\\helper.dll");
  // Bytes after a zero are not part of the folder.
  EXPECT_EQ(Library(std::string("C:\\A\0junk", 9), 9), "C:\\A\\helper.dll");
}

TEST(RosterLibraryPath, WhatDoesNotFitIn260BytesIsRefused) {
  const std::size_t name = std::strlen("\\helper.dll");
  struct Case {
    std::size_t folder;
    bool fits;
  } cases[] = {
      {kTextSize - 1 - name, true},   // 259 bytes and the zero
      {kTextSize - name, false},      // one byte too many
      {kTextSize, false},             // a full, unterminated 260-byte value
  };
  for (const Case& c : cases) {
    const std::string folder(c.folder, 'd');
    const std::string got = Library(folder, folder.size());
    if (c.fits) {
      EXPECT_EQ(got, folder + "\\helper.dll") << c.folder;
      EXPECT_EQ(got.size(), kTextSize - 1);
    } else {
      EXPECT_EQ(got, "<refused>") << c.folder;
    }
  }
  // A size past 260 is never read past 260 bytes.
  const std::string huge(1000, 'd');
  EXPECT_EQ(Library(huge, huge.size()), "<refused>");
}

TEST(RosterLibraryPath, EmptyOrMissingValueIsRefused) {
  EXPECT_EQ(Library(std::string("\0", 1), 1), "<refused>");
  EXPECT_EQ(Library("", 0), "<refused>");
  char out[kTextSize];
  EXPECT_FALSE(roster::LibraryPathFromStartup(nullptr, 10, out));
}

TEST(RosterSettingsPath, ExpandedProfileFolderAndTheFileName) {
  struct Case {
    std::string expanded;
    std::size_t needed;  // what the expansion asked for, with its zero
    const char* want;    // null: refused
  } cases[] = {
      {"C:\\users\\ann\\Corvane", 22, "C:\\users\\ann\\Corvane\\corvane.ini"},
      // USERPROFILE not set: the expansion leaves the name.
      {"%USERPROFILE%\\Corvane", 22, nullptr},
      // The expansion did not fit its buffer.
      {std::string(259, 'p'), 400, nullptr},
      // It fit, but the file name does not fit behind it.
      {std::string(250, 'p'), 251, nullptr},
      {"", 0, nullptr},  // the expansion failed
  };
  for (const Case& c : cases) {
    char out[kTextSize];
    std::memset(out, 'x', sizeof out);
    const bool ok = roster::SettingsPathFromProfile(c.expanded.c_str(), c.needed, out);
    if (c.want) {
      EXPECT_TRUE(ok) << c.expanded;
      EXPECT_STREQ(out, c.want);
    } else {
      EXPECT_FALSE(ok) << c.expanded;
      EXPECT_STREQ(out, "");
    }
  }
  // The longest folder that still fits.
  const std::string longest(kTextSize - 1 - std::strlen("\\corvane.ini"), 'p');
  char out[kTextSize];
  ASSERT_TRUE(roster::SettingsPathFromProfile(longest.c_str(), longest.size() + 1, out));
  EXPECT_EQ(std::strlen(out), kTextSize - 1);
}

TEST(RosterSettingsPath, FolderOfTheFile) {
  char out[kTextSize];
  ASSERT_TRUE(roster::FolderOf("C:\\users\\ann\\Corvane\\corvane.ini", out));
  EXPECT_STREQ(out, "C:\\users\\ann\\Corvane");
  EXPECT_FALSE(roster::FolderOf("corvane.ini", out));
}

TEST(RosterEntry, PathSeparatorDescription) {
  char out[kTextSize];
  EXPECT_EQ(roster::BuildEntry("c:\\images\\fax.tif", "test description", out), roster::EntryResult::Whole);
  EXPECT_EQ(std::string(out), std::string("c:\\images\\fax.tif\xFE" "test description"));
  // Null texts are empty ones.
  EXPECT_EQ(roster::BuildEntry("a.png", nullptr, out), roster::EntryResult::Whole);
  EXPECT_EQ(std::string(out), "a.png\xFE");
  EXPECT_EQ(roster::BuildEntry(nullptr, "d", out), roster::EntryResult::Whole);
  EXPECT_EQ(std::string(out), "\xFE" "d");
}

TEST(RosterEntry, NeverPast259BytesDescriptionCutPathRefused) {
  struct Case {
    std::size_t path, description;
    roster::EntryResult result;
    std::size_t keptDescription;
  } cases[] = {
      {100, 158, roster::EntryResult::Whole, 158},           // exactly 259
      {100, 159, roster::EntryResult::DescriptionCut, 158},  // one over: cut
      {100, 5000, roster::EntryResult::DescriptionCut, 158},
      {258, 10, roster::EntryResult::DescriptionCut, 0},     // the path and the separator fill it
      {259, 0, roster::EntryResult::PathTooLong, 0},         // no room for the separator
      {4000, 0, roster::EntryResult::PathTooLong, 0},
  };
  for (const Case& c : cases) {
    const std::string path(c.path, 'p'), description(c.description, 'd');
    char out[kTextSize + 16];
    std::memset(out, 'x', sizeof out);
    char(&entry)[kTextSize] = *reinterpret_cast<char(*)[kTextSize]>(out);
    EXPECT_EQ(roster::BuildEntry(path.c_str(), description.c_str(), entry), c.result) << c.path << "+" << c.description;
    for (std::size_t i = kTextSize; i < sizeof out; ++i) ASSERT_EQ(out[i], 'x') << "written past the entry";
    if (c.result == roster::EntryResult::PathTooLong) {
      EXPECT_STREQ(entry, "");
      continue;
    }
    EXPECT_EQ(std::string(entry), path + '\xFE' + description.substr(0, c.keptDescription));
    EXPECT_LE(std::strlen(entry), kTextSize - 1);
  }
}
