#include "shell/render/color_table.h"

#include <gtest/gtest.h>

#include "shell/config/config_store.h"
#include "shell/config/ini_memory.h"

using namespace tavix;
using namespace tavix::render;

TEST(ColorTable, BuiltInRolesAndFixedPairs) {
    const ColorTable t = DefaultColorTable();
    struct Want {
        int role;
        const char* name;
        const char* stem;
        int fg, bg, style;
    };
    const Want want[] = {
        {kRoleStatus, "Status", "Status", 0, 19, 0},
        {kRoleWindow, "Window", "Window", 12, 1, 0},
        {kRoleView, "View Window", "View", 12, 2, 0},
        {kRoleHilite, "Window Hilight", "Hilite", 1, 12, 0},
        {kRoleMhilite, "Menu Hilight", "Mhilite", 0, 13, 0},
        {kRoleIhilite, "Input Hilight", "Ihilite", 0, 13, 0},
        {kRoleInactive, "Inactive Window", "Inactive", 13, 0, 1},
        {kRoleHot, "HotKey", "Hot", 19, 7, 2},
        {kRoleHhilite, "Hot Key Hilight", "Hhilite", 19, 8, 0},
        {kRoleIhot, "Inactive Hot Key", "Ihot", 4, 2, 3},
        {kRoleBlink, "Blinking", "Blink", 12, 6, 0},
        {kRoleF0, nullptr, "", 0, 19, 0},
        {kRoleF1, nullptr, "", 19, 0, 0},
        {kRoleF2, nullptr, "", 5, 19, 0},
        {kRoleF3, nullptr, "", 19, 6, 3},
        {kRoleF4, nullptr, "", 19, 0, 1},
        {kRoleF5, nullptr, "", 6, 19, 2},
    };
    for (const Want& w : want) {
        SCOPED_TRACE(w.role);
        const ColorRoleEntry& r = t.roles[w.role];
        if (w.name) {
            EXPECT_STREQ(RoleDisplayName(w.role), w.name);
        }
        EXPECT_STREQ(RoleKeyStem(w.role), w.stem);
        EXPECT_EQ(r.fg, w.fg);
        EXPECT_EQ(r.bg, w.bg);
        EXPECT_EQ(r.builtinFg, w.fg);
        EXPECT_EQ(r.builtinBg, w.bg);
        EXPECT_EQ(r.printStyle, w.style);
    }
    EXPECT_EQ(t.palette[1], (Rgb{0, 0, 128}));
    EXPECT_EQ(t.palette[12], (Rgb{255, 255, 0}));
    EXPECT_EQ(t.palette[15], (Rgb{160, 160, 164}));
    EXPECT_EQ(t.palette[16], (Rgb{88, 128, 120}));
    EXPECT_EQ(t.palette[19], (Rgb{255, 255, 255}));
}

TEST(ColorTable, OverridesReplaceBuiltInsAndOutOfPaletteValuesAreIgnored) {
    MemoryIni file;
    VariantIni ini{file};
    ConfigStore store{ini};
    ini.write_int("Color", "WindowF", 4);
    ini.write_int("Color", "WindowB", 0);
    ini.write_int("Color", "StatusB", 20);   // past the palette
    ini.write_int("Color", "HotF", -1);      // keep built-in
    ini.write_int("Color", "BlinkB", 19);

    ColorTable t = DefaultColorTable();
    t.roles[kRoleHot].fg = 3;  // a stale value from before is reset to the built-in
    EXPECT_TRUE(LoadColorOverrides(t, store));
    EXPECT_EQ(t.roles[kRoleWindow].fg, 4);
    EXPECT_EQ(t.roles[kRoleWindow].bg, 0);
    EXPECT_EQ(t.roles[kRoleWindow].builtinFg, 12);
    EXPECT_EQ(t.roles[kRoleStatus].bg, 19);
    EXPECT_EQ(t.roles[kRoleHot].fg, 19);
    EXPECT_EQ(t.roles[kRoleBlink].bg, 19);
    EXPECT_FALSE(LoadColorOverrides(t, store)) << "a second load changes nothing";
}

TEST(ColorTable, SavingWritesOnlyTheChangedKeys) {
    MemoryIni file;
    VariantIni ini{file};
    ConfigStore store{ini};
    ColorTable inUse = DefaultColorTable();
    ColorTable edited = inUse;
    edited.roles[kRoleHilite].bg = 3;
    edited.roles[kRoleIhot].fg = 4;  // unchanged value
    SaveChangedColors(inUse, edited, store);
    EXPECT_EQ(file.key_count("Color"), 1u);
    EXPECT_EQ(ini.read_int("Color", "HiliteB", -1), 3);
    EXPECT_EQ(inUse.roles[kRoleHilite].bg, 3);
    // Back to the defaults: the key is written again with the built-in value.
    SaveChangedColors(inUse, DefaultColorTable(), store);
    EXPECT_EQ(ini.read_int("Color", "HiliteB", -1), 12);
    EXPECT_EQ(inUse.roles[kRoleHilite].bg, 12);
}
