// The host's transfers through helper endpoints: pokes and executes from a
// download, requests and advise links read by an upload, the web address and
// the helper programs.
#include <cstring>
#include <string>

#include "dde_fixture.h"

namespace {

const std::string kEnd = "\x02";

TEST_F(DdeTest, APokeOverThreeBlocksSendsTheDataAndOneZero) {
  dde.services = {"SRV|TOP"};
  ASSERT_EQ(StartDownload("Papp.exe/x/SRV/TOP/cell"), "\x01") << "DDE destinations acknowledge blocks";
  Feed(EncodeHostBlock("first,", 0));
  Feed(EncodeHostBlock("second,", 1));
  Feed(EncodeHostBlock(std::string(1000, 'z'), 2));
  EXPECT_EQ(TakeSent(), "\r\r\r");
  EXPECT_TRUE(dde.transactions.empty()) << "nothing goes before the end";
  Feed(kEnd);
  EXPECT_EQ(TakeSent(), "\r");
  ASSERT_EQ(dde.transactions.size(), 1u);
  const FakeTransaction& t = dde.transactions[0];
  EXPECT_EQ(t.type, kDdePoke);
  EXPECT_EQ(t.item, "cell");
  EXPECT_EQ(t.data, "first,second," + std::string(1000, 'z') + std::string(1, '\0'));
  EXPECT_TRUE(dde.launches.empty());
  EXPECT_EQ(dde.connects, std::vector<std::string>{"SRV|TOP"});
}

TEST_F(DdeTest, AFailedPokeFailsTheDownload) {
  dde.services = {"SRV|TOP"};
  ASSERT_EQ(StartDownload("P/x/SRV/TOP/cell"), "\x01");
  Feed(EncodeHostBlock("data", 0));
  dde.transactionsFail = true;
  Feed(kEnd);
  EXPECT_EQ(TakeSent(), "\r\x01");
}

// A full 1024-byte chunk goes in whole, and the zero still comes once.
TEST_F(DdeTest, AFullChunkIsAddedAtTheCountWithoutOverrunningTheBuffer) {
  dde.services = {"SRV|TOP"};
  ASSERT_EQ(StartDownload("P/x/SRV/TOP/cell"), "\x01");
  _dest* d = Transfers.currentDownload->destination;
  ASSERT_EQ(d, &TransferObjects.ddeDestination);
  std::memset(Transfers.buffer, 'a', kTransferBufferSize);
  ASSERT_TRUE(d->write(-1));
  std::memset(Transfers.buffer, 'b', kTransferBufferSize);
  ASSERT_TRUE(d->write(3));
  ASSERT_TRUE(d->finish());
  ASSERT_EQ(dde.transactions.size(), 1u);
  EXPECT_EQ(dde.transactions[0].data, std::string(1024, 'a') + "bbb" + std::string(1, '\0'));
  Transfers.currentDownload = nullptr;
}

TEST_F(DdeTest, AnExecuteClosesWithTheDataAsItsCommand) {
  dde.services = {"SRV|system"};
  ASSERT_EQ(StartDownload("E/x/SRV/system/ignored"), "\x01");
  Feed(EncodeHostBlock("[open(\"a.txt\")]", 0) + kEnd);
  EXPECT_EQ(TakeSent(), "\r\r");
  ASSERT_EQ(dde.transactions.size(), 1u);
  EXPECT_EQ(dde.transactions[0].type, kDdeExecute);
  EXPECT_EQ(dde.transactions[0].item, "") << "an execute has no item";
  EXPECT_EQ(dde.transactions[0].data, std::string("[open(\"a.txt\")]") + '\0');
}

TEST_F(DdeTest, ADisconnectDuringAPokeDiscardsItsData) {
  dde.services = {"SRV|TOP"};
  ASSERT_EQ(StartDownload("P/x/SRV/TOP/cell"), "\x01");
  Feed(EncodeHostBlock("data", 0));
  AbandonAllTransfers();
  EXPECT_TRUE(dde.transactions.empty());
  // TearDown checks that the item and data handles are gone.
}

TEST_F(DdeTest, ARequestIsUploadedWholeAndAResendSendsTheSameBytes) {
  std::string answer;
  for (int i = 0; i < 300; ++i) answer += static_cast<char>('A' + i % 26);
  dde.services = {"SRV|TOP"};
  dde.answers["R1C1"] = answer;
  ASSERT_EQ(StartUpload("R/x/SRV/TOP/R1C1"), "\r");
  Feed("\r");
  bool ended = false;
  std::vector<UploadedBlock> first = DecodeUploadBlocks(TakeSent(), &ended);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].data, answer.substr(0, 127));
  Feed("\x01");  // the host asks for the same block again
  std::vector<UploadedBlock> again = DecodeUploadBlocks(TakeSent(), &ended);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].data, first[0].data);
  EXPECT_EQ(again[0].sequence, first[0].sequence);
  std::string rest;
  for (int i = 0; i < 10 && !ended; ++i) {
    Feed("\r");
    for (const UploadedBlock& b : DecodeUploadBlocks(TakeSent(), &ended)) rest += b.data;
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(first[0].data + rest, answer) << "the text without its zero, in order";
  EXPECT_EQ(dde.LiveData(), 0) << "the answer is freed at its end";
  EXPECT_EQ(TransferObjects.ddeSource.read(Transfers.buffer, 10), 0) << "and read no more";
  ASSERT_EQ(dde.transactions.size(), 1u);
  EXPECT_EQ(dde.transactions[0].type, kDdeRequest);
}

