// The shared output queue under raw send, and the drain protocol of the channels.
#include <gtest/gtest.h>

#include <string>

#include "comm.h"
#include "send_recorder.h"

namespace {

std::string Text(int n, char first = 'a') {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>(first + i % 26);
  return s;
}

void RawSend(const std::string& s, SendRecorder& r) {
  TelnetRawSend(reinterpret_cast<const uint8_t*>(s.data()), static_cast<int>(s.size()), r.Ports());
}

int drainCalls;
void CountDrain() { ++drainCalls; }

}  // namespace

TEST(OutputQueue, HoldsAtMost599Bytes) {
  OutputQueueClear();
  SendRecorder r;
  r.accept = 0;  // the socket takes nothing
  RawSend(Text(599), r);
  EXPECT_EQ(OutputQueueCount(), 599);
  EXPECT_EQ(r.beeps, 0);
  // Full: one more byte beeps and is dropped.
  RawSend("Z", r);
  EXPECT_EQ(r.beeps, 1);
  EXPECT_EQ(OutputQueueCount(), 599);
  // Once the socket takes bytes again, exactly the 599 go out, in order.
  r.accept = 1 << 30;
  SendQueuedOutput(r.Ports());
  EXPECT_EQ(r.wire, Text(599));
  EXPECT_EQ(r.traced, Text(599));
}

TEST(OutputQueue, PartialFitBeepsAndKeepsTheFront) {
  OutputQueueClear();
  SendRecorder r;
  r.accept = 0;
  RawSend(Text(590), r);
  RawSend("0123456789ABCDEF", r);
  EXPECT_EQ(r.beeps, 1);
  r.accept = 1 << 30;
  SendQueuedOutput(r.Ports());
  EXPECT_EQ(r.wire, Text(590) + "012345678");
}

TEST(OutputQueue, WrapsInTwoPiecesAndDrainsInOrder) {
  OutputQueueClear();
  SendRecorder r;
  std::string expected;
  // Move the indices around the ring many times with partial sends.
  for (int round = 0; round < 40; ++round) {
    r.accept = 0;
    const std::string chunk = Text(37 + round * 11 % 300, static_cast<char>('A' + round % 20));
    RawSend(chunk, r);
    expected += chunk;
    r.accept = 50 + round % 70;
    SendQueuedOutput(r.Ports());
  }
  r.accept = 1 << 30;
  SendQueuedOutput(r.Ports());
  EXPECT_EQ(r.beeps, 0);
  EXPECT_EQ(r.wire, expected);
  EXPECT_EQ(r.traced, expected);
}

TEST(OutputQueue, DirectSendWhenEmptyQueueWhenNot) {
  OutputQueueClear();
  SendRecorder r;
  r.accept = 3;
  RawSend("abcdef", r);  // three go out, three wait
  EXPECT_EQ(r.wire, "abc");
  EXPECT_EQ(OutputQueueCount(), 3);
  r.accept = 1 << 30;
  RawSend("gh", r);  // must not overtake the waiting bytes
  EXPECT_EQ(r.wire, "abc");
  EXPECT_EQ(OutputQueueCount(), 5);
  SendQueuedOutput(r.Ports());
  EXPECT_EQ(r.wire, "abcdefgh");
  EXPECT_EQ(r.traced, "abcdefgh");
}

TEST(OutputQueue, AWriteEventStopsAtTheFirstSendThatTakesNothing) {
  OutputQueueClear();
  SendRecorder r;
  r.accept = 0;
  RawSend("abcdef", r);
  r.calls = 0;
  SendQueuedOutput(r.Ports());
  EXPECT_EQ(r.calls, 1);
  EXPECT_EQ(OutputQueueCount(), 6);
  EXPECT_EQ(r.traced, "");
}

TEST(DrainCallback, StoredWhileQueuedCalledOnceWhenDrained) {
  OutputQueueClear();
  _win_nocomm& channel = NoChannel;
  drainCalls = 0;
  // Empty queue: go on at once, nothing stored.
  EXPECT_TRUE(channel.when_drained(CountDrain));
  EXPECT_TRUE(channel.drained());
  EXPECT_EQ(drainCalls, 0);

  SendRecorder r;
  r.accept = 0;
  RawSend("pending", r);
  EXPECT_FALSE(channel.when_drained(CountDrain));
  EXPECT_FALSE(channel.drained());  // still queued: no call
  EXPECT_EQ(drainCalls, 0);

  r.accept = 1 << 30;
  SendQueuedOutput(r.Ports());
  EXPECT_TRUE(channel.drained());
  EXPECT_EQ(drainCalls, 1);
  EXPECT_TRUE(channel.drained());  // the slot was cleared
  EXPECT_EQ(drainCalls, 1);
}

namespace {
int firstCalls, secondCalls;
void First() { ++firstCalls; }
void Second() { ++secondCalls; }
// A callback that produces more output and waits again, as a file sender does.
int refills;
void Refill() {
  ++refills;
  if (refills < 3) {
    OutputQueueAppend(reinterpret_cast<const uint8_t*>("more"), 4);
    NoChannel.when_drained(Refill);
  }
}
}  // namespace

TEST(DrainCallback, ANewCallbackReplacesTheStoredOne) {
  OutputQueueClear();
  firstCalls = secondCalls = 0;
  OutputQueueAppend(reinterpret_cast<const uint8_t*>("x"), 1);
  EXPECT_FALSE(NoChannel.when_drained(First));
  EXPECT_FALSE(NoChannel.when_drained(Second));
  OutputQueueClear();
  EXPECT_TRUE(NoChannel.drained());
  EXPECT_EQ(firstCalls, 0);
  EXPECT_EQ(secondCalls, 1);
  // when_drained on an empty queue clears a stored callback.
  OutputQueueAppend(reinterpret_cast<const uint8_t*>("x"), 1);
  NoChannel.when_drained(First);
  OutputQueueClear();
  EXPECT_TRUE(NoChannel.when_drained(Second));
  NoChannel.drained();
  EXPECT_EQ(firstCalls, 0);
}

TEST(DrainCallback, ACallbackMayQueueAgainFromInsideDrained) {
  OutputQueueClear();
  refills = 0;
  OutputQueueAppend(reinterpret_cast<const uint8_t*>("x"), 1);
  NoChannel.when_drained(Refill);
  SendRecorder r;
  for (int event = 0; event < 5; ++event) {
    SendQueuedOutput(r.Ports());
    NoChannel.drained();
  }
  EXPECT_EQ(refills, 3);
  EXPECT_EQ(r.wire, "xmoremore");
}

TEST(DrainCallback, CloseClearsTheQueue) {
  OutputQueueAppend(reinterpret_cast<const uint8_t*>("abc"), 3);
  NoChannel.close();
  EXPECT_TRUE(OutputQueueEmpty());
}
