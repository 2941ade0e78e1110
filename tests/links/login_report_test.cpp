// Login report records and the choice of the report server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "login_report_record.h"

namespace {
std::string Str(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }
const std::string kSep(1, static_cast<char>(254));
}  // namespace

TEST(LoginReport, LoginRecordFraming) {
  const std::string identity = ReportIdentity("10.1.2.3", 4242);
  EXPECT_EQ(identity, "10.1.2.3~4242");
  const std::vector<uint8_t> message = LoginMessage("JOE SALES", identity, "Moxel Demo 127.0.0.1");
  const std::string expectedMessage = "LIJOE SALES" + kSep + "10.1.2.3~4242" + kSep + "Moxel Demo 127.0.0.1";
  EXPECT_EQ(Str(message), expectedMessage);
  const std::vector<uint8_t> record = FrameReportRecord(message);
  ASSERT_EQ(record.size(), expectedMessage.size() + 4);
  EXPECT_EQ(record[0], expectedMessage.size() & 0xFF);
  EXPECT_EQ(record[1], expectedMessage.size() >> 8);
  EXPECT_EQ(Str(std::vector<uint8_t>(record.begin() + 2, record.end() - 2)), expectedMessage);
  EXPECT_EQ(record[record.size() - 2], 0);
  EXPECT_EQ(record[record.size() - 1], 0);
}

TEST(LoginReport, LogoutHasAnEmptyArgument) {
  EXPECT_EQ(Str(LogoutMessage("1.2.3.4~7", "Moxel")), "LO" + kSep + "1.2.3.4~7" + kSep + "Moxel");
}

TEST(LoginReport, LengthIsLowByteFirstAndTheAnnouncementIsCapped) {
  const std::string title(300, 't');
  const std::vector<uint8_t> message = LoginMessage(std::string(250, 'a'), "i", title);
  // "LI", 200 of the announcement, separator, "i", separator, title.
  ASSERT_EQ(message.size(), 2u + 200u + 1u + 1u + 1u + 300u);
  const std::vector<uint8_t> record = FrameReportRecord(message);
  EXPECT_EQ(record[0], 505 & 0xFF);
  EXPECT_EQ(record[1], 505 >> 8);
  // A message longer than two bytes can count is cut to fit its length.
  const std::vector<uint8_t> huge(70000, 'h');
  const std::vector<uint8_t> cut = FrameReportRecord(huge);
  EXPECT_EQ(cut.size(), 65535u + 4u);
  EXPECT_EQ(cut[0], 0xFF);
  EXPECT_EQ(cut[1], 0xFF);
}

TEST(LoginReport, DottedAddresses) {
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {{"10.0.0.1", true},     {"255.255.255.254", true}, {"0.0.0.0", true}, {"10.0.0", false},
               {"10.0.0.1.", false},   {"10.0.0.256", false},     {"a.b.c.d", false}, {"", false},
               {"10..0.1", false},     {"10.0.0.1x", false},      {"0010.0.0.1", false}};
  for (const Case& c : cases) {
    uint8_t out[4];
    EXPECT_EQ(ParseDottedAddress(c.text, out), c.valid) << c.text;
  }
  uint8_t out[4];
  ASSERT_TRUE(ParseDottedAddress("192.168.7.42", out));
  EXPECT_EQ(out[0], 192);
  EXPECT_EQ(out[3], 42);
}

TEST(LoginReport, ServerFromTheReportSection) {
  const std::string gdl =
      "[Other]\r\nInt ip=1.1.1.1\r\n"
      "[Report]\r\n"
      "Int ip = 10.20.0.5\r\n"
      "int port=7001\r\n"
      "; a comment\r\n"
      "Ext ip=203.0.113.9\r\n"
      "Ext port=8001\r\n"
      "Ext port=9999\r\n"
      "[Later]\r\nExt ip=9.9.9.9\r\n"
      "[report]\r\nInt ip=8.8.8.8\r\n";
  const ReportServerSettings s = ParseReportSettings(gdl);
  EXPECT_EQ(s.intIp, "10.20.0.5");
  EXPECT_EQ(s.intPort, 7001);
  EXPECT_EQ(s.extIp, "203.0.113.9");
  EXPECT_EQ(s.extPort, 8001);

  struct Case {
    uint8_t pc[4];
    bool found;
    uint8_t server0;
    int port;
  } cases[] = {
      {{10, 20, 99, 1}, true, 10, 7001},    // same first two octets: internal
      {{10, 21, 0, 5}, true, 203, 8001},    // otherwise external
      {{192, 168, 0, 1}, true, 203, 8001},
  };
  for (const Case& c : cases) {
    ReportServer server{};
    EXPECT_EQ(ChooseReportServer(s, c.pc, &server), c.found);
    EXPECT_EQ(server.address[0], c.server0);
    EXPECT_EQ(server.port, c.port);
  }

  // An internal address that is not valid falls back to the external one; a
  // bad external address means no report at all.
  ReportServerSettings bad = s;
  bad.intIp = "10.20.x.5";
  ReportServer server{};
  const uint8_t pc[4] = {10, 20, 1, 1};
  ASSERT_TRUE(ChooseReportServer(bad, pc, &server));
  EXPECT_EQ(server.address[0], 203);
  bad.extIp = "nowhere";
  EXPECT_FALSE(ChooseReportServer(bad, pc, &server));
  EXPECT_FALSE(ChooseReportServer(ParseReportSettings(""), pc, &server));
}

