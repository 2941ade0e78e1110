// The simulator against the real emulation engine: a small in-process
// terminal (engine, recording shell, the terminal's side of telnet) on the
// other end of the socket. It shows that scripts, the screen dump and the
// identification reply mean the same thing on both sides, and that the demo
// draws what it should.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include <cstdio>
#include <fstream>

#include "edit_relay.h"
#include "engine.h"
#include "recording_edit.h"
#include "recording_shell.h"
#include "script.h"
#include "session.h"

namespace {

// The terminal side: host bytes through the telnet receive rules into the
// parser; the parser's replies back with IAC doubled.
class EngineTerminal {
public:
    explicit EngineTerminal(int fd) : fd_(fd) {
        shell_.keepInvalidations = false;
        shell_.localAddress = "127.0.0.1";
        shell_.userId = "DEMO";
        shell_.Attach(false);
        EngineContext c = Engine;
        c.keyboard = &keyboard_;
        AttachEngine(c);
        ResetEngine();
        ResetConnectionState();
    }

    // A key to the local mode that holds the keyboard, as the dispatcher gives it.
    bool key(int32_t code) {
        if (!keyboard_.handler) return false;
        keyboard_.handler(code);
        flushReplies();
        return true;
    }
    bool localMode() const { return keyboard_.handler != nullptr; }

    // Serves the host until `condition` holds, the host closes, or `ms` pass.
    template <typename Condition>
    bool serveUntil(Condition condition, int ms = 8000) {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!condition()) {
            if (closed_ || std::chrono::steady_clock::now() >= until) return condition();
            pollfd p = {fd_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) continue;
            uint8_t buffer[4096];
            ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0) {
                closed_ = true;
                continue;
            }
            for (ssize_t i = 0; i < n; ++i) telnetByte(buffer[i]);
            flushReplies();
        }
        return true;
    }

    bool serveUntilClosed(int ms = 8000) {
        return serveUntil([this] { return closed_; }, ms);
    }

    void type(const std::string& keys) { sendRaw(keys); }

    std::string row(int r) const {
        std::string out;
        for (int c = 0; c < kScreenCols; ++c) out += static_cast<char>(Screen.cells[r * kScreenCols + c].glyph);
        return out;
    }

    bool rowHas(int r, const std::string& text) const { return row(r).find(text) != std::string::npos; }

private:
    void telnetByte(uint8_t b) {
        switch (state_) {
            case 0:
                if (b == 255) state_ = 1;
                else if (b != 0) data(b);
                break;
            case 1:
                if (b == 255) { data(b); state_ = 0; }
                else if (b == 250) state_ = 4;
                else if (b == 251 || b == 252 || b == 254) state_ = 3;
                else if (b == 253) state_ = 2;
                else state_ = 0;
                break;
            case 2: {
                const uint8_t refusal[3] = {255, 252, b};
                sendRaw(std::string(reinterpret_cast<const char*>(refusal), 3));
                state_ = 0;
                break;
            }
            case 3: state_ = 0; break;
            case 4: state_ = 5; break;
            case 5: if (b == 255) state_ = 6; break;
            case 6: state_ = b == 240 ? 0 : 5; break;
        }
    }

    // What the terminal's ingress does with a data byte, as far as the
    // engine sees it: into the receive trace, then to the parser.
    void data(uint8_t b) {
        shell_.trace.push_back(b);
        ParseBytes(&b, 1);
    }

    void flushReplies() {
        std::string wire;
        for (char c : shell_.sent) {
            wire += c;
            if (static_cast<uint8_t>(c) == 255) wire += c;
        }
        shell_.sent.clear();
        sendRaw(wire);
    }

    void sendRaw(const std::string& bytes) {
        if (!bytes.empty() && ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) < 0) closed_ = true;
    }

    // Holds the handler a local mode installs.
    class Keyboard final : public KeyboardSeam {
    public:
        LocalKeyHandler handler = nullptr;
        void InstallLocalHandler(LocalKeyHandler h, int) override { handler = h; }
        void RestoreNormalHandler() override { handler = nullptr; }
    };

    int fd_;
    Keyboard keyboard_;
    RecordingShell shell_;
    int state_ = 0;
    bool closed_ = false;
};

class SimulatorAndEngine : public ::testing::Test {
protected:
    void start(const std::string& source, const char* name = "e.host") {
        std::string error;
        ASSERT_TRUE(hostsim::parseScript(source, name, script_, error)) << error;
        run();
    }

