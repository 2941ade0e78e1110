#include "shell/config/user_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace tavix {
namespace {

namespace fs = std::filesystem;

class UserDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        root = fs::temp_directory_path() / ("tavix-userdir-" + std::to_string(rd()));
        start = root / "start";
        fs::create_directories(start);
        user = root / "profile" / "deep" / "Corvane";
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root, ec);
    }
    static void write(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
    static std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    fs::path root, start, user;
};

TEST_F(UserDirectoryTest, NameFromProfile) {
    EXPECT_EQ(user_directory_for("C:\\Users\\fred"), "C:\\Users\\fred\\Corvane");
    EXPECT_EQ(user_directory_for("C:\\Users\\fred\\"), "C:\\Users\\fred\\Corvane");
    EXPECT_EQ(user_directory_for(""), "");
    EXPECT_EQ(user_directory_for(nullptr), "");
}

TEST_F(UserDirectoryTest, CreatesParentsAndCopiesMissingFiles) {
    write(start / "corvane.ini", "[Config]\nmode=0\n");
    write(start / "corvane.gdl", "global");
    ASSERT_TRUE(prepare_user_directory(user.string(), start.string()));
    EXPECT_EQ(read(user / "corvane.ini"), "[Config]\nmode=0\n");
    EXPECT_EQ(read(user / "corvane.gdl"), "global");
    EXPECT_FALSE(fs::exists(user / "corvane.ldl"));
}

TEST_F(UserDirectoryTest, ExistingUserFilesAreNotOverwritten) {
    fs::create_directories(user);
    write(user / "corvane.ini", "mine");
    write(start / "corvane.ini", "shipped");
    write(start / "corvane.ldl", "local");
    ASSERT_TRUE(prepare_user_directory(user.string(), start.string()));
    EXPECT_EQ(read(user / "corvane.ini"), "mine");
    EXPECT_EQ(read(user / "corvane.ldl"), "local");
}

TEST_F(UserDirectoryTest, NothingToCopyStillSucceeds) {
    ASSERT_TRUE(prepare_user_directory(user.string(), start.string()));
    EXPECT_TRUE(fs::is_directory(user));
}

TEST_F(UserDirectoryTest, FailureKeepsStartDirectory) {
    write(root / "profile", "a file where the folder should be");
    EXPECT_FALSE(prepare_user_directory(user.string(), start.string()));
    EXPECT_FALSE(prepare_user_directory("", start.string()));
}

}  // namespace
}  // namespace tavix
