#include "shell/config/config_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/cmdline/command_line.h"
#include "shell/config/ini_memory.h"

namespace tavix {
namespace {

class ConfigStoreTest : public ::testing::Test {
protected:
    MemoryIni file;
    VariantIni ini{file};
    ConfigStore store{ini};

    void put(const char* section, const char* key, const char* value) {
        file.write_string(section, key, value);
    }
    // The "Section/key" names written to the file, sorted.
    std::vector<std::string> written_keys() const {
        std::vector<std::string> keys;
        for (const std::string& e : file.entries()) keys.push_back(e.substr(0, e.find('=')));
        std::sort(keys.begin(), keys.end());
        return keys;
    }
    static std::vector<std::string> sorted(std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    }
};

TEST_F(ConfigStoreTest, EmptyFileGivesEveryDefault) {
    EXPECT_FALSE(store.load_all());  // no mode: not configured
    const ConfigBlock& c = store.config;
    EXPECT_EQ(c.fullscreen, 0);
    EXPECT_EQ(c.controlc_break, 0);
    EXPECT_EQ(c.udef_screens, 0);
    EXPECT_EQ(c.save_placement, 0);
    EXPECT_EQ(c.save_last, 0);
    EXPECT_EQ(c.mode, -1);
    EXPECT_EQ(c.hpcl, 0);
    EXPECT_EQ(c.autoconnect, 0);
    EXPECT_EQ(c.autodial, 0);
    EXPECT_EQ(c.speed, -1);
    EXPECT_EQ(c.debug, 0);
    EXPECT_EQ(c.hilite, 0);
    EXPECT_EQ(c.printer, -1);
    EXPECT_EQ(c.sound_mode, -1);
    EXPECT_EQ(c.font_mode, -1);
    EXPECT_EQ(c.trigger, 0);
    EXPECT_EQ(c.full_ascii, 0);
    EXPECT_EQ(c.middle_mouse, -1);
    EXPECT_EQ(c.secondary_mouse, -1);
    EXPECT_EQ(c.wheel, 0);
    EXPECT_EQ(c.pspeed, 0);
    EXPECT_EQ(c.edit, 0);
    EXPECT_EQ(c.character_printscreen, 0);
    EXPECT_EQ(c.transparent_selected, 0);
    EXPECT_STREQ(c.transparent_name, "");
    EXPECT_STREQ(c.userid, "");
    EXPECT_STREQ(c.host, "");
    EXPECT_STREQ(c.connect, "");
    EXPECT_EQ(c.auxiliary_port, -1);
    EXPECT_EQ(c.auxiliary_speed, -1);
    EXPECT_EQ(c.auxiliary_cr_terminate, 0);
    EXPECT_EQ(c.auxiliary_read, 1);
    EXPECT_EQ(c.backlight, -1);
    EXPECT_EQ(c.rcv_dump, 1);
    EXPECT_STREQ(c.rcv_ext, "txt");
    EXPECT_EQ(store.proxy_port, 0);
    EXPECT_EQ(store.placement.screen_resolution, -1);
    EXPECT_EQ(store.placement.font_height, -1);
    EXPECT_EQ(store.placement.font_width, -1);
    EXPECT_EQ(store.placement.window_x, -9999);
    EXPECT_EQ(store.placement.window_y, -9999);
    EXPECT_FALSE(store.placement_valid);
    EXPECT_TRUE(file.entries().empty()) << "loading must not write";
}

TEST_F(ConfigStoreTest, LoadsStoredValuesWithTheirKeyNames) {
    put("Config", "mode", "0");
    put("Config", "host", "corvane.example");
    put("Config", "userid", "fred");
    put("Config", "Middle mouse", "3");
    put("Config", "Secondary mouse", "4");
    put("Config", "Wheel", "1");
    put("Config", "Printer", "2");
    put("Config", "Character printscreen", "1");
    put("Config", "Transparent_selected", "1");
    put("Config", "Transparent name", "LPT1 printer");
    put("Sound", "mode", "1");
    put("Font", "mode", "2");
    put("Config", "debug", "1");
    put("Config", "hilite", "1");
    put("Config", "Autoconnect", "1");
    put("Config", "hpcl", "1");
    put("Config", "Trigger", "1");
    put("Config", "Full ascii", "1");
    put("Config", "Backlight", "300");
    put("Config", "Edit", "1");
    put("Config", "Pspeed", "4");
    put("Config", "Fullscreen", "1");
    put("Config", "Proxy port", "8080");
    put("Config", "Auxiliary port", "2");
    put("Config", "Auxiliary speed", "5");
    put("Config", "Auxilary cr terminate", "1");
    put("Config", "Auxiliary read", "0");
    put("Config", "UDef screens", "1");
    put("Config", "Save Last", "1");
    put("Config", "RcvDump", "0");
    put("Config", "RcvExt", "log");
    put("Config", "ControlC break", "1");
    EXPECT_TRUE(store.load_all());
    const ConfigBlock& c = store.config;
    EXPECT_EQ(c.mode, 0);
    EXPECT_STREQ(c.host, "corvane.example");
    EXPECT_STREQ(c.userid, "fred");
    EXPECT_EQ(c.middle_mouse, 3);
    EXPECT_EQ(c.secondary_mouse, 4);
    EXPECT_EQ(c.wheel, 1);
    EXPECT_EQ(c.printer, 2);
    EXPECT_EQ(c.character_printscreen, 1);
    EXPECT_EQ(c.transparent_selected, 1);
    EXPECT_STREQ(c.transparent_name, "LPT1 printer");
    EXPECT_EQ(c.sound_mode, 1);
    EXPECT_EQ(c.font_mode, 2);
    EXPECT_EQ(c.debug, 1);
    EXPECT_EQ(c.hilite, 1);
    EXPECT_EQ(c.autoconnect, 1);
    EXPECT_EQ(c.hpcl, 1);
    EXPECT_EQ(c.trigger, 1);
    EXPECT_EQ(c.full_ascii, 1);
    EXPECT_EQ(c.backlight, 300);
    EXPECT_EQ(c.edit, 1);
    EXPECT_EQ(c.pspeed, 4);
    EXPECT_EQ(c.fullscreen, 1);
    EXPECT_EQ(store.proxy_port, 8080);
    EXPECT_EQ(c.auxiliary_port, 2);
    EXPECT_EQ(c.auxiliary_speed, 5);
    EXPECT_EQ(c.auxiliary_cr_terminate, 1);
    EXPECT_EQ(c.auxiliary_read, 0);
    EXPECT_EQ(c.udef_screens, 1);
    EXPECT_EQ(c.save_last, 1);
    EXPECT_EQ(c.rcv_dump, 0);
    EXPECT_STREQ(c.rcv_ext, "log");
    EXPECT_EQ(c.controlc_break, 1);
    EXPECT_EQ(c.speed, -1) << "a network mode has no speed key";
}

TEST_F(ConfigStoreTest, StringsAreCutToTheirFieldWidths) {
    put("Config", "mode", "0");
    put("Config", "host", std::string(60, 'h').c_str());
    put("Config", "userid", "abcdefghij");
    put("Config", "Transparent name", std::string(80, 'n').c_str());
    put("Config", "RcvExt", "0123456789abc");
    store.load_all();
    EXPECT_EQ(std::string(store.config.host), std::string(32, 'h'));
    EXPECT_STREQ(store.config.userid, "abcdef");
    EXPECT_EQ(std::string(store.config.transparent_name), std::string(49, 'n'));
    EXPECT_STREQ(store.config.rcv_ext, "012345678");
}

TEST_F(ConfigStoreTest, PerKindKeysFollowTheSerialMode) {
    struct {
        int mode;
        const char* speed_key;
        const char* connect_key;
    } const kinds[] = {{1, "speed1", "connect1"}, {5, "speed5", "connect5"},
                       {10, "speed6", "connect6"}, {11, "speed7", "connect7"}};
    for (const auto& k : kinds) {
        MemoryIni f;
        VariantIni v(f);
        ConfigStore s(v);
        f.write_string("Config", "mode", std::to_string(k.mode).c_str());
        f.write_string("Config", k.speed_key, "7");
        f.write_string("Config", k.connect_key, "ATDT5551234");
        f.write_string("Config", "speed2", "3");  // another kind's key is not read
        EXPECT_TRUE(s.load_all()) << "mode " << k.mode;
        EXPECT_EQ(s.config.speed, k.mode == 2 ? 3 : 7) << "mode " << k.mode;
        EXPECT_STREQ(s.config.connect, "ATDT5551234") << "mode " << k.mode;
    }
    EXPECT_EQ(per_kind_index(0), 0);
    EXPECT_EQ(per_kind_index(6), 0);
    EXPECT_EQ(per_kind_index(9), 0);
    EXPECT_EQ(per_kind_index(12), 0);
    EXPECT_EQ(per_kind_index(-1), 0);
}

TEST_F(ConfigStoreTest, ConnectStringKeepsSeventyEightCharacters) {
    put("Config", "mode", "3");
    put("Config", "connect3", std::string(100, 'c').c_str());
    store.load_all();
    EXPECT_EQ(std::string(store.config.connect), std::string(78, 'c'));
}

TEST_F(ConfigStoreTest, SettingsSufficeToConnectByKind) {
    struct {
        const char* mode;
        const char* host;
        const char* speed;  // stored as speed<n> of the mode, when it has one
        bool configured;
    } const cases[] = {
        {nullptr, "h", "3", false}, {"0", "", nullptr, false}, {"0", "h", nullptr, true},
        {"6", "h", nullptr, true},  {"9", "", nullptr, false}, {"1", "h", nullptr, false},
        {"1", "", "0", true},       {"11", "", "-1", false},   {"11", "", "2", true},
        {"7", "h", "3", false},
    };
    for (const auto& c : cases) {
        MemoryIni f;
        VariantIni v(f);
        ConfigStore s(v);
        if (c.mode) f.write_string("Config", "mode", c.mode);
        f.write_string("Config", "host", c.host);
        int n = c.mode ? per_kind_index(std::atoi(c.mode)) : 0;
        if (n && c.speed) f.write_string("Config", ("speed" + std::to_string(n)).c_str(), c.speed);
        EXPECT_EQ(s.load_all(), c.configured)
            << "mode " << (c.mode ? c.mode : "-") << " host \"" << c.host << "\"";
    }
}

TEST_F(ConfigStoreTest, AutodialWinsOverAutoconnect) {
    put("Config", "Autoconnect", "1");
    put("Config", "Autodial", "1");
    store.load_all();
    EXPECT_EQ(store.config.autoconnect, 0);
    EXPECT_EQ(store.config.autodial, 1);
}

TEST_F(ConfigStoreTest, TransparentPrinterNeedsAName) {
    put("Config", "Transparent_selected", "1");
    put("Config", "Transparent name", "");
    store.load_all();
    EXPECT_EQ(store.config.transparent_selected, 0);
}

TEST_F(ConfigStoreTest, OutOfRangeNumbersReadAsUnsetNotWrapped) {
    put("Config", "mode", "256");          // would wrap to 0, a network mode
    put("Config", "Middle mouse", "-200");  // would wrap to 56
    put("Sound", "mode", "255");
    put("Config", "Backlight", "70000");
    store.load_all();
    EXPECT_EQ(store.config.mode, -1);
    EXPECT_EQ(store.config.middle_mouse, -1);
    EXPECT_EQ(store.config.sound_mode, -1);
    EXPECT_EQ(store.config.backlight, -1);
}

TEST_F(ConfigStoreTest, PlacementIsReadOnlyWhenSavedAndComplete) {
    put("Config", "mode", "0");
    put("Config", "host", "h");
    put("Config", "Screen resolution", "1024");
    put("Config", "Font height", "18");
    put("Config", "Font width", "10");
    put("Config", "Window x", "0");
    put("Config", "Window y", "12");
    store.load_all();
    EXPECT_FALSE(store.placement_valid);
    EXPECT_EQ(store.placement.window_y, -9999) << "not read without \"Save placement\"";

    put("Config", "Save placement", "1");
    store.load_all();
    EXPECT_TRUE(store.placement_valid);
    EXPECT_EQ(store.placement.screen_resolution, 1024);
    EXPECT_EQ(store.placement.font_height, 18);
    EXPECT_EQ(store.placement.font_width, 10);
    EXPECT_EQ(store.placement.window_x, 0);
    EXPECT_EQ(store.placement.window_y, 12);
    EXPECT_TRUE(store.placement_fits_screen(1024));
    EXPECT_FALSE(store.placement_fits_screen(1280)) << "stored on a screen of another width";

    put("Config", "Window x", "-9999");
    store.load_all();
    EXPECT_FALSE(store.placement_valid);
    put("Config", "Window x", "5");
    put("Config", "Font width", "0");
    store.load_all();
    EXPECT_FALSE(store.placement_valid);
    put("Config", "Font width", "10");
    put("Config", "host", "");  // not configured: the placement is not used
    store.load_all();
    EXPECT_FALSE(store.placement_valid);
}

TEST_F(ConfigStoreTest, ConnectCopiesTheConfigurationBlock) {
    put("Config", "mode", "0");
    put("Config", "host", "first");
    store.load_all();
    store.begin_connection();
    EXPECT_STREQ(store.active.host, "first");
    std::snprintf(store.config.host, sizeof store.config.host, "%s", "second");
    EXPECT_STREQ(store.active.host, "first") << "the active block is a copy";
    store.begin_connection();
    EXPECT_STREQ(store.active.host, "second");
}

TEST_F(ConfigStoreTest, SoundModeCorrection) {
    struct {
        int stored;
        int corrected;
    } const cases[] = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}};
    for (const auto& c : cases) {
        store.config.sound_mode = static_cast<signed char>(c.stored);
        EXPECT_EQ(store.correct_sound_mode(), c.stored != c.corrected);
        EXPECT_EQ(store.config.sound_mode, c.corrected) << "stored " << c.stored;
    }
}

