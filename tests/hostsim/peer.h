// Test side of a host session: plays the terminal on one end of a socket.
#pragma once

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace hostsim_test {

class Peer {
public:
    explicit Peer(int fd) : fd_(fd) {}
    ~Peer() { closeNow(); }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    void closeNow() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

    bool write(const std::string& bytes) {
        size_t sent = 0;
        while (sent < bytes.size()) {
            ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return false;
            sent += static_cast<size_t>(n);
        }
        return true;
    }

    // Reads until `needle` has arrived (everything read so far is returned and
    // forgotten up to the end of the needle), or until `ms` pass.
    std::string readUntil(const std::string& needle, int ms = 5000) {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            size_t at = pending_.find(needle);
            if (at != std::string::npos) {
                std::string out = pending_.substr(0, at + needle.size());
                pending_.erase(0, at + needle.size());
                return out;
            }
            if (!readSome(until)) {
                std::string out = pending_;
                pending_.clear();
                return out;
            }
        }
    }

    // Reads until the other side closes or `ms` pass; returns all of it.
    std::string readAll(int ms = 5000) {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (readSome(until)) {
        }
        std::string out = pending_;
        pending_.clear();
        return out;
    }

    bool closedByOtherSide() const { return eof_; }

private:
    bool readSome(std::chrono::steady_clock::time_point until) {
        if (eof_) return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        until - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0) return false;
        pollfd p = {fd_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) return false;
        char buffer[4096];
        ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
        if (n <= 0) {
            eof_ = true;
            return false;
        }
        pending_.append(buffer, static_cast<size_t>(n));
        return true;
    }

    int fd_;
    std::string pending_;
    bool eof_ = false;
};

// A fresh directory under /tmp, removed with everything in it.
class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/hostsim-test-XXXXXX";
        if (mkdtemp(name)) dir_ = name;
    }
    ~TempDir() {
        if (dir_.empty()) return;
        std::string command = "rm -rf '" + dir_ + "'";
        if (system(command.c_str()) != 0) fprintf(stderr, "cannot remove %s\n", dir_.c_str());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool ok() const { return !dir_.empty(); }
    const std::string& dir() const { return dir_; }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name)) << text;
        return path(name);
    }

private:
    std::string dir_;
};

// The terminal's screen dump for these rows (missing rows blank, short rows
// padded with blanks), escaped as the terminal escapes it.
inline std::string encodeDump(std::vector<std::string> rows) {
    rows.resize(25);
    std::string out;
    for (std::string row : rows) {
        row.resize(80, ' ');
        for (unsigned char c : row) {
            if (c < 32 || c == '^') {
                char buf[8];
                snprintf(buf, sizeof buf, "^%03d", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
        out += '\r';
    }
    out += '\r';
    return out;
}

}  // namespace hostsim_test
