#include <gtest/gtest.h>

#include "telnet.h"

namespace {

struct Case {
    const char* name;
    std::string wire;
    std::string data;
    std::string control;
};

TEST(HostsimTelnet, DecoderSplitsDataFromNegotiation) {
    const Case cases[] = {
        {"plain data", "abc\r", "abc\r", ""},
        {"doubled IAC is data 255", "a\xff\xff" "b", "a\xff" "b", ""},
        {"refusal of DO", "\xff\xfc\x18x", "x", "\xff\xfc\x18"},
        {"option byte 255 is not data", "\xff\xfb\xffy", "y", "\xff\xfb\xff"},
        {"interrupt process", "1\xff\xf4" "2", "12", "\xff\xf4"},
        {"subnegotiation up to IAC SE", std::string("\xff\xfa\x18\x00XT\xff\xff\x01\xff\xf0z", 12),
         "z", std::string("\xff\xfa\x18\x00XT\xff\xff\x01\xff\xf0", 11)},
        {"NUL stays data", std::string("a\0b", 3), std::string("a\0b", 3), ""},
    };
    for (const Case& c : cases) {
        // Whole, and one byte at a time: the state must survive split reads.
        for (int split = 0; split < 2; ++split) {
            hostsim::TelnetDecoder d;
            std::string data, control;
            if (split) {
                for (char b : c.wire) d.feed(&b, 1, data, control);
            } else {
                d.feed(c.wire.data(), c.wire.size(), data, control);
            }
            EXPECT_EQ(data, c.data) << c.name << " split " << split;
            EXPECT_EQ(control, c.control) << c.name << " split " << split;
        }
    }
}

TEST(HostsimTelnet, DoublesEveryIac) {
    EXPECT_EQ(hostsim::doubleIac("a\xff\xff" "b"), "a\xff\xff\xff\xff" "b");
    EXPECT_EQ(hostsim::doubleIac(""), "");
    EXPECT_EQ(hostsim::doubleIac("\xfe"), "\xfe");
}

}  // namespace
