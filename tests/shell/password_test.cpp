#include "shell/config/password.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/config/config_store.h"
#include "shell/config/ini_memory.h"

namespace tavix {
namespace {

// Vectors worked out by hand from the scrambling rule (salt letter, then
// s ^= x per character with x = c - 'A' below '[' and c - 'G' from it,
// s > 51 folded back into 1-51, letters 'A'+v below 26 and 'G'+v from 26).
// The fresh salt is the first draw of the generator seeded with 0:
// 2531011 >> 16 = 38, 38 % 51 = 38, which is 'm'.
struct Vector {
    const char* text;
    char salt;  // '\0' with fresh = true means a fresh salt
    bool fresh;
    const char* scrambled;
};

const Vector kVectors[] = {
    {"ABC", 0, true, "mmnl"},               // 38, 38^0=38, 38^1=39, 39^2=37
    {"secret", 0, true, "mKUIjKn"},         // 38^44=10, ^30=20, ^28=8, ^43=35, ^30=61->10, ^45=39
    {"password1", 'Q', false, "QGcwcsEvy"}, // salt 16; 16^41=57->6, ...; the ninth character is ignored
    {"7Z", 'c', false, "c+4"},              // salt 28; 28^-10=-22 -> '+', -22^25=-13 -> '4'
    {"", 'm', false, "m"},
    {"", 0, true, "m"},
};

TEST(PasswordScrambler, HandWorkedVectors) {
    for (const Vector& v : kVectors) {
        std::string got = v.fresh ? scramble_new_password(v.text) : scramble_password(v.text, v.salt);
        EXPECT_EQ(got, v.scrambled) << "text \"" << v.text << "\"";
    }
}

TEST(PasswordScrambler, OnlyEightCharactersCount) {
    EXPECT_EQ(scramble_new_password("abcdefgh"), scramble_new_password("abcdefghXYZ"));
    EXPECT_NE(scramble_new_password("abcdefg"), scramble_new_password("abcdefgX"));
    EXPECT_EQ(scramble_new_password("abcdefgh").size(), 9u);
}

TEST(PasswordScrambler, RoundTripWithStoredSalt) {
    for (const char* text : {"A", "Zz", "digits123", "MiXeD!?", "longer than eight", "0", ":"}) {
        std::string stored = scramble_new_password(text);
        EXPECT_EQ(scramble_password(text, stored[0]), stored) << text;
    }
}

TEST(PasswordScrambler, NothingStoredScramblesToEmpty) {
    // With no stored value the salt is the terminating zero, and the result is
    // empty, so that a missing password matches whatever is typed.
    EXPECT_EQ(scramble_password("anything", '\0'), "");
}

TEST(PasswordScrambler, ResultCanBeStoredAsAnIniValue) {
    // "0" with the fresh salt gives s = 38 ^ -17 = -55, which is a line feed;
    // ":" gives 38 ^ -7 = -33, a blank at the end that reading would trim.
    EXPECT_EQ(scramble_new_password("0"), "m^");
    EXPECT_EQ(scramble_new_password(":"), "m~");
    EXPECT_EQ(scramble_new_password(":A"), "m ~") << "blanks inside are kept";
    for (const char* text : {"0", ":", "0abc", "12:34", ":A"}) {
        MemoryIni file;
        VariantIni ini(file);
        ConfigStore store(ini);
        ASSERT_TRUE(store.set_password(text, text));
        EXPECT_TRUE(store.check_password(text)) << text;
        EXPECT_FALSE(store.check_password(std::string("x") + text)) << text;
    }
}

class ConfigPasswordTest : public ::testing::Test {
protected:
    MemoryIni file;
    VariantIni ini{file};
    ConfigStore store{ini};
};

TEST_F(ConfigPasswordTest, SetThenCheck) {
    EXPECT_FALSE(store.password_required());
    ASSERT_TRUE(store.set_password("secret", "secret"));
    char order[16];
    file.get_string("Color", "order", "", order, sizeof order);
    EXPECT_STREQ(order, "mKUIjKn");
    EXPECT_TRUE(store.check_password("secret"));
    EXPECT_FALSE(store.check_password("Secret"));
    EXPECT_FALSE(store.check_password(""));
    EXPECT_FALSE(store.check_password("secret99"));
}

TEST_F(ConfigPasswordTest, MismatchedConfirmationWritesNothing) {
    EXPECT_FALSE(store.set_password("secret", "secreT"));
    EXPECT_TRUE(file.entries().empty());
}

TEST_F(ConfigPasswordTest, FlagIsSwapKey) {
    store.save_password_flag(true);
    EXPECT_TRUE(store.password_required());
    EXPECT_EQ(file.entries(), std::vector<std::string>{"Color/swap=1"});
    store.save_password_flag(false);
    EXPECT_FALSE(store.password_required());
    file.write_string("Color", "swap", "2");
    EXPECT_FALSE(store.password_required()) << "only 1 asks for the password";
}

TEST_F(ConfigPasswordTest, StoredValueWithOtherSaltIsChecked) {
    file.write_string("Color", "order", "QGcwcsEvy");
    EXPECT_TRUE(store.check_password("password"));
    EXPECT_TRUE(store.check_password("password1"));
    EXPECT_FALSE(store.check_password("passwor"));
}

TEST_F(ConfigPasswordTest, EmptyStoredPasswordAcceptsAnything) {
    file.write_string("Color", "swap", "1");
    EXPECT_TRUE(store.check_password("whatever"));
    EXPECT_TRUE(store.check_password(""));
}

}  // namespace
}  // namespace tavix