TEST_F(ConfigStoreTest, MouseCorrection) {
    for (int v = -2; v <= 7; ++v) {
        store.config.secondary_mouse = static_cast<signed char>(v);
        store.config.middle_mouse = static_cast<signed char>(v);
        store.correct_mouse_settings();
        bool secondary_ok = v == 0 || v == 1 || v == 2 || v == 4 || v == 5;
        EXPECT_EQ(store.config.secondary_mouse, secondary_ok ? v : 0) << v;
        EXPECT_EQ(store.config.middle_mouse, (v >= 0 && v <= 5) ? v : 0) << v;
    }
}

TEST_F(ConfigStoreTest, FontModeCorrection) {
    const bool all[4] = {true, true, true, true};
    const bool no_raster[4] = {false, false, true, true};
    const bool none[4] = {false, false, false, false};
    store.config.font_mode = 1;
    EXPECT_FALSE(store.correct_font_mode(all));
    EXPECT_EQ(store.config.font_mode, 1);
    EXPECT_TRUE(store.correct_font_mode(no_raster));
    EXPECT_EQ(store.config.font_mode, 2);
    store.config.font_mode = -1;
    store.correct_font_mode(all);
    EXPECT_EQ(store.config.font_mode, 0);
    store.config.font_mode = 4;
    store.correct_font_mode(no_raster);
    EXPECT_EQ(store.config.font_mode, 2);
    store.correct_font_mode(none);
    EXPECT_EQ(store.config.font_mode, -1);
}

