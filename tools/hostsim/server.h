// The simulator's command line and its accept loop.
#pragma once

#include <string>

namespace hostsim {

struct Options {
    long port = -1;          // -1: not given
    std::string portFile;
    bool once = false;
    std::string logFile;
    long acceptTimeoutMs = 0;  // 0: wait for a connection without limit
    bool raw = false;          // no telnet framing (a serial line bridged to the port)
    std::string scriptPath;
};

// Exit statuses of tavix-hostsim.
enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Parses argv; false with a message in `error` on a usage error.
bool parseOptions(int argc, char** argv, Options& out, std::string& error);
const char* usageText();

// Listens on 127.0.0.1 (writing the port file, removed again at exit),
// plays the script for each connection in turn and
// returns the exit status: with --once, the result of the one session;
// otherwise, when stopped by SIGINT or SIGTERM, 1 if any session failed.
int runServer(const Options& options);

}  // namespace hostsim
