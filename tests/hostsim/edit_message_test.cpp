// The simulator's reading of edit-session messages and its text blocks.
#include <gtest/gtest.h>

#include "edit_message.h"

namespace {

using hostsim::DumpStatus;

TEST(EditMessage, OneMessageIsReadByItsOwnLength) {
    struct Case {
        std::string wire;
        DumpStatus status;
        std::string message;
        size_t consumed;
    } cases[] = {
        {"r9,12,4,abcd\r", DumpStatus::Complete, "r9,12,4,abcd", 13},
        {"c3,a\rb\rnext", DumpStatus::Complete, "c3,a\rb", 7},  // a CR inside the payload
        {"d2,12\ri1\r", DumpStatus::Complete, "d2,12", 6},
        {"ew\r", DumpStatus::Complete, "ew", 3},
        {"C\r", DumpStatus::Complete, "C", 2},
        {"s%\r", DumpStatus::Complete, "s%", 3},
        {"s \r", DumpStatus::Complete, "s ", 3},
        {"r9,12,4", DumpStatus::Incomplete, "", 0},
        {"r12", DumpStatus::Incomplete, "", 0},
        {"s ", DumpStatus::Incomplete, "", 0},
        {"", DumpStatus::Incomplete, "", 0},
        {"r3,abcX", DumpStatus::Malformed, "", 0},
        {"r,abc\r", DumpStatus::Malformed, "", 0},
        {"x1,a\r", DumpStatus::Malformed, "", 0},
        {"s a", DumpStatus::Malformed, "", 0},
        {"r999999999999,", DumpStatus::Malformed, "", 0},
    };
    for (const Case& c : cases) {
        std::string message, error;
        size_t consumed = 0;
        EXPECT_EQ(hostsim::decodeEditMessage(c.wire, message, consumed, error), c.status) << c.wire;
        if (c.status != DumpStatus::Complete) continue;
        EXPECT_EQ(message, c.message) << c.wire;
        EXPECT_EQ(consumed, c.consumed) << c.wire;
    }
}

TEST(EditMessage, TextBlocksEndLinesWithCrLfAndCountTheirBytes) {
    EXPECT_EQ(hostsim::textBlockBytes(" ", "ab\ncde\n", false), "\x1bT \nab\r\ncde\r\n\x03" "0\n");
    EXPECT_EQ(hostsim::textBlockBytes("$%!P", "ab\r\ncde", true), "\x1bT$%!P\nab\r\ncde\x03" "0,0,1,5\n");
    EXPECT_EQ(hostsim::textBlockBytes(" ", "", true), "\x1bT \n\x03" "0,0,1,0\n");
}

}  // namespace
