#include "session.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstdlib>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "edit_message.h"
#include "screen_dump.h"
#include "text.h"
#include "transfer.h"

namespace hostsim {

namespace {

// A script that jumps this often without sending or waiting is stuck.
const long kMaxIdleSteps = 1000000;
// Nested screen calls deeper than this are a runaway recursion.
const size_t kMaxCallDepth = 100;
// Pause between two screen dumps while the screen does not match yet.
const long kScreenRetryMs = 200;

std::string quoted(const std::string& bytes) { return "\"" + printable(bytes) + "\""; }

// Telnet control bytes are best read as numbers: "255 252 24".
std::string numbers(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) out += (out.empty() ? "" : " ") + std::to_string(c);
    return out;
}

// What is left of the terminal's data, shortened for a message.
std::string tail(const std::string& bytes) {
    if (bytes.empty()) return "nothing";
    if (bytes.size() <= 200) return quoted(bytes);
    return "..." + quoted(bytes.substr(bytes.size() - 200));
}

}  // namespace

Session::Session(const Script& script, int fd, Log& log, const volatile sig_atomic_t* stop)
    : script_(script), fd_(fd), log_(log), stop_(stop) {}

long long Session::now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

long long Session::deadline(long ms) const { return ms <= 0 ? -1 : now() + ms; }

SessionResult Session::run() {
    frames_.assign(1, Frame());
    pc_ = 0;
    clockStart_ = now();
    result_ = SessionResult();
    while (pc_ >= 0 && pc_ < static_cast<int>(script_.code.size())) {
        if (stop_ && *stop_) {
            finish("stopped by signal");
            break;
        }
        const Instr& in = script_.code[pc_++];
        if (!step(in)) break;
    }
    return result_;
}

bool Session::fail(const Instr& in, const std::string& message) {
    result_.ok = false;
    result_.message = script_.files[in.file] + ":" + std::to_string(in.line) + ": " + message;
    log_.write("FAIL " + result_.message);
    return false;
}

bool Session::finish(const std::string& why) {
    log_.write("session ends: " + why);
    return false;
}

