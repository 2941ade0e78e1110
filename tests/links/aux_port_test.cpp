// The auxiliary port over a fake port: when it opens and with what, the host
// read's line (carriage returns skipped, a line feed ends it, 85 characters
// kept, the cr-terminate setting, the time-out), lines sent unasked going to
// an outbox file only with "Auxiliary read", counts of an earlier open, and
// the synchronous write of transfers.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "aux_port.h"
#include "fake_serial.h"

namespace {

namespace fs = std::filesystem;

struct AuxFixture : ::testing::Test {
  FakeSerialSystem device;
  AuxPort aux;
  AuxPortSettings settings;
  std::string host;
  std::vector<std::pair<int, int>> timers;
  int stops = 0, arrivals = 0, unavailable = 0, holds = 0, releases = 0;
  bool holdAnswer = true;
  fs::path folder;
  int files = 0;

  static AuxFixture*& Current() {
    static AuxFixture* f = nullptr;
    return f;
  }

  void SetUp() override {
    Current() = this;
    folder = fs::temp_directory_path() /
             ("tavix-aux-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
    AuxPortHooks h;
    h.writeHost = [](const uint8_t* b, int n) {
      Current()->host.append(reinterpret_cast<const char*>(b), static_cast<size_t>(n));
    };
    h.startTimer = [](int id, int ms) { Current()->timers.emplace_back(id, ms); };
    h.stopTimer = [](int) { ++Current()->stops; };
    h.holdKeys = [] {
      ++Current()->holds;
      return Current()->holdAnswer;
    };
    h.releaseKeys = [] { ++Current()->releases; };
    h.messageArrived = [] { ++Current()->arrivals; };
    h.unavailable = [] { ++Current()->unavailable; };
    h.outboxFileName = [] {
      return (Current()->folder / ("AUX" + std::to_string(++Current()->files) + ".TXT")).string();
    };
    aux.Attach(&device, h);
    settings.port = 2;
    settings.speed = 7;
    settings.messagingOn = true;
    aux.Configure(settings);
  }
  void TearDown() override {
    aux.Close();
    fs::remove_all(folder);
    Current() = nullptr;
  }
  // Hands the next count the reader posted to the port.
  bool Pump() {
    FakeSerialSystem::Posted p;
    if (!device.WaitPost(&p, 2000)) return false;
    EXPECT_EQ(p.message, kAuxReadMessage);
    aux.DataArrived(p.wParam, p.lParam);
    return true;
  }
  // The device sends bytes; every read they take (100 bytes at most each) is handed over.
  void Send(const std::string& bytes) {
    device.Deliver(bytes);
    ASSERT_TRUE(Pump());
    for (size_t left = bytes.size(); left > kAuxReadSize; left -= kAuxReadSize) ASSERT_TRUE(Pump());
  }
  std::string File(int n) {
    std::FILE* f = std::fopen((folder / ("AUX" + std::to_string(n) + ".TXT")).string().c_str(), "rb");
    if (!f) return "<none>";
    std::string text;
    char buf[256];
    size_t k;
    while ((k = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, k);
    std::fclose(f);
    return text;
  }
};

TEST_F(AuxFixture, OpensOnlyWhenMessagingAndBothCodesAllowIt) {
  struct {
    bool messaging;
    int port, speed;
    bool opens;
  } cases[] = {{false, 2, 7, false}, {true, -1, 7, false}, {true, 2, -1, false},
               {true, 6, 7, false},  {true, 9, 7, false},  {true, 10, 7, true}};
  for (auto& c : cases) {
    settings.messagingOn = c.messaging;
    settings.port = c.port;
    settings.speed = c.speed;
    aux.Configure(settings);
    EXPECT_EQ(aux.Open(), c.opens) << c.port << "/" << c.speed;
    aux.Close();
  }
  EXPECT_EQ(device.openedName, "COM6") << "mode 10";
  EXPECT_EQ(unavailable, 0);
  settings.port = 3;  // no such device
  aux.Configure(settings);
  EXPECT_FALSE(aux.Open());
  EXPECT_EQ(unavailable, 1) << "Auxiliary port unavailable";
}

TEST_F(AuxFixture, ItsSettingsAndAReopenWhenTheyChange) {
  ASSERT_TRUE(aux.Open());
  EXPECT_EQ(device.openedName, "COM2");
  const SerialSettings& s = device.applied;
  EXPECT_EQ(s.baud, 57600u);
  EXPECT_EQ(s.rts, SerialSettings::kRtsDisable);
  EXPECT_EQ(s.dtr, SerialSettings::kDtrEnable);
  EXPECT_FALSE(s.outX || s.inX || s.outxCtsFlow || s.outxDsrFlow);
  EXPECT_TRUE(s.txContinueOnXoff);
  EXPECT_EQ(device.inQueue, 1024);
  EXPECT_EQ(device.outQueue, 100);
  EXPECT_EQ(device.timeouts.readInterval, 50u);
  EXPECT_EQ(device.timeouts.readTotalMultiplier, 65535u);
  EXPECT_EQ(device.timeouts.readTotalConstant, 65535u);
  EXPECT_EQ(device.timeouts.writeTotalConstant + device.timeouts.writeTotalMultiplier, 0u);
  int opens = device.opens;
  EXPECT_TRUE(aux.Open());
  EXPECT_EQ(device.opens, opens) << "already open with these settings";
  settings.speed = 3;
  aux.Configure(settings);
  EXPECT_TRUE(aux.Open());
  EXPECT_EQ(device.opens, opens + 1);
  EXPECT_EQ(device.applied.baud, 19200u);
  EXPECT_EQ(device.liveEvents, 3);
}

TEST_F(AuxFixture, TheHostReadsOneLine) {
  struct {
    const char* what;
    bool crTerminate;
    std::vector<std::string> chunks;
    std::string toHost;
    bool ended;
  } cases[] = {
      {"CR skipped, LF ends", false, {"ABC\r\n"}, "ABC\r", true},
      {"over two chunks", false, {"AB", "C\n"}, "ABC\r", true},
      {"85 of 100", false, {std::string(100, 'x') + "\n"}, std::string(85, 'x') + "\r", true},
      {"85 of 100 over chunks", false, {std::string(60, 'y'), std::string(40, 'y'), "\n"},
       std::string(85, 'y') + "\r", true},
      {"CR alone does not end it", false, {"XYZ\r"}, "", false},
      {"CR ends it with cr-terminate", true, {"XYZ\r"}, "XYZ\r", true},
      {"an empty line", false, {"\r\n"}, "\r", true},
  };
  for (auto& c : cases) {
    settings.crTerminate = c.crTerminate;
    aux.Configure(settings);
    ASSERT_TRUE(aux.Open());
    host.clear();
    aux.StartHostRead(5);
    for (const std::string& chunk : c.chunks) Send(chunk);
    EXPECT_EQ(host, c.toHost) << c.what;
    EXPECT_EQ(aux.HostReadActive(), !c.ended) << c.what;
    aux.Close();
  }
}

TEST_F(AuxFixture, ATimeOutSendsABareCarriageReturnAndGivesTheKeysBack) {
  ASSERT_TRUE(aux.Open());
  aux.StartHostRead(5);
  ASSERT_EQ(timers.size(), 1u);
  EXPECT_EQ(timers[0], std::make_pair(kAuxReadTimer, 5000));
  EXPECT_EQ(holds, 1);
  Send("partial");
  aux.HostReadTimedOut();
  EXPECT_EQ(host, "\r");
  EXPECT_EQ(releases, 1);
  EXPECT_FALSE(aux.HostReadActive());
  // Keys the host itself held back stay held.
  holdAnswer = false;
  aux.StartHostRead(0);
  EXPECT_EQ(timers.back(), std::make_pair(kAuxReadTimer, 0));
  Send("ok\n");
  EXPECT_EQ(host, "\rok\r") << "a new read starts an empty line";
  EXPECT_EQ(releases, 1);
}

TEST_F(AuxFixture, LinesSentUnaskedGoToTheOutboxOnlyWithAuxiliaryRead) {
  ASSERT_TRUE(aux.Open());
  Send("par");
  Send("tial\n");
  EXPECT_EQ(File(1), "partial\n");
  EXPECT_EQ(arrivals, 1);
  Send("next\n");
  EXPECT_EQ(File(2), "next\n") << "a new file for each line";
  EXPECT_EQ(arrivals, 2);
  // The rest of a chunk after the host's line.
  aux.StartHostRead(9);
  Send("reply\nextra\n");
  EXPECT_EQ(host, "reply\r");
  EXPECT_EQ(File(3), "extra\n");
  // Without "Auxiliary read" it is dropped.
  aux.Close();
  settings.read = false;
  aux.Configure(settings);
  ASSERT_TRUE(aux.Open());
  Send("dropped\n");
  EXPECT_EQ(files, 3);
  EXPECT_EQ(arrivals, 3);
}

TEST_F(AuxFixture, ClosingEndsTheReadAndTheOutboxFile) {
  ASSERT_TRUE(aux.Open());
  Send("half a line");
  aux.StartHostRead(30);
  aux.Close();
  EXPECT_EQ(host, "\r");
  EXPECT_EQ(File(1), "half a line");
  EXPECT_EQ(arrivals, 1) << "what was filled is delivered";
  EXPECT_EQ(device.liveEvents, 0);
}

TEST_F(AuxFixture, CountsOfAnEarlierOpenAreDropped) {
  ASSERT_TRUE(aux.Open());
  device.Deliver("old\n");
  FakeSerialSystem::Posted stale;
  ASSERT_TRUE(device.WaitPost(&stale, 2000));
  aux.Close();
  ASSERT_TRUE(aux.Open());
  aux.StartHostRead(5);
  aux.DataArrived(stale.wParam, stale.lParam);
  EXPECT_EQ(host, "");
  Send("new\n");
  EXPECT_EQ(host, "new\r");
}

TEST_F(AuxFixture, TransfersWriteSynchronouslyAndCloseWhatTheyOpened) {
  const std::string block(1024, 'b');
  EXPECT_TRUE(aux.WriteForTransfer(reinterpret_cast<const uint8_t*>(block.data()), -1)) << "-1 means 1024 bytes";
  EXPECT_TRUE(aux.IsOpen());
  EXPECT_EQ(device.written, block);
  aux.ReleaseAfterTransfer();
  EXPECT_FALSE(aux.IsOpen());
  ASSERT_TRUE(aux.Open());
  EXPECT_TRUE(aux.WriteForTransfer(reinterpret_cast<const uint8_t*>("x"), 1));
  aux.ReleaseAfterTransfer();
  EXPECT_TRUE(aux.IsOpen()) << "a port open before stays open";
  device.failWriteAll = true;
  EXPECT_FALSE(aux.WriteForTransfer(reinterpret_cast<const uint8_t*>("y"), 1));
  aux.Close();
  settings.messagingOn = false;
  aux.Configure(settings);
  EXPECT_FALSE(aux.WriteForTransfer(reinterpret_cast<const uint8_t*>("z"), 1));
  EXPECT_FALSE(aux.IsOpen());
}

}  // namespace
