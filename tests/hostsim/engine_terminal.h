// A small in-process terminal for simulator tests: the real emulation
// engine with a recording shell and the terminal's side of telnet, on one
// end of a socket pair whose other end plays a host script.
#pragma once

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <memory>
#include <thread>

#include "engine.h"
#include "recording_shell.h"
#include "script.h"
#include "session.h"

namespace hostsim_test {

// The terminal side: host bytes through the telnet receive rules into the
// parser; the parser's replies back with IAC doubled.
class EngineTerminal {
public:
    // `files`: a file seam to use instead of the do-nothing one.
    explicit EngineTerminal(int fd, FileSeam* files = nullptr) : fd_(fd) {
        shell_.keepInvalidations = false;
        shell_.localAddress = "127.0.0.1";
        shell_.userId = "DEMO";
        shell_.Attach(false);
        EngineContext c = Engine;
        c.keyboard = &keyboard_;
        if (files) c.files = files;
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
        terminal.reset(new EngineTerminal(terminalFd_, files_));
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
        DetachEngine();
        close(hostFd_);
        close(terminalFd_);
    }

    hostsim::Script script_;
    std::unique_ptr<EngineTerminal> terminal;
    FileSeam* files_ = nullptr;  // set before start() to serve transfers

private:
    hostsim::Log log_;
    int hostFd_ = -1, terminalFd_ = -1;
    volatile sig_atomic_t stop_ = 0;
    std::thread thread_;
    hostsim::SessionResult result_;
};

}  // namespace hostsim_test