bool Session::step(const Instr& in) {
    bool io = true;
    bool going = true;
    switch (in.op) {
        case Op::Send: {
            std::string bytes = in.text.expand(input_);
            io = !bytes.empty();  // an empty send is no progress
            going = sendData(in, bytes);
            break;
        }
        case Op::SendFile: {
            std::string contents;
            if (!readFileArgument(in, contents)) return false;
            going = sendData(in, contents);
            break;
        }
        case Op::SendBlock: {
            std::ifstream f(in.name, std::ios::binary);
            if (!f) return fail(in, "block: cannot open " + in.name);
            std::stringstream buffer;
            buffer << f.rdbuf();
            going = sendData(in, textBlockBytes(in.text.expand(input_), buffer.str(), in.number != 0));
            break;
        }
        case Op::PollEdit: going = pollEdit(in); break;
        case Op::Expect: going = expect(in); break;
        case Op::ExpectLine: going = expectLine(in); break;
        case Op::ExpectExact: going = expectExact(in); break;
        case Op::ReadUntil: going = readUntil(in); break;
        case Op::ReadKey: going = readKey(in); break;
        case Op::ReadLine: going = readLine(in); break;
        case Op::ExpectTelnet: going = expectTelnet(in); break;
        case Op::Wait:
            io = in.number > 0;
            going = wait(in);
            break;
        case Op::ExpectScreen: going = expectScreen(in); break;
        case Op::DumpScreen: going = dumpScreen(in); break;
        case Op::ExpectTrace: going = expectTrace(in); break;
        case Op::Identify: going = identify(in); break;
        case Op::Handshake: going = handshake(in); break;
        case Op::TelnetSend:
            log_.write("telnet: " + numbers(in.text.literal()));
            going = sendWire(in, in.text.literal());
            break;
        case Op::IfInput:
            io = false;
            if (input_ == in.text.expand(input_)) pc_ = in.target;
            break;
        case Op::Goto:
            io = false;
            pc_ = in.target;
            break;
        case Op::LoopStart:
            io = false;
            frames_.back().loopCounters[in.slot] = in.number == 0 ? -1 : in.number;
            break;
        case Op::LoopEnd: {
            io = false;
            long& counter = frames_.back().loopCounters[in.slot];
            if (counter < 0 || --counter > 0) pc_ = in.target;
            break;
        }
        case Op::Call:
            io = false;
            if (frames_.size() >= kMaxCallDepth) return fail(in, "screens call each other too deeply");
            frames_.push_back(Frame());
            frames_.back().returnTo = pc_;
            pc_ = in.target;
            break;
        case Op::Return:
            io = false;
            pc_ = frames_.back().returnTo;
            frames_.pop_back();
            break;
        case Op::SetTimeout:
            io = false;
            timeoutMs_ = in.number;
            break;
        case Op::SetInputTimeout:
            io = false;
            inputTimeoutMs_ = in.number;
            break;
        case Op::ClockStart:
            io = false;
            clockStart_ = now();
            break;
        case Op::ClockPrint:
            going = clockPrint(in);
            break;
        case Op::MoveFile:
            io = false;
            going = moveFile(in);
            break;
        case Op::SendBlocks: going = sendBlocks(in); break;
        case Op::SendTextStream: going = sendStream(in, false); break;
        case Op::SendHexStream: going = sendStream(in, true); break;
        case Op::ExpectUpload: going = expectUpload(in); break;
        case Op::ExpectHexUpload: going = expectHexUpload(in); break;
        case Op::ExpectFile: {
            std::string contents;
            if (!readFileArgument(in, contents)) return false;
            Instr exact = in;
            exact.text = Text();
            exact.text.appendBytes(contents);
            going = expectExact(exact);
            break;
        }
        case Op::Fail:
            return fail(in, "fail: " + printable(in.text.expand(input_)));
        case Op::Close:
            return finish("close");
        case Op::End:
            return finish("end of script");
    }
    if (!going) return false;
    idleSteps_ = io ? 0 : idleSteps_ + 1;
    if (idleSteps_ > kMaxIdleSteps) return fail(in, "the script loops without sending or waiting");
    return true;
}

bool Session::sendData(const Instr& in, const std::string& bytes, bool request) {
    if (log_.enabled()) {
        // A flood of screen data would drown the log: its head is enough.
        const size_t kLogged = 2000;
        log_.write("send " + quoted(bytes.substr(0, kLogged)) +
                   (bytes.size() > kLogged ? " ... (" + std::to_string(bytes.size()) + " bytes)" : ""));
    }
    return sendWire(in, telnet_ ? doubleIac(bytes) : bytes, request);
}

bool Session::sendWire(const Instr& in, const std::string& wire, bool request) {
    size_t sent = 0;
    long long until = deadline(timeoutMs_);
    while (sent < wire.size()) {
        if (peerClosed_) {
            if (request) return fail(in, "the terminal closed the connection before the request went out");
            return finish("the terminal closed the connection");
        }
        // Keep reading while the terminal is slow to take our data, so neither
        // side can block the other with full buffers.
        pollfd p = {fd_, POLLIN | POLLOUT, 0};
        long long left = until - now();
        if (left <= 0) return fail(in, "the terminal took no data for " + std::to_string(timeoutMs_) + " ms");
        int r = poll(&p, 1, static_cast<int>(left > 1000 ? 1000 : left));
        if (r < 0 && errno != EINTR) return fail(in, std::string("poll: ") + strerror(errno));
        if (stop_ && *stop_) return finish("stopped by signal");
        if (r <= 0) continue;
        if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
            if (receive(now()) == Got::Closed) continue;
        }
        if (p.revents & POLLOUT) {
            ssize_t n = ::send(fd_, wire.data() + sent, wire.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) continue;
                if (errno == EPIPE || errno == ECONNRESET) {
                    peerClosed_ = true;
                    continue;
                }
                return fail(in, std::string("send: ") + strerror(errno));
            }
            sent += static_cast<size_t>(n);
            until = deadline(timeoutMs_);  // the limit is on a stall, not on the whole send
        }
    }
    return true;
}

