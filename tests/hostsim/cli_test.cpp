// The tavix-hostsim program as tests and the README use it: a real process
// on a loopback port.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "peer.h"

using hostsim_test::Peer;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class HostsimProgram : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp_.ok()); }

    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    std::string path(const std::string& name) const { return tmp_.path(name); }
    std::string writeScript(const std::string& text) { return tmp_.write("s.host", text); }

    // Starts the program with these arguments; its stderr goes to a file.
    void launch(std::vector<std::string> args) {
        args.insert(args.begin(), HOSTSIM_EXE);
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            int err = open(path("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int out = open(path("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int nul = open("/dev/null", O_RDWR);
            dup2(nul, 0);
            dup2(out, 1);
            dup2(err, 2);
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(&a[0]);
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
    }

    // The exit status, or -1 when the program is still running after `ms`.
    int exitStatus(int ms = 8000) {
        for (int waited = 0; waited < ms; waited += 10) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    // Waits for the port file and connects to the port it names.
    int connectThroughPortFile() {
        for (int i = 0; i < 500; ++i) {
            std::string text = readFile(path("port"));
            if (!text.empty() && text.back() == '\n') {
                int fd = socket(AF_INET, SOCK_STREAM, 0);
                sockaddr_in addr{};
                addr.sin_family = AF_INET;
                addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
                addr.sin_port = htons(static_cast<uint16_t>(atoi(text.c_str())));
                if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) return fd;
                close(fd);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    std::string stderrText() { return readFile(path("stderr")); }

    hostsim_test::TempDir tmp_;
    pid_t pid_ = -1;
};

TEST_F(HostsimProgram, PortFileSessionAndPassingExpectExitZero) {
    std::string script = writeScript("timeout 3000\nclear\nat 1 2 hello\nexpect OK\\r\nsend bye\n");
    launch({"--port", "0", "--port-file", path("port"), "--once", "--log", path("log"), script});
    int fd = connectThroughPortFile();
    ASSERT_GE(fd, 0) << stderrText();
    Peer peer(fd);
    EXPECT_EQ(peer.readUntil("hello"), "\x1bWI\n\x1bY!\"hello");
    peer.write("OK\r");
    EXPECT_EQ(peer.readAll(), "bye");
    EXPECT_EQ(exitStatus(), 0) << stderrText();
    EXPECT_NE(readFile(path("log")).find("expect \"OK\\x0D\" matched"), std::string::npos) << readFile(path("log"));
    EXPECT_NE(access(path("port").c_str(), F_OK), 0) << "the port file is removed at exit";
}

TEST_F(HostsimProgram, ClockPrintReportsMilliseconds) {
    std::string script = writeScript("wait 400\nclock-start\nwait 60\nclock-print waited\n");
    launch({"--port", "0", "--port-file", path("port"), "--once", script});
    int fd = connectThroughPortFile();
    ASSERT_GE(fd, 0) << stderrText();
    Peer peer(fd);
    EXPECT_EQ(exitStatus(), 0) << stderrText();
    std::string out = readFile(path("stdout"));
    int ms = -1;
    ASSERT_EQ(sscanf(out.c_str(), "waited %d ms\n", &ms), 1) << out;
    EXPECT_GE(ms, 60);
    EXPECT_LT(ms, 400) << "the stopwatch restarts at clock-start";
}

TEST_F(HostsimProgram, MoveFileRenamesAndRestartsTheStopwatch) {
    tmp_.write("beside.txt", "payload");
    setenv("HOSTSIM_MOVE_FOLDER", path("").c_str(), 1);
    std::string script = writeScript("wait 400\nmove-file beside.txt $HOSTSIM_MOVE_FOLDER/landed.txt\nclock-print moved\n");
    launch({"--port", "0", "--port-file", path("port"), "--once", script});
    int fd = connectThroughPortFile();
    ASSERT_GE(fd, 0) << stderrText();
    Peer peer(fd);
    EXPECT_EQ(exitStatus(), 0) << stderrText();
    EXPECT_EQ(readFile(path("landed.txt")), "payload");
    EXPECT_NE(access(path("beside.txt").c_str(), F_OK), 0) << "moved, not copied";
    int ms = -1;
    std::string out = readFile(path("stdout"));
    ASSERT_EQ(sscanf(out.c_str(), "moved %d ms\n", &ms), 1) << out;
    EXPECT_LT(ms, 400) << "the stopwatch restarts at the move";
}

TEST_F(HostsimProgram, MoveFileOfAMissingFileFailsTheSession) {
    std::string script = writeScript("move-file nothing.txt there.txt\nsend not reached\n");
    launch({"--port", "0", "--port-file", path("port"), "--once", script});
    int fd = connectThroughPortFile();
    ASSERT_GE(fd, 0) << stderrText();
    Peer peer(fd);
    EXPECT_EQ(peer.readAll(), "");
    EXPECT_EQ(exitStatus(), 1);
    EXPECT_NE(stderrText().find(":1: move-file: cannot rename"), std::string::npos) << stderrText();
}

TEST_F(HostsimProgram, FailedExpectExitsOneNamingTheLine) {
    std::string script = writeScript("timeout 1000\nexpect OK\n");
    launch({"--port", "0", "--port-file", path("port"), "--once", script});
    int fd = connectThroughPortFile();
    ASSERT_GE(fd, 0) << stderrText();
    Peer peer(fd);
    peer.write("NO");
    EXPECT_EQ(exitStatus(), 1);
    EXPECT_EQ(stderrText(), "tavix-hostsim: " + script +
                                ":2: expect \"OK\": nothing matched within 1000 ms; the terminal sent \"NO\"\n");
}

TEST_F(HostsimProgram, UsageAndScriptErrorsExitTwo) {
    std::string script = writeScript("send ok\nbogus\n");
    const std::vector<std::vector<std::string>> cases = {
        {"--port", "0", "--port-file", path("port"), script},   // script error
        {"--port-file", path("port"), path("s.host")},          // no --port
        {"--port", "0", path("s.host")},                        // port 0 without a port file
        {"--port", "70000", path("s.host")},
        {"--port", "0", "--port-file", path("port"), "--frob", path("s.host")},
        {"--port", "0", "--port-file", path("port"), path("missing.host")},
        {"--port", "0", "--port-file", path("no/such/dir/port"), "--once", script},
    };
    const char* messages[] = {":2: unknown command \"bogus\"", "--port is required", "needs --port-file",
                              "--port needs a number", "unknown option --frob", "missing.host: cannot open",
                              "cannot write"};
    for (size_t i = 0; i < cases.size(); ++i) {
        if (i == 6) writeScript("send ok\n");
        launch(cases[i]);
        EXPECT_EQ(exitStatus(), 2) << i;
        EXPECT_NE(stderrText().find(messages[i]), std::string::npos) << i << ": " << stderrText();
    }
}

TEST_F(HostsimProgram, NoConnectionWithinTheAcceptTimeoutExitsOne) {
    std::string script = writeScript("send x\n");
    launch({"--port", "0", "--port-file", path("port"), "--once", "--accept-timeout", "200", script});
    EXPECT_EQ(exitStatus(), 1);
    EXPECT_NE(stderrText().find("no connection within 200 ms"), std::string::npos) << stderrText();
}

TEST_F(HostsimProgram, ServesSessionsInTurnUntilTerminated) {
    std::string script = writeScript("send {input}hi\nread-key\n");
    launch({"--port", "0", "--port-file", path("port"), script});
    for (int i = 0; i < 2; ++i) {
        int fd = connectThroughPortFile();
        ASSERT_GE(fd, 0) << stderrText();
        Peer peer(fd);
        EXPECT_EQ(peer.readUntil("hi"), "hi") << "session " << i;
        peer.closeNow();
    }
    EXPECT_EQ(exitStatus(300), -1) << "keeps serving without --once";
    kill(pid_, SIGTERM);
    EXPECT_EQ(exitStatus(), 0) << stderrText();
}

}  // namespace
