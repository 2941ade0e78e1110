// Raw print jobs, transparent printing, the ":LP" endpoint and the text
// print of the screen, on a recording spooler.
#include <ctime>
#include <string>
#include <vector>

#include "transfer_fixture.h"

namespace {

class RecordingSpooler final : public SpoolerPort {
 public:
  std::vector<std::string> writes;  // one entry per spooler write
  std::vector<std::string> log;
  int startDocError = 0;   // non-zero: StartDocument fails with it
  int startPageError = 0;
  bool failWrites = false;
  int openPrinters = 0;

  PrinterHandle Open(const char* name) override {
    log.push_back(std::string("open ") + name);
    ++openPrinters;
    return 7;
  }
  void Close(PrinterHandle) override {
    log.push_back("close");
    --openPrinters;
  }
  bool StartDocument(PrinterHandle, const char* name, const char* type, int* error) override {
    log.push_back(std::string("doc ") + name + " " + type);
    *error = startDocError;
    return startDocError == 0;
  }
  bool StartPage(PrinterHandle, int* error) override {
    log.push_back("page");
    *error = startPageError;
    return startPageError == 0;
  }
  bool Write(PrinterHandle, const uint8_t* bytes, int count, int* error) override {
    writes.emplace_back(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    *error = 5;
    return !failWrites;
  }
  bool EndPage(PrinterHandle) override {
    log.push_back("end-page");
    return true;
  }
  bool EndDocument(PrinterHandle) override {
    log.push_back("end-doc");
    return true;
  }
  void Abort(PrinterHandle) override { log.push_back("abort"); }
  std::string All() const {
    std::string s;
    for (const std::string& w : writes) s += w;
    return s;
  }
};

RecordingSpooler spooler;
std::vector<std::string> messages;
void RecordMessage(const char* text) { messages.emplace_back(text); }

class PrintTest : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    spooler = RecordingSpooler{};
    messages.clear();
    PrintPorts = PrintWiring{&spooler, RecordMessage};
    Print.transparentPrinter = spooler.Open("Office");
    spooler.log.clear();
  }
  const std::string kPrint = kEsc + "3";
};

TEST_F(PrintTest, TransparentBytesGoInOneWriteAndByte20EndsTheJob) {
  Feed(kPrint + "AB\x14" "after");
  EXPECT_EQ(spooler.writes, (std::vector<std::string>{"AB"}));
  EXPECT_EQ(spooler.log, (std::vector<std::string>{"doc Corvane transparent print RAW", "page", "end-page", "end-doc"}));
  EXPECT_FALSE(Print.jobOpen);
  EXPECT_EQ(Row(0, 0, 5), "after");
  EXPECT_TRUE(messages.empty());
}

TEST_F(PrintTest, AFinalFormFeedGoesInAWriteOfItsOwn) {
  Feed(kPrint + "page one\x0c\x14");
  EXPECT_EQ(spooler.writes, (std::vector<std::string>{"page one", "\x0c"}));
}

TEST_F(PrintTest, EightyThreeBytesEndingInAFormFeedWrite82AndKeepTheFormFeed) {
  std::string line(82, 'x');
  Feed(kPrint + line + "\x0c" "tail\x14");
  EXPECT_EQ(spooler.writes, (std::vector<std::string>{line, "\x0c" "tail"}));
  spooler.writes.clear();
  std::string full(83, 'y');
  Feed(kPrint + full + full + "z\x14");
  EXPECT_EQ(spooler.writes, (std::vector<std::string>{full, full, "z"})) << "a spooler write per 83 bytes";
}

TEST_F(PrintTest, OtherRoutesDiscardTheData) {
  Print.route = 1;
  Feed(kPrint + "lost\x14" "shown");
  EXPECT_TRUE(spooler.writes.empty());
  EXPECT_TRUE(spooler.log.empty());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Row(0, 0, 5), "shown");
}

