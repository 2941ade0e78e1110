// The one-shot file services as the host reaches them, over the in-memory files.
#include <string>

#include "text_file_send.h"
#include "transfer_fixture.h"

namespace {

struct CopyCase {
  const char* name;
  std::string text;          // source, comma, destination
  void (*arm)(MemoryFilePort&);
  std::string reply;         // of ESC D c
  bool destinationAfter;     // the destination exists afterwards
};

void Nothing(MemoryFilePort&) {}

class CopyFile : public TransferTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyFile, RepliesTheCountOrTheErrorCode) {
  const CopyCase& c = GetParam();
  files.Put("src.txt", std::string(2500, 's'));
  files.MakeFolders("out");
  c.arm(files);
  Feed(kEsc + "Dc" + c.text + "\n");
  EXPECT_EQ(TakeSent(), c.reply);
  const size_t comma = c.text.find(',');
  const std::string destination = comma == std::string::npos ? "(none)" : c.text.substr(comma + 1);
  EXPECT_EQ(files.Has(destination), c.destinationAfter) << destination;
  EXPECT_EQ(files.Get("src.txt"), std::string(2500, 's')) << "the source is never harmed";
  EXPECT_EQ(files.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Copies, CopyFile,
    ::testing::Values(
        CopyCase{"done", "src.txt,out\\copy.txt", Nothing, "1\xFE" "2500\r", true},
        CopyCase{"no_comma", "src.txt", Nothing, "0\xFE" "1\r", false},
        CopyCase{"no_source", "gone.txt,out\\copy.txt", Nothing, "0\xFE" "2\r", false},
        CopyCase{"no_destination_folder", "src.txt,nowhere\\copy.txt", Nothing, "0\xFE" "3\r", false},
        CopyCase{"onto_itself", "src.txt,./src.txt", Nothing, "0\xFE" "3\r", true},
        CopyCase{"onto_a_device", "src.txt,LPT1", Nothing, "0\xFE" "3\r", false},
        CopyCase{"read_error", "src.txt,out\\copy.txt", [](MemoryFilePort& f) { f.faults.readError.insert("src.txt"); },
                 "0\xFE" "4\r", false},
        CopyCase{"short_write", "src.txt,out\\copy.txt",
                 [](MemoryFilePort& f) { f.faults.sizeLimit["out\\copy.txt"] = 1500; }, "0\xFE" "5\r", false}),
    [](const ::testing::TestParamInfo<CopyCase>& info) { return std::string(info.param.name); });

TEST_F(TransferTest, ShortCopyRepliesOneOrZero) {
  files.Put("a.txt", "abc");
  Feed(kEsc + "DCa.txt,b.txt\n" + kEsc + "DCa.txt,a.txt\n");
  EXPECT_EQ(TakeSent(), "10");
  EXPECT_EQ(files.Get("b.txt"), "abc");
  EXPECT_EQ(files.Get("a.txt"), "abc");
}

TEST_F(TransferTest, DeleteAnswersFromTheDelete) {
  files.Put("old.txt", "x");
  Feed(kEsc + "DDmissing.txt\n" + kEsc + "DDold.txt\n");
  EXPECT_EQ(TakeSent(), "01");
  EXPECT_FALSE(files.Has("old.txt"));
  files.Put("locked.txt", "x");
  files.faults.failRemove = true;
  Feed(kEsc + "DDlocked.txt\n" + kEsc + "DDNUL\n");
  EXPECT_EQ(TakeSent(), "00");
  EXPECT_TRUE(files.Has("locked.txt"));
}

// ---- The current source file ----------------------------------------------------------

TEST_F(TransferTest, CopyFromTheCurrentSourceMakesMissingFoldersAndClosesTheSource) {
  files.Put("src.bas", "PRINT 1");
  Feed(kEsc + "FIsrc.bas\n" + kEsc + "FCa/b/c/dst.bas\n");
  EXPECT_EQ(TakeSent(), "1\xFE" "7\r");
  EXPECT_EQ(files.Get("a\\b\\c\\dst.bas"), "PRINT 1");
  EXPECT_EQ(files.OpenHandles(), 0) << "the source is closed afterwards";
  Feed(kEsc + "FCagain.bas\n");
  EXPECT_EQ(TakeSent(), "0\xFE" "2\r") << "no current source";
}

TEST_F(TransferTest, CopyFromTheCurrentSourceFailures) {
  files.Put("src.bas", "S");
  files.Put("blocker", "a file where a folder should be");
  Feed(kEsc + "FIsrc.bas\n" + kEsc + "FCblocker\\x\\dst.bas\n");
  EXPECT_EQ(TakeSent(), "0\xFE" "6\r");
  Feed(kEsc + "FIsrc.bas\n" + kEsc + "FCsrc.bas\n");
  EXPECT_EQ(TakeSent(), "0\xFE" "3\r") << "onto itself";
  EXPECT_EQ(files.Get("src.bas"), "S");
  Feed(kEsc + "FImissing.bas\n" + kEsc + "FCdst.bas\n");
  EXPECT_EQ(TakeSent(), "0\xFE" "2\r");
  EXPECT_EQ(files.OpenHandles(), 0);
  // A second ESC F I closes the first source; a reset closes the current one.
  Feed(kEsc + "FIsrc.bas\n" + kEsc + "FIsrc.bas\n");
  EXPECT_EQ(files.OpenHandles(), 1);
  ResetConnectionState();
  EXPECT_EQ(files.OpenHandles(), 0);
}

// ---- Listings -----------------------------------------------------------------------------

class Listing : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    files.Put("data\\a.txt", "12345");
    files.Put("data\\b.dat", "");
    files.MakeFolders("data\\sub");
    files.attributes["data\\b.dat"] = {true, true, true};
  }
};