TEST_F(DdeTest, ARequestWithoutAnAnswerFailsTheUpload) {
  dde.services = {"SRV|TOP"};
  EXPECT_EQ(StartUpload("R/x/SRV/TOP/none"), "\x01");
  EXPECT_EQ(Transfers.currentUpload, nullptr);
}

TEST_F(DdeTest, AnAdviseLinkReportsItsApplicationsInOneLine) {
  dde.services = {"S1|T1", "S2|T2"};
  ASSERT_EQ(StartUpload("A/x/S1/T1/price"), "\r");
  bool ended = false;
  EXPECT_EQ(UploadAll(&ended), "");
  EXPECT_TRUE(ended) << "an advise start gives the host an empty upload";
  ASSERT_EQ(StartUpload("A/x/S2/T2/qty"), "\r");
  EXPECT_EQ(UploadAll(&ended), "");
  ASSERT_EQ(dde.transactions.size(), 2u);
  EXPECT_EQ(dde.transactions[0].type, kDdeAdviseStart);
  EXPECT_EQ(dde.transactions[1].item, "qty");

  Feed(kAdviseReport);
  EXPECT_EQ(TakeSent(), "\n") << "nothing reported yet";
  DdeAdviseArrived(Dde.slots[1].conversation);
  DdeAdviseArrived(Dde.slots[0].conversation);
  EXPECT_EQ(dde.adviseNotices, 2);
  Feed(kAdviseReport);
  EXPECT_EQ(TakeSent(), "S1\xFCT1\xFDS2\xFCT2\n");
  Feed(kAdviseReport);
  EXPECT_EQ(TakeSent(), "\n") << "the flags were cleared";

  // Stop the link, then close the conversation.
  EXPECT_EQ(StartDownload("S/x/S1/T1/price"), "\r") << "an advise stop answers as a failed start";
  EXPECT_EQ(dde.transactions.back().type, kDdeAdviseStop);
  EXPECT_EQ(StartDownload("C/x/S1/T1/"), "\r");
  EXPECT_EQ(dde.disconnects.size(), 1u);
  EXPECT_EQ(Dde.slots[0].state, kSlotFree);
  const size_t sent = dde.transactions.size();
  EXPECT_EQ(StartDownload("S/x/S1/T1/price"), "\r");
  EXPECT_EQ(dde.transactions.size(), sent) << "no conversation: no advise stop sent";
}

TEST_F(DdeTest, TheAdviseReportKeepsWithinItsBuffer) {
  dde.services = {"ABCDEFGHIJKLMNO|ABCDEFGHIJKLMNO"};
  ASSERT_EQ(StartUpload("A/x/ABCDEFGHIJKLMNO/ABCDEFGHIJKLMNO/i"), "\r");
  DdeAdviseArrived(Dde.slots[0].conversation);
  uint8_t out[40];
  EXPECT_EQ(WriteAdviseReport(out, 30), 0) << "31 bytes do not fit in 30";
  EXPECT_EQ(WriteAdviseReport(out, 31), 31);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 31), "ABCDEFGHIJKLMNO\xFC" "ABCDEFGHIJKLMNO");
}

TEST_F(DdeTest, TwoHttpNamesOpenTheAddressAndGiveAnEmptyUpload) {
  ASSERT_EQ(StartUpload("R/x/&http/&http/http://example.test/a?b=1"), "\r");
  EXPECT_EQ(dde.addresses, std::vector<std::string>{"http://example.test/a?b=1"});
  bool ended = false;
  EXPECT_EQ(UploadAll(&ended), "");
  EXPECT_TRUE(ended);
  EXPECT_TRUE(dde.connects.empty());
  EXPECT_EQ(dde.initializeCalls, 0) << "no conversation needed";
}

struct RegistryNameCase {
  const char* value;
  const char* service;  // connected to
};

TEST_F(DdeTest, RegistryNamesOfFileTypesBecomeServiceAndTopic) {
  const RegistryNameCase cases[] = {{"nsshell", "NETSCAPE"},
                                    {"NSShell", "NETSCAPE"},
                                    {"Mozilla", "Netscape6"},
                                    {"IExplore", "IExplore"},
                                    // 40 bytes read, 15 kept.
                                    {"AVeryLongServiceNameOfFortyBytesExactly!", "AVeryLongServic"}};
  for (const RegistryNameCase& c : cases) {
    dde.classesRoot["http\\shell\\open\\ddeexec\\Application"] = c.value;
    dde.classesRoot["http\\shell\\open\\ddeexec\\Topic"] = "WWW_OpenURL";
    dde.connects.clear();
    dde.launchResult = 2;  // nothing to launch: the open fails after the connect
    EXPECT_EQ(StartUpload("A/x/&http/&http/item"), "\x01");
    ASSERT_EQ(dde.connects.size(), 1u) << c.value;
    EXPECT_EQ(dde.connects[0], std::string(c.service) + "|WWW_OpenURL") << c.value;
  }
  // Another type: its names as they stand, nsshell included.
  dde.classesRoot["sheet\\shell\\open\\ddeexec\\Application"] = "nsshell";
  dde.connects.clear();
  EXPECT_EQ(StartUpload("A/x/&sheet/&sheet/item"), "\x01");
  EXPECT_EQ(dde.connects[0], "nsshell|sheet") << "no registered topic: the type's name";
}

