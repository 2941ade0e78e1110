// Checksum and hexadecimal uploads from the in-memory files to the host.
#include <string>

#include "transfer_fixture.h"

namespace {

std::string AllBytes() {
  std::string s;
  for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
  return s;
}

class UploadTest : public TransferTest {
 protected:
  // Acknowledge blocks until the end (or the limit); everything sent.
  std::string AcknowledgeAll(int limit = 10000) {
    std::string all;
    for (int i = 0; i < limit; ++i) {
      Feed("\r");
      std::string s = TakeSent();
      all += s;
      if (s.size() >= 2 && s.compare(s.size() - 2, 2, "\x02\n") == 0) break;
    }
    return all;
  }
};

// Each byte's encoding on the wire, as the block shows it.
struct EncodingCase {
  int byte;
  const char* withoutEscape255;  // ESC D O
  const char* withEscape255;     // ESC D P
};

TEST_F(UploadTest, BytesAreEncodedRawOrEscapedInDataAndTrailer) {
  const EncodingCase cases[] = {
      {0, "\xF0\x20", "\xF0\x20"},   {1, "\xF0!", "\xF0!"},        {31, "\xF0\x3F", "\xF0\x3F"},
      {32, " ", " "},                {126, "~", "~"},              {127, "\xF0" "A", "\xF0" "A"},
      {240, "\xF0" "B", "\xF0" "B"}, {255, "\xFF", "\xF0" "C"},    {254, "\xFE", "\xFE"},
      {10, "\xF0*", "\xF0*"},        {13, "\xF0-", "\xF0-"},
  };
  for (const EncodingCase& c : cases) {
    for (bool escape255 : {false, true}) {
      files.Put("one.bin", std::string(1, static_cast<char>(c.byte)));
      Feed(kEsc + (escape255 ? "DP" : "DO") + "one.bin\n");
      ASSERT_EQ(TakeSent(), "\r") << c.byte;
      Feed("\r");
      // One data byte: checksum = the byte, sequence 0; each goes through the same rule.
      std::string data = escape255 ? c.withEscape255 : c.withoutEscape255;
      std::string expected = data + data + "\xF0\x20" "\xF0\x20" "\n";
      EXPECT_EQ(TakeSent(), expected) << "byte " << c.byte << (escape255 ? " after ESC D P" : " after ESC D O");
      Feed("\r");
      EXPECT_EQ(TakeSent(), "\x02\n");
      EXPECT_TRUE(InGround());
    }
  }
}

TEST_F(UploadTest, EveryByteValueRoundTripsThroughBlocksOf127) {
  std::string content;
  for (int i = 0; i < 3; ++i) content += AllBytes();
  files.Put("all.bin", content);
  Feed(kEsc + "DPall.bin\n");
  ASSERT_EQ(TakeSent(), "\r");
  bool ended = false;
  std::vector<UploadedBlock> blocks = DecodeUploadBlocks(AcknowledgeAll(), &ended);
  ASSERT_TRUE(ended);
  ASSERT_EQ(blocks.size(), 7u);  // 768 bytes: six of 127 and one of 6
  std::string joined;
  for (size_t i = 0; i < blocks.size(); ++i) {
    EXPECT_TRUE(blocks[i].checksumOk) << i;
    EXPECT_EQ(blocks[i].sequence, i) << i;
    EXPECT_LE(blocks[i].data.size(), 127u);
    joined += blocks[i].data;
  }
  EXPECT_EQ(joined, content);
  EXPECT_EQ(Transfers.currentUpload, nullptr) << "a finished upload is no longer current";
  EXPECT_EQ(Screen.message.reserved, 0) << "and its counter is released";
  EXPECT_EQ(files.OpenHandles(), 0);
}

TEST_F(UploadTest, OnlyCRStartsTheUploadAndTheCounterShowsPositionPlusBlock) {
  files.Put("c.txt", std::string(300, 'c'));
  Feed(kEsc + "DOc.txt\n");
  TakeSent();
  Feed("x\x01\x02");
  EXPECT_EQ(TakeSent(), "") << "nothing but CR starts it";
  EXPECT_FALSE(InGround());
  Feed("\r");
  EXPECT_EQ(Row(24, 71, 9), "      127");
  Feed("\r");
  EXPECT_EQ(Row(24, 71, 9), "      254");
}

TEST_F(UploadTest, OneAsksForTheSameBlockAndTwoEndsTheUpload) {
  files.Put("r.txt", std::string(200, 'r') + std::string(100, 's'));
  Feed(kEsc + "DOr.txt\n");
  TakeSent();
  Feed("\r");
  std::string first = TakeSent();
  Feed("\x01");
  EXPECT_EQ(TakeSent(), first) << "resend";
  Feed("\r");
  std::string second = TakeSent();
  EXPECT_NE(second, first);
  bool ended;
  EXPECT_EQ(DecodeUploadBlocks(second, &ended)[0].sequence, 1);
  Feed("\x02");
  EXPECT_EQ(TakeSent(), "");
  EXPECT_TRUE(InGround());
  EXPECT_EQ(Transfers.currentUpload, nullptr);
  EXPECT_EQ(Screen.message.reserved, 0);
  Feed("\rtext");
  EXPECT_EQ(TakeSent(), "") << "the stream is the parser's again";
  EXPECT_EQ(Row(0, 0, 4), "text");
}

TEST_F(UploadTest, TheEmptyNameSendsTheWorkFileAndDeletesIt) {
  files.Put("./edata", "work data");
  Feed(kEsc + "DO\n");
  ASSERT_EQ(TakeSent(), "\r");
  bool ended = false;
  std::vector<UploadedBlock> blocks = DecodeUploadBlocks(AcknowledgeAll(), &ended);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].data, "work data");
  EXPECT_TRUE(ended);
  EXPECT_FALSE(files.Has("edata"));
  // A named file stays.
  files.Put("keep.txt", "k");
  Feed(kEsc + "DOkeep.txt\n");
  TakeSent();
  AcknowledgeAll();
  EXPECT_TRUE(files.Has("keep.txt"));
}