struct JobFailure {
  const char* name;
  void (*arm)();
  std::string message;
};

class JobFailures : public PrintTest, public ::testing::WithParamInterface<JobFailure> {};

TEST_P(JobFailures, ShowThePrintErrorAtTheJobsEnd) {
  GetParam().arm();
  Feed(kPrint + std::string(200, 'p') + "\x14");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], GetParam().message);
  EXPECT_FALSE(Print.jobOpen);
  EXPECT_EQ(Print.errorText[0], 0) << "shown and cleared";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, JobFailures,
    ::testing::Values(
        JobFailure{"no_printer", [] { Print.transparentPrinter = kNoPrinter; },
                   "Printing function not supported by this printer"},
        JobFailure{"invalid_handle", [] { spooler.startDocError = 6; },
                   "Printing function not supported by this printer\nInvalid slave printer"},
        JobFailure{"start_doc", [] { spooler.startDocError = 1804; },
                   "Printing function not supported by this printer\nStartDocPrinter error 1804"},
        JobFailure{"start_page", [] { spooler.startPageError = 87; },
                   "Printing function not supported by this printer\nStartPagePrinter error 87"},
        JobFailure{"write", [] { spooler.failWrites = true; },
                   "Printing function not supported by this printer\nWritePrinter error 5"}),
    [](const ::testing::TestParamInfo<JobFailure>& info) { return std::string(info.param.name); });

TEST_F(PrintTest, AFailedPageStartEndsTheDocument) {
  spooler.startPageError = 87;
  Feed(kPrint + "x\x14");
  EXPECT_EQ(spooler.log, (std::vector<std::string>{"doc Corvane transparent print RAW", "page", "end-doc"}));
}

TEST_F(PrintTest, ExitWritesAJobsBufferedBytesAndClosesThePrinter) {
  Feed(kPrint + "unfinished");
  ClosePrinters();
  EXPECT_EQ(spooler.writes, (std::vector<std::string>{"unfinished"}));
  EXPECT_EQ(spooler.log.back(), "close");
  EXPECT_EQ(spooler.openPrinters, 0);
  EXPECT_EQ(Print.transparentPrinter, kNoPrinter);
}

TEST_F(PrintTest, ANewTransparentPrintEndsAJobACutStreamLeftOpen) {
  Feed(kPrint + "cut");
  ResetConnectionState();
  Feed(kPrint + "next\x14");
  EXPECT_EQ(spooler.writes, (std::vector<std::string>{"cut", "next"}));
}

// ---- The ":LP" download endpoint ------------------------------------------------------

TEST_F(PrintTest, PrinterDownloadPrintsEveryByteAndEndsWithTheTransfer) {
  Feed(kEsc + "DI:LP\n");
  ASSERT_EQ(TakeSent(), "\x02");
  EXPECT_TRUE(spooler.log.empty()) << "the job starts with the first write";
  const std::string data = std::string("report\x14line\x0c", 12) + std::string(90, '-');
  Feed(EncodeHostBlock(data, 0));
  EXPECT_EQ(Row(24, 71, 9), std::string(9, ' ')) << "the printer is quiet";
  Feed("\x02");
  EXPECT_EQ(TakeSent(), "\r");
  EXPECT_EQ(spooler.All(), data) << "byte 20 is data inside a transfer";
  EXPECT_EQ(spooler.log.back(), "end-doc");
  EXPECT_TRUE(messages.empty());
}

TEST_F(PrintTest, PrinterDownloadWithoutAJobShowsTheErrorAndEndsWith1) {
  Print.transparentPrinter = kNoPrinter;
  Feed(kEsc + "DI:LP\n");
  ASSERT_EQ(TakeSent(), "\x02");
  Feed(EncodeHostBlock("lost", 0) + EncodeHostBlock("too", 1) + "\x02");
  EXPECT_EQ(TakeSent(), "\x01");
  EXPECT_EQ(messages, (std::vector<std::string>{"Printing function not supported by this printer"}));
  spooler.failWrites = true;
  Print.transparentPrinter = 7;
  messages.clear();
  Feed(kEsc + "DI:LP\n" + EncodeHostBlock(std::string(200, 'w'), 0) + "\x02");
  EXPECT_EQ(TakeSent(), "\x02\x01") << "a failed spooler write fails the transfer";
  EXPECT_EQ(messages.size(), 1u);
}

