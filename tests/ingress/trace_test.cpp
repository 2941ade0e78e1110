// The receive trace ring, its masking, the viewer pages and the host's dump.
#include <string>
#include <vector>

#include "ingress_fixture.h"

namespace {

std::string Pattern(int n, int seed = 0) {
  std::string s;
  // Printable bytes only: the parser keeps its ground state.
  for (int i = 0; i < n; ++i) s += static_cast<char>(32 + (i * 7 + seed) % 90);
  return s;
}

}  // namespace

TEST_F(IngressTest, RingWrapsAfterExactly50000Bytes) {
  const std::string data = Pattern(kTraceEntries);
  FeedChunk(data.substr(0, 12345));
  FeedChunk(data.substr(12345));
  EXPECT_EQ(ReceiveTrace.next, 0);
  EXPECT_EQ(TraceDumpLength(), kTraceEntries);
  // The oldest entry is the first byte received, the newest the last.
  EXPECT_EQ(TraceDumpByte(0), static_cast<uint8_t>(data[0]));
  EXPECT_EQ(TraceDumpByte(kTraceEntries - 1), static_cast<uint8_t>(data.back()));
  for (int i = 0; i < kTraceEntries; i += 997) ASSERT_EQ(TraceDumpByte(i), static_cast<uint8_t>(data[i])) << i;

  // One more byte overwrites the first; the second is now the oldest.
  FeedChunk("Z");
  EXPECT_EQ(ReceiveTrace.next, 1);
  EXPECT_EQ(TraceDumpByte(0), static_cast<uint8_t>(data[1]));
  EXPECT_EQ(TraceDumpByte(kTraceEntries - 1), 'Z');
}

TEST_F(IngressTest, AChunkLongerThanTheRingKeepsItsLast50000Bytes) {
  const std::string data = Pattern(kTraceEntries + 777, 3);
  FeedChunk(data);
  EXPECT_EQ(ReceiveTrace.next, 777);
  EXPECT_EQ(TraceDumpByte(0), static_cast<uint8_t>(data[777]));
  EXPECT_EQ(TraceDumpByte(kTraceEntries - 1), static_cast<uint8_t>(data.back()));
}

TEST_F(IngressTest, UnwrittenEntriesReadAsReceivedNul) {
  FeedChunk("ab");
  EXPECT_EQ(TraceDumpByte(0), 0);  // oldest: never written
  EXPECT_EQ(TraceEntryFromOldest(0).flag, kTraceReceived);
  EXPECT_EQ(TraceDumpByte(kTraceEntries - 2), 'a');
  EXPECT_EQ(TraceDumpByte(kTraceEntries - 1), 'b');
}

TEST_F(IngressTest, SentBytesAreMaskedWhileHiddenInputOrNoHostWindow) {
  struct Case {
    int windowLevel;
    bool hiddenInput;
    uint8_t flag;
    const char* stored;
  } cases[] = {
      {0, false, kTraceSent, "***"},        // no host window open
      {1, false, kTraceSent, "pw\xff"},     // a window open, nothing hidden
      {1, true, kTraceSent, "***"},         // ESC ^ E field
      {2, true, kTraceSent, "***"},
      {0, true, kTraceNegotiation, "pw\xff"},  // negotiation is never masked
      {0, false, kTraceReceived, "pw\xff"},
  };
  for (const Case& c : cases) {
    ResetReceiveTrace();
    Screen.WindowLevel = c.windowLevel;
    ReceiveTrace.hiddenInput = c.hiddenInput;
    const uint8_t bytes[] = {'p', 'w', 0xFF};
    TraceRecord(bytes, 3, c.flag);
    std::string stored;
    for (int i = 0; i < 3; ++i) {
      const TraceEntry& e = ReceiveTrace.entries[i];
      EXPECT_EQ(e.flag, c.flag);
      stored += static_cast<char>(e.byte);
    }
    EXPECT_EQ(stored, c.stored) << "level " << c.windowLevel << " hidden " << c.hiddenInput;
    EXPECT_EQ(ReceiveTrace.next, 3);
  }
  ReceiveTrace.hiddenInput = false;
}

TEST_F(IngressTest, TraceRecordOfNothingStoresNothingAndWrapsLikeReceive) {
  const uint8_t b = 'x';
  TraceRecord(&b, 0, kTraceSent);
  TraceRecord(&b, -5, kTraceSent);
  EXPECT_EQ(ReceiveTrace.next, 0);
  ReceiveTrace.next = kTraceEntries - 1;
  const uint8_t two[] = {1, 2};
  TraceRecord(two, 2, kTraceNegotiation);
  EXPECT_EQ(ReceiveTrace.next, 1);
  EXPECT_EQ(ReceiveTrace.entries[kTraceEntries - 1].byte, 1);
  EXPECT_EQ(ReceiveTrace.entries[0].byte, 2);
}

TEST_F(IngressTest, HostTraceDumpSendsTheRingOldestFirst) {
  // Wire the engine's trace port to the ring, as the shell does.
  class RingShell final : public RecordingShell {
   public:
    int ReceiveTraceLength() override { return TraceDumpLength(); }
    uint8_t ReceiveTraceByte(int index) override { return TraceDumpByte(index); }
  } ring;
  EngineContext c{};
  c.shell = &ring;
  c.channel = &shell;
  AttachEngine(c);
  FeedChunk("hello");
  shell.sent.clear();
  FeedChunk("\x1bSIx\n");
  // 50,000 bytes, 80 a line: the last line ends with the newest bytes, which
  // include the dump request itself.
  const std::string& sent = shell.sent;
  const size_t pos = sent.find("hello");
  ASSERT_NE(pos, std::string::npos);
  EXPECT_NE(sent.find("SIx", pos), std::string::npos);
  EXPECT_EQ(sent.substr(sent.size() - 2), "\r\r");
}
