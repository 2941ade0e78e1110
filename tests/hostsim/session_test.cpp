#include <gtest/gtest.h>

#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <memory>
#include <thread>

#include "peer.h"
#include "script.h"
#include "session.h"

using hostsim::Script;
using hostsim::Session;
using hostsim::SessionResult;
using hostsim_test::encodeDump;
using hostsim_test::Peer;

namespace {

// Runs a script on one end of a socket pair; the test plays the terminal on
// the other end through `peer`.
class HostSession : public ::testing::Test {
protected:
    void start(const std::string& source) {
        std::string error;
        ASSERT_TRUE(hostsim::parseScript(source, "s.host", script_, error)) << error;
        startParsed();
    }

    void startParsed() {
        int fds[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        hostFd_ = fds[0];
        peer.reset(new Peer(fds[1]));
        thread_ = std::thread([this] {
            Session session(script_, hostFd_, log_, &stop_);
            session.setTelnet(telnet_);
            result_ = session.run();
            shutdown(hostFd_, SHUT_RDWR);
            done_ = true;
        });
    }

    // Waits for the session to end; never longer than a few seconds.
    SessionResult finish() {
        for (int i = 0; i < 800 && !done_; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(done_) << "the session did not end by itself";
        stop_ = 1;
        if (!done_) shutdown(hostFd_, SHUT_RDWR);  // unblocks any call the session is stuck in
        if (thread_.joinable()) thread_.join();
        return result_;
    }

    // Ends whatever runs and makes the fixture ready for another session.
    void reset() {
        stop_ = 1;
        if (thread_.joinable()) thread_.join();
        peer.reset();
        if (hostFd_ >= 0) close(hostFd_);
        hostFd_ = -1;
        stop_ = 0;
        done_ = false;
        script_ = Script();
    }

    void TearDown() override { reset(); }

    Script script_;
    std::unique_ptr<Peer> peer;
    bool telnet_ = true;

private:
    hostsim::Log log_;
    int hostFd_ = -1;
    volatile sig_atomic_t stop_ = 0;
    std::atomic<bool> done_{false};
    std::thread thread_;
    SessionResult result_;
};

TEST_F(HostSession, SendsScriptBytesInOrderWithIacDoubled) {
    start("send a\\xFFb\nloop 3\nsend x\nend\ncall box\nsend {1}\nscreen box\nsend [S]\nend\n");
    EXPECT_EQ(peer->readAll(), "a\xff\xff" "bxxx[S]!");
    SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(peer->closedByOtherSide());
}

TEST_F(HostSession, ExpectSkipsToTheTextAndConsumesIt) {
    start("timeout 3000\nexpect OK\nsend first\nexpect OK\nsend second\nexpect \\xFF\nsend third\n");
    peer->write("noise OK more OK\xff\xff");
    EXPECT_EQ(peer->readAll(), "firstsecondthird");
    SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
}

TEST_F(HostSession, ExpectTimeoutFailsNamingTheLine) {
    start("timeout 200\nsend hi\nexpect NEVER\nsend not reached\n");
    peer->write("something");
    EXPECT_EQ(peer->readAll(), "hi");
    SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "s.host:3: expect \"NEVER\": nothing matched within 200 ms; the terminal sent \"something\"");
}

TEST_F(HostSession, ExpectFailsWhenTheTerminalCloses) {
    start("timeout 5000\nexpect-line READY\n");
    peer->write("REA");
    peer->closeNow();
    SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.find("s.host:2: expect-line \"READY\": the terminal closed the connection"), 0u)
        << r.message;
}

TEST_F(HostSession, ExpectLineComparesTheWholeLine) {
    start("timeout 2000\nexpect-line 1\nexpect-line 0\n");
    peer->write("1\r01\r");
    SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "s.host:3: expect-line \"0\": the terminal sent the line \"01\"");
}

