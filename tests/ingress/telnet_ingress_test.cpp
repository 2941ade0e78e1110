// A telnet session's received bytes through the state machine into ingress:
// what reaches the screen, what the trace shows, what is answered.
#include <string>

#include "ingress_fixture.h"
#include "output_queue.h"
#include "telnet_ingress.h"

namespace {

std::string& Wire() {
  static std::string w;
  return w;
}
int SocketSend(void*, const uint8_t* bytes, int count) {
  Wire().append(reinterpret_cast<const char*>(bytes), count);
  return count;
}
void NoBeep() {}

std::string S(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

class TelnetIngressTest : public IngressTest {
 protected:
  TelnetSession session;
  RawSendPorts ports{SocketSend, nullptr, TraceSentBytes, NoBeep};
  IngressTelnetSink sink{ports};

  void SetUp() override {
    IngressTest::SetUp();
    Wire().clear();
    OutputQueueClear();
  }
  void Receive(const std::string& bytes) {
    TelnetReceive(session, reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()), sink);
  }
  // The newest n trace entries as "flag:char" letters: r received, s sent, n negotiation.
  static std::string Newest(int n) {
    std::string out;
    for (int i = kTraceEntries - n; i < kTraceEntries; ++i) {
      const TraceEntry& e = TraceEntryFromOldest(i);
      out += "rsn"[e.flag];
      out += static_cast<char>(e.byte);
    }
    return out;
  }
};

}  // namespace

TEST_F(TelnetIngressTest, NegotiationIsTracedAnsweredAndKeptOffTheScreen) {
  Screen.WindowLevel = 1;  // a host window: sent bytes are not masked
  Receive(S({'H', 'i', 255, 253, 24, 255, 251, 1, 0, 255, 250, 24, 1, 255, 240, 255, 255, '!'}));
  EXPECT_EQ(Row(0, 4), "Hi! ");  // the parser shows nothing for the data byte 255
  EXPECT_EQ(Wire(), S({255, 252, 24, 255, 253, 1}));  // DO refused with WONT, the echo accepted with DO
  const std::string expected = std::string("rHri") + "n\xff" "n\xfd" "n\x18" "s\xff" "s\xfc" "s\x18" +
                               "n\xff" "n\xfb" "n\x01" "s\xff" "s\xfd" "s\x01" +
                               "n\xff" "n\xfa" "n\x18" "n\x01" "n\xff" "n\xf0" +
                               "n\xff" "r\xff" "r!";
  EXPECT_EQ(Newest(static_cast<int>(expected.size() / 2)), expected);
}

TEST_F(TelnetIngressTest, AnswersAreMaskedInTheTraceWhileNoHostWindowIsOpen) {
  Screen.WindowLevel = 0;
  Receive(S({255, 253, 1}));
  EXPECT_EQ(Wire(), S({255, 252, 1}));  // the real bytes go out
  EXPECT_EQ(Newest(3), "s*s*s*");
}

TEST_F(TelnetIngressTest, AutoLoginSeesThePromptAcrossNegotiation) {
  std::string written;
  static std::string* out;
  out = &written;
  AutoLogin.write = [](const uint8_t* b, int n) { out->append(reinterpret_cast<const char*>(b), n); };
  AutoLoginSettings s;
  s.userId = "guest";
  StartAutoLogin(s);
  Receive(S({'l', 'o', 'g', 255, 253, 31}));
  Receive("in");
  Receive(S({255, 251}));
  Receive(S({3, ':', ' '}));
  EXPECT_EQ(written, "guest\r");
  EXPECT_EQ(Wire(), S({255, 252, 31, 255, 253, 3}));
}