// --- savers -----------------------------------------------------------------

struct SaverCase {
    const char* name;
    void (ConfigStore::*saver)();
    std::vector<std::string> keys;
};

class SaverTest : public ConfigStoreTest, public ::testing::WithParamInterface<SaverCase> {};

TEST_P(SaverTest, WritesExactlyItsKeys) {
    store.config.mode = 10;  // a serial kind, so the connection saver writes speed6/connect6
    (store.*GetParam().saver)();
    EXPECT_EQ(written_keys(), sorted(GetParam().keys));
}

const SaverCase kSavers[] = {
    {"Placement", &ConfigStore::save_placement,
     {"Config/Screen resolution", "Config/Font width", "Config/Font height", "Config/Window x",
      "Config/Window y"}},
    {"Mouse", &ConfigStore::save_mouse,
     {"Config/Middle mouse", "Config/Secondary mouse", "Config/Wheel"}},
    {"Sound", &ConfigStore::save_sound, {"Sound/mode"}},
    {"UserDefinedScreens", &ConfigStore::save_udef_screens, {"Config/UDef screens"}},
    {"PlacementMode", &ConfigStore::save_placement_mode, {"Config/Save Last", "Config/Save placement"}},
    {"Font", &ConfigStore::save_font, {"Font/mode"}},
    {"Connection", &ConfigStore::save_connection,
     {"Config/host", "Config/userid", "Config/debug", "Config/mode", "Config/speed6",
      "Config/connect6", "Config/Auxiliary port", "Config/Auxiliary speed",
      "Config/Auxilary cr terminate", "Config/Auxiliary read", "Config/Autoconnect",
      "Config/Autodial", "Config/hpcl", "Config/Edit", "Config/Proxy port", "Config/RcvDump",
      "Config/RcvExt", "Config/ControlC break"}},
    {"FullScreen", &ConfigStore::save_fullscreen, {"Config/Fullscreen"}},
    {"Printing", &ConfigStore::save_printing,
     {"Config/Character printscreen", "Config/Transparent_selected", "Config/Transparent name",
      "Config/Printer"}},
    {"Highlight", &ConfigStore::save_highlight, {"Config/hilite"}},
};

