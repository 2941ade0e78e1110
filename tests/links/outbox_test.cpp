// The outbox folder and the auxiliary port's file names in it.
#include <gtest/gtest.h>

#include "outbox.h"

TEST(Outbox, FoldersAndAuxiliaryFileNames) {
  struct {
    const char* directory;
    bool sub;
    const char* extension;
    unsigned counter;
    const char* folder;
    const char* name;
  } cases[] = {
      {"C:\\msg", true, "", 42, "C:\\msg\\FromPC\\", "C:\\msg\\FromPC\\AUX00042.txt"},
      {"C:\\msg\\", true, "dat", 42, "C:\\msg\\FromPC\\", "C:\\msg\\FromPC\\AUX00042.txt"},
      {"Z:/tmp/msg/", false, "", 0, "Z:/tmp/msg/", "Z:/tmp/msg/AUX00000.txt"},
      {"C:\\msg", false, "dat", 99999, "C:\\msg\\", "C:\\msg\\AUX99999.dat"},
      {"C:\\msg", false, "dat", 100001, "C:\\msg\\", "C:\\msg\\AUX00001.dat"},  // five digits, modulo
      {"", true, "", 42, "", ""},
  };
  for (auto& c : cases) {
    MessagingFolders f{c.directory, c.sub, c.extension};
    EXPECT_EQ(OutboxFolder(f), c.folder) << c.directory;
    EXPECT_EQ(AuxOutboxFileName(f, c.counter), c.name) << c.directory << " " << c.counter;
  }
}
