// The simulator's optional session log (--log FILE).
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace hostsim {

class Log {
public:
    Log() : start_(std::chrono::steady_clock::now()) {}
    ~Log() { close(); }
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // Appends to the file; "-" writes to standard error.
    bool open(const std::string& path);
    void close();
    bool enabled() const { return file_ != nullptr; }
    // One line, prefixed with the seconds since start.
    void write(const std::string& line);

private:
    FILE* file_ = nullptr;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace hostsim
