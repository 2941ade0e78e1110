#include <gtest/gtest.h>

#include "text.h"

using hostsim::decodeText;
using hostsim::Text;

namespace {

struct EscapeCase {
    const char* source;
    std::string bytes;
};

TEST(HostsimText, EscapesGiveTheirBytes) {
    const EscapeCase cases[] = {
        {"plain text", "plain text"},
        {"\\e\\r\\n\\t\\s\\\\", std::string("\x1b\r\n\t \\")},
        {"\\x00\\x7f\\xFF\\xfe", std::string("\x00\x7f\xff\xfe", 4)},
        {"\\{literal\\}", "{literal}"},
        {"{0}{1}{79}{223}{-32}", std::string(" !o\xff\x00", 5)},
        {"{ESC}Y{5}{10}", "\x1bY%*"},
        {"{SOH}{SO}{SI}{DLE}{FF}{BEL}{SUB}{ACK}{EOT}{DC4}{NUL}{DEL}",
         std::string("\x01\x0e\x0f\x10\x0c\x07\x1a\x06\x04\x14\x00\x7f", 12)},
        {"╔═╗║╚╝─│┌┐└┘░▒▓█", "\xc9\xcd\xbb\xba\xc8\xbc\xc4\xb3\xda\xbf\xc0\xd9\xb0\xb1\xb2\xdb"},
        {"Ç ü é ñ £ ß µ ° ² ■", "\x80 \x81 \x82 \xa4 \x9c \xe1 \xe6 \xf8 \xfd \xfe"},
        {"", ""},
    };
    for (const EscapeCase& c : cases) {
        Text t;
        std::string error;
        ASSERT_TRUE(decodeText(c.source, t, error)) << c.source << ": " << error;
        EXPECT_EQ(t.literal(), c.bytes) << c.source;
        EXPECT_FALSE(t.usesInput()) << c.source;
    }
}

TEST(HostsimText, MalformedTextsAreRefusedWithAReason) {
    const struct {
        const char* source;
        const char* reason;
    } cases[] = {
        {"abc\\", "lone backslash"},
        {"\\q", "unknown escape \\q"},
        {"\\x4", "two hexadecimal digits"},
        {"\\xg0", "two hexadecimal digits"},
        {"{12", "unclosed {"},
        {"a}b", "unmatched }"},
        {"{224}", "out of range"},
        {"{-33}", "out of range"},
        {"{1x}", "bad parameter"},
        {"{BOLD}", "unknown name {BOLD}"},
        {"\xe2\x82\xac", "U+20AC has no code page 437 glyph"},  // euro sign
        {"\xc3", "malformed UTF-8"},
        {"\xc3\x28", "malformed UTF-8"},
    };
    for (const auto& c : cases) {
        Text t;
        std::string error;
        EXPECT_FALSE(decodeText(c.source, t, error)) << c.source;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.source << " gave: " << error;
    }
}

TEST(HostsimText, InputRegisterIsExpandedWhenPlayed) {
    Text t;
    std::string error;
    ASSERT_TRUE(decodeText("You typed [{input}]\\r", t, error)) << error;
    EXPECT_TRUE(t.usesInput());
    EXPECT_EQ(t.expand("abc"), "You typed [abc]\r");
    EXPECT_EQ(t.expand(""), "You typed []\r");
}

TEST(HostsimText, CodePage437UpperHalfRoundTrips) {
    for (int b = 0x80; b <= 0xFF; ++b) {
        unsigned cp = hostsim::unicodeFromCp437(static_cast<unsigned char>(b));
        EXPECT_GE(cp, 0xA0u) << b;
        EXPECT_EQ(hostsim::cp437FromUnicode(cp), b) << std::hex << b;
    }
    EXPECT_EQ(hostsim::cp437FromUnicode('A'), 'A');
    EXPECT_EQ(hostsim::cp437FromUnicode(0x20AC), -1);
}

TEST(HostsimText, PrintableShowsControlsAndGlyphs) {
    EXPECT_EQ(hostsim::printable(std::string("a\x1b\\\xc9\x00", 5)), "a\\x1B\\\\╔\\x00");
}

}  // namespace
