// The simulator's transfer commands against the terminal's real transfers
// (the engine and the transfer service over in-memory files): both sides of
// every framing agree, byte for byte.
#include <cstdio>
#include <fstream>
#include <string>

#include "engine_terminal.h"
#include "memory_file_port.h"
#include "transfer.h"
#include "transfer_objects.h"
#include "transfer_service.h"

namespace {

using hostsim_test::SimulatorAndEngine;

std::string Content() {
    std::string s;
    for (int lap = 0; lap < 9; ++lap)
        for (int i = 0; i < 256; ++i) s += static_cast<char>((i * 7 + lap) & 255);
    return s;
}

class SimulatorTransfers : public SimulatorAndEngine {
protected:
    void SetUp() override {
        ResetTransfers();
        files.Clear();
        TransferPorts = TransferWiring{&files, nullptr, nullptr, nullptr, nullptr, nullptr};
        files_ = &service;
        path = "/tmp/tavix_hostsim_transfer_" + std::to_string(::getpid());
        std::ofstream(path, std::ios::binary) << Content();
    }
    void TearDown() override {
        SimulatorAndEngine::TearDown();
        ResetTransfers();
        TransferPorts = TransferWiring{};
        std::remove(path.c_str());
    }
    MemoryFilePort files;
    TransferService service;
    std::string path;
};

TEST_F(SimulatorTransfers, DownloadsAndUploadsAgreeWithTheTerminal) {
    start("timeout 5000\n"
          "send \\eDIin.bin\\n\n"
          "expect-exact {STX}\n"
          "send-blocks 100 " + path + "\n"
          "send {STX}\n"
          "expect-exact {CR}\n"
          "send \\eDOin.bin\\n\n"
          "expect-exact {CR}\n"
          "expect-upload " + path + " raw255 resend 3\n"
          "send \\eDPin.bin\\n\n"
          "expect-exact {CR}\n"
          "expect-upload " + path + " escaped255 cancel 4\n"
          "send \\eDSin.bin\\n\n"
          "expect-hex-upload " + path + "\n"
          "send \\eDRtext.bin\\n\n"
          "send-text " + path + "\n"
          "send \\eDR~hex.bin\\n\n"
          "send-hex " + path + "\n"
          "send \\eDIbad.bin\\n\n"
          "expect-exact {STX}\n"
          "send-blocks 1020 " + path + " bad 1\n"
          "send {STX}\n"
          "expect-exact {SOH}\n"
          "send \\eDFin.bin\\n\n"
          "expect-exact in.bin\\xFD2304\\xFDF\\r\n");
    hostsim::SessionResult r = finish();
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(files.Get("in.bin"), Content());
    EXPECT_EQ(files.Get("hex.bin"), Content());
    // The text stream carries CR and LF as 127 and 255, so the file's own 127
    // and 255 come back as CR and LF (and this harness's telnet drops NUL).
    std::string text;
    for (char c : Content()) {
        if (c == 0) continue;
        text += c == '\x7F' ? '\r' : c == '\xFF' ? '\n' : c;
    }
    EXPECT_EQ(files.Get("text.bin"), text);
    EXPECT_EQ(files.Get("bad.bin"), Content().substr(0, 1020));
}

TEST_F(SimulatorTransfers, AcknowledgedBlocksWaitForEachAnswer) {
    // A file destination does not acknowledge: the simulator's ack mode
    // fails when the terminal does not answer a block.
    start("timeout 400\n"
          "send \\eDIin.bin\\n\n"
          "expect-exact {STX}\n"
          "send-blocks 100 " + path + " ack\n");
    hostsim::SessionResult r = finish();
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("the answer to block 0"), std::string::npos) << r.message;
}

TEST(HostsimTransferFraming, UploadBlocksDecodeAndDamageIsFound) {
    std::string data, error;
    uint8_t sequence = 0;
    // "ABC", checksum 398 (142 1), sequence 0, as the terminal escapes it.
    ASSERT_TRUE(hostsim::decodeUploadBlock("ABC\x8E\xF0!\xF0 ", data, sequence, error)) << error;
    EXPECT_EQ(data, "ABC");
    EXPECT_EQ(sequence, 0);
    EXPECT_FALSE(hostsim::decodeUploadBlock("ABD\x8E\xF0!\xF0 ", data, sequence, error));
    EXPECT_NE(error.find("checksum"), std::string::npos);
    EXPECT_FALSE(hostsim::decodeUploadBlock("A\xF0", data, sequence, error));
    EXPECT_EQ(hostsim::encodeDownloadBlock("ABC", 0), "ABC\x8E\xF0!\xF0 \r");
    EXPECT_EQ(hostsim::encodeTextStream("a\r\nb"), "a\x7F\xFF" "b\r");
    EXPECT_EQ(hostsim::encodeHexStream("\x4a\x4b"), "4A4b\r");
    std::string out;
    EXPECT_TRUE(hostsim::decodeHexLine("00FF7F", out));
    EXPECT_EQ(out, std::string("\x00\xFF\x7F", 3));
    EXPECT_FALSE(hostsim::decodeHexLine("0g", out));
}

}  // namespace
