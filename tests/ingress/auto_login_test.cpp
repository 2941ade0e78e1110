// Auto-login against the host's prompts, fed through ingress.
#include <string>
#include <vector>

#include "ingress_fixture.h"

namespace {

std::string& Written() {
  static std::string w;
  return w;
}
void RecordWrite(const uint8_t* bytes, int count) { Written().append(reinterpret_cast<const char*>(bytes), count); }

std::vector<int32_t>& Queued() {
  static std::vector<int32_t> q;
  return q;
}
void RecordTypeAhead(int32_t code) {
  Queued().push_back(code);
  // The script is queued right after the user id went out.
  EXPECT_NE(Written().find('\r'), std::string::npos);
}

class AutoLoginTest : public IngressTest {
 protected:
  void SetUp() override {
    IngressTest::SetUp();
    Written().clear();
    Queued().clear();
    AutoLogin.write = RecordWrite;
    AutoLogin.typeAhead = RecordTypeAhead;
  }
};

AutoLoginSettings Settings(const char* user, const char* password, const char* account) {
  AutoLoginSettings s;
  s.userId = user;
  if (password) {
    s.hasPassword = true;
    s.password = password;
  }
  if (account) {
    s.hasAccount = true;
    s.account = account;
  }
  return s;
}

}  // namespace

// Each step: host text in, what the terminal has written so far.
struct Exchange {
  const char* host;
  const char* written;
};

struct LoginCase {
  const char* name;
  AutoLoginSettings settings;
  std::vector<Exchange> exchanges;
};

TEST_F(AutoLoginTest, PromptTables) {
  const LoginCase cases[] = {
      {"name form with account",
       Settings("joe", "secret", "acct"),
       {{"Welcome\r\nUser na", ""},
        {"me: ", "joe\r"},
        {"Pass", "joe\r"},
        {"word: ", "joe\rsecret\r"},
        {"Enter path", "joe\rsecret\r"},
        {":", "joe\rsecret\racct\r"},
        {"\r\npath:", "joe\rsecret\racct\r"}}},
      {"login form gets no account step",
       Settings("joe", "secret", "acct"),
       {{"login: ", "joe\r"}, {"Password: ", "joe\rsecret\r"}, {"path:", "joe\rsecret\r"}}},
      {"logo then gin still matches",
       Settings("joe", nullptr, nullptr),
       {{"logogin: ", "joe\r"}, {"Password: ", "joe\r"}}},
      {"login name counts as the name form",
       Settings("joe", "pw", "a1"),
       {{"Login name: ", "joe\r"}, {"Password: ", "joe\rpw\r"}, {"path:", "joe\rpw\ra1\r"}}},
      {"no password switch: nothing at the password prompt",
       Settings("joe", nullptr, "acct"),
       {{"name: ", "joe\r"}, {"Password: ", "joe\r"}, {"path:", "joe\racct\r"}}},
      {"empty password: nothing at the password prompt",
       Settings("joe", "", nullptr),
       {{"name: ", "joe\r"}, {"Password: ", "joe\r"}, {"login: ", "joe\r"}}},
      {"empty account: only a carriage return",
       Settings("joe", "pw", ""),
       {{"name: ", "joe\r"}, {"sword: ", "joe\rpw\r"}, {"path:", "joe\rpw\r\r"}}},
      {"nothing before the prompt is complete",
       Settings("joe", "pw", nullptr),
       {{"ogin:", ""}, {"x ogin", ""}, {": ", "joe\r"}, {"password:", "joe\r"}, {" ", "joe\rpw\r"}}},
      {"password prompt before the user prompt is not answered",
       Settings("joe", "pw", nullptr),
       {{"Password: ", ""}, {"login: ", "joe\r"}, {"Password: ", "joe\rpw\r"}}},
  };
  for (const LoginCase& c : cases) {
    SetUp();
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(StartAutoLogin(c.settings));
    for (const Exchange& e : c.exchanges) {
      FeedChunk(e.host);
      EXPECT_EQ(Written(), e.written) << "after \"" << e.host << "\"";
    }
    EXPECT_EQ(AutoLogin.step, 0);
  }
}

TEST_F(AutoLoginTest, PromptsSplitAcrossChunksAndBytesStillReachTheScreen) {
  StartAutoLogin(Settings("joe", "pw", nullptr));
  FeedChunk("lo");
  FeedChunk("g");
  FeedChunk("in");
  FeedChunk(": ");
  EXPECT_EQ(Written(), "joe\r");
  EXPECT_EQ(Row(0, 8), "login:  ");
  FeedByByte("Password: ");
  EXPECT_EQ(Written(), "joe\rpw\r");
}

TEST_F(AutoLoginTest, WithoutUserIdAutoLoginDoesNotRun) {
  EXPECT_FALSE(StartAutoLogin(Settings("", "pw", "acct")));
  FeedChunk("login: Password: path:");
  EXPECT_EQ(Written(), "");
}

TEST_F(AutoLoginTest, ScreenInitialisationEndsItAndItStaysInItsStepUntilThen) {
  StartAutoLogin(Settings("joe", "pw", nullptr));
  FeedChunk("login: ");
  FeedChunk(std::string(5000, 'x'));
  EXPECT_EQ(AutoLogin.step, 4);  // no time-out: still waiting for the password prompt
  StopAutoLogin();
  FeedChunk("Password: ");
  EXPECT_EQ(Written(), "joe\r");
}

TEST_F(AutoLoginTest, KeystrokeScriptIsQueuedAfterTheUserId) {
  AutoLoginSettings s = Settings("joe", nullptr, nullptr);
  s.hasScript = true;
  s.script = "1^T2";
  StartAutoLogin(s);
  FeedChunk("login:");
  EXPECT_TRUE(Queued().empty());
  FeedChunk(" ");
  EXPECT_EQ(Written(), "joe\r");
  EXPECT_EQ(Queued(), (std::vector<int32_t>{'1', 9, '2', 13, 1089, 13}));
}

TEST_F(AutoLoginTest, AnswersGoThroughTheCurrentChannelByDefault) {
  class CapturingChannel final : public _comm_one_thread {
   public:
    std::string out;
    void close() override {}
    void write(const uint8_t* bytes, int count) override { out.append(reinterpret_cast<const char*>(bytes), count); }
    bool is_open() override { return true; }
    void start_break() override {}
    void end_break() override {}
    const char* local_address() override { return nullptr; }
    bool is_net_connected() override { return true; }
    intptr_t handle_event(void*, unsigned, uintptr_t, intptr_t) override { return 0; }
    void open(void*) override {}
  } channel;
  ResetAutoLogin();
  Channels.current = &channel;
  StartAutoLogin(Settings("joe", nullptr, nullptr));
  FeedChunk("login: ");
  Channels.current = &NoChannel;
  EXPECT_EQ(channel.out, "joe\r");
}
