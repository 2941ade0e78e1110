// Which files are notices, and how "Msg-in" and "Msg-ack" are served.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messaging_fakes.h"
#include "notice_files.h"

namespace {

TEST(NoticeFiles, AcceptableFiles) {
  struct Case {
    const char* name;
    uint64_t size;
    bool readOnly, hidden, system, directory;
    bool useList;
    const char* list;
    bool accepted;
  } cases[] = {
      {"order.txt", 5, false, false, false, false, false, "", true},
      {"order.TMP", 5, false, false, false, false, false, "", false},   // "tmp" in any case
      {"order.tmp.txt", 5, false, false, false, false, false, "", true},
      {"order", 5, false, false, false, false, false, "", false},       // no extension
      {"order.", 5, false, false, false, false, false, "", false},
      {"order.txt", 0, false, false, false, false, false, "", false},   // empty
      {"order.txt", 5, true, false, false, false, false, "", false},
      {"order.txt", 5, false, true, false, false, false, "", false},
      {"order.txt", 5, false, false, true, false, false, "", false},
      {"order.txt", 5, false, false, false, true, false, "", false},
      {"order.DAT", 5, false, false, false, false, true, "txt,dat", true},
      {"order.dat", 5, false, false, false, false, true, " txt , .DAT ", true},
      {"order.tmp", 5, false, false, false, false, true, "txt,dat", false},
      {"order.txt", 5, false, false, false, false, true, "", false},    // the list is empty
      {"order.da", 5, false, false, false, false, true, "dat", false},
      {"order.xyz", 5, false, false, false, false, true, "txt,*", true},
      {"order.tmp", 5, false, false, false, false, true, "tmp", true},  // the list decides
      {"order", 5, false, false, false, false, true, "*", true},
      {"order", 5, false, false, false, false, true, "txt", false},
      {"order.txt", 0, false, false, false, false, true, "*", false},
  };
  for (const Case& c : cases) {
    MessagingFileEntry e;
    e.name = c.name;
    e.size = c.size;
    e.readOnly = c.readOnly;
    e.hidden = c.hidden;
    e.system = c.system;
    e.directory = c.directory;
    NoticeRules rules{c.useList, c.list};
    EXPECT_EQ(AcceptableNoticeFile(e, rules), c.accepted) << c.name << " list " << c.useList << " \"" << c.list << "\"";
  }
}

class NoticeScan : public ::testing::Test {
 protected:
  const std::string in = "C:\\m\\Msg-in\\";
  const std::string ack = "C:\\m\\Msg-ack\\";
  FakeMessagingFiles files;
  std::vector<std::string> queued, refused;
  NoticeScanner scanner{&files, [this](const std::string& p) { queued.push_back(p); },
                        [this](const std::string& p) { refused.push_back(p); }};
  void SetUp() override {
    files.folders[in];
    files.folders[ack];
  }
};

TEST_F(NoticeScan, MsgInFilesMoveToMsgAckAndAreQueuedInTurn) {
  files.Put(in, "b.txt", "two");
  files.Put(in, "a.txt", "one");
  files.Put(in, "work.tmp", "half");
  EXPECT_EQ(scanner.ProcessIn(in, ack, NoticeRules{}), 2);
  EXPECT_EQ(queued.size(), 2u);
  EXPECT_TRUE(files.Has(ack, "a.txt"));
  EXPECT_TRUE(files.Has(ack, "b.txt"));
  EXPECT_TRUE(files.Has(in, "work.tmp")) << "a tmp file is not touched";
  for (const std::string& q : queued) EXPECT_EQ(q.rfind(ack, 0), 0u) << q << ": the path in Msg-ack";
  EXPECT_TRUE(refused.empty());
}

TEST_F(NoticeScan, AListedExtensionInAnyCaseIsTakenAndOthersStay) {
  files.Put(in, "x.DAT", "d");
  files.Put(in, "y.txt", "t");
  files.Put(in, "z.doc", "o");
  EXPECT_EQ(scanner.ProcessIn(in, ack, NoticeRules{true, "txt,dat"}), 2);
  EXPECT_TRUE(files.Has(ack, "x.DAT"));
  EXPECT_TRUE(files.Has(in, "z.doc"));
}

TEST_F(NoticeScan, AFileThatCannotBeMovedStaysAndIsTriedAgainLater) {
  files.Put(in, "a.txt", "one");
  files.Put(in, "b.txt", "two");
  files.unmovable.insert(in + "a.txt");
  EXPECT_EQ(scanner.ProcessIn(in, ack, NoticeRules{}), 1);
  ASSERT_EQ(queued, std::vector<std::string>{ack + "b.txt"});
  EXPECT_TRUE(files.Has(in, "a.txt"));
  files.unmovable.clear();
  EXPECT_EQ(scanner.ProcessIn(in, ack, NoticeRules{}), 1);
  EXPECT_EQ(queued.back(), ack + "a.txt");
}

TEST_F(NoticeScan, MsgAckFilesAreQueuedWhereTheyAre) {
  files.Put(ack, "done.txt", "x");
  files.Put(ack, "skip.tmp", "x");
  EXPECT_EQ(scanner.ProcessAck(ack, NoticeRules{}), 1);
  EXPECT_EQ(queued, std::vector<std::string>{ack + "done.txt"});
  EXPECT_TRUE(files.Has(ack, "done.txt"));
}

TEST_F(NoticeScan, APathHoldingAFramingByteGoesInShortFormOrNotAtAllAndIsToldOnce) {
  const std::string odd = std::string("caf\xFE.txt");
  const std::string odder = std::string("x\xFD.txt");
  files.Put(ack, odd, "x");
  files.Put(ack, odder, "x");
  files.shortForms[ack + odd] = "C:\\m\\MSG-ACK\\CAF~1.TXT";
  EXPECT_EQ(scanner.ProcessAck(ack, NoticeRules{}), 1);
  EXPECT_EQ(queued, std::vector<std::string>{"C:\\m\\MSG-ACK\\CAF~1.TXT"});
  EXPECT_EQ(refused, std::vector<std::string>{ack + odder});
  EXPECT_TRUE(files.Has(ack, odder)) << "kept";
  scanner.ProcessAck(ack, NoticeRules{});
  EXPECT_EQ(refused.size(), 1u) << "said once";
}

TEST_F(NoticeScan, AMissingFolderQueuesNothing) {
  EXPECT_EQ(scanner.ProcessIn("C:\\none\\", ack, NoticeRules{}), 0);
  EXPECT_EQ(scanner.ProcessAck("C:\\none\\", NoticeRules{}), 0);
  EXPECT_TRUE(queued.empty());
}

}  // namespace
