// The serial channel over a fake port: its settings, the acknowledge
// protocol of the I/O thread, the write chain, carrier watching, failures and
// notifications left over from an earlier open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "channel_hooks.h"
#include "comm_modes.h"
#include "fake_serial.h"
#include "output_queue.h"
#include "win_serial.h"

namespace {

struct SerialFixture : ::testing::Test {
  FakeSerialSystem port;
  _win_serial_32 channel;

  static SerialFixture*& Current() {
    static SerialFixture* f = nullptr;
    return f;
  }
  std::string received;
  std::vector<int> receives;  // the size of each receive
  std::string traced;
  std::vector<int> messages;
  int answer = 7;  // No
  int disconnects = 0, reconnects = 0, closes = 0, beeps = 0;
  std::vector<int> connectedPorts;
  std::vector<std::pair<int, int>> timers;

  void SetUp() override {
    Current() = this;
    OutputQueueClear();
    ChannelEvents.received = [](const uint8_t* b, int n) {
      Current()->received.append(reinterpret_cast<const char*>(b), static_cast<size_t>(n));
      Current()->receives.push_back(n);
    };
    ChannelEvents.trace = [](const uint8_t* b, int n, uint8_t kind) {
      if (kind == 1) Current()->traced.append(reinterpret_cast<const char*>(b), static_cast<size_t>(n));
    };
    ChannelEvents.message = [](int id, int, unsigned) {
      Current()->messages.push_back(id);
      return Current()->answer;
    };
    // As the shell does: a failure disconnects, which closes the channel.
    ChannelEvents.disconnect = [] {
      ++Current()->disconnects;
      Current()->channel.close();
    };
    ChannelEvents.reconnect = [] { ++Current()->reconnects; };
    ChannelEvents.closed = [] { ++Current()->closes; };
    ChannelEvents.beep = [] { ++Current()->beeps; };
    ChannelEvents.serialConnected = [](int p) { Current()->connectedPorts.push_back(p); };
    ChannelEvents.startTimer = [](int id, int ms) { Current()->timers.emplace_back(id, ms); };
    channel.attach(&port);
  }
  void TearDown() override {
    channel.close();
    Current() = nullptr;
    ResetChannelEvents();
  }

