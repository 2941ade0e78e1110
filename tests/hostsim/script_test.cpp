#include <gtest/gtest.h>

#include <cstdlib>

#include "peer.h"
#include "script.h"

using hostsim::Instr;
using hostsim::Op;
using hostsim::parseScript;
using hostsim::Script;

namespace {

Script parseOk(const std::string& source) {
    Script s;
    std::string error;
    EXPECT_TRUE(parseScript(source, "t.host", s, error)) << error;
    return s;
}

TEST(HostsimScript, HostProtocolHelpersSendTheirSequences) {
    const struct {
        const char* line;
        std::string bytes;
    } cases[] = {
        {"clear", "\x1bWI\n"},
        {"at 0 0", "\x1bY  "},
        {"at 23 79 End", "\x1bY7oEnd"},
        {"at 2 5  two blanks", "\x1bY\"%\x20two blanks"},
        {"busy", "\x1b^H\r\n"},
        {"ready", "\x1b^T\r\n"},
        {"message Saving {SO}{5}...", "\x01Saving \x0e%...\n"},
        {"status CUSTOMERS", "\x1b^ICUSTOMERS\n"},
        {"send \\eK{ESC}k", "\x1bK\x1bk"},
        {"   send indented", "indented"},
    };
    for (const auto& c : cases) {
        Script s = parseOk(c.line);
        ASSERT_EQ(s.code.size(), 2u) << c.line;
        EXPECT_EQ(s.code[0].op, Op::Send) << c.line;
        EXPECT_EQ(s.code[0].text.literal(), c.bytes) << c.line;
        EXPECT_EQ(s.code[1].op, Op::End);
    }
}

TEST(HostsimScript, CommentsBlankLinesAndCrLfAreSkipped) {
    Script s = parseOk("# a comment\r\n\r\n   # indented comment\r\nsend x\r\n");
    ASSERT_EQ(s.code.size(), 2u);
    EXPECT_EQ(s.code[0].text.literal(), "x");
    EXPECT_EQ(s.code[0].line, 4);
}

TEST(HostsimScript, JumpsResolveToTheirTargets) {
    Script s = parseOk(
        "label top\n"          // 1
        "call box\n"           // 2 -> Call
        "loop 3\n"             // 3 -> LoopStart
        "  send a\n"           // 4 -> Send
        "end\n"                // 5 -> LoopEnd
        "read-key\n"           // 6
        "if-input top q\n"     // 7
        "goto top\n"           // 8
        "screen box\n"         // 9
        "  label again\n"
        "  send b\n"
        "  if-input again r\n"
        "end\n");
    // Main: Call LoopStart Send LoopEnd ReadKey IfInput Goto End | Send IfInput Return
    ASSERT_EQ(s.code.size(), 11u);
    EXPECT_EQ(s.code[0].op, Op::Call);
    EXPECT_EQ(s.code[0].target, 8);
    EXPECT_EQ(s.code[1].op, Op::LoopStart);
    EXPECT_EQ(s.code[1].number, 3);
    EXPECT_EQ(s.code[3].op, Op::LoopEnd);
    EXPECT_EQ(s.code[3].target, 2);
    EXPECT_EQ(s.code[3].slot, s.code[1].slot);
    EXPECT_EQ(s.code[5].op, Op::IfInput);
    EXPECT_EQ(s.code[5].target, 0);
    EXPECT_EQ(s.code[5].text.literal(), "q");
    EXPECT_EQ(s.code[6].target, 0);
    EXPECT_EQ(s.code[7].op, Op::End);
    EXPECT_EQ(s.code[9].op, Op::IfInput);
    EXPECT_EQ(s.code[9].target, 8);
    EXPECT_EQ(s.code[10].op, Op::Return);
}

TEST(HostsimScript, WaitingCommandsKeepTheirArguments) {
    Script s = parseOk(
        "expect-screen 24 26 Saved\\nnext row\n"
        "identify ABC 127.0.0.1\n"
        "identify\n"
        "read-until \\r\n"
        "read-line echo\n"
        "expect-telnet WONT 24\n"
        "telnet-negotiate\n"
        "timeout 250\n");
    EXPECT_EQ(s.code[0].op, Op::ExpectScreen);
    EXPECT_EQ(s.code[0].row, 24);
    EXPECT_EQ(s.code[0].column, 26);
    EXPECT_EQ(s.code[0].text.literal(), "Saved\nnext row");
    EXPECT_EQ(s.code[1].name, "ABC");
    EXPECT_EQ(s.code[1].other, "127.0.0.1");
    EXPECT_EQ(s.code[2].name, "*");
    EXPECT_EQ(s.code[2].other, "*");
    EXPECT_EQ(s.code[3].number, '\r');
    EXPECT_EQ(s.code[4].number, 1);
    EXPECT_EQ(s.code[5].text.literal(), "\xff\xfc\x18");
    EXPECT_EQ(s.code[6].text.literal(), "\xff\xfd\x18\xff\xfd\x1f\xff\xfb\x01\xff\xfb\x03");
    EXPECT_EQ(s.code[7].number, 250);
}

TEST(HostsimScript, TelnetWordsBuildNegotiations) {
    std::string bytes, error;
    ASSERT_TRUE(hostsim::telnetBytes("SB 24 1 SE IP WILL 255", bytes, error)) << error;
    EXPECT_EQ(bytes, "\xff\xfa\x18\x01\xff\xf0\xff\xf4\xff\xfb\xff");
    EXPECT_FALSE(hostsim::telnetBytes("DO 256", bytes, error));
    EXPECT_FALSE(hostsim::telnetBytes("MAYBE 1", bytes, error));
}

TEST(HostsimScript, ErrorsNameTheLine) {
    const struct {
        const char* source;
        const char* message;
    } cases[] = {
        {"send a\nfrobnicate\n", "t.host:2: unknown command \"frobnicate\""},
        {"send \\q\n", "t.host:1: unknown escape"},
        {"goto nowhere\n", "t.host:1: no label nowhere in the main script"},
        {"call nobody\n", "t.host:1: no screen nobody"},
        {"loop 2\nsend a\n", "t.host:1: loop has no end"},
        {"loop 0\nend\n", "t.host:1: loop takes an optional count"},
        {"screen s\nsend a\n", "t.host:1: screen s has no end"},
        {"end\n", "t.host:1: end without loop or screen"},
        {"screen s\nend\nscreen s\nend\n", "t.host:3: screen s defined twice"},
        {"loop\nscreen s\nend\nend\n", "t.host:2: screen blocks are defined at the top level only"},
        {"label a\nlabel a\n", "t.host:2: label a defined twice"},
        {"screen s\ngoto main\nend\nlabel main\n", "t.host:2: no label main in screen s"},
        {"at 1\n", "t.host:1: at needs a row and a column"},
        {"expect-screen 25 0 x\n", "t.host:1: expect-screen needs a row 0..24"},
        {"expect-screen 1 0\n", "t.host:1: expect-screen needs"},
        {"expect-screen 1 0 {input}\n", "t.host:1: expect-screen cannot use {input}"},
        {"read-until ab\n", "t.host:1: read-until needs exactly one byte"},
        {"read-line lf lf\n", "t.host:1: read-line takes only the words echo and lf"},
        {"read-line cr\n", "t.host:1: read-line takes only the words echo and lf"},
        {"expect-exact\n", "t.host:1: expect-exact needs a text"},
        {"wait soon\n", "t.host:1: wait needs one number"},
        {"expect\n", "t.host:1: expect needs a text"},
        {"expect-telnet\n", "t.host:1: expect-telnet needs the negotiation"},
        {"busy now\n", "t.host:1: busy takes no arguments"},
        {"timeout 0\n", "t.host:1: timeout needs one number 1.."},
    };
    for (const auto& c : cases) {
        Script s;
        std::string error;
        EXPECT_FALSE(parseScript(c.source, "t.host", s, error)) << c.source;
        EXPECT_EQ(error.find(c.message), 0u) << c.source << " gave: " << error;
    }
}

// Script files in a temporary directory, removed afterwards.
class ScriptFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp_.ok()); }
    std::string write(const std::string& name, const std::string& text) { return tmp_.write(name, text); }
    hostsim_test::TempDir tmp_;
    const std::string dir_ = tmp_.dir();
};

