// The configuration store: the configuration block and the active block, the
// keys kept beside them, their loading at start-up, the corrections of invalid
// values, the savers (each writing only its own keys) and the configuration
// password. One record per process, owned by the shell's start-up.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

#include "shell/config/config_block.h"
#include "shell/config/sections.h"
#include "shell/config/variant_ini.h"

namespace tavix {

// The stems of the [Color] keys "<stem>F" and "<stem>B", one per display element.
extern const char* const kColorStems[11];

// The window placement as last recorded.
struct StoredPlacement {
    int screen_resolution = -1;  // "Screen resolution": screen width in pixels
    int font_height = -1;        // "Font height": cell height including line gap
    int font_width = -1;         // "Font width"
    int window_x = -9999;        // "Window x"
    int window_y = -9999;        // "Window y"

    // All five values present: sizes above 0, positions not -9999.
    bool complete() const;
};

class ConfigStore {
public:
    explicit ConfigStore(VariantIni& ini) : ini_(&ini) {}

    VariantIni& ini() { return *ini_; }

    ConfigBlock config;   // as loaded and as the dialogs change it
    ConfigBlock active;   // the copy the current connection uses
    int proxy_port = 0;   // "Proxy port"
    int active_port = 0;  // the TCP port the current connection uses (proxy, modem pool)
    StoredPlacement placement;
    // The stored placement may be used for the first window (still subject to
    // the screen checks of placement_fits_screen).
    bool placement_valid = false;

    // Reads every key of the block and the keys beside it; returns whether
    // the settings suffice to connect. When they do not, the stored placement
    // is not used.
    bool load_all(bool (*suffices)(const ConfigBlock&) = settings_suffice_to_connect);

    // "&Connect": the active block becomes a copy of the configuration block.
    void begin_connection() {
        active = config;
        active_port = proxy_port;
    }

    // The stored placement was recorded on a screen of this width.
    bool placement_fits_screen(int screen_width) const;

    // Corrections of invalid stored values; each returns true when it changed one.
    // [Sound] "mode" 255 (read as -1, as is a missing key) means Windows sounds.
    bool correct_sound_mode();
    // "Secondary mouse" must be 0, 1, 2, 4 or 5 and "Middle mouse" 0-5; else 0.
    bool correct_mouse_settings();
    // [Font] "mode" must name an available font record 0-3; else the first
    // available one (-1 when none is).
    bool correct_font_mode(const bool available[4]);

    // Savers.
    void save_placement();
    void save_mouse();
    void save_sound();
    void save_udef_screens();
    void save_placement_mode();
    void save_font();
    void save_connection();
    void save_fullscreen();
    void save_printing();
    void save_highlight();

    // [Color] "<stem>F" (which = 'F') or "<stem>B" (which = 'B'); -1 keeps the
    // built-in colour.
    int read_color(const char* stem, char which);
    void save_color(const char* stem, char which, int value);

    // The configuration password.
    bool password_required();              // [Color] "swap" is 1
    void save_password_flag(bool required);
    std::string stored_password();          // [Color] "order" as stored (scrambled)
    // Whether typed matches the stored password.
    bool check_password(const std::string& typed);
    // Sets a new password after confirmation; false (nothing written) when the
    // two texts do not scramble alike.
    bool set_password(const std::string& text, const std::string& confirmation);

private:
    int read_config_int(const char* key, int def) { return ini_->read_int(kConfigSection, key, def); }
    void read_config_string(const char* key, const char* def, char* field, std::size_t size) {
        ini_->read_string(kConfigSection, key, def, field, size);
    }
    void write_config_int(const char* key, int value) { ini_->write_int(kConfigSection, key, value); }
    // Writes one-byte fields of the configuration block under their keys.
    void save_bytes(std::initializer_list<signed char ConfigBlock::*> fields);

    VariantIni* ini_;
};

}  // namespace tavix