  void Open(int portNumber = 1, int speed = 3, const char* connect = "") {
    channel.configure(portNumber, speed, connect);
    channel.open(nullptr);
  }
  // Takes the next notification and hands it to the channel.
  bool Pump(int milliseconds = 2000) {
    FakeSerialSystem::Posted p;
    if (!port.WaitPost(&p, milliseconds)) return false;
    channel.handle_event(nullptr, p.message, p.wParam, p.lParam);
    return true;
  }
  // Pumps until the predicate holds.
  template <typename Pred>
  bool PumpUntil(Pred pred, int rounds = 20) {
    for (int i = 0; i < rounds && !pred(); ++i)
      if (!Pump(1000)) return pred();
    return pred();
  }
};

TEST(SerialTables, SpeedCodesAndPorts) {
  struct {
    int code, baud;
  } speeds[] = {{0, 2400}, {1, 4800}, {2, 9600}, {3, 19200}, {4, 14400}, {5, 28800}, {6, 38400}, {7, 57600},
                {-1, 9600}, {8, 9600}, {42, 9600}};
  for (auto& s : speeds) EXPECT_EQ(BaudForSpeedCode(s.code), s.baud) << "code " << s.code;
  struct {
    int mode, port;
  } ports[] = {{1, 1}, {2, 2}, {5, 5}, {10, 6}, {11, 7}, {6, 0}, {7, 0}, {9, 0}, {-1, 0}};
  for (auto& p : ports) EXPECT_EQ(SerialPortNumber(p.mode), p.port) << "mode " << p.mode;
}

TEST_F(SerialFixture, OpensWithTheLineSettingsAndSendsTheConnectString) {
  Open(6, 4, "ATZ^M");
  ASSERT_TRUE(channel.is_open());
  EXPECT_EQ(port.openedName, "COM6");
  const SerialSettings& s = port.applied;
  EXPECT_EQ(s.baud, 14400u);
  EXPECT_TRUE(s.binary);
  EXPECT_FALSE(s.parityCheck);
  EXPECT_TRUE(s.outxCtsFlow);
  EXPECT_FALSE(s.outxDsrFlow);
  EXPECT_EQ(s.dtr, SerialSettings::kDtrEnable);
  EXPECT_EQ(s.rts, SerialSettings::kRtsHandshake);
  EXPECT_TRUE(s.outX && s.inX && s.txContinueOnXoff);
  EXPECT_EQ(s.xonChar, 17);
  EXPECT_EQ(s.xoffChar, 19);
  EXPECT_EQ(s.xonLimit, 5);
  EXPECT_EQ(s.xoffLimit, 100);
  EXPECT_EQ(port.inQueue, 1024);
  EXPECT_EQ(port.outQueue, 1024);
  EXPECT_EQ(port.mask, kEventCarrierChange);
  EXPECT_EQ(port.timeouts.readInterval, 100u);
  EXPECT_EQ(port.timeouts.readTotalConstant + port.timeouts.readTotalMultiplier +
                port.timeouts.writeTotalConstant + port.timeouts.writeTotalMultiplier,
            0u);
  EXPECT_EQ(connectedPorts, std::vector<int>{6});
  EXPECT_EQ(port.liveEvents, 5);
  EXPECT_EQ(port.written, "ATZ\r");
  ASSERT_TRUE(PumpUntil([&] { return traced == "ATZ\r"; })) << "traced as sent once the write is done";
  channel.close();
  EXPECT_FALSE(port.PortOpen());
  EXPECT_EQ(port.liveEvents, 0);
  EXPECT_EQ(closes, 1);
}

TEST_F(SerialFixture, APortThatIsMissingOrRefusesItsSettingsStaysClosed) {
  struct {
    int portNumber;
    bool refuseConfigure, refuseTimeouts;
  } cases[] = {{3, false, false}, {1, true, false}, {1, false, true}};
  for (auto& c : cases) {
    port.refuseConfigure = c.refuseConfigure;
    port.refuseTimeouts = c.refuseTimeouts;
    messages.clear();
    closes = 0;
    Open(c.portNumber);
    EXPECT_FALSE(channel.is_open());
    EXPECT_FALSE(port.PortOpen()) << "a port that refused its settings is closed again";
    EXPECT_EQ(messages, std::vector<int>{2});
    EXPECT_EQ(closes, 1) << "the connect menus come back";
    EXPECT_EQ(port.liveEvents, 0);
    EXPECT_TRUE(connectedPorts.empty());
  }
}

TEST_F(SerialFixture, NoNotificationBeforeTheAcknowledge) {
  Open();
  port.Deliver("abc");
  FakeSerialSystem::Posted first;
  ASSERT_TRUE(port.WaitPost(&first, 2000));
  EXPECT_EQ(first.lParam & 0xFF, kSerialReadDone);
  EXPECT_EQ(first.wParam, 3u);
  // More data and a finished write while the first is not handled yet.
  port.autoCompleteWrites = false;
  channel.write(reinterpret_cast<const uint8_t*>("x"), 1);
  port.CompleteWrite();
  port.Deliver("def");
  FakeSerialSystem::Posted none;
  EXPECT_FALSE(port.WaitPost(&none, 100)) << "the thread waits for the acknowledge";
  channel.handle_event(nullptr, first.message, first.wParam, first.lParam);
  EXPECT_EQ(received, "abc");
  ASSERT_TRUE(PumpUntil([&] { return received == "abcdef" && !channel.write_in_flight(); }));
  EXPECT_EQ(port.written, "x");
}

TEST_F(SerialFixture, ABigReadGoesOnInReceivesOfAtMostAHundred) {
  Open();
  std::string burst(250, 'b');
  port.Deliver(burst);
  ASSERT_TRUE(PumpUntil([&] { return received.size() == 250; }));
  EXPECT_EQ(received, burst);
  EXPECT_EQ(receives, (std::vector<int>{100, 100, 50}));
}

TEST_F(SerialFixture, AtMostOneWriteInFlightAlsoWhenTheDrainCallbackWrites) {
  Open();
  port.autoCompleteWrites = false;
  channel.write(reinterpret_cast<const uint8_t*>("hello"), 5);
  channel.write(reinterpret_cast<const uint8_t*>(" there"), 6);  // queued behind the running write
  EXPECT_EQ(port.outstandingWrites, 1);
  static _win_serial_32* self;
  static int callbacks;
  self = &channel;
  callbacks = 0;
  EXPECT_FALSE(channel.when_drained([] {
    ++callbacks;
    self->write(reinterpret_cast<const uint8_t*>("!"), 1);
  }));
  for (int i = 0; i < 6 && port.written != "hello there!"; ++i) {
    port.CompleteWrite();
    Pump(500);
  }
  EXPECT_EQ(port.written, "hello there!");
  EXPECT_EQ(traced, "hello there!");
  EXPECT_EQ(callbacks, 1);
  EXPECT_EQ(port.maxOutstandingWrites, 1);
  EXPECT_TRUE(OutputQueueEmpty());
}

TEST_F(SerialFixture, WhatDoesNotFitTheQueueIsDroppedWithABeep) {
  Open();
  port.autoCompleteWrites = false;
  std::string big(700, 'q');
  channel.write(reinterpret_cast<const uint8_t*>(big.data()), 700);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(OutputQueueCount(), kOutputQueueCapacity - 1);
}

TEST_F(SerialFixture, CarrierSeenThenLostEndsTheConnection) {
  answer = 6;  // Yes: connect again
  Open();
  ASSERT_TRUE(port.LineWaitPending());
  port.SetCarrier(true);
  ASSERT_TRUE(Pump());
  EXPECT_TRUE(messages.empty());
  ASSERT_TRUE(port.LineWaitPending()) << "watching again";
  port.SetCarrier(false);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(messages, std::vector<int>{8});
  EXPECT_EQ(disconnects, 1);
  EXPECT_EQ(reconnects, 1);
  EXPECT_FALSE(channel.is_open());
}

TEST_F(SerialFixture, ALineWithoutCarrierOrModemStatusNeverDisconnects) {
  Open();
  port.SetCarrier(false);  // never seen: nothing
  ASSERT_TRUE(Pump());
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(port.LineWaitPending());
  // A port that cannot report its lines is not watched any more.
  port.modemStatusWorks = false;
  port.SetCarrier(false);
  ASSERT_TRUE(Pump());
  EXPECT_FALSE(channel.watching_carrier());
  EXPECT_FALSE(port.LineWaitPending());
  EXPECT_TRUE(channel.is_open());
  // And one whose line wait cannot even start (a pseudo-terminal).
  channel.close();
  port.lineWaitWorks = false;
  port.modemStatusWorks = true;
  Open();
  EXPECT_TRUE(channel.is_open());
  EXPECT_FALSE(channel.watching_carrier());
  port.Deliver("ok");
  ASSERT_TRUE(PumpUntil([&] { return received == "ok"; }));
  EXPECT_TRUE(messages.empty());
}

TEST_F(SerialFixture, AReadThatFailsAgainAfterARestartLosesTheLine) {
  Open();
  port.FailRead();
  ASSERT_TRUE(Pump());
  EXPECT_TRUE(messages.empty()) << "one failure: the read is started again";
  port.Deliver("fine");
  ASSERT_TRUE(PumpUntil([&] { return received == "fine"; }));
  port.FailRead();
  ASSERT_TRUE(Pump());
  port.FailRead();
  ASSERT_TRUE(Pump());
  EXPECT_EQ(messages, std::vector<int>{8});
  EXPECT_FALSE(channel.is_open());
  // A read that cannot even be started twice in a row loses it too.
  messages.clear();
  Open();
  port.failReadStarts = 2;
  port.Deliver("x");
  ASSERT_TRUE(Pump());
  EXPECT_EQ(messages, std::vector<int>{8});
}

TEST_F(SerialFixture, NotificationsOfAnEarlierOpenAreDropped) {
  Open();
  port.Deliver("old");
  FakeSerialSystem::Posted stale;
  ASSERT_TRUE(port.WaitPost(&stale, 2000));
  channel.close();  // joins the thread that posted it
  Open();
  channel.handle_event(nullptr, stale.message, stale.wParam, stale.lParam);
  EXPECT_EQ(received, "") << "the old open's bytes do not feed the new one";
  port.Deliver("new");
  ASSERT_TRUE(PumpUntil([&] { return received == "new"; }));
  // Twenty quick reopens leave no thread or event behind.
  for (int i = 0; i < 20; ++i) {
    channel.close();
    Open();
  }
  EXPECT_EQ(port.liveEvents, 5);
}

TEST_F(SerialFixture, BreakHoldsTheLineForTimerThree) {
  Open();
  channel.start_break();
  ASSERT_EQ(timers.size(), 1u);
  EXPECT_EQ(timers[0], std::make_pair(3, 200));
  channel.end_break();
  EXPECT_EQ(port.breaks, (std::vector<bool>{true, false}));
  channel.close();
  channel.start_break();  // closed: nothing
  EXPECT_EQ(port.breaks.size(), 2u);
}

}  // namespace
