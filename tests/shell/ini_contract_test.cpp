// The INI behaviour the configuration store relies on, and the configuration
// variant rule on top of it, written once and run against every INI
// implementation: the in-memory one everywhere, and on Windows (Wine) also the
// system's private-profile functions on a real file, so the two cannot drift.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "shell/config/config_store.h"
#include "shell/config/ini_memory.h"
#include "shell/config/variant_ini.h"
#ifdef _WIN32
#include "shell/config/ini_win32.h"
#endif

namespace tavix {
namespace {

struct MemoryIniMaker {
    std::unique_ptr<IniFile> make() { return std::make_unique<MemoryIni>(); }
    void clean() {}
};

#ifdef _WIN32
// A fresh file for every test: the system caches profile files by name.
struct Win32IniMaker {
    std::filesystem::path path;
    std::unique_ptr<IniFile> make() {
        std::filesystem::path dir = "Z:\\tmp";
        std::error_code ec;
        if (!std::filesystem::is_directory(dir, ec)) dir = std::filesystem::temp_directory_path();
        std::random_device rd;
        path = dir / ("tavix-ini-" + std::to_string(rd()) + "-" + std::to_string(rd()) + ".ini");
        return std::make_unique<Win32Ini>(path.string());
    }
    void clean() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};
#endif

template <typename Maker>
class IniContract : public ::testing::Test {
protected:
    void SetUp() override { ini_ = maker_.make(); }
    void TearDown() override {
        ini_.reset();
        maker_.clean();
    }
    IniFile& ini() { return *ini_; }
    std::string get(const char* section, const char* key, const char* def, std::size_t size = 64) {
        std::string buf(size, '#');
        std::size_t n = ini().get_string(section, key, def, &buf[0], size);
        EXPECT_EQ(buf.c_str(), buf.substr(0, n)) << "count must match the copied text";
        return buf.substr(0, n);
    }
    void put(const char* section, const char* key, const char* value) {
        ASSERT_TRUE(ini().write_string(section, key, value));
    }