INSTANTIATE_TEST_SUITE_P(Savers, SaverTest, ::testing::ValuesIn(kSavers),
                         [](const ::testing::TestParamInfo<SaverCase>& i) { return std::string(i.param.name); });

TEST_F(ConfigStoreTest, ConnectionSaverWritesNoPerKindKeysForNetworkModes) {
    store.config.mode = 0;
    store.save_connection();
    for (const std::string& k : written_keys()) {
        EXPECT_NE(k.rfind("Config/speed", 0), 0u) << k;
        EXPECT_NE(k.rfind("Config/connect", 0), 0u) << k;
    }
    EXPECT_EQ(written_keys().size(), 16u);
}

TEST_F(ConfigStoreTest, SavedValuesLoadBack) {
    ConfigBlock& c = store.config;
    c.mode = 4;
    c.speed = 6;
    std::snprintf(c.connect, sizeof c.connect, "%s", "ATZ");
    std::snprintf(c.host, sizeof c.host, "%s", "host.example");
    std::snprintf(c.userid, sizeof c.userid, "%s", "joe");
    c.debug = 1;
    c.auxiliary_port = 3;
    c.auxiliary_read = 0;
    c.autodial = 1;
    c.rcv_dump = 0;
    std::snprintf(c.rcv_ext, sizeof c.rcv_ext, "%s", "dmp");
    c.controlc_break = 1;
    c.middle_mouse = 5;
    c.secondary_mouse = 2;
    c.wheel = 1;
    c.sound_mode = 2;
    c.font_mode = 3;
    c.hilite = 1;
    c.fullscreen = 1;
    c.printer = 1;
    c.transparent_selected = 1;
    std::snprintf(c.transparent_name, sizeof c.transparent_name, "%s", "Raw printer");
    store.proxy_port = 3128;
    const ConfigBlock saved = c;
    store.save_connection();
    store.save_mouse();
    store.save_sound();
    store.save_font();
    store.save_highlight();
    store.save_fullscreen();
    store.save_printing();

    ConfigStore again(ini);
    EXPECT_TRUE(again.load_all());
    const ConfigBlock& r = again.config;
    EXPECT_EQ(r.mode, saved.mode);
    EXPECT_EQ(r.speed, saved.speed);
    EXPECT_STREQ(r.connect, saved.connect);
    EXPECT_STREQ(r.host, saved.host);
    EXPECT_STREQ(r.userid, saved.userid);
    EXPECT_EQ(r.debug, saved.debug);
    EXPECT_EQ(r.auxiliary_port, saved.auxiliary_port);
    EXPECT_EQ(r.auxiliary_read, saved.auxiliary_read);
    EXPECT_EQ(r.autodial, saved.autodial);
    EXPECT_EQ(r.rcv_dump, saved.rcv_dump);
    EXPECT_STREQ(r.rcv_ext, saved.rcv_ext);
    EXPECT_EQ(r.controlc_break, saved.controlc_break);
    EXPECT_EQ(r.middle_mouse, saved.middle_mouse);
    EXPECT_EQ(r.secondary_mouse, saved.secondary_mouse);
    EXPECT_EQ(r.wheel, saved.wheel);
    EXPECT_EQ(r.sound_mode, saved.sound_mode);
    EXPECT_EQ(r.font_mode, saved.font_mode);
    EXPECT_EQ(r.hilite, saved.hilite);
    EXPECT_EQ(r.fullscreen, saved.fullscreen);
    EXPECT_EQ(r.printer, saved.printer);
    EXPECT_EQ(r.transparent_selected, saved.transparent_selected);
    EXPECT_STREQ(r.transparent_name, saved.transparent_name);
    EXPECT_EQ(again.proxy_port, 3128);
}

