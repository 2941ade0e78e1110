// Checksum, text and hexadecimal downloads from the host's byte stream into
// the in-memory files, the auxiliary port and a fake acknowledging endpoint.
#include <string>
#include <vector>

#include "transfer_fixture.h"

namespace {

const std::string kStart = kEsc + "DI";
const std::string kEnd = "\x02";

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

// ---- Decoding ------------------------------------------------------------------

struct EscapeCase {
  const char* name;
  std::string sent;      // the block's data as the host sends it
  std::string decoded;   // what the file must hold
};

class EscapeDecoding : public TransferTest, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(EscapeDecoding, StoresTheValueOfEachEscape) {
  const EscapeCase& c = GetParam();
  Feed(kStart + "out.dat\n");
  ASSERT_EQ(TakeSent(), "\x02") << "a file destination does not acknowledge blocks";
  // The host's framing of the decoded data, with the escapes under test in front.
  std::string block = c.sent;
  uint16_t sum = TestChecksum(c.decoded);
  block += EscapeHostBytes(std::string{static_cast<char>(sum & 0xFF), static_cast<char>(sum >> 8), 0});
  Feed(block + "\r" + kEnd);
  EXPECT_EQ(TakeSent(), "\r");
  EXPECT_EQ(files.Get("out.dat"), c.decoded);
  EXPECT_TRUE(InGround());
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, EscapeDecoding,
    ::testing::Values(EscapeCase{"C_is_255", "\xF0" "C", "\xFF"}, EscapeCase{"240_240_is_240", "\xF0\xF0", "\xF0"},
                      EscapeCase{"bang_is_1", "\xF0!", "\x01"}, EscapeCase{"A_is_33", "\xF0" "A", "!"},
                      EscapeCase{"raw_bytes_stay", "xyz\x7F", "xyz\x7F"},
                      EscapeCase{"end_byte_escaped_is_data", "\xF0\x02", Bytes({0x02 - 32 + 256})}),
    [](const ::testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

TEST_F(TransferTest, TheBlockOf656667WithChecksum142And1IsWrittenAndItsRepeatFailsTheSequence) {
  Feed(kStart + "abc.dat\n");
  TakeSent();
  const std::string block = std::string("ABC") + "\x8E\x01" + "\xF0\x20" + "\r";
  Feed(block);
  EXPECT_EQ(files.Get("abc.dat"), "ABC");
  Feed(block + kEnd);  // sequence 0 again: expected 1
  EXPECT_EQ(TakeSent(), "\x01") << "a bad block without acknowledgements fails the transfer";
  EXPECT_EQ(files.Get("abc.dat"), "ABC");
}

TEST_F(TransferTest, SequenceWrapsFrom255To0) {
  Feed(kStart + "wrap.dat\n");
  TakeSent();
  std::string expected;
  for (int i = 0; i < 258; ++i) {
    std::string data(1, static_cast<char>('a' + i % 26));
    expected += data;
    Feed(EncodeHostBlock(data, static_cast<uint8_t>(i)));
  }
  Feed(kEnd);
  EXPECT_EQ(TakeSent(), "\r");
  EXPECT_EQ(files.Get("wrap.dat"), expected);
}

TEST_F(TransferTest, BlockLengthIsCappedAt1023) {
  Feed(kStart + "cap.dat\n");
  TakeSent();
  const std::string full(1020, 'q');  // with the trailer: exactly 1023 bytes
  Feed(EncodeHostBlock(full, 0));
  EXPECT_EQ(files.Get("cap.dat"), full);
  // Four bytes more: the last stored byte is overwritten, the checksum fails.
  Feed(EncodeHostBlock(full + "rstu", 1) + kEnd);
  EXPECT_EQ(TakeSent(), "\x01");
  EXPECT_EQ(files.Get("cap.dat"), full);
}

TEST_F(TransferTest, OneBadBlockFailsTheWholeTransferWithoutAcknowledgements) {
  Feed(kStart + "bad.dat\n");
  TakeSent();
  Feed(EncodeHostBlock("one", 0));
  Feed(EncodeHostBlockWithSum("two", static_cast<uint16_t>(TestChecksum("two") + 1), 1));
  Feed(EncodeHostBlock("two", 1));  // a resend is ignored: the transfer has failed
  Feed(EncodeHostBlock("three", 2) + kEnd);
  EXPECT_EQ(TakeSent(), "\x01");
  EXPECT_EQ(files.Get("bad.dat"), "one");
  EXPECT_TRUE(InGround());
}

TEST_F(TransferTest, ABlockShorterThanItsTrailerFailsTheTransfer) {
  Feed(kStart + "short.dat\n");
  TakeSent();
  Feed("ab\r" + EncodeHostBlock("later", 0) + kEnd);
  EXPECT_EQ(TakeSent(), "\x01");
  EXPECT_EQ(files.Get("short.dat"), "");
}

struct WriteFault {
  const char* name;
  void (*arm)(MemoryFilePort&);
};

class WriteFaults : public TransferTest, public ::testing::WithParamInterface<WriteFault> {};

// A download whose file cannot be written must not report success.
TEST_P(WriteFaults, FailTheDownloadWithFinalReply1) {
  Feed(kStart + "w.dat\n");
  ASSERT_EQ(TakeSent(), "\x02");
  GetParam().arm(files);
  Feed(EncodeHostBlock("0123456789", 0) + EncodeHostBlock("more", 1) + kEnd);
  EXPECT_EQ(TakeSent(), "\x01");
  EXPECT_NE(files.Get("w.dat"), "0123456789more");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WriteFaults,
    ::testing::Values(WriteFault{"open", [](MemoryFilePort& f) { f.faults.failUpdate.insert("w.dat"); }},
                      WriteFault{"seek", [](MemoryFilePort& f) { f.faults.failSeek.insert("w.dat"); }},
                      WriteFault{"short_write", [](MemoryFilePort& f) { f.faults.sizeLimit["w.dat"] = 4; }}),
    [](const ::testing::TestParamInfo<WriteFault>& info) { return std::string(info.param.name); });

TEST_F(TransferTest, TheCounterShowsThePositionAtColumn71AndIsReleasedAtTheEnd) {
  Feed(kStart + "count.dat\n");
  TakeSent();
  EXPECT_EQ(Screen.message.reserved, 9);
  Feed(EncodeHostBlock(std::string(1000, 'x'), 0));
  EXPECT_EQ(Row(24, 71, 9), "     1000");
  EXPECT_EQ(Hooks.repaints, 0);
  for (int i = 1; i <= 5; ++i) Feed(EncodeHostBlock(std::string(1000, 'x'), static_cast<uint8_t>(i)));
  EXPECT_EQ(Row(24, 71, 9), "     6000");
  EXPECT_EQ(Hooks.repaints, 1) << "one repaint per 5000 bytes";
  Feed(kEnd);
  EXPECT_EQ(Screen.message.reserved, 0);
  EXPECT_EQ(Row(24, 71, 9), std::string(9, ' '));
}

TEST_F(TransferTest, TheEmptyNameWritesTheWorkFile) {
  Feed(kStart + "\n");
  ASSERT_EQ(TakeSent(), "\x02");
  Feed(EncodeHostBlock("work", 0) + kEnd);
  EXPECT_EQ(TakeSent(), "\r");
  EXPECT_EQ(files.Get("./edata"), "work");
}

TEST_F(TransferTest, DevicesAndMissingFoldersFailTheStartWith13) {
  for (const char* name : {"COM1", "nul.txt", "dir\\LPT1", "\\\\.\\PhysicalDrive0", "missing\\x.dat"}) {
    Feed(kStart + name + "\n");
    EXPECT_EQ(TakeSent(), "\r") << name;
    EXPECT_TRUE(InGround()) << name;
    EXPECT_EQ(Transfers.currentDownload, nullptr) << name;
  }
  EXPECT_TRUE(files.files.empty());
}

// ---- The messaging inbox ("&") ------------------------------------------------------

TEST_F(TransferTest, InboxDownloadIsWrittenAsWorkFileAndRenamedWhenComplete) {
  UseMessaging("C:\\msg");
  files.Put("C:\\msg\\ToPC\\order.txt", "old");
  Feed(kStart + "&order.txt\n");
  ASSERT_EQ(TakeSent(), "\x02");
  Feed(EncodeHostBlock("new order", 0));
  EXPECT_EQ(files.Get("C:\\msg\\ToPC\\order.txt.temp"), "new order");
  EXPECT_EQ(files.Get("C:\\msg\\ToPC\\order.txt"), "old") << "replaced only once complete";
  EXPECT_EQ(Row(24, 71, 9), std::string(9, ' ')) << "the inbox is quiet";
  Feed(kEnd);
  EXPECT_EQ(TakeSent(), "\r");
  EXPECT_EQ(files.Get("C:\\msg\\ToPC\\order.txt"), "new order");
  EXPECT_FALSE(files.Has("C:\\msg\\ToPC\\order.txt.temp"));
}

TEST_F(TransferTest, AFailedInboxDownloadIsNotRenamed) {
  UseMessaging("C:\\msg\\");
  Feed(kStart + "&part.txt\n");
  TakeSent();
  Feed(EncodeHostBlock("half", 0) + EncodeHostBlockWithSum("rest", 1, 1) + kEnd);
  EXPECT_EQ(TakeSent(), "\x01");
  EXPECT_FALSE(files.Has("C:\\msg\\ToPC\\part.txt"));
  EXPECT_EQ(files.Get("C:\\msg\\ToPC\\part.txt.temp"), "half");
}

TEST_F(TransferTest, InboxWithoutSubfoldersAndAFailingRename) {
  UseMessaging("D:/inbox", false);
  files.faults.failRename = true;
  Feed(kStart + "&a.txt\n");
  ASSERT_EQ(TakeSent(), "\x02");
  EXPECT_TRUE(files.Has("D:\\inbox\\a.txt.temp")) << "the directory itself without sub-folders";
  Feed(EncodeHostBlock("x", 0) + kEnd);
  EXPECT_EQ(TakeSent(), "\x01") << "a failed rename fails the transfer";
}

TEST_F(TransferTest, InboxNamesThatLeaveTheFolderOrNoMessagingFailTheStart) {
  Feed(kStart + "&a.txt\n");
  EXPECT_EQ(TakeSent(), "\r") << "messaging off";
  UseMessaging("C:\\msg");
  for (const char* name : {"&..\\evil", "&sub/x", "&c:x", "&..", "&", "&COM1"}) {
    Feed(kStart + name + "\n");
    EXPECT_EQ(TakeSent(), "\r") << name;
  }
  EXPECT_TRUE(files.files.empty());
}

// ---- Ends: disconnects and bad input --------------------------------------------------

TEST_F(TransferTest, ADisconnectMidDownloadKeepsThePartialFileAndGivesTheStreamBack) {
  UseMessaging("C:\\msg");
  Feed(kStart + "keep.dat\n" + EncodeHostBlock("first ", 0) + EncodeHostBlock("second", 1) + "partial");
  ResetConnectionState();
  EXPECT_EQ(files.Get("keep.dat"), "first second");
  EXPECT_TRUE(InGround());
  EXPECT_EQ(Transfers.currentDownload, nullptr);
  EXPECT_EQ(Screen.message.reserved, 0);
  Feed(kStart + "&in.txt\n" + EncodeHostBlock("x", 0));
  ResetConnectionState();
  EXPECT_TRUE(files.Has("C:\\msg\\ToPC\\in.txt.temp"));
  EXPECT_FALSE(files.Has("C:\\msg\\ToPC\\in.txt")) << "a partial inbox file is never reported complete";
  Feed("after");
  EXPECT_EQ(Row(0, 0, 5), "after");
}

TEST_F(TransferTest, StrayEscapesAndOverlongBlocksNeverCrash) {
  Feed(kStart + "junk.dat\n");
  TakeSent();
  std::string junk(5000, '\xF0');
  junk += std::string(3000, 'z') + "\r\xF0\r\r\r";
  Feed(junk + kEnd);
  EXPECT_EQ(TakeSent(), "\x01");
  EXPECT_EQ(files.Get("junk.dat"), "");
  EXPECT_TRUE(InGround());
}

// ---- The auxiliary port ----------------------------------------------------------------

TEST_F(TransferTest, AuxiliaryPortDownloadWritesTheBytesWhenThePortIsOpen) {
  Feed(kStart + ":AUX\n");
  EXPECT_EQ(TakeSent(), "\r") << "closed port";
  shell.auxOpen = true;
  Feed(kStart + ":AUX\n");
  ASSERT_EQ(TakeSent(), "\x02");
  Feed(EncodeHostBlock(std::string("label\x02\x0d\xff", 8), 0) + EncodeHostBlock("!", 1));
  EXPECT_EQ(Row(24, 71, 9), std::string(9, ' ')) << "the port is quiet";
  Feed(kEnd);
  EXPECT_EQ(TakeSent(), "\r");
  EXPECT_EQ(Hooks.auxWritten, std::string("label\x02\x0d\xff!", 9));
  EXPECT_EQ(Hooks.auxReleases, 1) << "the port is released at the transfer's end";
  Hooks.auxFails = true;
  Feed(kStart + ":AUX\n" + EncodeHostBlock("z", 0) + kEnd);
  EXPECT_EQ(TakeSent(), "\x02\x01");
}

// ---- Acknowledgement mode and pending starts ----------------------------------------------

// A destination that acknowledges blocks, as a DDE conversation does.
class AcknowledgingDestination final : public _dest {
 public:
  std::string written;
  bool failWrites = false;
  bool finished = false;
  bool write(int count) override {
    if (failWrites) return false;
    written.append(reinterpret_cast<const char*>(Transfers.buffer), static_cast<size_t>(count < 0 ? 1024 : count));
    return true;
  }
  bool finish() override { return finished = true; }
  void rewind() override {}
  int64_t position() override { return static_cast<int64_t>(written.size()); }
  bool acknowledges() override { return true; }
  void abandon() override {}
  bool progress_due() override { return false; }
};

AcknowledgingDestination acknowledging;
int helperResult = 1;
std::string helperCommand;

int OpenFakeHelper(const char* command, int direction) {
  helperCommand = command;
  if (helperResult != 0 && direction == 1) SetTransferDestination(&acknowledging);
  return helperResult;
}

class AcknowledgedDownload : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    acknowledging = AcknowledgingDestination{};
    helperResult = 1;
    TransferPorts.openHelperEndpoint = OpenFakeHelper;
  }
};

TEST_F(AcknowledgedDownload, EachBlockIsAnsweredAndARefusedBlockIsResentCleanly) {
  Feed(kStart + "/app|topic\n");
  ASSERT_EQ(TakeSent(), "\x01") << "an acknowledging destination";
  EXPECT_EQ(helperCommand, "app|topic");
  Feed(EncodeHostBlock("first", 0));
  EXPECT_EQ(TakeSent(), "\r");
  Feed(EncodeHostBlockWithSum("second", 7, 1));
  EXPECT_EQ(TakeSent(), "\x02") << "resend";
  Feed(EncodeHostBlock("second", 1));
  EXPECT_EQ(TakeSent(), "\r") << "the resent copy alone makes the block";
  Feed("ab\r");
  EXPECT_EQ(TakeSent(), "\x02") << "a block shorter than its trailer is asked again";
  acknowledging.failWrites = true;
  Feed(EncodeHostBlock("third", 2));
  EXPECT_EQ(TakeSent(), "\x01") << "write failed";
  acknowledging.failWrites = false;
  Feed(EncodeHostBlock("third", 2) + kEnd);
  EXPECT_EQ(TakeSent(), "\r\r");
  EXPECT_EQ(acknowledging.written, "firstsecondthird");
  EXPECT_TRUE(acknowledging.finished);
}

TEST_F(AcknowledgedDownload, APendingStartRepliesWhenItCompletes) {
  helperResult = -1;
  Feed(kStart + "/launch\n");
  EXPECT_EQ(TakeSent(), "");
  SetTransferDestination(&acknowledging);
  CompletePendingStart(1);
  EXPECT_EQ(TakeSent(), "\x01");
  Feed(EncodeHostBlock("late", 0) + kEnd);
  EXPECT_EQ(TakeSent(), "\r\r");
  Feed(kStart + "/launch\n");
  CompletePendingStart(0);
  EXPECT_EQ(TakeSent(), "\r");
  EXPECT_TRUE(InGround());
  CompletePendingStart(1);  // nothing pending any more
  EXPECT_EQ(TakeSent(), "");
}

TEST_F(TransferTest, HelperEndpointsFailWhileNoHelperLayerIsWired) {
  Feed(kStart + "/excel|sheet\n");
  EXPECT_EQ(TakeSent(), "\r");
  Feed(kEsc + "DO/excel|sheet\n");
  EXPECT_EQ(TakeSent(), "\x01");
}

// ---- Text and hexadecimal streams ------------------------------------------------------------

TEST_F(TransferTest, TextDownloadMaps127ToCRAnd255ToLFAndEndsAtCR) {
  std::string text(1500, 'k');
  text[10] = '\x7F';
  text[11] = '\xFF';
  Feed(kEsc + "DRnotes.txt\n" + text + "\rvisible");
  std::string expected(1500, 'k');
  expected[10] = '\r';
  expected[11] = '\n';
  EXPECT_EQ(files.Get("notes.txt"), expected) << "across a full buffer";
  EXPECT_EQ(Row(0, 0, 7), "visible");
  EXPECT_EQ(TakeSent(), "") << "text downloads send no replies";
}

struct HexCase {
  const char* name;
  std::string sent;
  std::string stored;
};

class HexDownload : public TransferTest, public ::testing::WithParamInterface<HexCase> {};

TEST_P(HexDownload, PairsOfDigitsBecomeBytes) {
  Feed(kEsc + "DR~hex.bin\n" + GetParam().sent + "\r");
  EXPECT_EQ(files.Get("hex.bin"), GetParam().stored);
  EXPECT_TRUE(InGround());
}

INSTANTIATE_TEST_SUITE_P(
    Streams, HexDownload,
    ::testing::Values(HexCase{"mixed_case", "4a4B", "JK"}, HexCase{"odd_length_ends_at_cr", "4a4", "J"},
                      HexCase{"invalid_digits_count_0", "zz4z", Bytes({0, 0x40})},
                      HexCase{"empty", "", ""}),
    [](const ::testing::TestParamInfo<HexCase>& info) { return std::string(info.param.name); });

TEST_F(TransferTest, ATextStreamWithoutADestinationGoesToTheBitBucket) {
  Feed(kEsc + "DRmissing\\dir\\x.txt\nswallowed\x7F" "bytes\rshown");
  EXPECT_TRUE(files.files.empty());
  EXPECT_EQ(Row(0, 0, 5), "shown");
  Feed(kEsc + "DRCOM1\nalso swallowed\r");
  EXPECT_TRUE(InGround());
}

TEST_F(TransferTest, ATextStreamWhoseWriteFailsStopsWritingAndIsNotRenamed) {
  UseMessaging("C:\\msg");
  files.faults.sizeLimit["C:\\msg\\ToPC\\t.txt.temp"] = 1500;
  Feed(kEsc + "DR&t.txt\n" + std::string(3000, 'a') + "\r");
  EXPECT_FALSE(files.Has("C:\\msg\\ToPC\\t.txt"));
  EXPECT_EQ(files.Get("C:\\msg\\ToPC\\t.txt.temp").size(), 1500u) << "nothing written after the short write";
}

}  // namespace