namespace {

// One delivery of the report thread against a server that takes the record
// or not; returns what reached the server ("" = nothing) and the time-out.
struct Delivery {
  std::string sent;
  long timeout;
};
Delivery Deliver(LoginReportSlot& slot, bool serverUp) {
  Delivery d{"", ReportTimeout(slot)};
  if (!serverUp) {
    d.timeout = kReportRetryMs;
    return d;
  }
  TakenReport t = TakeReport(slot);
  if (t.taken) d.sent = Str(std::vector<uint8_t>(t.message.begin(), t.message.begin() + 2));
  ReturnReport(slot, std::move(t), false);
  return d;
}

}  // namespace

TEST(LoginReportSlot, LoginRepeatsLogoutGoesOnce) {
  LoginReportSlot slot;
  EXPECT_EQ(ReportTimeout(slot), kReportWaitForever);
  EXPECT_FALSE(LogoutReportDue(slot));  // nobody logged in: no logout report
  QueueReport(slot, LoginMessage("u", "id", "t"), 1);
  Delivery d = Deliver(slot, true);
  EXPECT_EQ(d.sent, "LI");
  EXPECT_EQ(d.timeout, kReportRepeatMs);
  EXPECT_EQ(Deliver(slot, true).sent, "LI");  // repeated while logged in
  ASSERT_TRUE(LogoutReportDue(slot));
  QueueReport(slot, LogoutMessage("id", "t"), 0);
  d = Deliver(slot, true);
  EXPECT_EQ(d.sent, "LO");
  EXPECT_EQ(d.timeout, kReportRepeatMs);  // the last state sent was still logged in
  d = Deliver(slot, true);
  EXPECT_EQ(d.sent, "");  // delivered once
  EXPECT_EQ(d.timeout, kReportWaitForever);
  EXPECT_FALSE(LogoutReportDue(slot));
}

TEST(LoginReportSlot, AFailedSendIsTriedAgain) {
  LoginReportSlot slot;
  QueueReport(slot, LoginMessage("u", "id", "t"), 1);
  EXPECT_EQ(Deliver(slot, true).sent, "LI");
  QueueReport(slot, LogoutMessage("id", "t"), 0);
  TakenReport t = TakeReport(slot);
  ASSERT_TRUE(t.taken);
  ReturnReport(slot, std::move(t), true);  // the connection broke while sending
  EXPECT_EQ(Deliver(slot, true).sent, "LO");
  EXPECT_EQ(Deliver(slot, true).sent, "");
}

TEST(LoginReportSlot, ANewerMessageWinsOverTheOneBeingSent) {
  LoginReportSlot slot;
  QueueReport(slot, LoginMessage("first", "id", "t"), 1);
  TakenReport t = TakeReport(slot);
  QueueReport(slot, LoginMessage("second", "id", "t"), 1);
  ReturnReport(slot, std::move(t), false);
  TakenReport again = TakeReport(slot);
  ASSERT_TRUE(again.taken);
  EXPECT_EQ(Str(again.message).substr(0, 8), "LIsecond");
}

TEST(LoginReportSlot, ALogoutBeforeTheLoginReachedTheServerWithdrawsIt) {
  LoginReportSlot slot;
  QueueReport(slot, LoginMessage("u", "id", "t"), 1);
  EXPECT_EQ(Deliver(slot, false).timeout, kReportRetryMs);  // server down
  ASSERT_TRUE(LogoutReportDue(slot));
  QueueReport(slot, LogoutMessage("id", "t"), 0);
  // The server never heard of the login: it hears nothing at all.
  EXPECT_EQ(Deliver(slot, true).sent, "");
  EXPECT_EQ(ReportTimeout(slot), kReportWaitForever);
}
