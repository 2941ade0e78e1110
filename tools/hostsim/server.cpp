#include "server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "log.h"
#include "script.h"
#include "session.h"

namespace hostsim {

namespace {

// Set by SIGINT and SIGTERM; the accept loop and a running session end on it.
struct SignalState {
    volatile sig_atomic_t stopRequested = 0;
};
SignalState signalState;

void onStopSignal(int) { signalState.stopRequested = 1; }

void installSignals() {
    struct sigaction sa;
    memset(&sa, 0, sizeof sa);
    sa.sa_handler = onStopSignal;  // no SA_RESTART: poll returns at once
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

bool parseNumber(const char* text, long low, long high, long& out) {
    char* end = nullptr;
    errno = 0;
    long value = strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || errno != 0 || value < low || value > high) return false;
    out = value;
    return true;
}

// Writes the port through a temporary file, so that a reader polling for
// the file never sees it half written.
bool writePortFile(const std::string& path, int port, std::string& error) {
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << port << "\n";
        if (!out) {
            error = "cannot write " + temporary;
            return false;
        }
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot rename " + temporary + " to " + path + ": " + strerror(errno);
        return false;
    }
    return true;
}

int listenLoopback(long port, int& boundPort, std::string& error) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        error = std::string("socket: ") + strerror(errno);
        return -1;
    }
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr;
    memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 4) != 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + strerror(errno);
        close(fd);
        return -1;
    }
    socklen_t length = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length);
    boundPort = ntohs(addr.sin_port);
    return fd;
}

long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

const char* usageText() {
    return "usage: tavix-hostsim [--port N | --port 0 --port-file FILE] [--once]\n"
           "                     [--log FILE] [--accept-timeout MS] [--raw] SCRIPT\n"
           "Plays the host script SCRIPT for every connection to 127.0.0.1:N.\n"
           "Exit status: 0 the script's expectations held, 1 one failed, 2 usage or I/O error.\n";
}

bool parseOptions(int argc, char** argv, Options& out, std::string& error) {
    out = Options();
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                error = std::string(name) + " needs a value";
                return nullptr;
            }
            return argv[++i];
        };
        if (a == "--port") {
            const char* v = value("--port");
            if (!v) return false;
            if (!parseNumber(v, 0, 65535, out.port)) {
                error = "--port needs a number 0..65535";
                return false;
            }
        } else if (a == "--port-file") {
            const char* v = value("--port-file");
            if (!v) return false;
            out.portFile = v;
        } else if (a == "--log") {
            const char* v = value("--log");
            if (!v) return false;
            out.logFile = v;
        } else if (a == "--accept-timeout") {
            const char* v = value("--accept-timeout");
            if (!v) return false;
            if (!parseNumber(v, 1, 86400000, out.acceptTimeoutMs)) {
                error = "--accept-timeout needs milliseconds";
                return false;
            }
        } else if (a == "--raw") {
            out.raw = true;
        } else if (a == "--once") {
            out.once = true;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + a;
            return false;
        } else if (out.scriptPath.empty()) {
            out.scriptPath = a;
        } else {
            error = "only one script, please";
            return false;
        }
    }
    if (out.scriptPath.empty()) {
        error = "no script given";
        return false;
    }
    if (out.port < 0) {
        error = "--port is required";
        return false;
    }
    if (out.port == 0 && out.portFile.empty()) {
        error = "--port 0 needs --port-file to tell where it listens";
        return false;
    }
    return true;
}

int runServer(const Options& options) {
    Script script;
    std::string error;
    if (!loadScript(options.scriptPath, script, error)) {
        fprintf(stderr, "tavix-hostsim: %s\n", error.c_str());
        return kExitUsage;
    }
    Log log;
    if (!options.logFile.empty() && !log.open(options.logFile)) {
        fprintf(stderr, "tavix-hostsim: cannot open log %s: %s\n", options.logFile.c_str(),
                strerror(errno));
        return kExitUsage;
    }
    installSignals();
    int port = 0;
    int listener = listenLoopback(options.port, port, error);
    if (listener < 0) {
        fprintf(stderr, "tavix-hostsim: %s\n", error.c_str());
        return kExitUsage;
    }
    if (!options.portFile.empty() && !writePortFile(options.portFile, port, error)) {
        fprintf(stderr, "tavix-hostsim: %s\n", error.c_str());
        close(listener);
        return kExitUsage;
    }
    log.write("listening on 127.0.0.1:" + std::to_string(port) + " with " + options.scriptPath);

    bool anyFailed = false;
    long long acceptDeadline = options.acceptTimeoutMs > 0 ? nowMs() + options.acceptTimeoutMs : -1;
    int status = kExitOk;
    while (!signalState.stopRequested) {
        pollfd p = {listener, POLLIN, 0};
        if (poll(&p, 1, 200) <= 0) {
            if (acceptDeadline >= 0 && nowMs() >= acceptDeadline) {
                fprintf(stderr, "tavix-hostsim: no connection within %ld ms\n", options.acceptTimeoutMs);
                anyFailed = true;
                break;
            }
            continue;
        }
        int fd = accept(listener, nullptr, nullptr);
        if (fd < 0) continue;
        log.write("session starts");
        Session session(script, fd, log, &signalState.stopRequested);
        session.setTelnet(!options.raw);
        SessionResult result = session.run();
        shutdown(fd, SHUT_RDWR);
        close(fd);
        if (!result.ok) {
            anyFailed = true;
            fprintf(stderr, "tavix-hostsim: %s\n", result.message.c_str());
        }
        if (options.once) break;
        if (acceptDeadline >= 0) acceptDeadline = nowMs() + options.acceptTimeoutMs;
    }
    close(listener);
    // A port file left behind would send the next harness to a dead port.
    if (!options.portFile.empty()) unlink(options.portFile.c_str());
    if (anyFailed) status = kExitFailed;
    log.write("exit status " + std::to_string(status));
    return status;
}

}  // namespace hostsim
