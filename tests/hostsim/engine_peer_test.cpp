// The simulator against the real emulation engine: a small in-process
// terminal (engine, recording shell, the terminal's side of telnet) on the
// other end of the socket. It shows that scripts, the screen dump and the
// identification reply mean the same thing on both sides, and that the demo
// draws what it should.
#include <cstdio>
#include <fstream>

#include "edit_relay.h"
#include "engine_terminal.h"
#include "recording_edit.h"

namespace {

using hostsim_test::SimulatorAndEngine;

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