// ---- The text print of the screen ----------------------------------------------------------

TEST_F(PrintTest, TextPrintIsThreeLineFeedsTwentyFiveRowsTheFooterAndAFormFeed) {
  Cell rows[kScreenRows * kScreenCols];
  for (int r = 0; r < kScreenRows; ++r)
    for (int c = 0; c < kScreenCols; ++c) rows[r * kScreenCols + c] = Cell{0, 0, 0, static_cast<uint8_t>('A' + r)};
  rows[0].glyph = 30;
  rows[1].glyph = 31;
  rows[2].glyph = 20;  // a printable glyph, not the end of the job
  ASSERT_TRUE(TextPrint(9, rows, kScreenRows, "user  footer"));
  std::string expected = "\n\n\n";
  for (int r = 0; r < kScreenRows; ++r) {
    std::string line(80, static_cast<char>('A' + r));
    if (r == 0) line.replace(0, 3, "\xAE\xAF\x14");
    expected += line + "\r\n";
  }
  expected += "user  footer\r\n\x0c";
  EXPECT_EQ(spooler.All(), expected);
  EXPECT_EQ(spooler.writes.back(), "\x0c");
  for (size_t i = 0; i + 2 < spooler.writes.size(); ++i) EXPECT_EQ(spooler.writes[i].size(), 83u) << i;
  EXPECT_FALSE(Print.jobOpen);
  EXPECT_TRUE(messages.empty());
  ASSERT_FALSE(TextPrint(kNoPrinter, rows, kScreenRows, "x"));
  EXPECT_EQ(messages, (std::vector<std::string>{"Printing function not supported by this printer"}));
}

struct FooterCase {
  const char* name;
  std::string user;
  std::string title;
  std::string tail;  // what follows the time
};

class Footer : public ::testing::TestWithParam<FooterCase> {};

TEST_P(Footer, HoldsUserTimeAndTheTitleWithoutTheProductName) {
  const FooterCase& c = GetParam();
  std::tm t = {};
  t.tm_year = 126;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 9;
  t.tm_min = 7;
  t.tm_sec = 3;
  t.tm_isdst = -1;
  std::time_t when = std::mktime(&t);
  std::string footer = PrintFooter(c.user.c_str(), when, c.title.c_str());
  // The C library's 24 characters; the Windows one writes the day with a zero.
  const std::string head = c.user + "  Thu Mar  5 09:07:03 2026";
  std::string zeroDay = head;
  zeroDay[c.user.size() + 2 + 8] = '0';
  const std::string got = footer.substr(0, head.size());
  ASSERT_TRUE(got == head || got == zeroDay) << got;
  EXPECT_EQ(footer.substr(head.size()), c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, Footer,
    ::testing::Values(FooterCase{"no_title", "jo", "Moxel", ""}, FooterCase{"product_and_blank_only", "jo", "Moxel ", ""},
                      FooterCase{"host", "jo", "Moxel 127.0.0.1 Ledger", "  127.0.0.1 Ledger"},
                      // 80 + 6 - 28 - 2 = 56: the title is cut to 55 characters, 49 after the product name.
                      FooterCase{"long", "jo", "Moxel " + std::string(70, 't'), "  " + std::string(49, 't')},
                      // A footer of 84 leaves 0: no title.
                      FooterCase{"long_user", std::string(58, 'u'), "Moxel host", ""}),
    [](const ::testing::TestParamInfo<FooterCase>& info) { return std::string(info.param.name); });

}  // namespace
