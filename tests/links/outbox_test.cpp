// The outbox folder and the auxiliary port's file names in it.
#include <gtest/gtest.h>

#include "outbox.h"

TEST(Outbox, FoldersAndAuxiliaryFileNames) {
  struct {
    const char* directory;
    bool sub;
    const char* extension;
    const char* folder;
    const char* name;
  } cases[] = {
      {"C:\\msg", true, "", "C:\\msg\\FromPC\\", "C:\\msg\\FromPC\\AUX0000002A.TXT"},
      {"C:\\msg\\", true, "dat", "C:\\msg\\FromPC\\", "C:\\msg\\FromPC\\AUX0000002A.TXT"},
      {"Z:/tmp/msg/", false, "", "Z:/tmp/msg/", "Z:/tmp/msg/AUX0000002A.TXT"},
      {"C:\\msg", false, "dat", "C:\\msg\\", "C:\\msg\\AUX0000002A.dat"},
      {"", true, "", "", ""},
  };
  for (auto& c : cases) {
    MessagingFolders f{c.directory, c.sub, c.extension};
    EXPECT_EQ(OutboxFolder(f), c.folder) << c.directory;
    EXPECT_EQ(AuxOutboxFileName(f, 42), c.name) << c.directory;
  }
}