// Waits until something arrives or `deadlineMs` passes (-1: no limit), then
// takes what is there. Closed once the terminal has closed its side.
Session::Got Session::receive(long long deadlineMs) {
    if (peerClosed_) return Got::Closed;
    for (;;) {
        if (stop_ && *stop_) return Got::Closed;
        long long left = deadlineMs < 0 ? 1000 : deadlineMs - now();
        if (left < 0) left = 0;
        pollfd p = {fd_, POLLIN, 0};
        int r = poll(&p, 1, static_cast<int>(left > 1000 ? 1000 : left));
        if (r < 0 && errno != EINTR) {
            peerClosed_ = true;
            return Got::Closed;
        }
        if (r > 0) {
            char buffer[4096];
            ssize_t n = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (n <= 0) {
                peerClosed_ = true;
                log_.write("the terminal closed the connection");
                return Got::Closed;
            }
            size_t before = control_.size();
            if (telnet_)
                decoder_.feed(buffer, static_cast<size_t>(n), data_, control_);
            else
                data_.append(buffer, static_cast<size_t>(n));
            if (control_.size() != before) log_.write("telnet from terminal: " + numbers(control_.substr(before)));
            return Got::Bytes;
        }
        if (deadlineMs >= 0 && now() >= deadlineMs) return Got::Timeout;
    }
}

bool Session::waitFailed(const Instr& in, Got got, const std::string& what, long ms) {
    if (got == Got::Closed) {
        if (stop_ && *stop_) return finish("stopped by signal");
        return fail(in, what + ": the terminal closed the connection; it had sent " + tail(data_));
    }
    return fail(in, what + ": nothing matched within " + std::to_string(ms) + " ms; the terminal sent " +
                        tail(data_));
}

void Session::discardPending(const char* why) {
    if (data_.empty()) return;
    log_.write(std::string("discarded before ") + why + ": " + quoted(data_));
    data_.clear();
}

bool Session::expect(const Instr& in) {
    std::string want = in.text.expand(input_);
    long long until = deadline(timeoutMs_);
    for (;;) {
        size_t at = data_.find(want);
        if (at != std::string::npos) {
            log_.write("expect " + quoted(want) + " matched after " + quoted(data_.substr(0, at)));
            data_.erase(0, at + want.size());
            return true;
        }
        Got got = receive(until);
        if (got != Got::Bytes) return waitFailed(in, got, "expect " + quoted(want), timeoutMs_);
    }
}

bool Session::expectLine(const Instr& in) {
    std::string want = in.text.expand(input_);
    long long until = deadline(timeoutMs_);
    for (;;) {
        size_t end = data_.find_first_of("\r\n");
        if (end != std::string::npos) {
            std::string line = data_.substr(0, end);
            data_.erase(0, end + 1);
            input_ = line;
            log_.write("line " + quoted(line));
            if (line != want)
                return fail(in, "expect-line " + quoted(want) + ": the terminal sent the line " + quoted(line));
            return true;
        }
        Got got = receive(until);
        if (got != Got::Bytes) return waitFailed(in, got, "expect-line " + quoted(want), timeoutMs_);
    }
}

// Replies with a fixed length and no terminator (a pick-list choice, an
// input field's trailer): every byte counts, so nothing may come before them.
bool Session::expectExact(const Instr& in) {
    std::string want = in.text.expand(input_);
    long long until = deadline(timeoutMs_);
    for (;;) {
        size_t n = data_.size() < want.size() ? data_.size() : want.size();
        if (data_.compare(0, n, want, 0, n) != 0)
            return fail(in, "expect-exact " + quoted(want) + ": the terminal sent " +
                                quoted(data_.substr(0, want.size())));
        if (n == want.size()) {
            log_.write("exact " + quoted(want));
            data_.erase(0, n);
            return true;
        }
        Got got = receive(until);
        if (got != Got::Bytes) return waitFailed(in, got, "expect-exact " + quoted(want), timeoutMs_);
    }
}