    void run() {
        int fds[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        hostFd_ = fds[0];
        terminalFd_ = fds[1];
        terminal.reset(new EngineTerminal(terminalFd_));
        thread_ = std::thread([this] {
            hostsim::Session session(script_, hostFd_, log_, &stop_);
            result_ = session.run();
            shutdown(hostFd_, SHUT_RDWR);
        });
    }

    hostsim::SessionResult finish() {
        EXPECT_TRUE(terminal->serveUntilClosed()) << "the session did not end";
        stop_ = 1;
        thread_.join();
        return result_;
    }

    void TearDown() override {
        stop_ = 1;
        if (thread_.joinable()) thread_.join();
        terminal.reset();
        close(hostFd_);
        close(terminalFd_);
    }

    hostsim::Script script_;
    std::unique_ptr<EngineTerminal> terminal;

private:
    hostsim::Log log_;
    int hostFd_ = -1, terminalFd_ = -1;
    volatile sig_atomic_t stop_ = 0;
    std::thread thread_;
    hostsim::SessionResult result_;
};

TEST_F(SimulatorAndEngine, ScriptedChecksHoldAgainstTheEngine) {
    start(
        "timeout 5000\n"
        "telnet-negotiate\n"
        "expect-telnet WONT 24\n"
        "expect-telnet WONT 31\n"
        "clear\n"
        "at 2 4 ╔═ Customer ═╗ ^caret\n"
        "at 3 4 ║{SO}bold{SI}\\x1F\n"
        "status CE100\n"
        "busy\n"
        "message Saved\n"
        "ready\n"
        "expect-screen 2 4 ╔═ Customer ═╗ ^caret\\n║bold»\n"
        "expect-screen 24 0 CE100\n"
        "expect-screen 24 26 Saved\n"
        "identify DEMO 127.0.0.1\n"
        "handshake\n"
        "send \\xFF\n"
        "expect-screen 3 9 »\\s\n"
        "expect-trace ╔═ Customer ═╗ ^caret\n");
    hostsim::SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
}

TEST_F(SimulatorAndEngine, AMismatchIsReportedAgainstTheEngine) {
    start("timeout 600\nat 5 0 Balance 3,208.75\nexpect-screen 5 0 Balance 3,208.76\n");
    hostsim::SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.find("e.host:3: expect-screen: row 5 column 0: expected \"Balance 3,208.76\", "
                             "screen has \"Balance 3,208.75\""),
              0u)
        << r.message;
}

TEST_F(SimulatorAndEngine, DemoDrawsTheEnquiryAndPagesThroughCustomers) {
    std::string error;
    ASSERT_TRUE(hostsim::loadScript(HOSTSIM_SCRIPTS "/demo.host", script_, error)) << error;
    run();
    ASSERT_TRUE(terminal->serveUntil([this] { return terminal->rowHas(20, "Command"); }));
    EXPECT_TRUE(terminal->rowHas(0, "CORVANE BUSINESS SYSTEM"));
    EXPECT_EQ(terminal->row(2).substr(4, 3), "\xc9\xcd ");
    EXPECT_EQ(terminal->row(16).substr(4, 2), "\xc8\xcd");
    EXPECT_TRUE(terminal->rowHas(4, "10452"));
    EXPECT_TRUE(terminal->rowHas(24, "CE100 ENQUIRY"));
    EXPECT_TRUE(terminal->rowHas(24, "Customer 10452 displayed"));

    terminal->type("N\r");
    ASSERT_TRUE(terminal->serveUntil([this] { return terminal->rowHas(24, "Customer 10453 displayed"); }));
    EXPECT_TRUE(terminal->rowHas(5, "Brackenridge Timber & Supply"));

    terminal->type("zz\r");
    ASSERT_TRUE(terminal->serveUntil([this] { return terminal->rowHas(24, "Unknown command \"zz\""); }));

    terminal->type("q\r");
    hostsim::SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(terminal->rowHas(24, "Goodbye"));
}

// A text block from a file, its records and the resend, then a program for
// the editor's relay, polled by message length and closed.
TEST_F(SimulatorAndEngine, BlocksRecordsAndEditPollsAgainstTheEngine) {
    const std::string dir = ::testing::TempDir();
    {
        std::ofstream f(dir + "/block.txt", std::ios::binary);
        f << "first\nline\n";
    }
    RecordingEdit library;
    static RecordingEdit* Library;
    Library = &library;
    struct Open {
        static MoxelToEdit* HELPER_CALL Create(EditToMoxel*, int* index, const char*, int, int, const char*) {
            *index = Library->windows++;
            return Library;
        }
    };
    AttachEditWindows(EditWindowPort{Open::Create, nullptr, nullptr});
    library.messages[5] = {"r8,2,0,Xine\r", "ew\r"};
    start("timeout 5000\n"
          "block-counted " + dir + "/block.txt \\s\n"
          "expect-exact 2,0,4,Xine\\ne;0,1,2\\n\n"
          "send \\x01\n"
          "expect-exact 1,0,5,first\\n2,0,4,Xine\\ne;0,1,2\\n\n"
          "send \\n\n"
          "block-counted " + dir + "/block.txt ${5}{0}BP,PROG.BAS\n"
          "expect-exact 1\n"
          "poll-edit s\\s\n"
          "send \\eMs{0}{0}\\n\n"
          "expect-exact {5}\\xBD{0}\\n\n"
          "poll-edit r8,2,0,Xine\n"
          "poll-edit ew\n"
          "poll-edit s%\n"
          "edit-close 5\n"
          "wait 100\n");
    ASSERT_TRUE(terminal->serveUntil([this] { return terminal->localMode() && terminal->rowHas(1, "line"); }));
    ASSERT_TRUE(terminal->key(1000));
    ASSERT_TRUE(terminal->key('X'));
    ASSERT_TRUE(terminal->key(27));
    // The pick list of the second form waits for the edit-window event.
    ASSERT_TRUE(terminal->serveUntil([this] { return terminal->localMode(); }));
    library.pendingSession = 5;
    ASSERT_TRUE(terminal->key(1095));
    hostsim::SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
    ASSERT_EQ(library.loaded.size(), 2u);
    EXPECT_EQ(library.calls.back(), "CloseSession 5");
    AttachEditWindows(EditWindowPort{nullptr, nullptr, nullptr});
    ResetEditRelay();
}

}  // namespace
