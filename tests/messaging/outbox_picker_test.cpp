// Which outbox file goes to the host next.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "outbox.h"

namespace {

MessagingFileEntry File(const char* name, uint64_t size = 3, uint64_t time = 7) {
  MessagingFileEntry e;
  e.name = name;
  e.size = size;
  e.time = time;
  return e;
}

std::string NextName(const OutboxPicker& picker, const std::vector<MessagingFileEntry>& entries,
                     const MessagingFolders& folders, const std::string& aux = "",
                     const std::set<std::string>& skip = {}) {
  MessagingFileEntry e;
  return picker.Next(entries, folders, aux, skip, &e) ? e.name : "(none)";
}

TEST(OutboxPicker, CandidatesAndTheScanExtension) {
  MessagingFileEntry readOnly = File("ro.txt"), hidden = File("hid.txt"), system = File("sys.txt"),
                     folder = File("dir.txt");
  readOnly.readOnly = true;
  hidden.hidden = true;
  system.system = true;
  folder.directory = true;
  const MessagingFolders sub{"C:\\m", true, "msg"};
  const MessagingFolders flat{"C:\\m", false, "msg"};
  const MessagingFolders flatAll{"C:\\m", false, ""};
  struct Case {
    MessagingFileEntry entry;
    const MessagingFolders* folders;
    const char* aux;
    bool candidate;
  } cases[] = {
      {File("a.txt"), &sub, "", true},           // with the folders the extension does not matter
      {File("a.txt"), &flat, "", false},         // without them only "*.msg"
      {File("a.MSG"), &flat, "", true},
      {File("a.msgx"), &flat, "", false},
      {File("msg"), &flat, "", false},
      {File("a.txt"), &flatAll, "", true},
      {File("a"), &flatAll, "", true},
      {File("a.txt", 0), &sub, "", false},       // empty
      {readOnly, &sub, "", false},
      {hidden, &sub, "", false},
      {system, &sub, "", false},
      {folder, &sub, "", false},
      {File("AUX00001.txt"), &sub, "C:\\m\\FromPC\\AUX00001.txt", false},  // being filled
      {File("AUX00002.txt"), &sub, "C:\\m\\FromPC\\AUX00001.txt", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OutboxCandidate(c.entry, *c.folders, c.aux), c.candidate)
        << c.entry.name << " sub " << c.folders->useSubdirectory << " ext " << c.folders->scanExtension;
}

TEST(OutboxPicker, NameOrderThenEachFileOnceUntilItChanges) {
  const MessagingFolders f{"C:\\m", true, ""};
  OutboxPicker picker;
  std::vector<MessagingFileEntry> entries = {File("c.txt"), File("A.txt"), File("b.txt")};
  EXPECT_EQ(NextName(picker, entries, f), "A.txt");
  picker.Offered(File("A.txt"));
  EXPECT_EQ(NextName(picker, entries, f), "b.txt");
  picker.Offered(File("b.txt"));
  picker.Offered(File("c.txt"));
  EXPECT_EQ(NextName(picker, entries, f), "(none)");
  entries[2] = File("b.txt", 4);  // grew
  EXPECT_EQ(NextName(picker, entries, f), "b.txt");
  entries[2] = File("b.txt", 3, 8);  // written again, same size
  EXPECT_EQ(NextName(picker, entries, f), "b.txt");
  picker.Forget("A.txt");
  EXPECT_EQ(NextName(picker, entries, f), "A.txt");
  EXPECT_EQ(NextName(picker, entries, f, "", {"A.txt", "b.txt"}), "(none)") << "skipped this round";
  picker.Clear();
  EXPECT_EQ(NextName(picker, entries, f), "A.txt");
}

}  // namespace
