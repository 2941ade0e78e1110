#include "shell/config/config_store.h"

#include <cstdio>
#include <string>

#include "shell/config/password.h"

namespace tavix {


const char* const kColorStems[11] = {"Status", "Window",   "View", "Hilite", "Mhilite", "Ihilite",
                                     "Inactive", "Hot", "Hhilite", "Ihot",   "Blink"};

namespace {

const char kMode[] = "mode";
const char kSwap[] = "swap";
const char kOrder[] = "order";
constexpr std::size_t kOrderReadSize = 10;

// One-byte fields: a stored value outside their range reads as -1 ("not set")
// instead of wrapping into some unrelated setting.
signed char to_byte(int v) {
    return (v >= -128 && v <= 127) ? static_cast<signed char>(v) : static_cast<signed char>(-1);
}

short to_short(int v) {
    return (v >= -32768 && v <= 32767) ? static_cast<short>(v) : static_cast<short>(-1);
}

std::string per_kind_key(const char* stem, int index) {
    char key[32];
    std::snprintf(key, sizeof key, "%s%d", stem, index);
    return key;
}

std::string color_key(const char* stem, char which) {
    return std::string(stem) + which;
}

}  // namespace

bool StoredPlacement::complete() const {
    return screen_resolution > 0 && font_height > 0 && font_width > 0 && window_x != -9999 &&
           window_y != -9999;
}

bool ConfigStore::load_all(bool (*suffices)(const ConfigBlock&)) {
    const ConfigBlock d;  // the defaults
    ConfigBlock& c = config;
    c = ConfigBlock{};
    placement = StoredPlacement{};
    placement_valid = false;

    c.middle_mouse = to_byte(read_config_int("Middle mouse", d.middle_mouse));
    c.secondary_mouse = to_byte(read_config_int("Secondary mouse", d.secondary_mouse));
    c.wheel = to_byte(read_config_int("Wheel", d.wheel));
    c.printer = to_byte(read_config_int("Printer", d.printer));
    c.character_printscreen = to_byte(read_config_int("Character printscreen", d.character_printscreen));
    c.transparent_selected = to_byte(read_config_int("Transparent_selected", d.transparent_selected));
    read_config_string("Transparent name", "", c.transparent_name, sizeof c.transparent_name);
    if (c.transparent_name[0] == '\0') c.transparent_selected = 0;
    c.sound_mode = to_byte(ini_->read_int(kSoundSection, kMode, d.sound_mode));
    c.font_mode = to_byte(ini_->read_int(kFontSection, kMode, d.font_mode));
    c.mode = to_byte(read_config_int(kMode, d.mode));
    if (int n = per_kind_index(c.mode)) {
        c.speed = to_byte(read_config_int(per_kind_key("speed", n).c_str(), d.speed));
        read_config_string(per_kind_key("connect", n).c_str(), "", c.connect, sizeof c.connect);
    }
    c.debug = to_byte(read_config_int("debug", d.debug));
    read_config_string("host", "", c.host, sizeof c.host);
    read_config_string("userid", "", c.userid, sizeof c.userid);
    c.hilite = to_byte(read_config_int("hilite", d.hilite));
    c.autoconnect = to_byte(read_config_int("Autoconnect", d.autoconnect));
    c.autodial = to_byte(read_config_int("Autodial", d.autodial));
    if (c.autodial) c.autoconnect = 0;
    c.hpcl = to_byte(read_config_int("hpcl", d.hpcl));
    c.trigger = to_byte(read_config_int("Trigger", d.trigger));
    c.full_ascii = to_byte(read_config_int("Full ascii", d.full_ascii));
    c.backlight = to_short(read_config_int("Backlight", d.backlight));
    c.edit = to_byte(read_config_int("Edit", d.edit));
    c.pspeed = to_byte(read_config_int("Pspeed", d.pspeed));
    c.fullscreen = to_byte(read_config_int("Fullscreen", d.fullscreen));
    proxy_port = read_config_int("Proxy port", 0);
    c.auxiliary_port = to_byte(read_config_int("Auxiliary port", d.auxiliary_port));
    c.auxiliary_speed = to_byte(read_config_int("Auxiliary speed", d.auxiliary_speed));
    c.auxiliary_cr_terminate = to_byte(read_config_int("Auxilary cr terminate", d.auxiliary_cr_terminate));
    c.auxiliary_read = to_byte(read_config_int("Auxiliary read", d.auxiliary_read));
    c.udef_screens = to_byte(read_config_int("UDef screens", d.udef_screens));
    c.save_placement = to_byte(read_config_int("Save placement", d.save_placement));
    c.save_last = to_byte(read_config_int("Save Last", d.save_last));
    if (c.save_placement) {
        const StoredPlacement p;
        placement.screen_resolution = read_config_int("Screen resolution", p.screen_resolution);
        placement.font_height = read_config_int("Font height", p.font_height);
        placement.font_width = read_config_int("Font width", p.font_width);
        placement.window_x = read_config_int("Window x", p.window_x);
        placement.window_y = read_config_int("Window y", p.window_y);
        placement_valid = placement.complete();
    }
    c.rcv_dump = to_byte(read_config_int("RcvDump", d.rcv_dump));
    read_config_string("RcvExt", d.rcv_ext, c.rcv_ext, sizeof c.rcv_ext);
    c.controlc_break = to_byte(read_config_int("ControlC break", d.controlc_break));

    bool configured = suffices ? suffices(c) : false;
    if (!configured) placement_valid = false;
    return configured;
}

bool ConfigStore::placement_fits_screen(int screen_width) const {
    return placement_valid && placement.screen_resolution == screen_width;
}

bool ConfigStore::correct_sound_mode() {
    if (config.sound_mode != -1) return false;
    config.sound_mode = 0;
    return true;
}

bool ConfigStore::correct_mouse_settings() {
    bool changed = false;
    int secondary = config.secondary_mouse;
    if (!(secondary == 0 || secondary == 1 || secondary == 2 || secondary == 4 || secondary == 5)) {
        config.secondary_mouse = 0;
        changed = true;
    }
    if (config.middle_mouse < 0 || config.middle_mouse > 5) {
        config.middle_mouse = 0;
        changed = true;
    }
    return changed;
}

bool ConfigStore::correct_font_mode(const bool available[4]) {
    int mode = config.font_mode;
    if (mode >= 0 && mode <= 3 && available[mode]) return false;
    signed char first = -1;
    for (int i = 0; i < 4; ++i) {
        if (available[i]) {
            first = static_cast<signed char>(i);
            break;
        }
    }
    config.font_mode = first;
    return true;
}

void ConfigStore::save_placement() {
    write_config_int("Screen resolution", placement.screen_resolution);
    write_config_int("Font width", placement.font_width);
    write_config_int("Font height", placement.font_height);
    write_config_int("Window x", placement.window_x);
    write_config_int("Window y", placement.window_y);
}

void ConfigStore::save_mouse() {
    write_config_int("Middle mouse", config.middle_mouse);
    write_config_int("Secondary mouse", config.secondary_mouse);
    write_config_int("Wheel", config.wheel);
}

void ConfigStore::save_sound() {
    ini_->write_int(kSoundSection, kMode, config.sound_mode);
}

void ConfigStore::save_udef_screens() {
    write_config_int("UDef screens", config.udef_screens);
}

void ConfigStore::save_placement_mode() {
    write_config_int("Save Last", config.save_last);
    write_config_int("Save placement", config.save_placement);
}

void ConfigStore::save_font() {
    ini_->write_int(kFontSection, kMode, config.font_mode);
}

void ConfigStore::save_connection() {
    const ConfigBlock& c = config;
    ini_->write_string(kConfigSection, "host", c.host);
    ini_->write_string(kConfigSection, "userid", c.userid);
    write_config_int("debug", c.debug);
    write_config_int(kMode, c.mode);
    if (int n = per_kind_index(c.mode)) {
        write_config_int(per_kind_key("speed", n).c_str(), c.speed);
        ini_->write_string(kConfigSection, per_kind_key("connect", n).c_str(), c.connect);
    }
    write_config_int("Auxiliary port", c.auxiliary_port);
    write_config_int("Auxiliary speed", c.auxiliary_speed);
    write_config_int("Auxilary cr terminate", c.auxiliary_cr_terminate);
    write_config_int("Auxiliary read", c.auxiliary_read);
    write_config_int("Autoconnect", c.autoconnect);
    write_config_int("Autodial", c.autodial);
    write_config_int("hpcl", c.hpcl);
    write_config_int("Edit", c.edit);
    write_config_int("Proxy port", proxy_port);
    write_config_int("RcvDump", c.rcv_dump);
    ini_->write_string(kConfigSection, "RcvExt", c.rcv_ext);
    write_config_int("ControlC break", c.controlc_break);
}

void ConfigStore::save_fullscreen() {
    write_config_int("Fullscreen", config.fullscreen);
}

void ConfigStore::save_printing() {
    write_config_int("Character printscreen", config.character_printscreen);
    write_config_int("Transparent_selected", config.transparent_selected);
    ini_->write_string(kConfigSection, "Transparent name", config.transparent_name);
    write_config_int("Printer", config.printer);
}

void ConfigStore::save_highlight() {
    write_config_int("hilite", config.hilite);
}

int ConfigStore::read_color(const char* stem, char which) {
    return ini_->read_int(kColorSection, color_key(stem, which).c_str(), -1);
}

void ConfigStore::save_color(const char* stem, char which, int value) {
    ini_->write_int(kColorSection, color_key(stem, which).c_str(), value);
}

bool ConfigStore::password_required() {
    return ini_->read_int(kColorSection, kSwap, 0) == 1;
}

void ConfigStore::save_password_flag(bool required) {
    ini_->write_int(kColorSection, kSwap, required ? 1 : 0);
}

std::string ConfigStore::stored_password() {
    return ini_->read_string(kColorSection, kOrder, "", kOrderReadSize);
}

bool ConfigStore::check_password(const std::string& typed) {
    std::string stored = stored_password();
    char salt = stored.empty() ? '\0' : stored[0];
    return scramble_password(typed, salt) == stored;
}

bool ConfigStore::set_password(const std::string& text, const std::string& confirmation) {
    std::string scrambled = scramble_new_password(text);
    if (scramble_password(confirmation, scrambled[0]) != scrambled) return false;
    ini_->write_string(kColorSection, kOrder, scrambled.c_str());
    return true;
}

}  // namespace tavix
