#include "shell/cmdline/command_line.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <random>
#include <string>

namespace tavix {

void PrintTo(const CommandLine& c, std::ostream* os) {
    *os << "{A=\"" << c.account << "\" C=\"" << c.config_variant << "\" D=\"" << c.dial_profile
        << "\" E=\"" << c.keystrokes << "\" H=\"" << c.host_label << "\" P=\"" << c.password
        << "\" U=\"" << c.user_id << "\"";
    for (std::size_t i = 0; i < c.run_paths.size(); ++i)
        if (!c.run_paths[i].empty()) *os << " R" << i << "=\"" << c.run_paths[i] << "\"";
    *os << "}";
}

namespace {

struct Case {
    const char* name;
    std::string input;
    std::function<void(CommandLine&)> expect;
};

std::string many(char c, std::size_t n) { return std::string(n, c); }

class CommandLineTable : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTable, ParsesIntoRecord) {
    const Case& c = GetParam();
    CommandLine expected;
    if (c.expect) c.expect(expected);
    EXPECT_EQ(parse_command_line(c.input.c_str()), expected) << "command line: " << c.input;
}

const Case kCases[] = {
    {"Empty", "", nullptr},
    {"OnlyBlanks", " \t  ", nullptr},
    {"AutoLoginTriple", "-Ufred -Psecret -Aacct",
     [](CommandLine& e) { e.user_id = "fred"; e.password = "secret"; e.account = "acct"; }},
    {"LettersIgnoreCase", "-ufred -c shop -hLabel",
     [](CommandLine& e) { e.user_id = "fred"; e.host_label = "Label"; }},
    {"EveryPlainSwitch", "-Aa -Cvar -Ee{ENTER} -Hhost -Ppw -Uuser",
     [](CommandLine& e) {
         e.account = "a"; e.config_variant = "var"; e.keystrokes = "e{ENTER}";
         e.host_label = "host"; e.password = "pw"; e.user_id = "user";
     }},
    {"QuotedValueKeepsBlanks", "-U\"john smith\" -Px",
     [](CommandLine& e) { e.user_id = "john smith"; e.password = "x"; }},
    {"QuoteAroundWholeToken", "\"-Ujohn smith\"", [](CommandLine& e) { e.user_id = "john smith"; }},
    {"QuotesInsideToken", "-Ujo\"hn sm\"ith", [](CommandLine& e) { e.user_id = "john smith"; }},
    {"UnterminatedQuoteRunsToEnd", "-U\"john smith", [](CommandLine& e) { e.user_id = "john smith"; }},
    {"TabsSeparate", "-Ufred\t-Ppw", [](CommandLine& e) { e.user_id = "fred"; e.password = "pw"; }},
    {"LastOccurrenceWins", "-Ua -Ub", [](CommandLine& e) { e.user_id = "b"; }},
    {"ValueInNextTokenIsNotTaken", "-C shop", nullptr},
    {"OtherTokensSkipped", "foo -X1 - -- --Ufred -9 bar", nullptr},
    {"DialSkipsFollowingToken", "-Dprofile -Ufred", [](CommandLine& e) { e.dial_profile = "profile"; }},
    {"DialSkipsOnlyOneToken", "-Dprofile x -Ufred",
     [](CommandLine& e) { e.dial_profile = "profile"; e.user_id = "fred"; }},
    {"DialSkipsQuotedToken", "-Dp \"a -Ub\" -Pz",
     [](CommandLine& e) { e.dial_profile = "p"; e.password = "z"; }},
    {"DialAtEnd", "-Ux -dhome", [](CommandLine& e) { e.user_id = "x"; e.dial_profile = "home"; }},
    {"RunPathDigitSelectsSlot", "-R5c:\\data\\in -r0zero",
     [](CommandLine& e) { e.run_paths[5] = "c:\\data\\in"; e.run_paths[0] = "zero"; }},
    {"RunPathNineQuoted", "\"-R9C:\\My Files\"", [](CommandLine& e) { e.run_paths[9] = "C:\\My Files"; }},
    {"RunPathWithoutDigitStoresNothing", "-Rxpath -R", nullptr},
    {"RunPathScanGoesOnAfterLetter", "-Rx-Ufred", [](CommandLine& e) { e.user_id = "fred"; }},
    {"RunPathScanGoesOnIntoDial", "-Rx-Dp -Ufred", [](CommandLine& e) { e.dial_profile = "p"; }},
    {"TruncAccount", "-A" + many('a', 40), [](CommandLine& e) { e.account = many('a', 29); }},
    {"TruncUser", "-U" + many('u', 30), [](CommandLine& e) { e.user_id = many('u', 29); }},
    {"UserAtLimitKept", "-U" + many('u', 29), [](CommandLine& e) { e.user_id = many('u', 29); }},
    {"TruncPassword", "-P" + many('p', 60), [](CommandLine& e) { e.password = many('p', 49); }},
    {"TruncVariant", "-C" + many('c', 150), [](CommandLine& e) { e.config_variant = many('c', 99); }},
    {"TruncDial", "-D" + many('d', 150), [](CommandLine& e) { e.dial_profile = many('d', 99); }},
    {"TruncHost", "-H" + many('h', 150), [](CommandLine& e) { e.host_label = many('h', 99); }},
    {"TruncScript", "-E" + many('e', 250), [](CommandLine& e) { e.keystrokes = many('e', 199); }},
    {"TruncRunPath", "-R3" + many('r', 150), [](CommandLine& e) { e.run_paths[3] = many('r', 99); }},
    {"TruncQuotedCountsWithoutQuotes", "-U\"" + many('q', 35) + "\"",
     [](CommandLine& e) { e.user_id = many('q', 29); }},
};

INSTANTIATE_TEST_SUITE_P(Switches, CommandLineTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(CommandLine, ArbitraryTextStaysWithinEveryLimit) {
    // Random mixes of the characters that steer the scanner.
    const char alphabet[] = "-\"  \tAaCcDdEeHhPpRrUuXx0123456789.";
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string text(rng() % 120, ' ');
        for (char& ch : text) ch = alphabet[rng() % (sizeof alphabet - 1)];
        CommandLine c = parse_command_line(text.c_str());
        EXPECT_LT(c.account.size(), CommandLine::kAccountSize);
        EXPECT_LT(c.config_variant.size(), CommandLine::kVariantSize);
        EXPECT_LT(c.dial_profile.size(), CommandLine::kDialSize);
        EXPECT_LT(c.keystrokes.size(), CommandLine::kScriptSize);
        EXPECT_LT(c.host_label.size(), CommandLine::kHostLabelSize);
        EXPECT_LT(c.password.size(), CommandLine::kPasswordSize);
        EXPECT_LT(c.user_id.size(), CommandLine::kUserIdSize);
        for (const std::string& p : c.run_paths) EXPECT_LT(p.size(), CommandLine::kRunPathSize);
        for (const std::string* v : {&c.account, &c.user_id, &c.password, &c.dial_profile})
            EXPECT_EQ(v->find('"'), std::string::npos) << "quotes are dropped: " << text;
    }
}

TEST(CommandLine, NullTextGivesEmptyRecord) {
    EXPECT_EQ(parse_command_line(nullptr), CommandLine());
}

}  // namespace
}  // namespace tavix
