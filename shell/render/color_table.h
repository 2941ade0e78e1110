// The colour palette and the colour roles the painter and the colour dialog
// use. Portable: the palette holds plain RGB triples, the roles palette
// indices; the Windows side turns them into COLORREFs.
#pragma once

#include <cstdint>

namespace tavix {
class ConfigStore;
}

namespace tavix::render {

constexpr int kPaletteSize = 20;

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// The eleven roles the user configures, in the order of the colour dialog,
// then the six fixed pairs F0-F5 that some attribute classes name.
enum ColorRole : int {
    kRoleStatus,
    kRoleWindow,
    kRoleView,
    kRoleHilite,
    kRoleMhilite,
    kRoleIhilite,
    kRoleInactive,
    kRoleHot,
    kRoleHhilite,
    kRoleIhot,
    kRoleBlink,
    kRoleF0,
    kRoleF1,
    kRoleF2,
    kRoleF3,
    kRoleF4,
    kRoleF5,
    kRoleCount
};
constexpr int kConfigurableRoles = 11;

struct ColorRoleEntry {
    uint8_t fg;             // palette index
    uint8_t bg;
    uint8_t builtinFg;      // what "Defaults" restores
    uint8_t builtinBg;
    uint8_t printStyle;     // 0 normal, 1 italic, 2 underlined, 3 both
};

// The process-wide colour record: palette and roles. One owner (the
// renderer); tests reset it with ResetColorTable.
struct ColorTable {
    Rgb palette[kPaletteSize];
    ColorRoleEntry roles[kRoleCount];
};

extern ColorTable Colors;

// The built-in palette and roles.
ColorTable DefaultColorTable();
void ResetColorTable();

// Dialog list names ("Status", "Window Hilight", ...) and [Color] key stems.
const char* RoleDisplayName(int role);
const char* RoleKeyStem(int role);

// Start-up: every configurable role first takes its built-in colours, then the
// [Color] "<stem>F" / "<stem>B" values that name a palette entry replace them.
// Values outside the palette are ignored (a hand-edited file must not make the
// painter read past the palette). Returns whether any role changed.
bool LoadColorOverrides(ColorTable& table, ConfigStore& store);

// The colour dialog's OK: writes the keys of every colour in `edited` that
// differs from `inUse`, then takes the edited colours into use.
void SaveChangedColors(ColorTable& inUse, const ColorTable& edited, ConfigStore& store);

}  // namespace tavix::render