bool Session::readUntil(const Instr& in) {
    char stop = static_cast<char>(in.number);
    long long until = deadline(timeoutMs_);
    for (;;) {
        size_t end = data_.find(stop);
        if (end != std::string::npos) {
            input_ = data_.substr(0, end);
            data_.erase(0, end + 1);
            log_.write("read " + quoted(input_));
            return true;
        }
        Got got = receive(until);
        if (got != Got::Bytes)
            return waitFailed(in, got, "read-until " + quoted(std::string(1, stop)), timeoutMs_);
    }
}

bool Session::readKey(const Instr& in) {
    long long until = deadline(inputTimeoutMs_);
    while (data_.empty()) {
        Got got = receive(until);
        if (got == Got::Closed) return finish("the terminal left");
        if (got == Got::Timeout) {
            input_.clear();
            return true;
        }
    }
    input_ = data_.substr(0, 1);
    data_.erase(0, 1);
    log_.write("key " + quoted(input_));
    return true;
}

bool Session::readLine(const Instr& in) {
    bool echo = (in.number & kReadLineEcho) != 0;
    unsigned char end = (in.number & kReadLineToLf) ? '\n' : '\r';
    std::string line;
    long long until = deadline(inputTimeoutMs_);
    for (;;) {
        while (!data_.empty()) {
            unsigned char c = static_cast<unsigned char>(data_[0]);
            data_.erase(0, 1);
            if (c == end) {
                input_ = line;
                log_.write("line " + quoted(line));
                return true;
            }
            if (c == '\b' || c == 0x7F) {
                if (!line.empty()) {
                    line.pop_back();
                    if (echo && !sendData(in, "\b \b")) return false;
                }
            } else if (c >= 0x20) {
                line += static_cast<char>(c);
                if (echo && !sendData(in, std::string(1, static_cast<char>(c)))) return false;
            }
        }
        Got got = receive(until);
        if (got == Got::Closed) return finish("the terminal left");
        if (got == Got::Timeout) {
            input_ = line;
            return true;
        }
    }
}

bool Session::expectTelnet(const Instr& in) {
    std::string want = in.text.literal();
    long long until = deadline(timeoutMs_);
    for (;;) {
        size_t at = control_.find(want);
        if (at != std::string::npos) {
            control_.erase(0, at + want.size());
            return true;
        }
        Got got = receive(until);
        if (got != Got::Bytes) {
            std::string what = "expect-telnet " + numbers(want) + ": ";
            what += got == Got::Closed ? "the terminal closed the connection"
                                       : "not received within " + std::to_string(timeoutMs_) + " ms";
            return fail(in, what + "; telnet bytes received: " +
                                (control_.empty() ? "none" : numbers(control_)));
        }
    }
}

bool Session::wait(const Instr& in) {
    long long until = deadline(in.number);
    if (in.number <= 0) return true;
    while (now() < until) {
        if (receive(until) == Got::Closed) {
            if (stop_ && *stop_) return finish("stopped by signal");
            return true;  // the next send or read notices
        }
    }
    return true;
}

bool Session::screenDump(const Instr& in, long long until, std::vector<std::string>& rows) {
    discardPending("the screen dump");
    if (!sendData(in, screenDumpRequest(), true)) return false;
    for (;;) {
        size_t consumed = 0;
        std::string error;
        DumpStatus status = decodeScreenDump(data_, rows, consumed, error);
        if (status == DumpStatus::Complete) {
            data_.erase(0, consumed);
            return true;
        }
        if (status == DumpStatus::Malformed) return fail(in, error);
        Got got = receive(until);
        if (got != Got::Bytes) return waitFailed(in, got, "screen dump", timeoutMs_);
    }
}