TEST_F(ScriptFiles, IncludedScreensAndCommandsJoinTheScript) {
    ASSERT_EQ(system(("mkdir -p '" + dir_ + "/lib'").c_str()), 0);
    write("lib/common.host", "send common\n\nscreen banner\n  send [banner]\n  sendfile logo.bin\nend\n");
    std::string main = write("main.host", "include lib/common.host\ncall banner\nsend main\n");
    Script s;
    std::string error;
    ASSERT_TRUE(hostsim::loadScript(main, s, error)) << error;
    // Main: Send(common) Call Send(main) End | Send([banner]) SendFile Return
    ASSERT_EQ(s.code.size(), 7u);
    EXPECT_EQ(s.code[5].name, dir_ + "/lib/logo.bin") << "a file to send lies beside its script";
    EXPECT_EQ(s.code[0].text.literal(), "common");
    EXPECT_EQ(s.files[s.code[0].file], dir_ + "/lib/common.host");
    EXPECT_EQ(s.code[1].op, Op::Call);
    EXPECT_EQ(s.code[1].target, 4);
    EXPECT_EQ(s.code[2].text.literal(), "main");
    EXPECT_EQ(s.files[s.code[2].file], main);
    EXPECT_EQ(s.code[2].line, 3);
}

TEST_F(ScriptFiles, ErrorsInIncludedFilesNameThatFile) {
    write("bad.host", "send fine\nsend \\q\n");
    write("loop.host", "include loop.host\n");
    write("open.host", "screen s\n");
    const struct {
        const char* main;
        std::string message;
    } cases[] = {
        {"send a\ninclude bad.host\n", dir_ + "/bad.host:2: unknown escape"},
        {"include loop.host\n", dir_ + "/loop.host:1: includes nest too deeply"},
        {"include missing.host\n", dir_ + "/main.host:1: include: cannot open " + dir_ + "/missing.host"},
        {"loop\ninclude bad.host\nend\n", dir_ + "/main.host:2: include is allowed at the top level only"},
        {"include open.host\n", dir_ + "/open.host:1: screen s has no end"},
    };
    for (const auto& c : cases) {
        Script s;
        std::string error;
        EXPECT_FALSE(hostsim::loadScript(write("main.host", c.main), s, error)) << c.main;
        EXPECT_EQ(error.find(c.message), 0u) << c.main << " gave: " << error;
    }
}

TEST(HostsimScript, MissingFileIsReported) {
    Script s;
    std::string error;
    EXPECT_FALSE(hostsim::loadScript("/nonexistent/x.host", s, error));
    EXPECT_NE(error.find("/nonexistent/x.host: cannot open"), std::string::npos) << error;
}

}  // namespace
