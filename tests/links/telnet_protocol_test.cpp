// The telnet receive state machine and the write side (IAC doubling, break).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "send_recorder.h"
#include "telnet_protocol.h"

namespace {

std::string S(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

struct Sink : TelnetReceiveSink {
  std::string data, negotiation, replies;
  void Data(const uint8_t* b, int n) override { data.append(reinterpret_cast<const char*>(b), n); }
  void Negotiation(const uint8_t* b, int n) override { negotiation.append(reinterpret_cast<const char*>(b), n); }
  void Reply(const uint8_t* b, int n) override { replies.append(reinterpret_cast<const char*>(b), n); }
};

struct Outcome {
  std::string data, negotiation, replies;
  uint8_t state;
};

Outcome Receive(const std::string& in, const std::vector<size_t>& cuts = {}) {
  Sink sink;
  TelnetSession session;
  size_t at = 0;
  std::vector<size_t> ends = cuts;
  ends.push_back(in.size());
  for (size_t end : ends) {
    TelnetReceive(session, reinterpret_cast<const uint8_t*>(in.data()) + at, static_cast<int>(end - at), sink);
    at = end;
  }
  return Outcome{sink.data, sink.negotiation, sink.replies, session.state};
}

}  // namespace

TEST(TelnetReceive, StateMachineTable) {
  struct Case {
    const char* what;
    std::string in;
    std::string data, negotiation, replies;
    uint8_t endState;
  } cases[] = {
      {"plain data", "abc", "abc", "", "", kTelnetData},
      {"IAC IAC is one data byte 255", S({'a', 255, 255, 'b'}), S({'a', 255, 'b'}), S({255}), "", kTelnetData},
      {"NUL dropped", S({'a', 0, 'b', 0}), "ab", "", "", kTelnetData},
      {"DO answered WONT", S({255, 253, 24, 'x'}), "x", S({255, 253, 24}), S({255, 252, 24}), kTelnetData},
      {"WILL ECHO accepted with DO", S({255, 251, 1, 'x'}), "x", S({255, 251, 1}), S({255, 253, 1}), kTelnetData},
      {"WILL SGA accepted with DO", S({255, 251, 3}), "", S({255, 251, 3}), S({255, 253, 3}), kTelnetData},
      {"a second WILL ECHO gets nothing", S({255, 251, 1, 255, 251, 1}), "", S({255, 251, 1, 255, 251, 1}),
       S({255, 253, 1}), kTelnetData},
      {"a second WILL SGA gets nothing", S({255, 251, 3, 'a', 255, 251, 3}), "a", S({255, 251, 3, 255, 251, 3}),
       S({255, 253, 3}), kTelnetData},
      {"other WILLs refused with DONT, every time", S({255, 251, 38, 255, 251, 24, 255, 251, 38}), "",
       S({255, 251, 38, 255, 251, 24, 255, 251, 38}), S({255, 254, 38, 255, 254, 24, 255, 254, 38}), kTelnetData},
      {"DO ECHO still refused: the terminal never echoes", S({255, 251, 1, 255, 253, 1}), "",
       S({255, 251, 1, 255, 253, 1}), S({255, 253, 1, 255, 252, 1}), kTelnetData},
      {"WONT of an accepted option acknowledged once", S({255, 251, 1, 255, 252, 1, 255, 252, 1}), "",
       S({255, 251, 1, 255, 252, 1, 255, 252, 1}), S({255, 253, 1, 255, 254, 1}), kTelnetData},
      {"echo offered again after WONT accepted again", S({255, 251, 1, 255, 252, 1, 255, 251, 1}), "",
       S({255, 251, 1, 255, 252, 1, 255, 251, 1}), S({255, 253, 1, 255, 254, 1, 255, 253, 1}), kTelnetData},
      {"WONT of an option that is off ignored", S({255, 252, 3, 255, 252, 24}), "", S({255, 252, 3, 255, 252, 24}),
       "", kTelnetData},
      {"DONT ignored", S({255, 254, 3}), "", S({255, 254, 3}), "", kTelnetData},
      {"other command", S({255, 241, 'y'}), "y", S({255, 241}), "", kTelnetData},
      {"SB consumed to IAC SE", S({255, 250, 24, 1, 'v', 't', 255, 240, 'z'}), "z",
       S({255, 250, 24, 1, 'v', 't', 255, 240}), "", kTelnetData},
      {"IAC IAC inside SB stays inside", S({255, 250, 24, 255, 255, 'q', 255, 240, 'z'}), "z",
       S({255, 250, 24, 255, 255, 'q', 255, 240}), "", kTelnetData},
      {"NUL inside SB is negotiation", S({255, 250, 24, 0, 255, 240}), "", S({255, 250, 24, 0, 255, 240}), "",
       kTelnetData},
      {"unfinished SB", S({255, 250, 24, 'a'}), "", S({255, 250, 24, 'a'}), "", kTelnetInsideSb},
      {"two DOs", S({255, 253, 1, 255, 253, 3}), "", S({255, 253, 1, 255, 253, 3}), S({255, 252, 1, 255, 252, 3}),
       kTelnetData},
      {"DO IAC is an option value", S({255, 253, 255, 'a'}), "a", S({255, 253, 255}), S({255, 252, 255}),
       kTelnetData},
      {"ends after IAC", S({'a', 255}), "a", S({255}), "", kTelnetAfterIac},
  };
  for (const Case& c : cases) {
    const Outcome o = Receive(c.in);
    EXPECT_EQ(o.data, c.data) << c.what;
    EXPECT_EQ(o.negotiation, c.negotiation) << c.what;
    EXPECT_EQ(o.replies, c.replies) << c.what;
    EXPECT_EQ(o.state, c.endState) << c.what;
    // Cut anywhere, byte by byte even: the same outcome.
    for (size_t cut = 1; cut < c.in.size(); ++cut) {
      const Outcome split = Receive(c.in, {cut});
      EXPECT_EQ(split.data, c.data) << c.what << " cut at " << cut;
      EXPECT_EQ(split.negotiation, c.negotiation) << c.what << " cut at " << cut;
      EXPECT_EQ(split.replies, c.replies) << c.what << " cut at " << cut;
    }
    std::vector<size_t> everyByte;
    for (size_t cut = 1; cut < c.in.size(); ++cut) everyByte.push_back(cut);
    const Outcome bytes = Receive(c.in, everyByte);
    EXPECT_EQ(bytes.data, c.data) << c.what << " byte by byte";
    EXPECT_EQ(bytes.replies, c.replies) << c.what << " byte by byte";
  }
}

TEST(TelnetReceive, TheReplyFollowsTheTracedOption) {
  // The option byte is traced before the answer goes out, as the answer's own
  // trace comes after it.
  struct Order : TelnetReceiveSink {
    std::string log;
    void Data(const uint8_t*, int) override { log += 'd'; }
    void Negotiation(const uint8_t*, int) override { log += 'n'; }
    void Reply(const uint8_t*, int) override { log += 'r'; }
  } sink;
  const uint8_t in[] = {'a', 255, 253, 24, 'b'};
  TelnetSession session;
  TelnetReceive(session, in, 5, sink);
  EXPECT_EQ(sink.log, "dnnnrd");
}

TEST(TelnetReceive, DataRunsComeStraightFromTheBuffer) {
  // Large data arrives in runs, not one call per byte.
  struct Count : TelnetReceiveSink {
    int calls = 0;
    int bytes = 0;
    void Data(const uint8_t*, int n) override { ++calls, bytes += n; }
    void Negotiation(const uint8_t*, int) override {}
    void Reply(const uint8_t*, int) override {}
  } sink;
  std::string in(100, 'x');
  in[50] = '\0';
  TelnetSession session;
  TelnetReceive(session, reinterpret_cast<const uint8_t*>(in.data()), 100, sink);
  EXPECT_EQ(sink.calls, 2);
  EXPECT_EQ(sink.bytes, 99);
}

TEST(TelnetWrite, DoublesIacAndKeepsOrder) {
  struct Case {
    std::string in, wire;
  } cases[] = {
      {"abc", "abc"},
      {S({255}), S({255, 255})},
      {S({'a', 255, 'b', 255, 255, 'c'}), S({'a', 255, 255, 'b', 255, 255, 255, 255, 'c'})},
      {"", ""},
  };
  for (const Case& c : cases) {
    OutputQueueClear();
    SendRecorder r;
    TelnetWrite(reinterpret_cast<const uint8_t*>(c.in.data()), static_cast<int>(c.in.size()), r.Ports());
    EXPECT_EQ(r.wire, c.wire);
    EXPECT_EQ(r.traced, c.wire);
  }
  // A write with 255 in it is still one send (a 255 sent alone would wait
  // on the host's acknowledgement); a long one goes in chunks.
  OutputQueueClear();
  SendRecorder r;
  const std::string in = S({'a', 'b', 255, 'c'});
  TelnetWrite(reinterpret_cast<const uint8_t*>(in.data()), 4, r.Ports());
  EXPECT_EQ(r.calls, 1);
  SendRecorder flood;
  const std::string all255(2000, '\xFF');
  TelnetWrite(reinterpret_cast<const uint8_t*>(all255.data()), 2000, flood.Ports());
  EXPECT_EQ(flood.wire, std::string(4000, '\xFF'));
  EXPECT_EQ(flood.calls, 4);
}

TEST(TelnetWrite, DoublingSurvivesBackPressure) {
  // The socket blocks after two bytes: the rest, doubled IACs included, waits
  // in the queue in order and goes out on the write event.
  OutputQueueClear();
  SendRecorder r;
  r.accept = 2;
  const std::string in = S({'a', 'b', 'c', 255, 'd'});
  r.accept = 2;
  TelnetWrite(reinterpret_cast<const uint8_t*>(in.data()), 5, r.Ports());
  EXPECT_EQ(r.wire, "ab");
  EXPECT_EQ(OutputQueueCount(), 4);  // c, 255, 255, d
  r.accept = 1 << 30;
  SendQueuedOutput(r.Ports());
  EXPECT_EQ(r.wire, S({'a', 'b', 'c', 255, 255, 'd'}));
  EXPECT_EQ(r.traced, r.wire);
  EXPECT_TRUE(OutputQueueEmpty());
}

TEST(TelnetWrite, BreakIsIacIp) {
  OutputQueueClear();
  SendRecorder r;
  TelnetBreak(r.Ports());
  EXPECT_EQ(r.wire, S({255, 244}));
}

TEST(HostEntryAddress, AtMostFourBytesAreCopied) {
  const uint8_t entry[16] = {10, 1, 2, 3, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
  struct Case {
    int length;
    uint8_t expect[4];
  } cases[] = {{4, {10, 1, 2, 3}}, {16, {10, 1, 2, 3}}, {2, {10, 1, 0, 0}}, {0, {0, 0, 0, 0}}, {-1, {0, 0, 0, 0}}};
  for (const Case& c : cases) {
    uint8_t out[8] = {7, 7, 7, 7, 7, 7, 7, 7};
    CopyHostEntryAddress(entry, c.length, out);
    EXPECT_EQ(0, std::memcmp(out, c.expect, 4)) << c.length;
    EXPECT_EQ(out[4], 7) << "wrote past the address, length " << c.length;
  }
}