bool Session::expectScreen(const Instr& in) {
    const std::string want = in.text.literal();
    long long until = deadline(timeoutMs_);
    std::string difference;
    for (;;) {
        std::vector<std::string> rows;
        if (!screenDump(in, until, rows)) return false;
        if (compareScreen(rows, in.row, in.column, want, difference)) {
            log_.write("screen matches at " + std::to_string(in.row) + " " + std::to_string(in.column) + ": " +
                       quoted(want));
            return true;
        }
        log_.write("screen differs: " + difference);
        if (now() + kScreenRetryMs >= until)
            return fail(in, "expect-screen: " + difference + "\nscreen:\n" + screenAsText(rows));
        long long pause = now() + kScreenRetryMs;
        while (now() < pause)
            if (receive(pause) == Got::Closed) return waitFailed(in, Got::Closed, "expect-screen", timeoutMs_);
    }
}

// ESC S G (or ESC S B): one message comes back, read by its own length, into
// the input register; with a text it must be exactly that.
bool Session::pollEdit(const Instr& in) {
    const std::string want = in.text.expand(input_);
    const bool any = in.text.pieces.empty();
    discardPending("the edit poll");
    if (!sendData(in, in.number ? "\x1bSB" : "\x1bSG", true)) return false;
    long long until = deadline(timeoutMs_);
    for (;;) {
        std::string message, error;
        size_t consumed = 0;
        DumpStatus status = decodeEditMessage(data_, message, consumed, error);
        if (status == DumpStatus::Malformed) return fail(in, "poll-edit: " + error + " in " + quoted(data_));
        if (status == DumpStatus::Complete) {
            data_.erase(0, consumed);
            input_ = message;
            log_.write("edit message " + quoted(message));
            if (!any && message != want)
                return fail(in, "poll-edit " + quoted(want) + ": the terminal sent " + quoted(message));
            return true;
        }
        Got got = receive(until);
        if (got != Got::Bytes) return waitFailed(in, got, "poll-edit", timeoutMs_);
    }
}

bool Session::dumpScreen(const Instr& in) {
    std::vector<std::string> rows;
    if (!screenDump(in, deadline(timeoutMs_), rows)) return false;
    std::ofstream out(in.name, std::ios::binary);
    out << screenAsText(rows);
    if (!out) return fail(in, "dump-screen: cannot write " + in.name);
    return true;
}

bool Session::expectTrace(const Instr& in) {
    const std::string want = in.text.expand(input_);
    discardPending("the trace dump");
    if (!sendData(in, traceDumpRequest(), true)) return false;
    long long until = deadline(timeoutMs_);
    for (;;) {
        std::string bytes, error;
        size_t consumed = 0;
        DumpStatus status = decodeTraceDump(data_, bytes, consumed, error);
        if (status == DumpStatus::Malformed) return fail(in, error);
        if (status == DumpStatus::Complete) {
            data_.erase(0, consumed);
            log_.write("trace dump of " + std::to_string(bytes.size()) + " bytes");
            if (bytes.find(want) == std::string::npos)
                return fail(in, "expect-trace " + quoted(want) + ": not in the trace; it ends with " + tail(bytes));
            return true;
        }
        Got got = receive(until);
        if (got != Got::Bytes) return waitFailed(in, got, "trace dump", timeoutMs_);
    }
}

bool Session::clockPrint(const Instr& in) {
    std::string line = in.text.expand(input_) + " " + std::to_string(now() - clockStart_) + " ms";
    log_.write(line);
    printf("%s\n", line.c_str());
    fflush(stdout);
    return true;
}

bool Session::identify(const Instr& in) {
    discardPending("the identification request");
    if (!sendData(in, "\x1bR\n", true)) return false;
    long long until = deadline(timeoutMs_);
    size_t end;
    while ((end = data_.find('\n')) == std::string::npos) {
        Got got = receive(until);
        if (got != Got::Bytes) return waitFailed(in, got, "identify", timeoutMs_);
    }
    std::string reply = data_.substr(0, end);
    data_.erase(0, end + 1);
    input_ = reply;
    log_.write("identification " + quoted(reply));
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t sep = reply.find('\xfe', start);
        fields.push_back(reply.substr(start, sep == std::string::npos ? sep : sep - start));
        if (sep == std::string::npos) break;
        start = sep + 1;
    }
    const std::string what = "identify: the terminal answered " + quoted(reply);
    if (fields.size() < 2 || fields.size() > 3 || fields[0] != "MX 4.23")
        return fail(in, what + ", not \"MX 4.23\", \\xFE, the user id[, \\xFE, the address]");
    if (in.name != "*" && fields[1] != in.name) return fail(in, what + ": user id is not " + quoted(in.name));
    if (in.other != "*" && (fields.size() < 3 || fields[2] != in.other))
        return fail(in, what + ": address is not " + quoted(in.other));
    return true;
}