TEST_F(Listing, ADirectoryListsItsEntriesWithoutDotsThen13) {
  Feed(kEsc + "DFdata\n");
  EXPECT_EQ(TakeSent(), "sub\xFD" "0\xFD" "D\xFE" "a.txt\xFD" "5\xFD\xFE" "b.dat\xFD" "0\xFD" "RHS\r");
}

TEST_F(Listing, APlainFileAnswersOneEntryFlaggedF) {
  Feed(kEsc + "DFdata\\a.txt\n");
  EXPECT_EQ(TakeSent(), "a.txt\xFD" "5\xFD" "F\r");
}

TEST_F(Listing, AWildcardListsEveryMatch) {
  files.Put("data\\c.txt", "1");
  Feed(kEsc + "DFdata\\*.txt\n");
  EXPECT_EQ(TakeSent(), "a.txt\xFD" "5\xFD\xFE" "c.txt\xFD" "1\xFD\r");
}

TEST_F(Listing, NothingMatchingSendsOnly13) {
  Feed(kEsc + "DFnowhere\n" + kEsc + "DFdata\\*.none\n");
  EXPECT_EQ(TakeSent(), "\r\r");
}

TEST_F(Listing, EachEntryWaitsForTheOutputToDrain) {
  shell.drainRefused = true;
  shell.fillsOnWrite = true;
  Feed(kEsc + "DFdata\n");
  EXPECT_EQ(TakeSent(), "");
  shell.Drain();
  EXPECT_EQ(TakeSent(), "sub\xFD" "0\xFD" "D");
  shell.Drain();
  EXPECT_EQ(TakeSent(), "\xFE" "a.txt\xFD" "5\xFD");
  shell.Drain();
  EXPECT_EQ(TakeSent(), "\xFE" "b.dat\xFD" "0\xFD" "RHS\r") << "the end follows the last entry";
  shell.fillsOnWrite = false;
  shell.drainRefused = true;
  Feed(kEsc + "DFdata\n");
  ResetConnectionState();
  shell.Drain();
  EXPECT_EQ(TakeSent(), "") << "a reset drops the listing";
}

// ---- Text file send ------------------------------------------------------------------------

int sendsDone = 0;
void CountDone() { ++sendsDone; }

TEST_F(TransferTest, TextFileSendDropsCRSendsLFAs253AndEndsWith254) {
  sendsDone = 0;
  std::string text, expected;
  for (int i = 0; i < 40; ++i) {
    text += "line " + std::to_string(i) + "\r\n";
    expected += "line " + std::to_string(i) + "\xFD";
  }
  expected += "\xFE";
  files.Put("prog.bas", text);
  shell.drainRefused = true;
  shell.fillsOnWrite = true;
  ASSERT_TRUE(StartTextFileSend("prog.bas", CountDone));
  EXPECT_EQ(TakeSent(), "") << "waits for the output queue";
  std::string all;
  int drains = 0;
  for (; drains < 100 && sendsDone == 0; ++drains) {
    shell.Drain();
    std::string chunk = TakeSent();
    EXPECT_LE(chunk.size(), 128u) << "one chunk per drain";
    all += chunk;
  }
  EXPECT_EQ(all, expected);
  EXPECT_EQ(drains, static_cast<int>(text.size() + 127) / 128 + 1) << "a pause after every chunk";
  EXPECT_EQ(sendsDone, 1);
  EXPECT_EQ(files.OpenHandles(), 0);
  EXPECT_FALSE(StartTextFileSend("absent.bas", CountDone));
}

}  // namespace
