#include "engine_fixture.h"
#include "tones.h"

namespace {

class HostSequences : public EngineTest {};

std::string P(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v + 32);
  return s;
}

// Each sequence: what reaches the host, and what crosses to the services.
TEST_F(HostSequences, RepliesAndSeamCalls) {
  shell.namedScreenFound = false;
  struct Case {
    std::string bytes;
    std::string reply;
    std::string event;  // expected last event, "" for none
  } cases[] = {
      {"\x1bSO", "1", ""},
      {"\x1bSAmain\n", "0", "restore-named main"},
      {"\x1bSCform\n", "0", "check-clear-named form"},
      {"\x1bSLform\n", "0", "load-named form"},
      {"\x1bSS\n", "", "save-named"},
      {"\x1bWR", "", "discard-named"},
      {"\x1bWO" + P({1, 2, 30, 10, 3, 1}) + "Orders\n", "", "open-window 1 2 30 10 3 1 Orders"},
      {"\x1b" "CO" + P({4, 3, 20, 5, 0}) + "Pick\n", "", "open-popup 4 3 20 5 0 Pick"},
      {"\x1b" "CC\n", "", "close-popup"},
      {"\x1bWC\n", "", "close-windows"},
      {"\x1bML" + P({2, 3, 10, 1}) + "K\n", "", "define-item 2 3 10 1 K"},
      {"\x1bMC" + P({7}) + "\n", "", "item-count 7"},
      {"\x1bMS" + P({2, 1}) + "\n", "", "start-selection-S 2 1"},
      {"\x1bMs" + P({0, 0}) + "\n", "", "start-selection-s 0 0"},
      {"\x1bMG\n", P({7, 10, 5, 11, 6}) + "\r", ""},
      {"\x1bMNinvoice.pdf\n", "", "viewer-add invoice.pdf"},
      {"\x1bMB", "", "viewer-clear"},
      {"\x1bMD", "", "viewer-show"},
      {"\x1bMRignored\n", "", ""},
      {"\x1bI" + P({5, 6, 10, 2, 0}) + "init\n", "", "field-I 5 6 10 2 0 init"},
      {"\x1bi" + P({5, 6, 10, 2, 0}) + "\n", "", "field-i 5 6 10 2 0 "},
      {"\x1b^E\n", "", "editor-flag E"},
      {"\x1b^m\n", "", "editor-flag m"},
      {"\x1bV\n", "", "browse-V"},
      {"\x1bT \n", "", "text-block   [] "},
      {"\x1bT!" + P({1, 2, 40, 10, 0, 1}) + "\n", "", "text-block ! [1 2 40 10 0 1] "},
      {"\x1bT#" + P({0, 0, 80, 20, 120}) + "\n", "", "text-block # [0 0 80 20 120] "},
      {"\x1bT$abPROG.BAS\n", "", "text-block $ [65 66] PROG.BAS"},
      {"\x1bTI" + P({30}) + "\n", "", "text-block I [30] "},
      {"\x1bSG", "", "poll-edit"},
      {"\x1bSB", "", "close-remembered-edit"},
      {"\x1bSK" + P({3}) + "\n", "", "close-edit 3"},
      {"\x1bSR" + P({2}) + "Yes\n", "", "answer-edit 2 Yes"},
      {"\x1b" "DC" "a.txt,b.txt\n", "1", "copy a.txt -> b.txt"},
      {"\x1b" "Dc" "a.txt,b.txt\n", "1\xfe" "1234\r", "copy a.txt -> b.txt"},
      {"\x1b" "DCa.txt\n", "1", "copy a.txt -> (no comma)"},
      {"\x1b" "DCa.txt,\n", "1", "copy a.txt -> "},
      {"\x1b" "FC" "out.txt\n", "0\xfe" "5\r", "copy-source -> out.txt"},
      {"\x1b" "DDold.txt\n", "0", "delete old.txt"},
      {"\x1b" "DE xls.xls\n", "0", "open-document xls.xls"},
      {"\x1b" "DEXlocked.doc\n", "0", "open-document-exclusive locked.doc"},
      {"\x1b" "DB Pick a file\n", "C:\\chosen\\Pick a file\r", "choose-file Pick a file"},
      {"\x1b" "DBdPick\n", "C:\\chosen\\Pick\r", "choose-directory Pick"},
      {"\x1b" "DF*.txt\n", "", "list *.txt"},
      {"\x1b" "DIin.dat\n", "", "download in.dat"},
      {"\x1b" "DOup.dat\n", "", "upload-O up.dat"},
      {"\x1b" "DPup.dat\n", "", "upload-P up.dat"},
      {"\x1b" "DRLPT1\n", "", "stream-to LPT1"},
      {"\x1b" "DSsrc.bas\n", "", "send-source src.bas"},
      {"\x1b" "FIsrc.bas\n", "", "open-source src.bas"},
      {"\x1b" "DV\n", "GDL7\r", ""},
      {"\x1b" "DW\n", "SVC\xfcTP\xfdS2\xfcT2\n", ""},
      {"\x1bGA3,Smith\n", "0", "dial-list A 3,Smith"},
      {"\x1bGV\n", "10.0\r", ""},
      {"\x1bGW\n", "W\r", ""},
      {"\x1bGF", "", "dial-file-service"},
      {"\x1bLIjones\n", "", "login jones"},
      {"\x1bLO\n", "", "logout"},
      {"\x1bLP!\"#$\n", "", "disconnect-password 18 52"},
      {"\x1bLP\n", "", "disconnect-password"},
      {"\x1bWTLedger\n", "", "caption Ledger"},
      {"\x1bWA\n", "", "foreground"},
      {"\x1bWP\n", "", "window-behind"},
      {"\x1b^b\n", "", "option-flag set"},
      {"\x1b^B\n", "", "option-flag clear"},
      {"\x1b" "0x", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    shell.sent.clear();
    shell.events.clear();
    Feed(c.bytes);
    EXPECT_EQ(shell.sent, c.reply);
    if (c.event.empty()) {
      EXPECT_TRUE(shell.events.empty()) << shell.events.front();
    } else {
      ASSERT_FALSE(shell.events.empty());
      EXPECT_EQ(shell.events.back(), c.event);
    }
    EXPECT_EQ(Parser.ParseState, GroundState);
  }
}

TEST_F(HostSequences, IdentificationReplyWithAndWithoutAddress) {
  shell.userId = "jsmith";
  Feed("\x1bR\n");
  EXPECT_EQ(shell.sent, "MX 4.23\xfejsmith\n");
  shell.sent.clear();
  shell.localAddress = "127.0.0.1";
  Feed("\x1bRanything\n");
  EXPECT_EQ(shell.sent, "MX 4.23\xfejsmith\xfe" "127.0.0.1\n");
}

TEST_F(HostSequences, StoredPathsHold99Characters) {
  std::string path(150, 'p');
  Feed("\x1b" "DG3" + path + "\n");
  Feed("\x1b" "DA3\n");
  EXPECT_EQ(shell.sent, std::string(99, 'p') + "\r");
  shell.sent.clear();
  Feed("\x1b" "DA7\n" "\x1b" "DAx\n");
  EXPECT_EQ(shell.sent, "\r\r") << "an empty slot and a non-digit both reply empty";
  Feed("\x1b" "DGxlost\n");
  EXPECT_STREQ(StoredPath(3), std::string(99, 'p').c_str());
}

TEST_F(HostSequences, UserScreenTitlesGoToTheirSlots) {
  Feed("\x1bSU" + P({1}) + "Customers\n");
  Feed("\x1bSU" + P({10}) + std::string(60, 't') + "\n");
  Feed("\x1bSU" + P({11}) + "ignored\n");
  Feed("\x1bSU" + P({0}) + "ignored\n");
  EXPECT_STREQ(Screen.win.userScreenTitles[0], "Customers");
  EXPECT_EQ(std::string(Screen.win.userScreenTitles[9]), std::string(40, 't'));
  for (int i = 1; i < 9; ++i) EXPECT_STREQ(Screen.win.userScreenTitles[i], "");
}

TEST_F(HostSequences, RememberCursorStartsTheTimerOnlyWhenNoLevelIsPending) {
  SetWindow(0, 0, 79, 23);
  Feed(kEsc + "Y" + V(3) + V(76) + kEsc + "^C\n");
  EXPECT_EQ(Screen.win.savedCol, 72) << "moved left so that eight cells fit";
  EXPECT_EQ(Screen.win.savedRow, 3);
  EXPECT_TRUE(HasEvent("start-timer 4 900"));
  EXPECT_EQ(Screen.win.pendingLevel, 0);
  shell.events.clear();
  Feed(kEsc + "^C\n");
  EXPECT_FALSE(HasEvent("start-timer 4 900")) << "a level is pending already";
  SetWindow(10, 0, 14, 23);  // too narrow for eight cells: nothing remembered
  Screen.win.savedCol = 0;
  Feed(kEsc + "^C\n");
  EXPECT_EQ(Screen.win.savedCol, 0);
}

TEST_F(HostSequences, StatusTextTakesTwentyFiveCells) {
  Feed("\x1b^I" + std::string(30, 's') + "\n");
  EXPECT_EQ(Row(24, 0, 26), std::string(25, 's') + " ");
}

TEST_F(HostSequences, AuxiliaryOutput) {
  shell.auxOpen = false;
  Feed("\x1b" "A" + P({5}) + "ATZ\x8d\n");
  EXPECT_EQ(shell.sent, "\r") << "no port: a single CR to the host";
  EXPECT_TRUE(shell.events.empty());
  shell.sent.clear();
  Feed("\x1b" "A ATZ\n");
  EXPECT_EQ(shell.sent, "") << "no reply wanted: nothing, even without a port";
  shell.auxOpen = true;
  Feed("\x1b" "A" + P({5}) + "ATZ\x8d\n");
  EXPECT_EQ(shell.sent, "");
  ASSERT_EQ(shell.events.size(), 2u);
  EXPECT_EQ(shell.events[0], "aux-read 5");
  EXPECT_EQ(shell.events[1], "aux-write ATZ\r");
  shell.events.clear();
  Feed("\x1b" "A ATZ\n");
  ASSERT_EQ(shell.events.size(), 1u) << "a blank: no host read";
  shell.events.clear();
  Feed("\x1b" "A\x1f" "ATZ\n");
  ASSERT_EQ(shell.events.size(), 2u);
  EXPECT_EQ(shell.events[0], "aux-read 0") << "a time-out below the blank holds the keyboard for no time";
  shell.events.clear();
  Feed("\x1b" "A" + P({2}) + "\n");
  ASSERT_EQ(shell.events.size(), 1u) << "an empty text writes nothing";
}

TEST_F(HostSequences, TransparentPrintPassesEverythingUpToDc4) {
  Feed("\x1b" "3" "\x1bY\x0cprint me\x14" "after");
  EXPECT_EQ(shell.printed, "\x1bY\x0cprint me\x14");
  EXPECT_TRUE(HasEvent("print-begin"));
  EXPECT_TRUE(HasEvent("print-end"));
  EXPECT_EQ(Row(0, 0, 5), "after");
}

TEST_F(HostSequences, ViewportBrowseSetsBusy) {
  Feed("\x1bv\n");
  EXPECT_TRUE(Screen.busy);
  EXPECT_TRUE(HasEvent("browse-v"));
}

class ScreenDump : public EngineTest {};

TEST_F(ScreenDump, ScreenDumpEscapesControlBytes) {
  Feed(kEsc + "Y" + V(0) + V(0) + "A^B" + kEsc + "Y" + V(1) + V(0) + "\x1e");
  CellAt(5, 0)->glyph = 0x01;
  Feed("\x1bSI \n");
  std::string expected;
  for (int row = 0; row < 25; ++row) {
    std::string line;
    for (int col = 0; col < 80; ++col) {
      uint8_t g = CellAt(col, row)->glyph;
      if (g < 32 || g == '^') {
        char buf[8];
        snprintf(buf, sizeof buf, "^%03d", g);
        line += buf;
      } else {
        line += static_cast<char>(g);
      }
    }
    expected += line + "\r";
  }
  expected += "\r";
  EXPECT_EQ(shell.sent, expected);
  EXPECT_EQ(shell.sent.substr(0, 9), "A^094B  ^");
  EXPECT_NE(shell.sent.find("^001"), std::string::npos);
}

TEST_F(ScreenDump, TraceDumpBreaksLinesEveryEightyBytes) {
  for (int i = 0; i < 170; ++i) shell.trace.push_back(static_cast<uint8_t>('a' + i % 26));
  shell.trace[3] = 0x1b;
  Feed("\x1bSI!\n");
  std::string expected;
  for (int i = 0; i < 170; ++i) {
    expected += shell.trace[i] == 0x1b ? std::string("^027") : std::string(1, static_cast<char>(shell.trace[i]));
    if ((i + 1) % 80 == 0 || i == 169) expected += "\r";
  }
  expected += "\r";
  EXPECT_EQ(shell.sent, expected);
}

TEST_F(ScreenDump, PausesWhileTheChannelDrainsAndLosesNothing) {
  Feed(kEsc + "Y" + V(0) + V(0) + std::string(80, '^'));  // worst case: every byte escaped
  shell.drainRefused = true;
  Feed("\x1bSI \n");
  size_t firstBurst = shell.sent.size();
  EXPECT_EQ(firstBurst, 124u) << "one full buffer went out, then the dump waits";
  EXPECT_NE(shell.drainCallback, nullptr);
  int drains = 0;
  // The channel keeps asking to drain after every burst.
  while (shell.drainCallback && drains < 1000) {
    void (*resume)() = shell.drainCallback;
    shell.drainCallback = nullptr;
    resume();
    ++drains;
  }
  // Everything arrived exactly once, in order.
  EXPECT_EQ(shell.sent.size(), 80u * 4 + 1 + 24 * (80 + 1) + 1);
  EXPECT_EQ(shell.sent.substr(0, 8), "^094^094");
  EXPECT_EQ(shell.sent.back(), '\r');
  EXPECT_GT(drains, 10);
}

}  // namespace
