// Plays a script on one connected socket.
#pragma once

#include <csignal>
#include <map>
#include <string>
#include <vector>

#include "log.h"
#include "script.h"
#include "telnet.h"

namespace hostsim {

struct SessionResult {
    bool ok = true;
    std::string message;   // "FILE:LINE: what failed" when not ok
};

class Session {
public:
    // `fd` is a connected stream socket; the session does not close it.
    // `stop`, when given, ends the session as soon as it becomes non-zero.
    Session(const Script& script, int fd, Log& log, const volatile sig_atomic_t* stop = nullptr);

    // Without telnet framing (a serial line bridged to the socket): 255 is
    // sent once and every received byte is data.
    void setTelnet(bool on) { telnet_ = on; }
    SessionResult run();

    // The wait limit of the expect family before the script sets one.
    static constexpr long kDefaultTimeoutMs = 10000;

private:
    enum class Got { Bytes, Timeout, Closed };
    struct Frame {
        int returnTo = -1;
        std::map<int, long> loopCounters;
    };

    // Each step returns false when the session is over (`result_` says how).
    bool step(const Instr& in);
    bool fail(const Instr& in, const std::string& message);
    bool finish(const std::string& why);

    // A request (a screen dump, the identification) fails the session when
    // the terminal has gone; plain data just ends it.
    bool sendData(const Instr& in, const std::string& bytes, bool request = false);
    bool sendWire(const Instr& in, const std::string& wire, bool request = false);
    Got receive(long long deadlineMs);
    long long now() const;
    long long deadline(long ms) const;

    bool expect(const Instr& in);
    bool expectLine(const Instr& in);
    bool expectExact(const Instr& in);
    bool readUntil(const Instr& in);
    bool readKey(const Instr& in);
    bool readLine(const Instr& in);
    bool expectTelnet(const Instr& in);
    bool wait(const Instr& in);
    bool screenDump(const Instr& in, long long until, std::vector<std::string>& rows);
    bool expectScreen(const Instr& in);
    bool dumpScreen(const Instr& in);
    bool pollEdit(const Instr& in);
    bool expectTrace(const Instr& in);
    bool identify(const Instr& in);
    bool handshake(const Instr& in);
    bool clockPrint(const Instr& in);
    // Transfers (transfer.cpp holds the framing).
    bool readFileArgument(const Instr& in, std::string& contents);
    bool pathArgument(const Instr& in, const std::string& written, std::string& path);
    bool moveFile(const Instr& in);
    bool nextPiece(const Instr& in, char end, std::string& piece, const std::string& what);
    bool sendBlocks(const Instr& in);
    bool sendStream(const Instr& in, bool hex);
    bool expectUpload(const Instr& in);
    bool expectHexUpload(const Instr& in);
    void discardPending(const char* why);
    bool waitFailed(const Instr& in, Got got, const std::string& what, long ms);

    const Script& script_;
    int fd_;
    Log& log_;
    const volatile sig_atomic_t* stop_;
    TelnetDecoder decoder_;
    std::string data_;      // data bytes from the terminal not yet consumed
    std::string control_;   // telnet control bytes from the terminal not yet consumed
    std::string input_;     // the input register
    bool peerClosed_ = false;
    bool telnet_ = true;
    long long clockStart_ = 0;   // for clock-print
    long timeoutMs_ = kDefaultTimeoutMs;
    long inputTimeoutMs_ = 0;
    std::vector<Frame> frames_;
    int pc_ = 0;
    long idleSteps_ = 0;
    SessionResult result_;
};

}  // namespace hostsim