TEST_F(UploadTest, AMissingOrDeviceSourceReplies1) {
  for (const char* name : {"missing.txt", "CON", "\\\\?\\C:\\x"}) {
    Feed(kEsc + "DO" + name + "\n");
    EXPECT_EQ(TakeSent(), "\x01") << name;
    EXPECT_TRUE(InGround());
    EXPECT_EQ(Transfers.currentUpload, nullptr);
  }
}

TEST_F(UploadTest, ADisconnectMidUploadReleasesEverything) {
  files.Put("d.txt", std::string(1000, 'd'));
  Feed(kEsc + "DOd.txt\n\r\r");
  ResetConnectionState();
  EXPECT_EQ(Transfers.currentUpload, nullptr);
  EXPECT_EQ(Screen.message.reserved, 0);
  EXPECT_TRUE(InGround());
  EXPECT_EQ(files.OpenHandles(), 0);
}

// ---- Hexadecimal lines -----------------------------------------------------------

TEST_F(UploadTest, HexUploadSendsUpperCaseLinesOnEachCR) {
  std::string content = AllBytes();
  files.Put("h.bin", content);
  Feed(kEsc + "DS~h.bin\n");
  EXPECT_EQ(TakeSent(), "") << "no start reply";
  Feed("x\r");
  std::string line = TakeSent();
  ASSERT_EQ(line.size(), 255u);
  EXPECT_EQ(line.substr(0, 8), "00010203");
  EXPECT_EQ(line.back(), '\r');
  EXPECT_EQ(Row(24, 71, 9), "      127");
  Feed("\r");
  line = TakeSent();
  EXPECT_EQ(line.substr(line.size() - 7), "FBFCFD\r");
  Feed("\r");
  EXPECT_EQ(TakeSent(), "FEFF\r") << "the last two bytes";
  Feed("\r");
  EXPECT_EQ(TakeSent(), "\x02\n");
  EXPECT_TRUE(InGround());
  EXPECT_EQ(Screen.message.reserved, 0);
  EXPECT_EQ(Transfers.currentUpload, nullptr);
}

struct EmptyCase {
  const char* name;
  std::string request;   // the host's request bytes, then text for the screen
  std::string shown;     // what the screen shows afterwards at row 0
};

class EmptyUpload : public UploadTest, public ::testing::WithParamInterface<EmptyCase> {};

// A hexadecimal upload of a file that cannot be opened ends at the host's
// first request, whether the host asks with CR, LF or CR LF.
TEST_P(EmptyUpload, AnswersTheFirstCROrLFWithTheEnd) {
  Feed(kEsc + "DSnothing.txt\n");
  Feed(GetParam().request);
  EXPECT_EQ(TakeSent(), "\x02\n");
  EXPECT_EQ(Row(0, 0, static_cast<int>(GetParam().shown.size())), GetParam().shown);
  EXPECT_TRUE(InGround());
}

INSTANTIATE_TEST_SUITE_P(
    Requests, EmptyUpload,
    ::testing::Values(EmptyCase{"cr", "ab\rNext", "Next"}, EmptyCase{"lf", "\nNext", "Next"},
                      EmptyCase{"cr_lf", "\r\nNext", "Next"}, EmptyCase{"cr_then_text", "\rXY", "XY"}),
    [](const ::testing::TestParamInfo<EmptyCase>& info) { return std::string(info.param.name); });

}  // namespace