// Pick-list and field replies have no terminator: the bytes must come first,
// whole and alone in their place.
TEST_F(HostSession, ExpectExactWantsTheNextBytesAndNothingBefore) {
    struct Case {
        const char* script;
        std::string sent;
        bool ok;
        const char* message;
    } cases[] = {
        {"timeout 2000\nexpect-exact -\"\nexpect-exact {0}{3}\n", "-\" #", true, ""},
        {"timeout 2000\nexpect-exact -!\n", "x-!", false, "s.host:2: expect-exact \"-!\": the terminal sent \"x\""},
        {"timeout 2000\nexpect-exact ABC\n", "ABX", false, "s.host:2: expect-exact \"ABC\": the terminal sent \"ABX\""},
        {"timeout 200\nexpect-exact ABC\n", "AB", false,
         "s.host:2: expect-exact \"ABC\": nothing matched within 200 ms; the terminal sent \"AB\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        start(c.script);
        // Byte by byte: a reply split across reads still matches.
        for (char b : c.sent) {
            peer->write(std::string(1, b));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        SessionResult r = finish();
        EXPECT_EQ(r.ok, c.ok) << r.message;
        if (!c.ok) EXPECT_EQ(r.message, c.message);
        reset();
    }
}

TEST_F(HostSession, ExpectExactConsumesOnlyItsBytes) {
    start("timeout 2000\nexpect-exact AB\nread-until \\n\nsend <{input}>\n");
    peer->write("ABrest\n");
    EXPECT_EQ(peer->readAll(), "<rest>");
    EXPECT_TRUE(finish().ok);
}

TEST_F(HostSession, ReadUntilFillsTheInputRegister) {
    start("timeout 2000\nread-until \\r\nsend <{input}>\n");
    peer->write("ab^c\rrest");
    EXPECT_EQ(peer->readAll(), "<ab^c>");
    EXPECT_TRUE(finish().ok);
}

TEST_F(HostSession, KeysDriveBranchesAndEchoes) {
    start(
        "label top\n"
        "read-key\n"
        "if-input quit q\n"
        "send [{input}]\n"
        "goto top\n"
        "label quit\n"
        "send bye\n");
    peer->write("ab");
    EXPECT_EQ(peer->readUntil("[b]"), "[a][b]");
    peer->write("q");
    EXPECT_EQ(peer->readAll(), "bye");
    EXPECT_TRUE(finish().ok);
}

TEST_F(HostSession, ReadLineEchoesAndHonoursBackspace) {
    start("read-line echo\nsend \\r=[{input}]\n");
    peer->write("abx\bc\r");
    EXPECT_EQ(peer->readAll(), "abx\b \bc\r=[abc]");
    EXPECT_TRUE(finish().ok);
}

// An input field's reply: the text up to LF, then its closing bytes.
TEST_F(HostSession, ReadLineToLfTakesAFieldsText) {
    start("read-line lf\nsend [{input}]\nread-key\nsend <{input}>\n");
    peer->write("Ada\rLovelace\n-");
    EXPECT_EQ(peer->readAll(), "[AdaLovelace]<->");
    EXPECT_TRUE(finish().ok);
}

TEST_F(HostSession, TheTerminalLeavingDuringAReadEndsTheSessionCleanly) {
    start("read-key\nsend never\n");
    peer->closeNow();
    SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
}

TEST_F(HostSession, InputTimeoutEmptiesTheRegister) {
    start("input-timeout 100\nread-key\nif-input idle\nsend busy\nlabel idle\nsend idle\n");
    EXPECT_EQ(peer->readAll(), "idle");
    EXPECT_TRUE(finish().ok);
}

TEST_F(HostSession, TelnetOffersAndTheTerminalsRefusals) {
    start("timeout 2000\ntelnet-negotiate\nexpect-telnet WONT 24\nexpect-telnet WONT 31\nexpect data\nsend done\n");
    EXPECT_EQ(peer->readUntil("\xff\xfb\x03"), "\xff\xfd\x18\xff\xfd\x1f\xff\xfb\x01\xff\xfb\x03");
    peer->write("\xff\xfc\x18" "da\xff\xfc\x1f" "ta");
    EXPECT_EQ(peer->readAll(), "done");
    SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
}

TEST_F(HostSession, MissingRefusalFailsWithWhatArrived) {
    start("timeout 200\ntelnet-negotiate DO 24\nexpect-telnet WONT 24\n");
    peer->write("\xff\xfb\x18");
    SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message,
              "s.host:3: expect-telnet 255 252 24: not received within 200 ms; telnet bytes received: 255 251 24");
}

TEST_F(HostSession, ExpectScreenAsksForTheDumpAndRetriesUntilItMatches) {
    start("timeout 3000\nexpect-screen 3 10 Name: ^x^\\n     ok\nexpect-screen 24 26 Ready\nsend done\n");
    std::vector<std::string> rows(25);
    rows[3] = std::string(10, ' ') + "Name: ^x^";
    // First answer: the text is not there yet, so the simulator asks again.
    EXPECT_EQ(peer->readUntil("\x1bSI \n"), "\x1bSI \n");
    peer->write(encodeDump(rows));
    rows[4] = std::string(10, ' ') + "     ok";
    EXPECT_EQ(peer->readUntil("\x1bSI \n"), "\x1bSI \n");
    peer->write(encodeDump(rows));
    rows[24] = std::string(26, ' ') + "Ready";
    EXPECT_EQ(peer->readUntil("\x1bSI \n"), "\x1bSI \n");
    peer->write(encodeDump(rows));
    EXPECT_EQ(peer->readAll(), "done");
    SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
}

TEST_F(HostSession, ExpectScreenFailureShowsTheRow) {
    start("timeout 500\n\nexpect-screen 0 0 ╔═ MENU\n");
    std::vector<std::string> rows(25);
    rows[0] = "\xc9\xcd MAIN";
    for (int i = 0; i < 10 && !peer->closedByOtherSide(); ++i) {
        if (peer->readUntil("\x1bSI \n", 1000).empty()) break;
        peer->write(encodeDump(rows));
    }
    SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.find("s.host:3: expect-screen: row 0 column 0: expected \"╔═ MENU\", screen has \"╔═ MAIN\""), 0u)
        << r.message;
}

