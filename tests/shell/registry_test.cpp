#include "shell/config/registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#ifdef _WIN32
#include "shell/config/registry_win32.h"
#endif

namespace tavix {
namespace {

TEST(WindowHandleValue, SurvivesTheDwordOnBothBitnesses) {
    const std::uintptr_t handles[] = {0x10050u, 0x7ffffffeu, static_cast<std::uintptr_t>(0x80001234u)};
    for (std::uintptr_t h : handles) {
        std::uint32_t v = window_handle_to_dword(h);
        if (sizeof(std::uintptr_t) == 4 || h < 0x80000000u) {
            EXPECT_EQ(dword_to_window_handle(v), h);
        } else {
            // 64-bit: the high half of a window handle is the sign extension.
            EXPECT_EQ(dword_to_window_handle(v) & 0xffffffffu, h & 0xffffffffu);
        }
    }
}

template <typename Maker>
class RegistryContract : public ::testing::Test {
protected:
    void SetUp() override { reg_ = Maker::make(); }
    RegistryStore& reg() { return *reg_; }
    std::unique_ptr<RegistryStore> reg_;
};

struct MemoryRegistryMaker {
    static std::unique_ptr<RegistryStore> make() { return std::make_unique<MemoryRegistry>(); }
};
#ifdef _WIN32
struct Win32RegistryMaker {
    static std::unique_ptr<RegistryStore> make() { return std::make_unique<Win32Registry>(); }
};
using RegistryMakers = ::testing::Types<MemoryRegistryMaker, Win32RegistryMaker>;
#else
using RegistryMakers = ::testing::Types<MemoryRegistryMaker>;
#endif
TYPED_TEST_SUITE(RegistryContract, RegistryMakers);

TYPED_TEST(RegistryContract, MainWindowValues) {
    RegistryStore& reg = this->reg();
    reg.write_dword(RegistryRoot::CurrentUser, "window", 1);  // left from an earlier run
    store_main_window(reg, 0x20a3cu, false);
    std::uint32_t v = 0;
    ASSERT_TRUE(reg.read_dword(RegistryRoot::CurrentUser, "lwindow", v));
    EXPECT_EQ(v, 0x20a3cu);
    ASSERT_TRUE(reg.read_dword(RegistryRoot::CurrentUser, "window", v));
    EXPECT_EQ(v, 1u) << "\"window\" is written only with messaging enabled";
    store_main_window(reg, 0x30b4du, true);
    ASSERT_TRUE(reg.read_dword(RegistryRoot::CurrentUser, "window", v));
    EXPECT_EQ(v, 0x30b4du);
}

TYPED_TEST(RegistryContract, DirectoryIsReadOnlyAsPlainString) {
    RegistryStore& reg = this->reg();
    ASSERT_TRUE(write_last_directory(reg, "C:\\Users\\fred\\Documents"));
    EXPECT_EQ(read_last_directory(reg), "C:\\Users\\fred\\Documents");
    reg.write_dword(RegistryRoot::CurrentUser, "directory", 5);
    EXPECT_EQ(read_last_directory(reg), "") << "a value of another type is not a folder";
    std::string s;
    EXPECT_FALSE(reg.read_string(RegistryRoot::CurrentUser, "lwindow-none", s));
}

TYPED_TEST(RegistryContract, MessagingDirectoryGoesUnderBothRoots) {
    RegistryStore& reg = this->reg();
    if (!write_messaging_directory(reg, "\\\\server\\msgs")) {
        // A real registry may refuse the local-machine root to a plain user.
        GTEST_SKIP() << "local-machine key not writable here";
    }
    std::string user;
    std::string machine;
    ASSERT_TRUE(reg.read_string(RegistryRoot::CurrentUser, "messageing", user));
    ASSERT_TRUE(reg.read_string(RegistryRoot::LocalMachine, "messageing", machine));
    EXPECT_EQ(user, "\\\\server\\msgs");
    EXPECT_EQ(machine, "\\\\server\\msgs");
}

}  // namespace
}  // namespace tavix