TEST_F(ConfigStoreTest, VariantSaversWriteTheVariantSection) {
    put("Config", "Wheel", "0");
    put("Config", "Middle mouse", "1");
    ini.set_variant("shop");
    store.load_all();
    EXPECT_EQ(store.config.wheel, 0);
    store.config.wheel = 1;
    store.save_mouse();
    EXPECT_EQ(written_keys(), sorted({"Config/Middle mouse", "Config/Wheel", "Config-shop/Middle mouse",
                                      "Config-shop/Secondary mouse", "Config-shop/Wheel"}));
    store.load_all();
    EXPECT_EQ(store.config.wheel, 1);
    EXPECT_EQ(store.config.middle_mouse, 1);
}

TEST_F(ConfigStoreTest, CommandLineVariantMakesItsSectionWin) {
    put("Config", "mode", "0");
    put("Config", "host", "main.example");
    put("Config-shop", "host", "shop.example");
    put("Font", "mode", "0");
    put("Font-shop", "mode", "2");
    put("Sound-shop", "mode", "=");
    put("Sound", "mode", "1");
    ini.set_variant(parse_command_line("-Ufred -Cshop").config_variant);
    EXPECT_TRUE(store.load_all());
    EXPECT_STREQ(store.config.host, "shop.example");
    EXPECT_EQ(store.config.font_mode, 2);
    EXPECT_EQ(store.config.sound_mode, 1);
    ini.set_variant(parse_command_line("-Ufred").config_variant);
    store.load_all();
    EXPECT_STREQ(store.config.host, "main.example");
    EXPECT_EQ(store.config.font_mode, 0);
}

TEST_F(ConfigStoreTest, ColourOverridesReadAndSaveOneKey) {
    EXPECT_EQ(std::string(kColorStems[0]), "Status");
    EXPECT_EQ(std::string(kColorStems[10]), "Blink");
    EXPECT_EQ(store.read_color("Status", 'F'), -1);
    store.save_color("Status", 'F', 14);
    EXPECT_EQ(written_keys(), std::vector<std::string>{"Color/StatusF"});
    EXPECT_EQ(store.read_color("Status", 'F'), 14);
    EXPECT_EQ(store.read_color("Status", 'B'), -1);
}

}  // namespace
}  // namespace tavix
