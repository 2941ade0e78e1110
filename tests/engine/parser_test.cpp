#include <cstring>
#include <random>

#include "engine_fixture.h"
#include "param_collector.h"
#include "parser.h"
#include "render_notify.h"
#include "message_line.h"
#include "tones.h"

namespace {

class Parser_ : public EngineTest {};

TEST_F(Parser_, ControlCodesMoveTheCursorWithinTheWindow) {
  SetWindow(10, 5, 29, 9);
  struct Case {
    const char* name;
    std::string bytes;
    int col, row;
  } cases[] = {
      {"CR to winLeft", "abc\r", 10, 5},
      {"LF down one", "\n", 10, 6},
      {"BS stops at winLeft", "\b\b", 10, 5},
      {"BS back one", "ab\b", 11, 5},
      {"SUB up, stops at winTop", "\n\n\x1a\x1a\x1a", 10, 5},
      {"SOH not busy: bottom-left", "abc\x01", 10, 9},
      {"ACK advances without writing", "\x06\x06", 12, 5},
      {"DLE: window-relative, unclamped", std::string("\x10") + V(-3), 7, 5},
      {"NUL, 0x17, 0x18, 0xFF ignored", std::string("\x00\x17\x18\xff", 4), 10, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Screen.win.cursorCol = 10;
    Screen.win.cursorRow = 5;
    Feed(c.bytes);
    EXPECT_EQ(Screen.win.cursorCol, c.col);
    EXPECT_EQ(Screen.win.cursorRow, c.row);
  }
  Screen.win.cursorCol = 10;
  Screen.win.cursorRow = 8;
  Feed("\x06");
  EXPECT_EQ(Row(8, 10, 1), " ") << "ACK must not write";
}

TEST_F(Parser_, WrapOffLeavesTheColumnPastTheMargin) {
  SetWindow(0, 0, 19, 4);
  Feed(kEsc + "~w");
  Screen.win.cursorCol = 18;
  Feed("ABC");
  EXPECT_EQ(Row(0, 18, 2), "AB");
  EXPECT_EQ(Screen.win.cursorCol, 21);
  EXPECT_EQ(Row(1, 0, 3), "   ");
  Feed("\r");
  EXPECT_EQ(Screen.win.cursorCol, 0);
}

TEST_F(Parser_, WrapOnContinuesOnTheNextRowAndScrollsAtTheBottom) {
  SetWindow(0, 0, 19, 1);
  Feed(kEsc + "~W");
  Screen.win.cursorCol = 18;
  Feed("ABC");
  EXPECT_EQ(Row(0, 18, 2), "AB");
  EXPECT_EQ(Row(1, 0, 1), "C");
  EXPECT_EQ(Screen.win.cursorRow, 1);
  Screen.win.cursorCol = 18;
  Feed("DEF");  // at winBottom the window scrolls up first
  EXPECT_EQ(Row(0, 0, 1), "C");
  EXPECT_EQ(Row(0, 18, 2), "DE");
  EXPECT_EQ(Row(1, 0, 2), "F ");
  EXPECT_EQ(Screen.win.cursorRow, 1);
}

TEST_F(Parser_, AttributesFromSoSiAndTilde) {
  Feed("a\x0e" "b\x0f" "c" + kEsc + "~3d" + kEsc + "~2e" + kEsc + "~0f");
  EXPECT_EQ(Classes(0, 0, 6), "ajcijc") << "class 0 until the host picks one";
}

TEST_F(Parser_, UnknownLettersAreConsumedAndTheNextByteIsData) {
  const char* cases[] = {"\x1bZ", "\x1bWZ", "\x1b^Z", "\x1b^SZ", "\x1bMZ", "\x1b~Z", "\x1bTZ"};
  for (const char* c : cases) {
    SCOPED_TRACE(c + 1);
    ResetConnectionState();
    Feed(std::string(c) + "Q");
    EXPECT_EQ(Row(0, 0, 2), "Q ");
    EXPECT_EQ(Parser.ParseState, GroundState);
  }
  EXPECT_TRUE(shell.sent.empty());
}

TEST_F(Parser_, OptionalTextEndsAtOnceOnAnyOtherByte) {
  Feed(kEsc + "^HA");
  EXPECT_TRUE(Screen.busy);
  EXPECT_EQ(Row(0, 0, 1), "A");
  Feed(kEsc + "^T\r\nB");
  EXPECT_FALSE(Screen.busy);
  EXPECT_EQ(Row(0, 0, 2), "AB") << "CR LF is consumed as an empty optional text";
  Feed(kEsc + "^H\rtext\nC");
  EXPECT_TRUE(Screen.busy);
  EXPECT_EQ(Row(0, 0, 3), "ABC");
}

TEST_F(Parser_, BusyAndReadyRunTheSpinnerAndReplayTypeAhead) {
  Feed(kEsc + "^H\n");
  EXPECT_TRUE(HasEvent("spinner on"));
  EXPECT_EQ(CellAt(25, 24)->glyph, '|');
  AdvanceSpinner();
  EXPECT_EQ(CellAt(25, 24)->glyph, '/');
  Feed(kEsc + "^T\n");
  ASSERT_GE(shell.events.size(), 2u);
  EXPECT_TRUE(HasEvent("replay-type-ahead"));
  EXPECT_TRUE(HasEvent("spinner off"));
  EXPECT_EQ(CellAt(25, 24)->glyph, ' ');
  shell.events.clear();
  Feed(kEsc + "^T\n");
  EXPECT_FALSE(HasEvent("replay-type-ahead")) << "ready while not busy does nothing";
}

TEST_F(Parser_, SohWhileBusyShowsAHostMessageLine) {
  Feed(kEsc + "^H\n" + "\x01Posting batch 42\r\n" + "X");
  EXPECT_EQ(Row(24, 26, 16), "Posting batch 42");
  EXPECT_EQ(Classes(24, 26, 54), std::string(54, 'h'));
  EXPECT_EQ(Row(0, 0, 1), "X");
}

TEST_F(Parser_, LongMessageRunsAsAMarqueeThroughTheSeparator) {
  std::string msg(60, 'm');
  msg[0] = 'S';
  msg[59] = 'E';
  Feed(kEsc + "^H\n\x01" + msg + "\n");
  EXPECT_TRUE(HasEvent("start-timer 2 100"));
  EXPECT_EQ(Row(24, 26, 54), msg.substr(0, 54));
  for (int i = 0; i < 59; ++i) MarqueeTick();
  // Offset 59: the last character, then the separator, then the start.
  EXPECT_EQ(Row(24, 26, 6), "E...Sm");
  // A short line stops the marquee.
  shell.events.clear();
  Feed("\x01short\n");
  EXPECT_TRUE(HasEvent("stop-timer 2"));
  EXPECT_EQ(Row(24, 26, 6), "short ");
}

TEST_F(Parser_, MessageLineIsCutAt1024Bytes) {
  Feed(kEsc + "^H\n\x01" + std::string(3000, 'z') + "\n");
  EXPECT_EQ(Screen.message.length, 1024);
  EXPECT_EQ(Parser.ParseState, GroundState);
}

TEST_F(Parser_, MessageReserveShortensTheArea) {
  Feed(kEsc + "^H\n\x01" + std::string(50, 'r') + "\n");
  EXPECT_FALSE(Screen.message.marqueeRunning);
  WriteText(70, 24, reinterpret_cast<const uint8_t*>("COUNTER"), 7);
  SetMessageReserve(10);
  EXPECT_TRUE(Screen.message.marqueeRunning) << "50 characters no longer fit in 44 cells";
  EXPECT_EQ(Row(24, 70, 7), "COUNTER") << "reserved cells are the caller's";
}

TEST_F(Parser_, TonesFromBellAndParameterBytes) {
  Feed("\x07");
  EXPECT_TRUE(HasEvent("tone 1 880"));
  shell.events.clear();
  shell.tonePlaying = true;
  Feed("\x07");
  EXPECT_TRUE(shell.events.empty()) << "BEL is ignored while a tone plays";
  shell.tonePlaying = false;
  Feed(kEsc + "^D3\n" + kEsc + "^F440\n\x07");
  EXPECT_TRUE(HasEvent("tone 3 440"));

  struct Case {
    uint8_t p;
    const char* event;
  } cases[] = {
      {31, "tone 1 0"},      // n = 0: a rest
      {32, "tone 1 262"},    // note 1
      {55, "tone 1 988"},    // note 24
      {56, "tone 2 0"},      // n = 25: second length, rest
      {57, "tone 2 262"},
      {255, "tone 9 988"},
  };
  Feed(kEsc + "^H\n");
  for (const auto& c : cases) {
    shell.events.clear();
    Feed(std::string("\x0e") + static_cast<char>(c.p));
    EXPECT_TRUE(HasEvent(c.event)) << int(c.p);
  }
  // Bytes below 31 encode no tone: nothing is queued, nothing is read.
  for (int p = 0; p < 31; ++p) {
    shell.events.clear();
    Feed(std::string("\x0e") + static_cast<char>(p));
    EXPECT_TRUE(shell.events.empty()) << p;
  }
  // Tones inside a message line, and nothing at all with sound off.
  shell.events.clear();
  Feed(std::string("\x01" "ab\x0e") + static_cast<char>(32) + "c\n");
  EXPECT_TRUE(HasEvent("tone 1 262"));
  EXPECT_EQ(Row(24, 26, 3), "abc");
  shell.sound = false;
  shell.events.clear();
  Feed(std::string("\x07\x0e") + static_cast<char>(40));
  EXPECT_TRUE(shell.events.empty());
}

TEST_F(Parser_, SoAndSiWhileBusy) {
  Feed(kEsc + "^H\n");
  Feed("\x0f" "a");
  EXPECT_EQ(CellAt(0, 0)->attrClass, 0) << "SI is ignored while busy";
}

TEST_F(Parser_, IdentificationHandshake) {
  const std::string body = "A\bR\bD\bT\b\x04\bx\bz\b";
  Feed(kEsc + "\b");
  EXPECT_TRUE(Parser.handshake);
  Feed(body.substr(0, 10));
  EXPECT_TRUE(Parser.handshake);
  Feed(body.substr(10));
  EXPECT_EQ(shell.sent, std::string("\x04" "00\x00\r", 5));
  EXPECT_FALSE(Parser.handshake);
  EXPECT_EQ(Parser.ParseState, GroundState);

  shell.sent.clear();
  Feed(kEsc + "\bA\bQ\bD");
  EXPECT_TRUE(shell.sent.empty());
  EXPECT_FALSE(Parser.handshake);
  EXPECT_EQ(Row(0, 0, 2), "D ") << "the refused letter is consumed, what follows is data";
  EXPECT_EQ(Parser.ParseState, GroundState);
}

TEST_F(Parser_, ParamBufferDropsWhatDoesNotFitAndAlwaysTerminates) {
  // A 300-character caption: the text field keeps 199 characters and a NUL.
  Feed(kEsc + "WT" + std::string(300, 'c') + "\nZ");
  ASSERT_FALSE(shell.events.empty());
  EXPECT_EQ(shell.events.back(), "caption " + std::string(199, 'c'));
  EXPECT_EQ(Row(0, 0, 1), "Z");
}

// Feeding a stream in one call (with the printable fast path) must give the
// same model as feeding it byte by byte.
TEST_F(Parser_, BatchAndByteByByteFeedingAgree) {
  std::mt19937 rng(1234);
  const std::string pieces[] = {"\x1bY",  "\x0e", "\x0f",   "\r",   "\n",     "\x1b~w", "\x1b~W",
                                "\x10",   "\t",   "\x1bK",  "\x1bk", "\x06",  "\x08",   "\x1a",
                                "\x1bW" "E" "\x25\x22\x30\x24\n", "\x1b^SU\x21\x21\x40\x30\x21\n"};
  for (int round = 0; round < 40; ++round) {
    std::string stream;
    for (int i = 0; i < 300; ++i) {
      if (rng() % 3 == 0) {
        stream += pieces[rng() % (sizeof pieces / sizeof pieces[0])];
        if (stream.back() == 'Y' || stream.back() == '\x10') {
          stream += static_cast<char>(32 + rng() % 40);
          stream += static_cast<char>(32 + rng() % 90);
        }
      } else {
        stream += std::string(rng() % 30, static_cast<char>('!' + rng() % 90));
      }
    }
    ResetEngine();
    ResetConnectionState();
    ParseBytes(reinterpret_cast<const uint8_t*>(stream.data()), stream.size());
    ScreenModel batch;
    std::memcpy(&batch, &Screen, sizeof batch);

    ResetEngine();
    ResetConnectionState();
    for (unsigned char b : stream) ParseByte(b);
    FlushRenderNotifications();
    ASSERT_EQ(std::memcmp(batch.cells, Screen.cells, sizeof batch.cells), 0) << "round " << round;
    ASSERT_EQ(std::memcmp(&batch.win, &Screen.win, sizeof batch.win), 0) << "round " << round;
  }
}

// Whatever the host sends, nothing is written outside the grid (the
// sanitizers watch) and the window limits stay inside it.
TEST_F(Parser_, RandomHostBytesStayInsideTheModel) {
  std::mt19937 rng(99);
  std::string stream(200000, '\0');
  for (char& c : stream) c = static_cast<char>(rng() % 4 ? rng() % 256 : "\x1bYWS^~\x10\n"[rng() % 8]);
  Feed(stream);
  EXPECT_LE(Screen.win.cursorRow, 24);
  EXPECT_LE(Screen.win.winRight, 79);
  EXPECT_LE(Screen.win.winBottom, 24);
}

}  // namespace