TEST_F(HostSession, MalformedDumpFails) {
    start("timeout 2000\nexpect-screen 0 0 x\n");
    peer->readUntil("\x1bSI \n");
    peer->write("short row\r");
    SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "s.host:2: screen dump row 0 has 9 glyphs, not 80");
}

TEST_F(HostSession, ExpectTraceLooksInTheTerminalsTrace) {
    start("timeout 2000\nsend hello\nexpect-trace hello\nexpect-trace goodbye\n");
    EXPECT_EQ(peer->readUntil("\x1bSI!\n"), "hello\x1bSI!\n");
    peer->write("xxhello^027\r\r");
    EXPECT_EQ(peer->readUntil("\x1bSI!\n"), "\x1bSI!\n");
    peer->write("xxhello^027\r\r");
    SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "s.host:4: expect-trace \"goodbye\": not in the trace; it ends with \"xxhello\\x1B\"");
}

TEST_F(HostSession, IdentifyChecksTheReplyFields) {
    const struct {
        const char* script;
        std::string reply;
        const char* failure;  // nullptr: passes
    } cases[] = {
        {"identify ABC 127.0.0.1", "MX 4.23\xfe" "ABC\xfe" "127.0.0.1\n", nullptr},
        {"identify", "MX 4.23\xfe\n", nullptr},
        {"identify * 127.0.0.1", "MX 4.23\xfe" "ABC\xfe" "127.0.0.1\n", nullptr},
        {"identify ABC", "MX 4.23\xfe" "XYZ\n", "user id is not \"ABC\""},
        {"identify * 10.0.0.1", "MX 4.23\xfe" "ABC\xfe" "127.0.0.1\n", "address is not \"10.0.0.1\""},
        {"identify * 127.0.0.1", "MX 4.23\xfe" "ABC\n", "address is not"},
        {"identify", "VT 1.0\xfe" "ABC\n", "not \"MX 4.23\""},
    };
    for (const auto& c : cases) {
        reset();
        std::string error;
        ASSERT_TRUE(hostsim::parseScript(std::string("timeout 2000\n") + c.script + "\n", "s.host", script_, error));
        startParsed();
        EXPECT_EQ(peer->readUntil("\x1bR\n"), "\x1bR\n") << c.script;
        peer->write(c.reply);
        SessionResult r = finish();
        if (!c.failure) {
            EXPECT_TRUE(r.ok) << c.script << ": " << r.message;
        } else {
            EXPECT_FALSE(r.ok) << c.script;
            EXPECT_NE(r.message.find(c.failure), std::string::npos) << c.script << ": " << r.message;
        }
    }
}

TEST_F(HostSession, HandshakeWantsTheFiveReplyBytes) {
    start("timeout 2000\nhandshake\nsend ok\nhandshake\n");
    EXPECT_EQ(peer->readUntil("y\b"), "\x1b\bA\bR\bD\bT\b\x04\bx\by\b");
    peer->write(std::string("\x04" "00\0\r", 5));
    EXPECT_EQ(peer->readUntil("y\b"), "ok\x1b\bA\bR\bD\bT\b\x04\bx\by\b");
    peer->write(std::string("\x04" "01\0\r", 5));
    SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.find("s.host:4: handshake: the terminal answered"), 0u) << r.message;
}