bool Session::handshake(const Instr& in) {
    discardPending("the handshake");
    if (!sendData(in, std::string("\x1b\bA\bR\bD\bT\b\x04\bx\by\b"), true)) return false;
    const std::string want("\x04" "00" "\0" "\r", 5);
    long long until = deadline(timeoutMs_);
    while (data_.size() < want.size()) {
        Got got = receive(until);
        if (got != Got::Bytes) return waitFailed(in, got, "handshake", timeoutMs_);
    }
    std::string reply = data_.substr(0, want.size());
    data_.erase(0, want.size());
    if (reply != want) return fail(in, "handshake: the terminal answered " + quoted(reply) + ", not " + quoted(want));
    return true;
}

}  // namespace hostsim

namespace hostsim {

bool Session::pathArgument(const Instr& in, const std::string& written, std::string& path) {
    path = written;
    if (!path.empty() && path[0] == '$') {
        // $NAME, or $NAME/rest: the variable's value and the rest of the path.
        const size_t end = path.find_first_of("/\\");
        const std::string name = path.substr(1, end == std::string::npos ? std::string::npos : end - 1);
        const char* value = std::getenv(name.c_str());
        if (!value) return fail(in, "the environment has no " + name);
        path = value + (end == std::string::npos ? std::string() : path.substr(end));
    }
    return true;
}

// A file written beside a watched folder arrives in it at once: the rename is
// what a program dropping files does, and what the stopwatch measures from.
bool Session::moveFile(const Instr& in) {
    std::string from, to;
    if (!pathArgument(in, in.name, from) || !pathArgument(in, in.other, to)) return false;
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return fail(in, "move-file: cannot rename " + from + " to " + to + ": " + std::strerror(errno));
    clockStart_ = now();
    log_.write("moved " + from + " to " + to);
    return true;
}

bool Session::readFileArgument(const Instr& in, std::string& contents) {
    std::string path;
    if (!pathArgument(in, in.name, path)) return false;
    std::ifstream f(path, std::ios::binary);
    if (!f) return fail(in, "cannot open " + path);
    std::stringstream buffer;
    buffer << f.rdbuf();
    contents = buffer.str();
    return true;
}

// The terminal's bytes up to the next `end` (which is taken too).
bool Session::nextPiece(const Instr& in, char end, std::string& piece, const std::string& what) {
    long long until = deadline(timeoutMs_);
    for (;;) {
        size_t at = data_.find(end);
        if (at != std::string::npos) {
            piece = data_.substr(0, at);
            data_.erase(0, at + 1);
            return true;
        }
        Got got = receive(until);
        if (got != Got::Bytes) return waitFailed(in, got, what, timeoutMs_);
    }
}

bool Session::sendBlocks(const Instr& in) {
    std::string contents;
    if (!readFileArgument(in, contents)) return false;
    const size_t size = static_cast<size_t>(in.number);
    const bool acknowledged = (in.flags & kBlocksAcknowledged) != 0;
    long block = 0;
    std::string batch;
    for (size_t at = 0; at < contents.size(); at += size, ++block) {
        const std::string data = contents.substr(at, size);
        const uint8_t sequence = static_cast<uint8_t>(block);
        const bool damaged = block == in.badBlock;
        if (!acknowledged) {
            // Unanswered blocks go out in large writes.
            batch += encodeDownloadBlock(data, sequence, damaged);
            if (batch.size() >= 65536 && !sendData(in, batch)) return false;
            if (batch.size() >= 65536) batch.clear();
            continue;
        }
        for (bool first = true;; first = false) {
            if (!sendData(in, encodeDownloadBlock(data, sequence, damaged && first))) return false;
            long long until = deadline(timeoutMs_);
            while (data_.empty()) {
                Got got = receive(until);
                if (got != Got::Bytes) return waitFailed(in, got, "the answer to block " + std::to_string(block), timeoutMs_);
            }
            char answer = data_[0];
            data_.erase(0, 1);
            if (answer == '\r') break;
            if (answer != '\x02')
                return fail(in, "block " + std::to_string(block) + ": the terminal answered " + quoted(std::string(1, answer)));
        }
    }
    if (!batch.empty() && !sendData(in, batch)) return false;
    log_.write("sent " + std::to_string(block) + " blocks of " + std::to_string(contents.size()) + " bytes");
    return true;
}

bool Session::sendStream(const Instr& in, bool hex) {
    std::string contents;
    if (!readFileArgument(in, contents)) return false;
    return sendData(in, hex ? encodeHexStream(contents) : encodeTextStream(contents));
}

bool Session::expectUpload(const Instr& in) {
    std::string want;
    if (!readFileArgument(in, want)) return false;
    if (!sendData(in, "\r")) return false;
    std::string got;
    Form255 seen = Form255::None;
    for (long block = 0;; ++block) {
        std::string line;
        if (!nextPiece(in, '\n', line, "upload block " + std::to_string(block))) return false;
        if (line == "\x02") break;
        std::string data, error;
        uint8_t sequence = 0;
        if (!decodeUploadBlock(line, data, sequence, error))
            return fail(in, "upload block " + std::to_string(block) + ": " + error);
        if (sequence != static_cast<uint8_t>(block))
            return fail(in, "upload block " + std::to_string(block) + " has the sequence byte " + std::to_string(sequence));
        Form255 form = form255(line);
        if (form != Form255::None) seen = seen == Form255::None || seen == form ? form : Form255::Both;
        if (block == in.resendAt) {
            if (!sendData(in, "\x01")) return false;
            std::string again;
            if (!nextPiece(in, '\n', again, "the resent block " + std::to_string(block))) return false;
            if (again != line) return fail(in, "the resent block " + std::to_string(block) + " differs");
        }
        got += data;
        if (block == in.cancelAt) {
            if (!sendData(in, "\x02")) return false;
            want = want.substr(0, got.size());
            break;
        }
        if (!sendData(in, "\r")) return false;
    }
    if (got != want)
        return fail(in, "the upload holds " + std::to_string(got.size()) + " bytes that differ from the " +
                            std::to_string(want.size()) + " wanted");
    if ((in.flags & kUpload255Raw) && seen != Form255::Raw) return fail(in, "byte 255 did not travel raw");
    if ((in.flags & kUpload255Escaped) && seen != Form255::Escaped) return fail(in, "byte 255 was not escaped");
    log_.write("upload of " + std::to_string(got.size()) + " bytes");
    return true;
}

bool Session::expectHexUpload(const Instr& in) {
    std::string want;
    if (!readFileArgument(in, want)) return false;
    std::string got;
    for (int line = 0;; ++line) {
        if (!sendData(in, "\r")) return false;
        // A line ends in CR; the end of the data is 2 and LF.
        long long until = deadline(timeoutMs_);
        while (data_.size() < 2 && data_.find('\r') == std::string::npos) {
            Got g = receive(until);
            if (g != Got::Bytes) return waitFailed(in, g, "hex line " + std::to_string(line), timeoutMs_);
        }
        if (data_.compare(0, 2, "\x02\n") == 0) {
            data_.erase(0, 2);
            break;
        }
        std::string piece;
        if (!nextPiece(in, '\r', piece, "hex line " + std::to_string(line))) return false;
        if (!decodeHexLine(piece, got)) return fail(in, "hex line " + std::to_string(line) + " is " + quoted(piece));
    }
    if (got != want) return fail(in, "the hex upload differs from the file (" + std::to_string(got.size()) + " bytes)");
    return true;
}

}  // namespace hostsim
