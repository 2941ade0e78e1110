#include "shell/render/color_table.h"

#include "shell/config/config_store.h"

namespace tavix::render {

ColorTable Colors = DefaultColorTable();

namespace {

struct RoleDefault {
    const char* name;
    uint8_t fg, bg, style;
};

// Display name, built-in foreground and background, print style. The key
// stems come from the configuration store's list, in the same order.
const RoleDefault kRoleDefaults[kRoleCount] = {
    {"Status", 0, 19, 0},
    {"Window", 12, 1, 0},
    {"View Window", 12, 2, 0},
    {"Window Hilight", 1, 12, 0},
    {"Menu Hilight", 0, 13, 0},
    {"Input Hilight", 0, 13, 0},
    {"Inactive Window", 13, 0, 1},
    {"HotKey", 19, 7, 2},
    {"Hot Key Hilight", 19, 8, 0},
    {"Inactive Hot Key", 4, 2, 3},
    {"Blinking", 12, 6, 0},
    {"F0", 0, 19, 0},
    {"F1", 19, 0, 0},
    {"F2", 5, 19, 0},
    {"F3", 19, 6, 3},
    {"F4", 19, 0, 1},
    {"F5", 6, 19, 2},
};

// Entries 16-18 are replaced by the display's system palette at start-up.
const Rgb kDefaultPalette[kPaletteSize] = {
    {0, 0, 0},       {0, 0, 128},     {0, 0, 255},     {0, 128, 0},     {0, 255, 0},
    {128, 0, 0},     {255, 0, 0},     {0, 128, 128},   {0, 255, 255},   {128, 0, 128},
    {255, 0, 255},   {128, 128, 0},   {255, 255, 0},   {128, 128, 128}, {192, 192, 192},
    {160, 160, 164}, {88, 128, 120},  {144, 176, 168}, {200, 216, 216}, {255, 255, 255},
};

bool in_palette(int v) { return v >= 0 && v < kPaletteSize; }

}  // namespace

ColorTable DefaultColorTable() {
    ColorTable t{};
    for (int i = 0; i < kPaletteSize; ++i) t.palette[i] = kDefaultPalette[i];
    for (int i = 0; i < kRoleCount; ++i) {
        const RoleDefault& d = kRoleDefaults[i];
        t.roles[i] = ColorRoleEntry{d.fg, d.bg, d.fg, d.bg, d.style};
    }
    return t;
}

void ResetColorTable() { Colors = DefaultColorTable(); }

const char* RoleDisplayName(int role) {
    return role >= 0 && role < kRoleCount ? kRoleDefaults[role].name : "";
}

const char* RoleKeyStem(int role) {
    return role >= 0 && role < kConfigurableRoles ? kColorStems[role] : "";
}

bool LoadColorOverrides(ColorTable& table, ConfigStore& store) {
    bool changed = false;
    for (int i = 0; i < kConfigurableRoles; ++i) {
        ColorRoleEntry& role = table.roles[i];
        const ColorRoleEntry before = role;
        role.fg = role.builtinFg;
        role.bg = role.builtinBg;
        const int fg = store.read_color(kColorStems[i], 'F');
        const int bg = store.read_color(kColorStems[i], 'B');
        if (in_palette(fg)) role.fg = static_cast<uint8_t>(fg);
        if (in_palette(bg)) role.bg = static_cast<uint8_t>(bg);
        changed |= role.fg != before.fg || role.bg != before.bg;
    }
    return changed;
}

void SaveChangedColors(ColorTable& inUse, const ColorTable& edited, ConfigStore& store) {
    for (int i = 0; i < kConfigurableRoles; ++i) {
        ColorRoleEntry& role = inUse.roles[i];
        const ColorRoleEntry& copy = edited.roles[i];
        if (copy.fg != role.fg) store.save_color(kColorStems[i], 'F', copy.fg);
        if (copy.bg != role.bg) store.save_color(kColorStems[i], 'B', copy.bg);
        role.fg = copy.fg;
        role.bg = copy.bg;
    }
}

}  // namespace tavix::render
