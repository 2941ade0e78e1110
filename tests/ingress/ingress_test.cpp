// The road of received bytes: the EOT rule, the batch path, auto-login on the way.
#include <random>
#include <string>
#include <vector>

#include "ingress_fixture.h"

namespace {

const std::string kEsc = "\x1b";
// The identification handshake with EOT inside it; the terminal answers it.
const std::string kHandshake = kEsc + "\bA\bR\bD\bT\b\x04\bx\by\b";
const std::string kHandshakeReply = std::string("\x04" "00", 3) + std::string(1, '\0') + "\r";

}  // namespace

TEST_F(IngressTest, EotOutsideTheHandshakeGoesToTheKeyboardNotTheParser) {
  struct Case {
    bool localMode;
    bool byByte;
  } cases[] = {{false, false}, {false, true}, {true, false}, {true, true}};
  for (const Case& c : cases) {
    SetUp();
    InputMode.localMode = c.localMode;
    InputMode.handler = RecordingHandler;
    const std::string data = "ab\x04" "cd";
    c.byByte ? FeedByByte(data) : FeedChunk(data);
    SCOPED_TRACE(c.localMode ? "local mode" : "host mode");
    EXPECT_EQ(Row(0, 5), "abcd ");  // the EOT printed nothing
    if (c.localMode) {
      EXPECT_EQ(keys(), std::vector<int32_t>{1071});
      EXPECT_FALSE(IngressState.pendingEot);
    } else {
      EXPECT_TRUE(keys().empty());
      EXPECT_TRUE(IngressState.pendingEot);
    }
    // The EOT is in the trace all the same.
    EXPECT_EQ(TraceDumpByte(kTraceEntries - 3), 4);
  }
}

TEST_F(IngressTest, EotDuringTheHandshakeGoesToTheParser) {
  for (bool byByte : {false, true}) {
    SetUp();
    InputMode.localMode = true;
    InputMode.handler = RecordingHandler;
    byByte ? FeedByByte(kHandshake) : FeedChunk(kHandshake);
    EXPECT_EQ(shell.sent, kHandshakeReply);
    EXPECT_TRUE(keys().empty());
    EXPECT_FALSE(IngressState.pendingEot);
    EXPECT_EQ(Parser.handshake, 0);
    // Once the handshake is over the rule applies again, within the same chunk.
    FeedChunk("\x04");
    EXPECT_EQ(keys(), std::vector<int32_t>{1071});
  }
}

TEST_F(IngressTest, HandshakeAndEotInOneChunk) {
  // Before the handshake: keyboard; inside it: parser; after it: keyboard.
  InputMode.localMode = true;
  InputMode.handler = RecordingHandler;
  FeedChunk("\x04" + kHandshake + "\x04" "z");
  EXPECT_EQ(shell.sent, kHandshakeReply);
  EXPECT_EQ(keys(), (std::vector<int32_t>{1071, 1071}));
  EXPECT_EQ(Row(0, 2), "z ");
}

// The batch path must leave everything as the byte-by-byte path does: screen,
// replies, trace, keyboard.
TEST_F(IngressTest, ChunkedIngressEqualsByteByByteIngress) {
  const std::vector<std::string> pieces = {
      "Hello, world", "\r\n", "\x04", kHandshake, kEsc + "Y" + "\x25\x30" + "moved",
      "\x0c", kEsc + "K", "\x07", "tab\tstop", kEsc + "R\n", "\x01", "status line\n",
      std::string(1, '\0'), "\x08\x08", "wrap me " + std::string(90, 'w'), kEsc + "B",
  };
  std::mt19937 rng(1234);
  for (int round = 0; round < 40; ++round) {
    std::string stream;
    const int n = 5 + static_cast<int>(rng() % 60);
    for (int i = 0; i < n; ++i) stream += pieces[rng() % pieces.size()];
    // Split into chunks of random sizes, as the socket delivers them.
    std::vector<std::string> chunks;
    for (size_t at = 0; at < stream.size();) {
      const size_t len = 1 + rng() % 100;
      chunks.push_back(stream.substr(at, len));
      at += len;
    }
    auto run = [&](bool byByte) {
      SetUp();
      InputMode.localMode = round % 2 == 0;
      InputMode.handler = RecordingHandler;
      for (const std::string& c : chunks) byByte ? FeedByByte(c) : FeedChunk(c);
      struct Outcome {
        std::vector<Cell> cells;
        std::string sent;
        std::vector<int32_t> keys;
        bool pendingEot;
        std::vector<uint8_t> ring;
        int next;
        int cursorCol, cursorRow;
      } o;
      o.cells.assign(Screen.cells, Screen.cells + kScreenRows * kScreenCols);
      o.sent = shell.sent;
      o.keys = keys();
      o.pendingEot = IngressState.pendingEot;
      for (int i = 0; i < kTraceEntries; ++i) {
        o.ring.push_back(ReceiveTrace.entries[i].flag);
        o.ring.push_back(ReceiveTrace.entries[i].byte);
      }
      o.next = ReceiveTrace.next;
      o.cursorCol = Screen.win.cursorCol;
      o.cursorRow = Screen.win.cursorRow;
      return o;
    };
    const auto a = run(true);
    const auto b = run(false);
    SCOPED_TRACE(round);
    ASSERT_EQ(a.sent, b.sent);
    ASSERT_EQ(a.keys, b.keys);
    ASSERT_EQ(a.pendingEot, b.pendingEot);
    ASSERT_EQ(a.next, b.next);
    ASSERT_TRUE(a.ring == b.ring);
    ASSERT_EQ(a.cursorCol, b.cursorCol);
    ASSERT_EQ(a.cursorRow, b.cursorRow);
    for (size_t i = 0; i < a.cells.size(); ++i) {
      ASSERT_EQ(a.cells[i].glyph, b.cells[i].glyph) << i;
      ASSERT_EQ(a.cells[i].attrClass, b.cells[i].attrClass) << i;
    }
  }
}

TEST_F(IngressTest, ChunkAndByteEntriesBothDeliverRenderNotifications) {
  FeedChunk("one\r\ntwo");
  EXPECT_FALSE(shell.invalidated.empty());
  shell.invalidated.clear();
  FeedByByte("x");
  EXPECT_FALSE(shell.invalidated.empty());
}
