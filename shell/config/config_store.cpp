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

using ByteField = signed char ConfigBlock::*;

// The one-byte keys of the block, in the order they are loaded. "mode" comes
// before the per-kind keys that depend on it.
struct ByteKey {
    const char* section;
    const char* key;
    ByteField field;
};

const ByteKey kByteKeys[] = {
    {kConfigSection, "Middle mouse", &ConfigBlock::middle_mouse},
    {kConfigSection, "Secondary mouse", &ConfigBlock::secondary_mouse},
    {kConfigSection, "Wheel", &ConfigBlock::wheel},
    {kConfigSection, "Printer", &ConfigBlock::printer},
    {kConfigSection, "Character printscreen", &ConfigBlock::character_printscreen},
    {kConfigSection, "Transparent_selected", &ConfigBlock::transparent_selected},
    {kSoundSection, kMode, &ConfigBlock::sound_mode},
    {kFontSection, kMode, &ConfigBlock::font_mode},
    {kConfigSection, kMode, &ConfigBlock::mode},
    {kConfigSection, "debug", &ConfigBlock::debug},
    {kConfigSection, "hilite", &ConfigBlock::hilite},
    {kConfigSection, "Autoconnect", &ConfigBlock::autoconnect},
    {kConfigSection, "Autodial", &ConfigBlock::autodial},
    {kConfigSection, "hpcl", &ConfigBlock::hpcl},
    {kConfigSection, "Trigger", &ConfigBlock::trigger},
    {kConfigSection, "Full ascii", &ConfigBlock::full_ascii},
    {kConfigSection, "Edit", &ConfigBlock::edit},
    {kConfigSection, "Pspeed", &ConfigBlock::pspeed},
    {kConfigSection, "Fullscreen", &ConfigBlock::fullscreen},
    {kConfigSection, "Auxiliary port", &ConfigBlock::auxiliary_port},
    {kConfigSection, "Auxiliary speed", &ConfigBlock::auxiliary_speed},
    {kConfigSection, "Auxilary cr terminate", &ConfigBlock::auxiliary_cr_terminate},
    {kConfigSection, "Auxiliary read", &ConfigBlock::auxiliary_read},
    {kConfigSection, "UDef screens", &ConfigBlock::udef_screens},
    {kConfigSection, "Save placement", &ConfigBlock::save_placement},
    {kConfigSection, "Save Last", &ConfigBlock::save_last},
    {kConfigSection, "RcvDump", &ConfigBlock::rcv_dump},
    {kConfigSection, "ControlC break", &ConfigBlock::controlc_break},
};

const ByteKey& byte_key(ByteField field) {
    for (const ByteKey& k : kByteKeys)
        if (k.field == field) return k;
    return kByteKeys[0];  // unreachable: every field a saver names is listed
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

    for (const ByteKey& k : kByteKeys) c.*k.field = to_byte(ini_->read_int(k.section, k.key, d.*k.field));
    c.backlight = to_short(read_config_int("Backlight", d.backlight));
    proxy_port = read_config_int("Proxy port", 0);
    read_config_string("Transparent name", "", c.transparent_name, sizeof c.transparent_name);
    read_config_string("host", "", c.host, sizeof c.host);
    read_config_string("userid", "", c.userid, sizeof c.userid);
    read_config_string("RcvExt", d.rcv_ext, c.rcv_ext, sizeof c.rcv_ext);
    if (int n = per_kind_index(c.mode)) {
        c.speed = to_byte(read_config_int(per_kind_key("speed", n).c_str(), d.speed));
        read_config_string(per_kind_key("connect", n).c_str(), "", c.connect, sizeof c.connect);
    }
    if (c.save_placement) {
        const StoredPlacement p;
        placement.screen_resolution = read_config_int("Screen resolution", p.screen_resolution);
        placement.font_height = read_config_int("Font height", p.font_height);
        placement.font_width = read_config_int("Font width", p.font_width);
        placement.window_x = read_config_int("Window x", p.window_x);
        placement.window_y = read_config_int("Window y", p.window_y);
        placement_valid = placement.complete();
    }
    if (c.transparent_name[0] == '\0') c.transparent_selected = 0;
    if (c.autodial) c.autoconnect = 0;

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

void ConfigStore::save_bytes(std::initializer_list<signed char ConfigBlock::*> fields) {
    for (ByteField field : fields) {
        const ByteKey& k = byte_key(field);
        ini_->write_int(k.section, k.key, config.*field);
    }
}

void ConfigStore::save_mouse() {
    save_bytes({&ConfigBlock::middle_mouse, &ConfigBlock::secondary_mouse, &ConfigBlock::wheel});
}

void ConfigStore::save_sound() {
    save_bytes({&ConfigBlock::sound_mode});
}

void ConfigStore::save_udef_screens() {
    save_bytes({&ConfigBlock::udef_screens});
}

void ConfigStore::save_placement_mode() {
    save_bytes({&ConfigBlock::save_last, &ConfigBlock::save_placement});
}

void ConfigStore::save_font() {
    save_bytes({&ConfigBlock::font_mode});
}

void ConfigStore::save_connection() {
    const ConfigBlock& c = config;
    ini_->write_string(kConfigSection, "host", c.host);
    ini_->write_string(kConfigSection, "userid", c.userid);
    save_bytes({&ConfigBlock::debug, &ConfigBlock::mode});
    if (int n = per_kind_index(c.mode)) {
        write_config_int(per_kind_key("speed", n).c_str(), c.speed);
        ini_->write_string(kConfigSection, per_kind_key("connect", n).c_str(), c.connect);
    }
    save_bytes({&ConfigBlock::auxiliary_port, &ConfigBlock::auxiliary_speed,
                &ConfigBlock::auxiliary_cr_terminate, &ConfigBlock::auxiliary_read,
                &ConfigBlock::autoconnect, &ConfigBlock::autodial, &ConfigBlock::hpcl,
                &ConfigBlock::edit});
    write_config_int("Proxy port", proxy_port);
    save_bytes({&ConfigBlock::rcv_dump});
    ini_->write_string(kConfigSection, "RcvExt", c.rcv_ext);
    save_bytes({&ConfigBlock::controlc_break});
}

void ConfigStore::save_fullscreen() {
    save_bytes({&ConfigBlock::fullscreen});
}

void ConfigStore::save_printing() {
    save_bytes({&ConfigBlock::character_printscreen, &ConfigBlock::transparent_selected});
    ini_->write_string(kConfigSection, "Transparent name", config.transparent_name);
    save_bytes({&ConfigBlock::printer});
}

void ConfigStore::save_highlight() {
    save_bytes({&ConfigBlock::hilite});
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