TEST_F(DdeTest, HelperProgramsGetTheFileNameAndAnswerZero) {
  struct Case {
    const char* helper;
    const char* command;
    const char* launched;
  } cases[] = {
      {"edit", "myedit.exe", "myedit.exe c:\\work\\a b.txt"},
      {"edit", "myedit.exe /s %1", "myedit.exe /s c:\\work\\a b.txt"},
      {"edit", "myedit.exe \"%1\" /s", "myedit.exe \"c:\\work\\a b.txt\" /s"},
  };
  for (const Case& c : cases) {
    dde.helpers[c.helper] = c.command;
    dde.launches.clear();
    EXPECT_EQ(StartDownload("Hnotepad c:\\work\\a b.txt/edit///"), "\r") << "the open answers 0";
    ASSERT_EQ(dde.launches.size(), 1u) << c.command;
    EXPECT_EQ(dde.launches[0], c.launched);
  }
  // No helper of that name: A itself runs.
  dde.launches.clear();
  EXPECT_EQ(StartDownload("Hnotepad c:\\f.txt/nothing///"), "\r");
  EXPECT_EQ(dde.launches, std::vector<std::string>{"notepad c:\\f.txt"});
  EXPECT_FALSE(dde.timerRunning) << "nothing waits for a program";
  EXPECT_EQ(dde.initializeCalls, 0);
}

TEST_F(DdeTest, AHelperExtensionFindsItsFileTypesCommand) {
  dde.classesRoot[".tvxdoc"] = "TvxDoc";
  dde.classesRoot["TvxDoc\\shell\\open\\command"] = "z:\\bin\\argrec.exe \"%1\"";
  EXPECT_EQ(StartDownload("Hopen z:\\docs\\x.tvxdoc/&.tvxdoc///"), "\r");
  EXPECT_EQ(dde.launches, std::vector<std::string>{"z:\\bin\\argrec.exe z:\\docs\\x.tvxdoc"});
}

TEST_F(DdeTest, TheRegistryCommandComesBeforeTheHelperList) {
  dde.classesRoot["calc\\shell\\open\\command"] = "registry.exe";
  dde.helpers["calc"] = "list.exe";
  EXPECT_EQ(StartDownload("Hx y/calc///"), "\r");
  EXPECT_EQ(dde.launches, std::vector<std::string>{"registry.exe y"});
}

TEST_F(DdeTest, CommandLinesOf256CharactersFailTheOpen) {
  dde.helpers["long"] = std::string(256, 'c');
  EXPECT_EQ(StartDownload("Hx y/long///"), "\r");
  dde.classesRoot["reg\\shell\\open\\command"] = std::string(300, 'r');
  EXPECT_EQ(StartDownload("Hx y/&reg///"), "\r");
  dde.helpers["edge"] = std::string(250, 'e');
  EXPECT_EQ(StartDownload("Hx 123456/edge///"), "\r") << "250 + 7 characters";
  EXPECT_TRUE(dde.launches.empty()) << "no cut command line ever runs";
  dde.helpers["edge"] = std::string(248, 'e');
  EXPECT_EQ(StartDownload("Hx 123456/edge///"), "\r");
  EXPECT_EQ(dde.launches.size(), 1u) << "255 characters run";
}

TEST_F(DdeTest, BadHelperCommandsFailWithoutLeaks) {
  dde.services = {"SRV|TOP"};
  const char* uploads[] = {"R/x/SRV/TOP", "Xa/b/c/d/e", "P/x/SRV/TOP/i", "H/x///", ""};
  for (const char* u : uploads) EXPECT_EQ(StartUpload(u), "\x01") << u;
  const char* downloads[] = {"R/x/SRV/TOP/i", "A/x/SRV/TOP/i", "P/x/SRV", "C/x/NONE/T/", "S/x/NONE/T/i"};
  for (const char* d : downloads) EXPECT_EQ(StartDownload(d), "\r") << d;
  // No service or topic at all: never DDE's "any application".
  EXPECT_EQ(StartUpload("R////i"), "\x01");
  EXPECT_EQ(StartUpload("Rcmd.exe/&/&/&/i"), "\x01");
  EXPECT_TRUE(dde.connects.empty());
  EXPECT_TRUE(dde.launches.empty());
  dde.initializeFails = true;
  EXPECT_EQ(StartDownload("P/x/SRV/TOP/i"), "\r") << "no DDE instance";
  EXPECT_EQ(dde.LiveStrings(), 0);
  EXPECT_TRUE(InGround());
}

}  // namespace