TEST_F(HostSession, RunawayScriptsFail) {
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"label a\ngoto a\n", "s.host:2: the script loops without sending or waiting"},
        {"loop\nsend {input}\nwait 0\nend\n", "s.host:2: the script loops without sending or waiting"},
        {"call s\nscreen s\ncall s\nend\n", "s.host:3: screens call each other too deeply"},
        {"send a\nfail custom {input}\n", "s.host:2: fail: custom "},
    };
    for (const auto& c : cases) {
        reset();
        std::string error;
        ASSERT_TRUE(hostsim::parseScript(c.script, "s.host", script_, error));
        startParsed();
        SessionResult r = finish();
        EXPECT_FALSE(r.ok) << c.script;
        EXPECT_EQ(r.message, c.message);
    }
}

// A file of `size` bytes in /tmp, removed with the object.
struct TempFile {
    explicit TempFile(size_t size) {
        char name[] = "/tmp/hostsim-send-XXXXXX";
        int fd = mkstemp(name);
        path = name;
        std::string block(65536, 'x');
        for (size_t done = 0; done < size; done += block.size())
            if (::write(fd, block.data(), std::min(block.size(), size - done)) < 0) break;
        close(fd);
    }
    ~TempFile() { unlink(path.c_str()); }
    std::string path;
};

TEST_F(HostSession, ALongSendOnlyFailsWhenTheTerminalStalls) {
    TempFile big(1 << 20);
    // The terminal reads slowly, but steadily: the send takes longer than the
    // time-out and still succeeds.
    start("timeout 300\nsendfile " + big.path + "\nsend END\n");
    size_t received = 0;
    std::string last;
    while (last.find("END") == std::string::npos) {
        last = peer->readUntil("END", 30);
        received += last.size();
        if (peer->closedByOtherSide()) break;
    }
    EXPECT_EQ(received, (1u << 20) + 3);
    SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;

    // A terminal that takes nothing makes the send fail.
    reset();
    TempFile huge(16 << 20);
    start("timeout 300\nsendfile " + huge.path + "\n");
    r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "s.host:2: the terminal took no data for 300 ms");
}

TEST_F(HostSession, WithoutTelnetEveryByteIsData) {
    telnet_ = false;
    start("timeout 2000\nsend a\\xFFb\nexpect \\xFF\\xFB\\x18\nsend ok\n");
    EXPECT_EQ(peer->readUntil("b"), "a\xff" "b");
    peer->write("\xff\xfb\x18");
    EXPECT_EQ(peer->readAll(), "ok");
    SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
}

TEST_F(HostSession, CloseEndsTheSessionAtOnce) {
    start("send a\nclose\nsend b\n");
    EXPECT_EQ(peer->readAll(), "a");
    EXPECT_TRUE(finish().ok);
}

TEST_F(HostSession, DemoDrawsItsScreenAndLeavesOnRequest) {
    std::string error;
    ASSERT_TRUE(hostsim::loadScript(HOSTSIM_SCRIPTS "/demo.host", script_, error)) << error;
    startParsed();
    std::string screen = peer->readUntil("\x1b^T\r\n");
    EXPECT_NE(screen.find("\x1bWI\n"), std::string::npos) << "clears the screen";
    EXPECT_NE(screen.find("\xc9\xcd"), std::string::npos) << "draws a double box";
    EXPECT_NE(screen.find("CORVANE"), std::string::npos);
    EXPECT_NE(screen.find("\x1b^I"), std::string::npos) << "writes the status row";
    // The demo waits until the terminal's own screen shows the first
    // customer: the peer answers its screen request as a terminal would.
    peer->readUntil("\x1bSI \n");
    std::string dump;
    for (int row = 0; row < 25; ++row) {
        std::string line(80, ' ');
        if (row == 5) line.replace(24, 28, "Harbour Light Chandlery Ltd.");
        dump += line + "\r";
    }
    ASSERT_TRUE(peer->write(dump + "\r"));
    peer->readUntil("Command");
    peer->closeNow();
    SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
}

}  // namespace