    Maker maker_;
    std::unique_ptr<IniFile> ini_;
};

#ifdef _WIN32
using IniMakers = ::testing::Types<MemoryIniMaker, Win32IniMaker>;
#else
using IniMakers = ::testing::Types<MemoryIniMaker>;
#endif

class MakerNames {
public:
    template <typename T>
    static std::string GetName(int) {
        return std::is_same<T, MemoryIniMaker>::value ? "Memory" : "Win32";
    }
};

TYPED_TEST_SUITE(IniContract, IniMakers, MakerNames);

// --- the INI file itself ---------------------------------------------------

TYPED_TEST(IniContract, MissingKeyGivesDefaultAndEmptyValueDoesNot) {
    this->put("Config", "empty", "");
    EXPECT_EQ(this->get("Config", "absent", "dflt"), "dflt");
    EXPECT_EQ(this->get("Nowhere", "absent", "dflt"), "dflt");
    EXPECT_EQ(this->get("Config", "absent", nullptr), "");
    EXPECT_EQ(this->get("Config", "empty", "dflt"), "");
    EXPECT_EQ(this->ini().get_int("Config", "empty", -7), -7);
    EXPECT_EQ(this->ini().get_int("Config", "absent", -9999), -9999);
    EXPECT_TRUE(this->ini().has_key("Config", "empty"));
    EXPECT_FALSE(this->ini().has_key("Config", "absent"));
}

TYPED_TEST(IniContract, NamesMatchWithoutRegardToCase) {
    this->put("Config", "Save Last", "1");
    EXPECT_EQ(this->get("CONFIG", "save last", ""), "1");
    this->put("config", "SAVE LAST", "2");  // overwrites, does not add
    EXPECT_EQ(this->get("Config", "Save Last", ""), "2");
}

TYPED_TEST(IniContract, SectionsAreSeparate) {
    this->put("Config", "mode", "1");
    this->put("Config-shop", "mode", "2");
    EXPECT_EQ(this->get("Config", "mode", ""), "1");
    EXPECT_EQ(this->get("Config-shop", "mode", ""), "2");
    EXPECT_EQ(this->get("Config-sho", "mode", "x"), "x");
}

TYPED_TEST(IniContract, ReadsAreCutToTheBuffer) {
    this->put("Config", "host", "corvane.example");
    EXPECT_EQ(this->get("Config", "host", "", 3), "co");
    EXPECT_EQ(this->get("Config", "host", "", 1), "");
    EXPECT_EQ(this->get("Config", "absent", "default", 4), "def");
    EXPECT_EQ(this->get("Config", "host", "", 16), "corvane.example");
}

TYPED_TEST(IniContract, ValuesLoseSurroundingBlanksAndQuotes) {
    this->put("Config", "lead", "   x y");
    this->put("Config", "trail", "x y \t");
    this->put("Config", "quoted", "\" in quotes \"");
    this->put("Config", "half", "\"half");
    EXPECT_EQ(this->get("Config", "lead", ""), "x y");
    EXPECT_EQ(this->get("Config", "trail", ""), "x y");
    EXPECT_EQ(this->get("Config", "quoted", ""), " in quotes ");
    EXPECT_EQ(this->get("Config", "half", ""), "\"half");
}

TYPED_TEST(IniContract, LineBreakEndsTheStoredValue) {
    this->put("Color", "order", "ab\ncd");
    EXPECT_EQ(this->get("Color", "order", ""), "ab");
}

TYPED_TEST(IniContract, NullValueDeletesKeyAndNullKeyDeletesSection) {
    this->put("Helpers-32", "Directory", "c:\\msg");
    this->put("Helpers-32", "Other", "1");
    this->put("Message", "Directory", "d:\\msg");
    this->put("Helpers-32", "Directory", nullptr);
    EXPECT_FALSE(this->ini().has_key("Helpers-32", "Directory"));
    EXPECT_TRUE(this->ini().has_key("Helpers-32", "Other"));
    this->put("Helpers-32", nullptr, nullptr);
    EXPECT_FALSE(this->ini().has_key("Helpers-32", "Other"));
    EXPECT_EQ(this->get("Message", "Directory", ""), "d:\\msg");
}

TYPED_TEST(IniContract, KeyNamesComeInFileOrder) {
    this->put("Name", "12", "Twelve");
    this->put("Name", "3", "");
    this->put("Name", "7", "Seven");
    this->put("Phone", "12", "555");
    EXPECT_EQ(this->ini().key_names("Name"), (std::vector<std::string>{"12", "3", "7"}));
    EXPECT_EQ(this->ini().key_names("name"), (std::vector<std::string>{"12", "3", "7"}));
    this->put("Name", "3", nullptr);
    EXPECT_EQ(this->ini().key_names("Name"), (std::vector<std::string>{"12", "7"}));
    EXPECT_TRUE(this->ini().key_names("Missing").empty());
}

TYPED_TEST(IniContract, IntegersReadTheLeadingNumber) {
    struct {
        const char* text;
        int value;
    } const cases[] = {
        {"5", 5},   {"-1", -1},     {"-9999", -9999}, {"+7", 7},          {"12abc", 12},
        {"abc", 0}, {"  42  ", 42}, {"0x10", 16},     {"4294967295", -1}, {"=", 0},
    };
    for (const auto& c : cases) {
        this->put("Config", "n", c.text);
        EXPECT_EQ(this->ini().get_int("Config", "n", -77), c.value) << "value \"" << c.text << "\"";
    }
}

// --- the configuration variant rule ----------------------------------------

TYPED_TEST(IniContract, WithoutVariantSectionsAreUsedDirectly) {
    VariantIni v(this->ini());
    this->put("Config", "mode", "3");
    this->put("Config-", "mode", "4");
    EXPECT_EQ(v.read_int("Config", "mode", -1), 3);
    ASSERT_TRUE(v.write_int("Config", "Wheel", 1));
    EXPECT_EQ(this->get("Config", "Wheel", ""), "1");
    EXPECT_EQ(v.write_section("Config"), "Config");
}

TYPED_TEST(IniContract, VariantValueWinsOverBase) {
    VariantIni v(this->ini(), "shop");
    this->put("Config", "mode", "3");
    this->put("Config-shop", "mode", "9");
    this->put("Config", "host", "base.example");
    this->put("Config-shop", "host", "shop.example");
    EXPECT_EQ(v.read_int("Config", "mode", -1), 9);
    EXPECT_EQ(v.read_string("Config", "host", "", 33), "shop.example");
}

TYPED_TEST(IniContract, KeyMissingFromVariantComesFromBase) {
    VariantIni v(this->ini(), "shop");
    this->put("Config", "mode", "3");
    this->put("Config", "host", "base.example");
    this->put("Config-shop", "other", "1");
    EXPECT_EQ(v.read_int("Config", "mode", -1), 3);
    EXPECT_EQ(v.read_string("Config", "host", "", 33), "base.example");
    // Missing from both: the caller's default.
    EXPECT_EQ(v.read_int("Config", "Window x", -9999), -9999);
    EXPECT_EQ(v.read_string("Config", "RcvExt", "txt", 10), "txt");
}

TYPED_TEST(IniContract, MissingVariantSectionReadsBase) {
    VariantIni v(this->ini(), "nosuch");
    this->put("Font", "mode", "2");
    this->put("Config", "userid", "fred");
    EXPECT_EQ(v.read_int("Font", "mode", -1), 2);
    EXPECT_EQ(v.read_string("Config", "userid", "", 7), "fred");
}

TYPED_TEST(IniContract, EqualsSignMeansAbsentFromVariant) {
    VariantIni v(this->ini(), "shop");
    this->put("Config", "mode", "3");
    this->put("Config-shop", "mode", "=");
    this->put("Config", "host", "base.example");
    this->put("Config-shop", "host", "=");
    this->put("Config-shop", "speed1", "=");  // and nothing in the base
    EXPECT_EQ(v.read_int("Config", "mode", -1), 3);
    EXPECT_EQ(v.read_string("Config", "host", "", 33), "base.example");
    EXPECT_EQ(v.read_int("Config", "speed1", -1), -1);
    EXPECT_EQ(v.read_string("Config", "speed1", "d", 10), "d");
}

TYPED_TEST(IniContract, OnlyTheLoneEqualsSignMeansAbsent) {
    VariantIni v(this->ini(), "shop");
    this->put("Config", "mode", "3");
    this->put("Config-shop", "mode", "==");
    this->put("Config", "host", "base.example");
    this->put("Config-shop", "host", "=x");
    this->put("Config", "userid", "base");
    this->put("Config-shop", "userid", "");
    EXPECT_EQ(v.read_int("Config", "mode", -1), 0);
    EXPECT_EQ(v.read_string("Config", "host", "", 33), "=x");
    // An empty variant value is a value: the string is empty, the integer
    // takes the caller's default rather than the base value.
    EXPECT_EQ(v.read_string("Config", "userid", "", 7), "");
    this->put("Config-shop", "mode", "");
    EXPECT_EQ(v.read_int("Config", "mode", -1), -1);
}

TYPED_TEST(IniContract, ShortStringReadDoesNotMistakeEqualsPrefixForAbsent) {
    VariantIni v(this->ini(), "shop");
    this->put("Config", "flag", "base");
    this->put("Config-shop", "flag", "=abc");
    EXPECT_EQ(v.read_string("Config", "flag", "", 2), "=");
}

TYPED_TEST(IniContract, SavedKeyLandsInVariantAndIsReadFromThere) {
    VariantIni v(this->ini(), "shop");
    this->put("Config", "Wheel", "0");
    EXPECT_EQ(v.read_int("Config", "Wheel", -1), 0);
    ASSERT_TRUE(v.write_int("Config", "Wheel", 1));
    EXPECT_EQ(this->get("Config-shop", "Wheel", ""), "1");
    EXPECT_EQ(this->get("Config", "Wheel", ""), "0");  // the base is left alone
    EXPECT_EQ(v.read_int("Config", "Wheel", -1), 1);
    // Another variant, and no variant, still see the base value.
    VariantIni other(this->ini(), "office");
    EXPECT_EQ(other.read_int("Config", "Wheel", -1), 0);
    VariantIni none(this->ini());
    EXPECT_EQ(none.read_int("Config", "Wheel", -1), 0);
}

TYPED_TEST(IniContract, VariantUnawareAccessIgnoresVariant) {
    VariantIni v(this->ini(), "shop");
    this->put("Config", "mode", "3");
    this->put("Config-shop", "mode", "9");
    EXPECT_EQ(v.read_int("Config", "mode", -1, false), 3);
    ASSERT_TRUE(v.write_string("Config", "host", "h", false));
    EXPECT_EQ(this->get("Config", "host", ""), "h");
    EXPECT_FALSE(this->ini().has_key("Config-shop", "host"));
}

TYPED_TEST(IniContract, StoreRoundTripsNegativeAndStringValues) {
    VariantIni v(this->ini(), "shop");
    ConfigStore store(v);
    store.config.mode = 11;
    store.config.speed = -1;
    store.config.auxiliary_port = -1;
    std::snprintf(store.config.connect, sizeof store.config.connect, "%s", "AT&F  X4");
    std::snprintf(store.config.host, sizeof store.config.host, "%s", "10.0.0.7");
    store.placement = StoredPlacement{1024, 18, 10, -4, 0};
    store.save_connection();
    store.save_placement();
    store.config.save_placement = 1;
    store.save_placement_mode();
    ConfigStore again(v);
    again.load_all();
    EXPECT_EQ(again.config.mode, 11);
    EXPECT_EQ(again.config.speed, -1);
    EXPECT_EQ(again.config.auxiliary_port, -1);
    EXPECT_STREQ(again.config.connect, "AT&F  X4");
    EXPECT_STREQ(again.config.host, "10.0.0.7");
    EXPECT_EQ(again.placement.window_x, -4);
    EXPECT_EQ(again.placement.window_y, 0);
    EXPECT_FALSE(again.placement_valid) << "speed -1: not configured, placement unused";
    EXPECT_EQ(this->get("Config-shop", "speed7", ""), "-1");
}

// --- messaging keys moving out of [Helpers-32] -------------------------------

TYPED_TEST(IniContract, LegacyKeyMovesToMessage) {
    VariantIni v(this->ini());
    this->put("Helpers-32", "Directory", "c:\\msgs");
    this->put("Helpers-32", "Notepad", "notepad.exe");
    this->put("Helpers-32", "Messageing enabled", "1");
    EXPECT_EQ(v.read_migrated_string("Directory", "", 260), "c:\\msgs");
    EXPECT_EQ(v.read_migrated_int("Messageing enabled", 0), 1);
    EXPECT_FALSE(this->ini().has_key("Helpers-32", "Directory"));
    EXPECT_FALSE(this->ini().has_key("Helpers-32", "Messageing enabled"));
    EXPECT_TRUE(this->ini().has_key("Helpers-32", "Notepad"));
    EXPECT_EQ(this->get("Message", "Directory", ""), "c:\\msgs");
    // Once moved, later changes in [Message] stay.
    this->put("Message", "Directory", "d:\\new");
    EXPECT_EQ(v.read_migrated_string("Directory", "", 260), "d:\\new");
}

TYPED_TEST(IniContract, LegacyKeyAbsentReadsMessage) {
    VariantIni v(this->ini());
    this->put("Message", "Scan extension", "msg");
    EXPECT_EQ(v.read_migrated_string("Scan extension", "", 10), "msg");
    EXPECT_EQ(v.read_migrated_int("Use subdirectory", 5), 5);
}

TYPED_TEST(IniContract, LegacyKeyMovesWithinItsOwnLevel) {
    this->put("Helpers-32-shop", "Directory", "s:\\shop");
    this->put("Helpers-32", "Msg-in ext", "in");
    VariantIni shop(this->ini(), "shop");
    EXPECT_EQ(shop.read_migrated_string("Directory", "", 260), "s:\\shop");
    EXPECT_EQ(this->get("Message-shop", "Directory", ""), "s:\\shop");
    EXPECT_FALSE(this->ini().has_key("Helpers-32-shop", "Directory"));
    // A base legacy key goes to the base [Message], where every variant finds it.
    EXPECT_EQ(shop.read_migrated_string("Msg-in ext", "", 10), "in");
    EXPECT_EQ(this->get("Message", "Msg-in ext", ""), "in");
    EXPECT_FALSE(this->ini().has_key("Message-shop", "Msg-in ext"));
    VariantIni office(this->ini(), "office");
    EXPECT_EQ(office.read_migrated_string("Msg-in ext", "", 10), "in");
}

TYPED_TEST(IniContract, LegacyKeyMarkedAbsentInVariantComesFromBase) {
    this->put("Helpers-32-shop", "Directory", "=");
    this->put("Helpers-32", "Directory", "c:\\base");
    VariantIni shop(this->ini(), "shop");
    EXPECT_EQ(shop.read_migrated_string("Directory", "", 260), "c:\\base");
    EXPECT_FALSE(this->ini().has_key("Helpers-32", "Directory"));
}

}  // namespace
}  // namespace tavix
