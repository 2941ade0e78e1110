#include <gtest/gtest.h>

#include "peer.h"
#include "screen_dump.h"

using hostsim::compareScreen;
using hostsim::decodeScreenDump;
using hostsim::DumpStatus;
using hostsim_test::encodeDump;

namespace {

std::vector<std::string> sampleRows() {
    std::vector<std::string> rows(25, std::string(80, ' '));
    rows[0].replace(0, 12, "\xc9\xcd\xcd CUSTOMER");
    rows[3].replace(10, 9, "Name: ^x^");
    rows[5][0] = '\0';
    rows[5][1] = '\x1b';
    rows[5][79] = '\xff';
    rows[24].replace(26, 5, "Ready");
    return rows;
}

TEST(HostsimScreenDump, RequestIsEscSIBlankLf) {
    EXPECT_EQ(hostsim::screenDumpRequest(), "\x1bSI \n");
}

TEST(HostsimScreenDump, DecodesEscapedRowsAndReportsItsLength) {
    std::vector<std::string> rows = sampleRows();
    std::string wire = encodeDump(rows) + "trailing";
    std::vector<std::string> decoded;
    size_t consumed = 0;
    std::string error;
    ASSERT_EQ(decodeScreenDump(wire, decoded, consumed, error), DumpStatus::Complete) << error;
    EXPECT_EQ(decoded, rows);
    EXPECT_EQ(wire.substr(consumed), "trailing");
}

TEST(HostsimScreenDump, EveryPrefixIsIncomplete) {
    std::string wire = encodeDump(sampleRows());
    std::vector<std::string> decoded;
    size_t consumed = 0;
    std::string error;
    for (size_t n = 0; n < wire.size(); ++n)
        ASSERT_EQ(decodeScreenDump(wire.substr(0, n), decoded, consumed, error), DumpStatus::Incomplete)
            << "prefix " << n << ": " << error;
}

TEST(HostsimScreenDump, MalformedDumpsAreRefused) {
    std::string good = encodeDump({});
    const struct {
        const char* name;
        std::string wire;
        const char* error;
    } cases[] = {
        {"short row", std::string(79, 'x') + "\r", "row 0 has 79 glyphs"},
        {"long row", std::string(81, 'x'), "longer than 80"},
        {"bad escape", "^0a1", "three digits"},
        {"escape past 255", "^300", "not a byte"},
        {"raw control", "ab\x1b", "raw control byte"},
        {"26 rows", good.substr(0, good.size() - 1) + std::string(80, 'y') + "\r\r", "more than 25 rows"},
        {"1 row", std::string(80, 'y') + "\r\r", "screen dump has 1 rows, not 25"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> decoded;
        size_t consumed = 0;
        std::string error;
        EXPECT_EQ(decodeScreenDump(c.wire, decoded, consumed, error), DumpStatus::Malformed) << c.name;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << " gave: " << error;
    }
}

TEST(HostsimScreenDump, TraceDumpJoinsItsLines) {
    EXPECT_EQ(hostsim::traceDumpRequest(), "\x1bSI!\n");
    const struct {
        const char* name;
        std::string wire;
        DumpStatus status;
        std::string bytes;
        const char* error;
    } cases[] = {
        {"empty trace", "\r", DumpStatus::Complete, "", ""},
        {"two lines", std::string(80, 'a') + "\rb^013^094^255\r\rnext", DumpStatus::Complete,
         std::string(80, 'a') + "b\r^\xff", ""},
        {"cut in an escape", "ab^01", DumpStatus::Incomplete, "", ""},
        {"no final empty line", "ab\r", DumpStatus::Incomplete, "", ""},
        {"line too long", std::string(81, 'a') + "\r\r", DumpStatus::Malformed, "", "longer than 80"},
        {"raw control", "a\nb\r\r", DumpStatus::Malformed, "", "raw control byte \\x0A"},
        {"bad escape", "^25x\r\r", DumpStatus::Malformed, "", "three digits"},
    };
    for (const auto& c : cases) {
        std::string bytes, error;
        size_t consumed = 0;
        EXPECT_EQ(hostsim::decodeTraceDump(c.wire, bytes, consumed, error), c.status) << c.name;
        if (c.status == DumpStatus::Complete) {
            EXPECT_EQ(bytes, c.bytes) << c.name;
            EXPECT_EQ(c.wire.substr(consumed), c.wire.find("next") == std::string::npos ? "" : "next") << c.name;
        }
        if (c.status == DumpStatus::Malformed) {
            EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
        }
    }
}

TEST(HostsimScreenDump, ComparesRowsAndRegions) {
    std::vector<std::string> rows = sampleRows();
    std::string difference;
    EXPECT_TRUE(compareScreen(rows, 0, 4, "CUSTOMER", difference));
    EXPECT_TRUE(compareScreen(rows, 3, 10, "Name: ^x^\n         ", difference));
    EXPECT_TRUE(compareScreen(rows, 24, 26, "Ready", difference));
    EXPECT_TRUE(compareScreen(rows, 5, 79, "\xff", difference));

    EXPECT_FALSE(compareScreen(rows, 0, 4, "CUSTOMERS", difference));
    EXPECT_EQ(difference, "row 0 column 4: expected \"CUSTOMERS\", screen has \"CUSTOMER \"");
    EXPECT_FALSE(compareScreen(rows, 2, 10, "         \nName: ^y^", difference));
    EXPECT_EQ(difference, "row 3 column 10: expected \"Name: ^y^\", screen has \"Name: ^x^\"");
    EXPECT_FALSE(compareScreen(rows, 24, 78, "abc", difference));
    EXPECT_NE(difference.find("runs off the screen"), std::string::npos);
    EXPECT_FALSE(compareScreen(rows, 24, 26, "Ready\nb", difference));
    EXPECT_NE(difference.find("row 25"), std::string::npos) << difference;
}

}  // namespace
